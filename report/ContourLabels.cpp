#include "report/ContourLabels.h"

#include <QLineF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMostLines = 12;

// The line without points repeated, which have no direction to turn from.
QPolygonF distinct(const QPolygonF &line) {
    QPolygonF out;
    for (const QPointF &p : line)
        if (out.isEmpty() || QLineF(out.back(), p).length() > 1e-9)
            out << p;
    return out;
}

double direction(const QPointF &a, const QPointF &b) {
    return std::atan2(b.y() - a.y(), b.x() - a.x());
}

// The angle from a to b folded into (-pi, pi].
double turn(double a, double b) {
    double d = b - a;
    while (d > M_PI)
        d -= 2 * M_PI;
    while (d <= -M_PI)
        d += 2 * M_PI;
    return d;
}

} // namespace

double ContourLabels::stepFor(double lo, double hi) {
    if (!(hi > lo) || !std::isfinite(hi - lo))
        return 0;
    double power = std::pow(10.0, std::floor(std::log10((hi - lo) / kMostLines)));
    for (;; power *= 10)
        for (double m : {1.0, 2.0, 5.0})
            if (std::floor(hi / (m * power)) - std::floor(lo / (m * power)) <= kMostLines)
                return m * power;
}

std::vector<double> ContourLabels::levels(double lo, double hi) {
    std::vector<double> out;
    const double step = stepFor(lo, hi);
    if (!(step > 0))
        return out;
    for (double k = std::floor(lo / step) + 1; k * step < hi; ++k)
        if (k * step > lo)
            out.push_back(k == 0 ? 0.0 : k * step);
    return out;
}

double ContourLabels::length(const QPolygonF &line) {
    double sum = 0;
    for (int k = 1; k < line.size(); ++k)
        sum += QLineF(line[k - 1], line[k]).length();
    return sum;
}

QPointF ContourLabels::pointAt(const QPolygonF &line, double s) {
    if (line.isEmpty())
        return {};
    for (int k = 1; k < line.size(); ++k) {
        const double piece = QLineF(line[k - 1], line[k]).length();
        if (s <= piece && piece > 0)
            return line[k - 1] + (line[k] - line[k - 1]) * (std::max(s, 0.0) / piece);
        s -= piece;
    }
    return line.back();
}

double ContourLabels::turning(const QPolygonF &raw, double from, double to) {
    const QPolygonF line = distinct(raw);
    double sum = 0;
    double at = 0; // arc length at line[k]
    for (int k = 1; k + 1 < line.size(); ++k) {
        at += QLineF(line[k - 1], line[k]).length();
        if (at > from && at < to)
            sum += std::abs(turn(direction(line[k - 1], line[k]), direction(line[k], line[k + 1])));
    }
    return sum;
}

bool ContourLabels::free(const QPolygonF &box) const {
    for (const QPointF &corner : box)
        if (!m_bounds.contains(corner))
            return false;
    // Clear of the others' upright bounds too, as a PDF's text layer boxes its words: two
    // labels at an angle may miss each other yet cover each other's words there.
    const QRectF bounds = box.boundingRect();
    for (const QPolygonF &other : m_avoid)
        if (box.intersects(other) || bounds.intersects(other.boundingRect()))
            return false;
    for (const ContourLabel &other : m_labels)
        if (box.intersects(other.box) || bounds.intersects(other.box.boundingRect()))
            return false;
    return true;
}

bool ContourLabels::apart(double level, const QPointF &anchor, double distance) const {
    for (const ContourLabel &other : m_labels)
        if (other.level == level && QLineF(other.anchor, anchor).length() < distance)
            return false;
    return true;
}

void ContourLabels::place(double level, const QString &text, const QVector<QPolygonF> &lines,
                          const QSizeF &size) {
    std::vector<QPolygonF> order;
    for (const QPolygonF &line : lines)
        order.push_back(distinct(line));
    std::sort(order.begin(), order.end(),
              [](const QPolygonF &a, const QPolygonF &b) { return length(a) > length(b); });
    const double w = size.width();
    for (const QPolygonF &line : order) {
        const double total = length(line);
        if (total < 1.2 * w)
            continue;
        // The places a label's length apart in quarters, by their turning, the middle of
        // the line first among those that turn alike (within half a degree).
        struct Place {
            double s;
            long turned;
            double fromMiddle;
        };
        std::vector<Place> places;
        for (double s = w / 2; s <= total - w / 2 + 1e-9; s += std::max(w / 4, 1.0))
            places.push_back({s, std::lround(turning(line, s - w / 2, s + w / 2) / 0.01),
                              std::abs(s - total / 2)});
        std::sort(places.begin(), places.end(), [](const Place &a, const Place &b) {
            return a.turned != b.turned ? a.turned < b.turned : a.fromMiddle < b.fromMiddle;
        });
        for (const Place &p : places) {
            const QPointF anchor = pointAt(line, p.s);
            QPointF along = pointAt(line, p.s + w / 2) - pointAt(line, p.s - w / 2);
            const double norm = std::hypot(along.x(), along.y());
            if (!(norm > 0))
                continue;
            // Read from left to right, or from the bottom up where the line stands upright.
            if (along.x() < -1e-9 * norm || (std::abs(along.x()) <= 1e-9 * norm && along.y() > 0))
                along = -along;
            const QPointF u = along / norm * (w / 2);
            const QPointF v = QPointF(-along.y(), along.x()) / norm * (size.height() / 2);
            QPolygonF box;
            box << anchor - u - v << anchor + u - v << anchor + u + v << anchor - u + v;
            if (!free(box) || !apart(level, anchor, 3 * w))
                continue;
            m_labels.push_back(
                {level, text, anchor, std::atan2(along.y(), along.x()) * 180 / M_PI, box});
            break;
        }
    }
}

void ContourLabels::paint(QPainter &painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const ContourLabel &label : m_labels) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 215));
        painter.drawPolygon(label.box);
        const double w = QLineF(label.box[0], label.box[1]).length();
        const double h = QLineF(label.box[1], label.box[2]).length();
        painter.save();
        painter.translate(label.anchor);
        painter.rotate(label.angle);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(-w / 2, -h / 2, w, h), Qt::AlignCenter, label.text);
        painter.restore();
    }
    painter.restore();
}
