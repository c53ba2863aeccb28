#pragma once

#include "report/LogLogPlot.h"

#include <QWidget>

// Shows a log-log plot at the widget's size, redrawn as the window is resized; never so
// low that the y axis's title, upright along the plot, is cut short.
class PlotWidget : public QWidget {
    Q_OBJECT
public:
    explicit PlotWidget(QWidget *parent = nullptr);

    void setPlot(LogLogPlot plot);
    const LogLogPlot &plot() const { return m_plot; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LogLogPlot m_plot;
};
