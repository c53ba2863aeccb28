#include "report/SweepPlot.h"

#include "report/ReportNumber.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kMarkerRadius = 0.25; // of the font's height

bool finite(const QPointF &p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

double roundStep(double span, int wanted) {
    const double raw = span / std::max(1, wanted);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0})
        if (m * power >= raw * (1 - 1e-9))
            return m * power;
    return 10 * power;
}

} // namespace

QVector<double> SweepPlot::ticks(double low, double high, int wanted) {
    if (!(std::isfinite(low) && std::isfinite(high)))
        return {};
    if (high < low)
        std::swap(low, high);
    if (high == low) {
        const double half = low == 0 ? 1 : std::abs(low) * 0.1;
        low -= half;
        high += half;
    }
    const double step = roundStep(high - low, wanted);
    const double first = std::floor(low / step + 1e-9) * step;
    QVector<double> ticks;
    for (int k = 0; ticks.isEmpty() || ticks.back() < high - 1e-9 * step; ++k)
        ticks.append(first + k * step == 0 ? 0.0 : first + k * step);
    return ticks;
}

void SweepPlot::paint(QPainter &painter, const QRectF &area) const {
    painter.save();
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double line = metrics.height();
    double xLow = std::numeric_limits<double>::infinity(), xHigh = -xLow;
    double yLow = xLow, yHigh = -xLow;
    for (const PlotSeries &s : series)
        for (const QPointF &p : s.points)
            if (finite(p)) {
                xLow = std::min(xLow, p.x());
                xHigh = std::max(xHigh, p.x());
                yLow = std::min(yLow, p.y());
                yHigh = std::max(yHigh, p.y());
            }
    if (!(xHigh >= xLow)) {
        painter.drawText(area, Qt::AlignCenter, emptyText);
        painter.restore();
        return;
    }
    const QVector<double> xs = ticks(xLow, xHigh);
    const QVector<double> ys = ticks(std::min(yLow, 0.0), yHigh);
    double labelWidth = 0;
    for (const double y : ys)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(ReportNumber::given(y)));
    // A legend line above, the y title beside the labels, two lines below for the x
    // labels and title.
    const QRectF plot(area.left() + labelWidth + 1.8 * line, area.top() + 1.8 * line,
                      area.width() - labelWidth - 2.6 * line, area.height() - 4.2 * line);
    if (plot.width() <= 0 || plot.height() <= 0) {
        painter.restore();
        return;
    }
    const auto at = [&](const QPointF &v) {
        const double fx = (v.x() - xs.front()) / (xs.back() - xs.front());
        const double fy = (v.y() - ys.front()) / (ys.back() - ys.front());
        return QPointF(plot.left() + fx * plot.width(), plot.bottom() - fy * plot.height());
    };
    painter.setPen(QPen(Qt::lightGray, line * 0.04));
    for (const double x : xs)
        painter.drawLine(at({x, ys.front()}), at({x, ys.back()}));
    for (const double y : ys)
        painter.drawLine(at({xs.front(), y}), at({xs.back(), y}));
    painter.setPen(QPen(Qt::black, line * 0.06));
    painter.drawRect(plot);
    for (const double x : xs) {
        const QPointF p = at({x, ys.front()});
        painter.drawText(QRectF(p.x() - 3 * line, p.y() + 0.1 * line, 6 * line, line),
                         Qt::AlignHCenter | Qt::AlignTop, ReportNumber::given(x));
    }
    for (const double y : ys) {
        const QPointF p = at({xs.front(), y});
        painter.drawText(
            QRectF(p.x() - labelWidth - 0.3 * line, p.y() - line / 2, labelWidth, line),
            Qt::AlignRight | Qt::AlignVCenter, ReportNumber::given(y));
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + 1.2 * line, plot.width(), line),
                     Qt::AlignHCenter, xTitle);
    painter.save();
    painter.translate(area.left() + 0.1 * line, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignHCenter, yTitle);
    painter.restore();
    double legendX = plot.left();
    for (const PlotSeries &s : series) {
        QPen pen(s.color, line * 0.1);
        if (s.style == PlotSeries::Style::DashedLine)
            pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        QPainterPath path;
        bool open = false;
        for (const QPointF &v : s.points) {
            if (!finite(v)) {
                open = false;
                continue;
            }
            const QPointF p = at(v);
            open ? path.lineTo(p) : path.moveTo(p);
            open = true;
            if (s.style == PlotSeries::Style::Markers)
                painter.drawEllipse(p, kMarkerRadius * line, kMarkerRadius * line);
        }
        painter.drawPath(path);
        const double y = area.top() + 0.6 * line;
        painter.drawLine(QPointF(legendX, y), QPointF(legendX + 1.5 * line, y));
        painter.setPen(Qt::black);
        const double width = metrics.horizontalAdvance(s.label);
        painter.drawText(QRectF(legendX + 1.8 * line, area.top(), width + line, 1.2 * line),
                         Qt::AlignLeft | Qt::AlignVCenter, s.label);
        legendX += width + 3.2 * line;
    }
    painter.restore();
}
