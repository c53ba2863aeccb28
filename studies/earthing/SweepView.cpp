#include "studies/earthing/SweepView.h"

#include <QPainter>

SweepView::SweepView(QWidget *parent) : QWidget(parent) {
    setMinimumHeight(260);
}

void SweepView::show(SweepPlot voltages, SweepPlot resistance) {
    m_voltages = std::move(voltages);
    m_resistance = std::move(resistance);
    update();
}

void SweepView::clear() {
    show({}, {});
}

void SweepView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4);
    const double top = area.height() * 0.62;
    m_voltages.paint(painter, QRectF(area.left(), area.top(), area.width(), top));
    m_resistance.paint(painter,
                       QRectF(area.left(), area.top() + top, area.width(), area.height() - top));
}
