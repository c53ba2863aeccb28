#include "cad/BulgeArc.h"

#include <algorithm>
#include <cmath>

namespace tav::cad {

int BulgeArc::chordCount(double radius, double angle, double maxChord) {
    if (!(radius > 0) || !(maxChord > 0) || !(angle > 0))
        return 1;
    // A chord of length c subtends 2 asin(c / 2r); one no longer than 2r covers half a turn.
    const double each = maxChord >= 2 * radius ? M_PI : 2 * std::asin(maxChord / (2 * radius));
    const double count = std::ceil(angle / each - 1e-9);
    return int(std::clamp(count, 1.0, double(kMostChords)));
}

std::vector<DxfVertex> BulgeArc::bulged(const DxfVertex &from, const DxfVertex &to, double bulge,
                                        double maxChord) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double chord = std::hypot(dx, dy);
    // A bulge this small is a straight segment: its arc's centre would lie out of range.
    if (std::fabs(bulge) < kStraight || !(chord > 0))
        return {to};
    const double angle = 4 * std::atan(bulge); // signed, counterclockwise positive
    const double radius = chord / (2 * std::fabs(std::sin(angle / 2)));
    // The centre lies off the chord's middle, to its left for a counterclockwise arc.
    const double along = chord / (2 * std::tan(angle / 2));
    const double cx = (from.x + to.x) / 2 - dy / chord * along;
    const double cy = (from.y + to.y) / 2 + dx / chord * along;
    const double start = std::atan2(from.y - cy, from.x - cx);
    const int count = chordCount(radius, std::fabs(angle), maxChord);
    std::vector<DxfVertex> points;
    points.reserve(std::size_t(count));
    for (int i = 1; i < count; ++i) {
        const double t = double(i) / count;
        const double a = start + angle * t;
        points.push_back({cx + radius * std::cos(a), cy + radius * std::sin(a),
                          from.z + (to.z - from.z) * t});
    }
    points.push_back(to);
    return points;
}

std::vector<DxfVertex> BulgeArc::arc(const DxfVertex &centre, double radius, double startDegrees,
                                     double endDegrees, double maxChord) {
    const double start = startDegrees * M_PI / 180;
    double sweep = std::fmod((endDegrees - startDegrees) * M_PI / 180, 2 * M_PI);
    if (sweep <= 0)
        sweep += 2 * M_PI;
    const int count = chordCount(radius, sweep, maxChord);
    std::vector<DxfVertex> points;
    points.reserve(std::size_t(count) + 1);
    for (int i = 0; i <= count; ++i) {
        const double a = start + sweep * i / count;
        points.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a), centre.z});
    }
    return points;
}

} // namespace tav::cad
