#pragma once

#include <QProxyStyle>

#include <memory>

class QCommonStyle;

// Group boxes as the layouts' coordinates assume them: the caption sits on the frame's top
// line, which is broken behind it, so that the first row of controls inside keeps clear
// of the line. Qt's Fusion style puts the caption above the frame instead, a line lower.
// Everything else is drawn by the application's style.
class GroupBoxStyle : public QProxyStyle {
    Q_OBJECT
public:
    GroupBoxStyle();
    ~GroupBoxStyle() override;

    // The one instance, owned by the application.
    static GroupBoxStyle *instance();

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                         SubControl subControl, const QWidget *widget) const override;

private:
    // Qt's common style draws the caption on the line, with an etched frame.
    std::unique_ptr<QCommonStyle> m_lineStyle;
};
