#include "studies/soil/PlotWidget.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

#include <utility>

PlotWidget::PlotWidget(QWidget *parent) : QWidget(parent) {
    setMinimumSize(320, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void PlotWidget::setPlot(LogLogPlot plot) {
    m_plot = std::move(plot);
    // The plot's frame leaves 4.6 lines above and below it, the widget half a line more.
    const double line = fontMetrics().height();
    const double title = fontMetrics().horizontalAdvance(m_plot.yTitle);
    setMinimumHeight(std::max(240, int(std::ceil(title + 5.8 * line))));
    update();
}

void PlotWidget::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const double margin = fontMetrics().height() * 0.5;
    m_plot.paint(painter, QRectF(rect()).adjusted(margin, margin, -margin, -margin));
}
