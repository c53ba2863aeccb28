#pragma once

#include <QPlainTextEdit>

// A multi-line text field that behaves as a dialog's fields do: Enter presses the
// dialog's default button, Ctrl+Enter types a line break, and Tab moves on.
class NoteEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit NoteEdit(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
