#include "studies/soil/PlotWidget.h"

#include <QPainter>

#include <utility>

PlotWidget::PlotWidget(QWidget *parent) : QWidget(parent) {
    setMinimumSize(320, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void PlotWidget::setPlot(LogLogPlot plot) {
    m_plot = std::move(plot);
    update();
}

void PlotWidget::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const double margin = fontMetrics().height() * 0.5;
    m_plot.paint(painter, QRectF(rect()).adjusted(margin, margin, -margin, -margin));
}
