#pragma once

#include <QPushButton>

// A push button whose label wraps over as many lines as its width needs, and breaks
// where the label holds a line break.
class WrapButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};
