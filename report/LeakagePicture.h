#pragma once

#include "core/earthing/EarthingResult.h"

#include <QRectF>
#include <QString>

#include <utility>

class QPainter;

// The conductors of a solve seen from above, each segment in the colour of the current it
// leaks per metre (A/m), a rod as a dot of its mean, with the colour scale's legend in a
// strip on the right: where the current leaves the metal, and where a conductor carries
// little. Drawn over the plan of PlanPicture, whose map is then none.
class LeakagePicture {
public:
    const tav::earthing::EarthingResult *result = nullptr; // not owned; none: nothing drawn
    QString unit;                                          // of the legend, "A/m"
    bool stale = false;                                    // of a system changed since: drawn faded

    // The least and greatest density drawn; empty (first > second) without a result.
    std::pair<double, double> range() const;
    // Where in device the plan is drawn: all of it less the legend's strip.
    static QRectF planArea(const QRectF &device, double lineHeight);
    void paint(QPainter &painter, const QRectF &plan, const QRectF &world) const;
    void paintLegend(QPainter &painter, const QRectF &device) const;

private:
    // A rod's segments stand one over another: one dot of the rod's mean.
    static bool vertical(const tav::earthing::SegmentResult &segment);
    template <class F> void forEachDrawn(F f) const;
};
