#include "report/LogLogPlot.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kMarkerRadius = 0.28; // of the font's height
constexpr int kMostDecades = 12;

double logOf(double value) {
    return std::log10(value);
}

QPointF place(const QRectF &plot, const std::pair<int, int> &x, const std::pair<int, int> &y,
              const QPointF &value) {
    const double fx = (logOf(value.x()) - x.first) / (x.second - x.first);
    const double fy = (logOf(value.y()) - y.first) / (y.second - y.first);
    return {plot.left() + fx * plot.width(), plot.bottom() - fy * plot.height()};
}

bool usable(const QPointF &point) {
    return std::isfinite(point.x()) && std::isfinite(point.y()) && point.x() > 0 && point.y() > 0;
}

QPen seriesPen(const PlotSeries &series, double width) {
    QPen pen(series.color, width);
    if (series.style == PlotSeries::Style::DashedLine)
        pen.setStyle(Qt::DashLine);
    return pen;
}

} // namespace

std::pair<int, int> LogLogPlot::decades(double low, double high) {
    // A hair of slack, so that a value of exactly 100 does not open a decade of its own.
    int first = int(std::floor(logOf(low) + 1e-9));
    int last = int(std::ceil(logOf(high) - 1e-9));
    if (last <= first)
        last = first + 1;
    // So many decades would crush every value into a line; the plot shows the top ones.
    first = std::max(first, last - kMostDecades);
    return {first, last};
}

QString LogLogPlot::decadeLabel(int exponent) {
    if (exponent >= -4 && exponent <= 5)
        return QString::number(std::pow(10.0, exponent), 'f', std::max(0, -exponent));
    return QStringLiteral("1e%1").arg(exponent);
}

bool LogLogPlot::range(Axes &axes) const {
    double xLow = std::numeric_limits<double>::infinity();
    double xHigh = 0;
    double yLow = xLow;
    double yHigh = 0;
    for (const PlotSeries &s : series)
        for (const QPointF &p : s.points) {
            if (!usable(p))
                continue;
            xLow = std::min(xLow, p.x());
            xHigh = std::max(xHigh, p.x());
            yLow = std::min(yLow, p.y());
            yHigh = std::max(yHigh, p.y());
        }
    if (!(xHigh > 0))
        return false;
    axes.x = decades(xLow, xHigh);
    axes.y = decades(yLow, yHigh);
    return true;
}

QRectF LogLogPlot::frame(const QRectF &area, const QFontMetricsF &metrics, const Axes &axes) const {
    const double line = metrics.height();
    double labelWidth = 0;
    for (int e = axes.y.first; e <= axes.y.second; ++e)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(decadeLabel(e)));
    // Left: the y title turned upright and the tick labels; bottom: labels and the x title;
    // top: the legend.
    return area.adjusted(line * 1.6 + labelWidth + line * 0.5, line * 1.8, -line * 1.2,
                         -line * 2.8);
}

QPointF LogLogPlot::placeOf(const QPointF &value, const QRectF &area, const QFont &font,
                            QPaintDevice *device) const {
    Axes axes{{0, 1}, {0, 1}};
    range(axes);
    return place(frame(area, QFontMetricsF(font, device), axes), axes.x, axes.y, value);
}

void LogLogPlot::paint(QPainter &painter, const QRectF &area) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double line = QFontMetricsF(painter.font(), painter.device()).height();
    Axes axes{{0, 1}, {0, 1}};
    const bool hasData = range(axes);
    const QRectF plot = frame(area, QFontMetricsF(painter.font(), painter.device()), axes);
    if (plot.width() <= 0 || plot.height() <= 0) {
        painter.restore();
        return;
    }
    paintLegend(painter, QRectF(plot.left(), area.top(), plot.width(), line * 1.4));
    paintFrame(painter, plot, axes);
    if (hasData) {
        painter.setClipRect(plot.adjusted(-line, -line, line, line));
        paintSeries(painter, plot, axes);
        painter.setClipping(false);
    } else {
        painter.drawText(plot, Qt::AlignCenter | Qt::TextWordWrap, emptyText);
    }
    painter.setPen(Qt::black);
    painter.drawText(QRectF(plot.left(), plot.bottom() + line * 1.3, plot.width(), line * 1.4),
                     Qt::AlignCenter, xTitle);
    painter.save();
    painter.translate(area.left() + line * 0.1, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line * 1.4), Qt::AlignCenter,
                     yTitle);
    painter.restore();
    painter.restore();
}

void LogLogPlot::paintFrame(QPainter &painter, const QRectF &plot, const Axes &axes) const {
    const double line = QFontMetricsF(painter.font(), painter.device()).height();
    const double tick = line * 0.35;
    const QPen grid(QColor(0xd0, 0xd0, 0xd0), 0);
    const QPen axis(Qt::black, 0);
    // Along x then along y: every decade a grid line, a tick and a label; the multiples
    // between a short tick.
    for (int e = axes.x.first; e <= axes.x.second; ++e) {
        for (int m = 1; m <= (e < axes.x.second ? 9 : 1); ++m) {
            const double x = place(plot, axes.x, axes.y, {m * std::pow(10.0, e), 1}).x();
            painter.setPen(m == 1 ? grid : axis);
            if (m == 1)
                painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            painter.setPen(axis);
            painter.drawLine(QPointF(x, plot.bottom()),
                             QPointF(x, plot.bottom() - (m == 1 ? tick : tick / 2)));
            if (m == 1)
                painter.drawText(QRectF(x - line * 3, plot.bottom() + line * 0.2, line * 6, line),
                                 Qt::AlignHCenter | Qt::AlignTop, decadeLabel(e));
        }
    }
    for (int e = axes.y.first; e <= axes.y.second; ++e) {
        for (int m = 1; m <= (e < axes.y.second ? 9 : 1); ++m) {
            const double y = place(plot, axes.x, axes.y, {1, m * std::pow(10.0, e)}).y();
            if (m == 1) {
                painter.setPen(grid);
                painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
            }
            painter.setPen(axis);
            painter.drawLine(QPointF(plot.left(), y),
                             QPointF(plot.left() + (m == 1 ? tick : tick / 2), y));
            if (m == 1)
                painter.drawText(QRectF(plot.left() - line * 8.3, y - line / 2, line * 8, line),
                                 Qt::AlignRight | Qt::AlignVCenter, decadeLabel(e));
        }
    }
    painter.setPen(axis);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
}

void LogLogPlot::paintSeries(QPainter &painter, const QRectF &plot, const Axes &axes) const {
    const double line = QFontMetricsF(painter.font(), painter.device()).height();
    const double radius = line * kMarkerRadius;
    for (const PlotSeries &s : series) {
        QVector<QPointF> at;
        for (const QPointF &p : s.points)
            if (usable(p))
                at.append(place(plot, axes.x, axes.y, p));
        if (s.style == PlotSeries::Style::Line || s.style == PlotSeries::Style::DashedLine) {
            painter.setPen(seriesPen(s, line * 0.12));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(at.constData(), int(at.size()));
            continue;
        }
        painter.setPen(QPen(s.color, line * 0.1));
        painter.setBrush(s.style == PlotSeries::Style::Markers ? QBrush(s.color) : Qt::NoBrush);
        for (const QPointF &p : at)
            painter.drawEllipse(p, radius, radius);
    }
}

void LogLogPlot::paintLegend(QPainter &painter, const QRectF &strip) const {
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double line = metrics.height();
    double x = strip.left();
    const double y = strip.center().y();
    for (const PlotSeries &s : series) {
        if (s.label.isEmpty())
            continue;
        const bool curve =
            s.style == PlotSeries::Style::Line || s.style == PlotSeries::Style::DashedLine;
        if (curve) {
            painter.setPen(seriesPen(s, line * 0.12));
            painter.drawLine(QPointF(x, y), QPointF(x + line * 1.5, y));
        } else {
            painter.setPen(QPen(s.color, line * 0.1));
            painter.setBrush(s.style == PlotSeries::Style::Markers ? QBrush(s.color) : Qt::NoBrush);
            painter.drawEllipse(QPointF(x + line * 0.75, y), line * kMarkerRadius,
                                line * kMarkerRadius);
        }
        x += line * 1.9;
        painter.setPen(Qt::black);
        const double width = metrics.horizontalAdvance(s.label);
        painter.drawText(QRectF(x, strip.top(), width + 1, strip.height()), Qt::AlignVCenter,
                         s.label);
        x += width + line * 1.2;
    }
}
