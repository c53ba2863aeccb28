#include "report/ProfilePicture.h"

#include "core/earthing/InputCheck.h"
#include "report/ColourScale.h"
#include "report/ReportNumber.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

void ProfilePicture::sample(const tav::earthing::SurfaceField &field, double gpr,
                            const QLineF &line, int count) {
    count = std::max(count, 2);
    m_line = line;
    distance.clear();
    potential.clear();
    touch.clear();
    // A line the solver cannot reach (or of no finite length) has nothing to sample: the
    // field holds no numbers there, and its points would be none.
    const double reach = tav::earthing::InputCheck::kMaxReach;
    for (const double v : {line.x1(), line.y1(), line.x2(), line.y2()})
        if (!(std::abs(v) <= reach))
            return;
    for (int k = 0; k < count; ++k) {
        const double t = double(k) / (count - 1);
        const QPointF p = line.pointAt(t);
        const double v = field.potential(p.x(), p.y());
        distance.push_back(t * line.length());
        potential.push_back(v);
        touch.push_back(gpr - v);
    }
}

void ProfilePicture::paintCurve(QPainter &painter, const QRectF &plot,
                                const QVector<double> &values, double yLow, double yHigh,
                                const QPen &pen) const {
    const double xHigh = distance.isEmpty() ? 1 : std::max(distance.back(), 1e-9);
    QPainterPath path;
    for (int k = 0; k < values.size() && k < distance.size(); ++k) {
        const QPointF p(plot.left() + distance[k] / xHigh * plot.width(),
                        plot.bottom() - (values[k] - yLow) / (yHigh - yLow) * plot.height());
        if (k == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

void ProfilePicture::paint(QPainter &painter, const QRectF &area) const {
    painter.save();
    painter.fillRect(area, Qt::white);
    const QFontMetricsF metrics(painter.font());
    const double line = metrics.height();
    const QRectF plot = area.adjusted(5 * line, 2 * line, -line, -2.5 * line);
    if (distance.size() < 2 || plot.width() <= 0 || plot.height() <= 0) {
        painter.restore();
        return;
    }
    double yHigh = tolerable.highest();
    for (const QVector<double> *v : {&potential, &touch})
        for (double y : *v)
            yHigh = std::max(yHigh, y);
    double yLow = 0;
    for (double y : touch)
        yLow = std::min(yLow, y);
    if (!(yHigh > yLow))
        yHigh = yLow + 1;
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(plot);
    // Ticks written as every number of the program is, with a point and no grouping.
    for (double y : ColourScale::ticks(yLow, yHigh, std::max(2, int(plot.height() / (2 * line))))) {
        const double py = plot.bottom() - (y - yLow) / (yHigh - yLow) * plot.height();
        painter.drawLine(QPointF(plot.left() - 0.3 * line, py), QPointF(plot.left(), py));
        painter.drawText(
            QRectF(area.left(), py - line / 2, plot.left() - area.left() - 0.5 * line, line),
            Qt::AlignRight | Qt::AlignVCenter, ReportNumber::given(y));
    }
    const double xHigh = distance.back();
    for (double x : ColourScale::ticks(0, xHigh, std::max(2, int(plot.width() / (5 * line))))) {
        const double px = plot.left() + x / std::max(xHigh, 1e-9) * plot.width();
        painter.drawLine(QPointF(px, plot.bottom()), QPointF(px, plot.bottom() + 0.3 * line));
        painter.drawText(QRectF(px - 3 * line, plot.bottom() + 0.4 * line, 6 * line, line),
                         Qt::AlignCenter, ReportNumber::given(x));
    }
    // Under the ticks' numbers, clear of them.
    painter.drawText(QRectF(plot.left(), area.bottom() - line, plot.width(), line), Qt::AlignCenter,
                     xTitle);
    painter.drawText(
        QRectF(area.left(), area.top(), plot.left() - area.left() + plot.width(), line),
        Qt::AlignLeft, yTitle);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPen potentialPen(QColor(59, 82, 139), 2);
    const QPen touchPen(QColor(220, 120, 0), 2);
    const QPen tolerablePen(QColor(200, 0, 0), 1.5, Qt::DashLine);
    paintCurve(painter, plot, potential, yLow, yHigh, potentialPen);
    paintCurve(painter, plot, touch, yLow, yHigh, touchPen);
    if (tolerable.any()) {
        QPolygonF line;
        for (const QPointF &corner : tolerableLine())
            line << QPointF(plot.left() + corner.x() / std::max(xHigh, 1e-9) * plot.width(),
                            plot.bottom() - (corner.y() - yLow) / (yHigh - yLow) * plot.height());
        painter.setPen(tolerablePen);
        painter.drawPolyline(line);
    }
    // The legend above the plot, right-aligned.
    double x = plot.right();
    const std::pair<const QString *, QPen> items[] = {
        {&tolerableLabel, tolerablePen}, {&touchLabel, touchPen}, {&potentialLabel, potentialPen}};
    for (const auto &[label, pen] : items) {
        if (label->isEmpty() || (label == &tolerableLabel && !tolerable.any()))
            continue;
        const double w = metrics.horizontalAdvance(*label);
        x -= w;
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x, area.top() + 0.6 * line, w, line), Qt::AlignLeft, *label);
        x -= 2.5 * line;
        painter.setPen(pen);
        const double y = area.top() + 1.1 * line;
        painter.drawLine(QPointF(x + 0.3 * line, y), QPointF(x + 2 * line, y));
        x -= line;
    }
    painter.restore();
}
