#include "ui/GroupBoxStyle.h"

#include <QApplication>
#include <QCommonStyle>
#include <QPointer>

GroupBoxStyle::GroupBoxStyle() : m_lineStyle(std::make_unique<QCommonStyle>()) {}

GroupBoxStyle::~GroupBoxStyle() = default;

GroupBoxStyle *GroupBoxStyle::instance() {
    static QPointer<GroupBoxStyle> style;
    if (style.isNull()) {
        style = new GroupBoxStyle;
        style->setParent(qApp);
    }
    return style.data();
}

void GroupBoxStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                       QPainter *painter, const QWidget *widget) const {
    if (control == CC_GroupBox)
        m_lineStyle->drawComplexControl(control, option, painter, widget);
    else
        QProxyStyle::drawComplexControl(control, option, painter, widget);
}

QRect GroupBoxStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                    SubControl subControl, const QWidget *widget) const {
    if (control == CC_GroupBox)
        return m_lineStyle->subControlRect(control, option, subControl, widget);
    return QProxyStyle::subControlRect(control, option, subControl, widget);
}
