#include "core/earthing/Segmentation.h"

#include <algorithm>
#include <utility>
#include <cmath>

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

SegmentKind kindOf(const Vec3 &p, const Vec3 &q) {
    constexpr double kFlat = 1e-6; // m
    if (std::abs(p.z - q.z) <= kFlat)
        return SegmentKind::Horizontal;
    if (std::hypot(p.x - q.x, p.y - q.y) <= kFlat)
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

double Segmentation::partsOf(double piece, double step) {
    return std::max(1., std::ceil(piece / step - 1e-9));
}

double Segmentation::count() const {
    const double step = m_input.segmentLength;
    double total = 0;
    for (const std::vector<double> &cuts : m_cuts)
        for (std::size_t k = 1; k < cuts.size(); ++k) {
            const double parts = partsOf(cuts[k] - cuts[k - 1], step);
            total += parts >= 2 ? parts + 2 : parts;
        }
    return total;
}

std::vector<Segment> Segmentation::segments() const {
    std::vector<Segment> segments;
    segments.reserve(std::size_t(count())); // within the limit: the caller checked it
    for (std::size_t i = 0; i < m_cuts.size(); ++i) {
        const Conductor &c = m_input.conductors[i];
        const Line line = lineOf(c);
        const std::vector<double> &cuts = m_cuts[i];
        for (std::size_t k = 1; k < cuts.size(); ++k) {
            const double piece = cuts[k] - cuts[k - 1];
            const int parts = int(partsOf(piece, m_input.segmentLength));
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
                segments.push_back(s);
            }
        }
    }
    return segments;
}

} // namespace tav::earthing
