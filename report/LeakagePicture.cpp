#include "report/LeakagePicture.h"

#include "core/earthing/ConductorLeakage.h"
#include "report/ColourScale.h"
#include "report/PlanTransform.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace tav::earthing;

bool LeakagePicture::vertical(const SegmentResult &segment) {
    return std::hypot(segment.to.x - segment.from.x, segment.to.y - segment.from.y) < 1e-6;
}

// f(from, to, density) for each horizontal or slanting segment, then f(at, at, mean) for
// each rod.
template <class F> void LeakagePicture::forEachDrawn(F f) const {
    if (!result)
        return;
    std::size_t count = 0;
    for (const SegmentResult &s : result->segmentCurrents)
        count = std::max(count, std::size_t(std::max(s.conductor, 0)) + 1);
    std::vector<ConductorLeakage> rods(count);
    std::vector<QPointF> rodAt(count);
    for (const SegmentResult &s : result->segmentCurrents) {
        if (!vertical(s)) {
            f(QPointF(s.from.x, s.from.y), QPointF(s.to.x, s.to.y), ConductorLeakage::density(s));
            continue;
        }
        ConductorLeakage &rod = rods[std::size_t(std::max(s.conductor, 0))];
        rod.current += s.current;
        rod.length += ConductorLeakage::segmentLength(s);
        rodAt[std::size_t(std::max(s.conductor, 0))] = QPointF(s.from.x, s.from.y);
    }
    for (std::size_t k = 0; k < count; ++k)
        if (rods[k].length > 0)
            f(rodAt[k], rodAt[k], rods[k].density());
}

std::pair<double, double> LeakagePicture::range() const {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    forEachDrawn([&](const QPointF &, const QPointF &, double density) {
        lo = std::min(lo, density);
        hi = std::max(hi, density);
    });
    return {lo, hi};
}

QRectF LeakagePicture::planArea(const QRectF &device, double lineHeight) {
    return device.adjusted(0, 0, -std::min(6.5 * lineHeight, device.width() / 3), 0);
}

void LeakagePicture::paint(QPainter &painter, const QRectF &plan, const QRectF &world) const {
    const auto [lo, hi] = range();
    if (!(hi >= lo))
        return;
    const ColourScale scale(lo, hi);
    const PlanTransform t(world, plan);
    painter.save();
    painter.setClipRect(plan);
    painter.setRenderHint(QPainter::Antialiasing);
    if (stale)
        painter.setOpacity(0.35);
    forEachDrawn([&](const QPointF &from, const QPointF &to, double density) {
        const QColor colour = scale.colour(density);
        if (from == to) {
            painter.setPen(QPen(Qt::black, 0.8));
            painter.setBrush(colour);
            painter.drawEllipse(t.toDevice(from), 5, 5);
        } else {
            painter.setPen(QPen(colour, 5, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(t.toDevice(from), t.toDevice(to));
        }
    });
    painter.restore();
}

void LeakagePicture::paintLegend(QPainter &painter, const QRectF &device) const {
    const auto [lo, hi] = range();
    if (!(hi >= lo))
        return;
    const double line = painter.fontMetrics().height();
    const QRectF legend(device.right() - 6 * line, device.top() + 0.5 * line, 5.5 * line,
                        std::min(device.height() - line, 14 * line));
    painter.save();
    painter.setPen(Qt::black);
    ColourScale(lo, hi).paintLegend(painter, legend, unit);
    painter.restore();
}
