#pragma once

#include "report/SweepPlot.h"

#include <QWidget>

// The sweep's plots in the window, drawn as the report draws them: the voltages with their
// tolerable values above, the resistance below.
class SweepView : public QWidget {
    Q_OBJECT
public:
    explicit SweepView(QWidget *parent = nullptr);
    void show(SweepPlot voltages, SweepPlot resistance);
    void clear();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SweepPlot m_voltages;
    SweepPlot m_resistance;
};
