#include "core/earthing/Segmentation.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace tav::earthing {

namespace {

Vec3 toVec(const Point3 &p) {
    return {p.x, p.y, p.z};
}

struct Line {
    Vec3 p;
    Vec3 u;
    double length = 0;
    double radius = 0;
};

Line lineOf(const Conductor &c) {
    const Vec3 p = toVec(c.from);
    const Vec3 d = toVec(c.to) - p;
    const double length = d.norm();
    return {p, d * (1 / length), length, 0.5 * c.diameter};
}

// The parameters of the closest points of two segments and their distance (the usual
// clamped solution of the two-line problem).
struct Closest {
    double s = 0;
    double t = 0;
    double distance = 0;
};

Closest closestPoints(const Line &a, const Line &b) {
    const Vec3 w = a.p - b.p;
    const double c = a.u.dot(b.u);
    const double d = a.u.dot(w);
    const double e = b.u.dot(w);
    const double den = 1 - c * c;
    double s = den > 1e-12 ? (c * e - d) / den : 0;
    s = std::clamp(s, 0., a.length);
    double t = std::clamp(e + c * s, 0., b.length);
    s = std::clamp(c * t - d, 0., a.length);
    const Vec3 gap = (a.p + a.u * s) - (b.p + b.u * t);
    return {s, t, gap.norm()};
}

// A segment shorter than the tolerance (a piece of a rod in a layer a micrometre thick)
// is both flat and plumb by it: the way it runs the more decides, so that a vertical piece
// is never taken as a horizontal one without a horizontal direction.
SegmentKind kindOf(const Vec3 &p, const Vec3 &q) {
    constexpr double kFlat = 1e-6; // m
    const double rise = std::abs(p.z - q.z);
    const double run = std::hypot(p.x - q.x, p.y - q.y);
    if (rise <= kFlat && rise < run)
        return SegmentKind::Horizontal;
    if (run <= kFlat)
        return SegmentKind::Vertical;
    return SegmentKind::Inclined;
}

} // namespace

Segmentation::Segmentation(const EarthingInput &input, std::vector<double> interfaces)
    : m_input(input), m_interfaces(std::move(interfaces)) {
    const std::vector<Conductor> &conductors = input.conductors;
    std::vector<Line> lines;
    for (const Conductor &c : conductors)
        lines.push_back(lineOf(c));
    m_cuts.resize(conductors.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line &a = lines[i];
        // Pieces shorter than two diameters are no thin wires: such cuts are dropped.
        const double nearest = 4 * a.radius;
        std::vector<double> junctions;
        for (std::size_t j = 0; j < lines.size(); ++j) {
            if (j == i)
                continue;
            const Closest c = closestPoints(a, lines[j]);
            if (c.distance <= std::max(a.radius, lines[j].radius))
                junctions.push_back(c.s);
        }
        std::vector<double> cuts = {0, a.length};
        const double z0 = a.p.z;
        const double z1 = a.p.z + a.u.z * a.length;
        for (const double interface : m_interfaces)
            if ((z0 - interface) * (z1 - interface) < 0)
                cuts.push_back((interface - z0) / (z1 - z0) * a.length);
        const auto insulating = [&](double from, double to) {
            const auto layerAt = [&](double along) {
                const double z = z0 + (z1 - z0) * along / a.length;
                return int(std::count_if(m_interfaces.begin(), m_interfaces.end(),
                                         [&](double interface) { return z > interface; }));
            };
            const int layer = layerAt(0.5 * (from + to));
            const int above = std::min(layerAt(from - nearest), layerAt(to + nearest));
            const int below = std::max(layerAt(from - nearest), layerAt(to + nearest));
            const double rho = input.soil.resistivity(layer);
            return layer != above && layer != below && rho > input.soil.resistivity(above) &&
                   rho > input.soil.resistivity(below);
        };
        m_tied.push_back(tieShortPieces(cuts, a.length, nearest, insulating));
        std::sort(junctions.begin(), junctions.end());
        for (double s : junctions) {
            const bool clear = std::all_of(
                cuts.begin(), cuts.end(), [&](double cut) { return std::abs(cut - s) >= nearest; });
            if (clear)
                cuts.push_back(s);
        }
        std::sort(cuts.begin(), cuts.end());
        m_cuts[i] = cuts;
    }
}

std::vector<Segmentation::Tied>
Segmentation::tieShortPieces(std::vector<double> &cuts, double length, double zone,
                             const std::function<bool(double, double)> &insulating) {
    std::vector<double> crossings(cuts.begin() + 2, cuts.end());
    std::sort(crossings.begin(), crossings.end());
    const auto within = [&](double from, double to) {
        return std::any_of(crossings.begin(), crossings.end(),
                           [&](double c) { return c > from && c < to; });
    };
    if (length <= 2 * zone) {
        // Too short for two ends of their own: one element along its whole length.
        if (within(0, length))
            return {{0, length}};
        return {};
    }
    std::vector<Tied> tied;
    const auto tie = [&](double from, double to) {
        tied.push_back({from, to});
        for (const double bound : {from, to})
            if (bound > 0 && bound < length)
                cuts.push_back(bound);
    };
    if (within(0, zone))
        tie(0, zone);
    if (within(length - zone, length))
        tie(length - zone, length);
    // A piece through a layer thinner than the zone and more resistive than the layers
    // either side takes next to no current: the thin-wire model, which sees its leakage
    // from its axis at its radius, would see the layer shorted by its neighbours there and
    // let it take current it cannot. It leaks evenly with the zone about it instead, so
    // that it is a free element of its own again once the layer is as thick as the zone.
    for (std::size_t k = 0; k + 1 < crossings.size(); ++k) {
        const double from = crossings[k];
        const double to = crossings[k + 1];
        const double middle = 0.5 * (from + to);
        if (to - from >= zone || !insulating(from, to) || middle - zone < zone ||
            middle + zone > length - zone)
            continue;
        const double half = 0.5 * zone;
        const bool apart = std::all_of(tied.begin(), tied.end(), [&](const Tied &t) {
            return middle + half <= t.from || middle - half >= t.to;
        });
        if (apart)
            tie(middle - half, middle + half);
    }
    return tied;
}

double Segmentation::partsOf(double piece, double step) {
    return std::max(1., std::ceil(piece / step - 1e-9));
}

bool Segmentation::isTied(std::size_t conductor, double from, double to) const {
    for (const Tied &t : m_tied[conductor])
        if (from >= t.from && to <= t.to)
            return true;
    return false;
}

double Segmentation::count() const {
    const double step = m_input.segmentLength;
    double total = 0;
    for (std::size_t i = 0; i < m_cuts.size(); ++i) {
        const std::vector<double> &cuts = m_cuts[i];
        for (std::size_t k = 1; k < cuts.size(); ++k) {
            const double parts =
                isTied(i, cuts[k - 1], cuts[k]) ? 1 : partsOf(cuts[k] - cuts[k - 1], step);
            total += parts >= 2 ? parts + 2 : parts;
        }
    }
    return total;
}

std::vector<Segment> Segmentation::segments() const {
    std::vector<Segment> segments;
    segments.reserve(std::size_t(count())); // within the limit: the caller checked it
    int ties = 0;
    for (std::size_t i = 0; i < m_cuts.size(); ++i) {
        const Conductor &c = m_input.conductors[i];
        const Line line = lineOf(c);
        const std::vector<double> &cuts = m_cuts[i];
        for (std::size_t k = 1; k < cuts.size(); ++k) {
            const double piece = cuts[k] - cuts[k - 1];
            int tie = -1;
            for (std::size_t t = 0; t < m_tied[i].size(); ++t)
                if (cuts[k - 1] >= m_tied[i][t].from && cuts[k] <= m_tied[i][t].to)
                    tie = ties + int(t);
            const int parts = tie >= 0 ? 1 : int(partsOf(piece, m_input.segmentLength));
            std::vector<double> at;
            for (int part = 0; part <= parts; ++part)
                at.push_back(part == parts ? cuts[k] : cuts[k - 1] + piece * part / parts);
            // The leakage changes fastest at a piece's ends, at junctions and free ends:
            // halving the end segments there buys what halving all of them would.
            if (parts >= 2) {
                const double h0 = 0.5 * (at[0] + at[1]);
                const double h1 = 0.5 * (at[parts - 1] + at[parts]);
                at.insert(at.begin() + 1, h0);
                at.insert(at.end() - 1, h1);
            }
            for (std::size_t part = 0; part + 1 < at.size(); ++part) {
                const double s0 = at[part];
                const double s1 = at[part + 1];
                Segment s;
                s.p = line.p + line.u * s0;
                s.q = line.p + line.u * s1;
                if (part + 2 == at.size() && k + 1 == cuts.size())
                    s.q = toVec(c.to);
                s.length = s1 - s0;
                s.u = line.u;
                s.radius = line.radius;
                s.conductor = int(i);
                s.group = c.group;
                const double middle = 0.5 * (s.p.z + s.q.z);
                s.layer = int(std::count_if(m_interfaces.begin(), m_interfaces.end(),
                                            [&](double interface) { return middle > interface; }));
                s.kind = kindOf(s.p, s.q);
                s.tie = tie;
                segments.push_back(s);
            }
        }
        ties += int(m_tied[i].size());
    }
    return segments;
}

} // namespace tav::earthing
