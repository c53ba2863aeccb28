#include "cad/ConductorMerge.h"

#include "core/earthing/NearConductors.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <unordered_map>

namespace tav::cad {

namespace {

using earthing::Point3;

struct Vector {
    double x, y, z;
};

Vector minus(const Point3 &a, const Point3 &b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(const Vector &a, const Vector &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double norm(const Vector &a) { return std::sqrt(dot(a, a)); }
Point3 along(const Point3 &a, const Vector &d, double t) {
    return {a.x + d.x * t, a.y + d.y * t, a.z + d.z * t};
}

// Distance of p from the infinite line through a in the unit direction u.
double offLine(const Point3 &p, const Point3 &a, const Vector &u) {
    const Vector ap = minus(p, a);
    const double t = dot(ap, u);
    return norm({ap.x - u.x * t, ap.y - u.y * t, ap.z - u.z * t});
}

int findRoot(std::vector<int> &parent, int i) {
    while (parent[std::size_t(i)] != i) {
        parent[std::size_t(i)] = parent[std::size_t(parent[std::size_t(i)])];
        i = parent[std::size_t(i)];
    }
    return i;
}

// The parameters on a and b (0 to 1) of their closest points, or none when parallel.
bool closestParameters(const ImportedConductor &a, const ImportedConductor &b, double &s, double &t) {
    const Vector d1 = minus(a.to, a.from);
    const Vector d2 = minus(b.to, b.from);
    const Vector r = minus(a.from, b.from);
    const double aa = dot(d1, d1), bb = dot(d2, d2), ab = dot(d1, d2);
    const double c = dot(d1, r), f = dot(d2, r);
    const double denominator = aa * bb - ab * ab;
    if (denominator <= 1e-12 * aa * bb)
        return false;
    s = std::clamp((ab * f - c * bb) / denominator, 0.0, 1.0);
    t = std::clamp((ab * s + f) / bb, 0.0, 1.0);
    s = std::clamp((ab * t - c) / aa, 0.0, 1.0);
    return true;
}

} // namespace

ConductorMerge::ConductorMerge(std::vector<ImportedConductor> conductors)
    : m_conductors(std::move(conductors)) {}

earthing::NearConductors ConductorMerge::nearIndex() const {
    std::vector<earthing::Conductor> plain;
    double total = 0;
    for (const ImportedConductor &c : m_conductors) {
        plain.push_back({c.from, c.to, c.diameter, c.group});
        total += norm(minus(c.to, c.from));
    }
    // A sample a metre apart, or fewer on a drawing of very long conductors.
    const double step = std::max(1.0, total / 2e6);
    return earthing::NearConductors(plain, step, kTolerance);
}

bool ConductorMerge::overlapAlongLine(const ImportedConductor &a, const ImportedConductor &b) const {
    const Vector d = minus(a.to, a.from);
    const double length = norm(d);
    const Vector u{d.x / length, d.y / length, d.z / length};
    if (offLine(b.from, a.from, u) > kTolerance || offLine(b.to, a.from, u) > kTolerance)
        return false;
    const double t1 = dot(minus(b.from, a.from), u);
    const double t2 = dot(minus(b.to, a.from), u);
    // Sharing more than a point: end to end along one line is two conductors, not one.
    return std::min(length, std::max(t1, t2)) - std::max(0.0, std::min(t1, t2)) > kTolerance;
}

std::size_t ConductorMerge::crossingPlaces(std::size_t most) const {
    const earthing::NearConductors near = nearIndex();
    // The places found, in cells of three tolerances: a place is new when no place lies in
    // its cell or the cells about it within the cell's size.
    const double cell = 3 * kTolerance;
    std::unordered_map<std::uint64_t, std::vector<Point3>> places;
    const auto key = [](long i, long j) {
        return (std::uint64_t(std::uint32_t(i)) << 32) | std::uint32_t(j);
    };
    std::size_t count = 0;
    for (std::size_t i = 0; i < m_conductors.size() && count <= most; ++i) {
        const ImportedConductor &a = m_conductors[i];
        const double lengthA = norm(minus(a.to, a.from));
        for (int j : near.after(int(i))) {
            const ImportedConductor &b = m_conductors[std::size_t(j)];
            const double lengthB = norm(minus(b.to, b.from));
            double s = 0, t = 0;
            if (!closestParameters(a, b, s, t))
                continue;
            const Point3 pa = along(a.from, minus(a.to, a.from), s);
            const Point3 pb = along(b.from, minus(b.to, b.from), t);
            if (norm(minus(pa, pb)) > kTolerance)
                continue;
            const bool insideA = s * lengthA > kTolerance && (1 - s) * lengthA > kTolerance;
            const bool insideB = t * lengthB > kTolerance && (1 - t) * lengthB > kTolerance;
            if (!insideA && !insideB)
                continue;
            const long cx = long(std::floor(pa.x / cell));
            const long cy = long(std::floor(pa.y / cell));
            bool seen = false;
            for (long x = cx - 1; x <= cx + 1 && !seen; ++x)
                for (long y = cy - 1; y <= cy + 1 && !seen; ++y) {
                    const auto found = places.find(key(x, y));
                    if (found != places.end())
                        for (const Point3 &p : found->second)
                            seen = seen || norm(minus(p, pa)) <= cell;
                }
            if (!seen) {
                places[key(cx, cy)].push_back(pa);
                ++count;
            }
        }
    }
    return count;
}

std::size_t ConductorMerge::mergeOverlaps() {
    const earthing::NearConductors near = nearIndex();
    std::vector<int> parent(m_conductors.size());
    std::iota(parent.begin(), parent.end(), 0);
    for (std::size_t i = 0; i < m_conductors.size(); ++i)
        for (int j : near.after(int(i)))
            if (overlapAlongLine(m_conductors[i], m_conductors[std::size_t(j)]))
                parent[std::size_t(findRoot(parent, j))] = findRoot(parent, int(i));
    std::vector<std::vector<int>> clusters(m_conductors.size());
    for (std::size_t i = 0; i < m_conductors.size(); ++i)
        clusters[std::size_t(findRoot(parent, int(i)))].push_back(int(i));
    std::vector<ImportedConductor> merged;
    // Each cluster where its first member was, so that the drawing's order stays.
    for (std::size_t i = 0; i < m_conductors.size(); ++i) {
        const std::vector<int> &members = clusters[std::size_t(findRoot(parent, int(i)))];
        if (members.front() != int(i))
            continue;
        const std::vector<ImportedConductor> one = mergeCluster(members);
        merged.insert(merged.end(), one.begin(), one.end());
    }
    const std::size_t count = m_conductors.size() - merged.size();
    m_conductors = std::move(merged);
    return count;
}

std::vector<ImportedConductor> ConductorMerge::mergeCluster(const std::vector<int> &members) const {
    const ImportedConductor &first = m_conductors[std::size_t(members.front())];
    if (members.size() == 1)
        return {first};
    const Vector d = minus(first.to, first.from);
    const double length = norm(d);
    const Vector u{d.x / length, d.y / length, d.z / length};
    // The union of the members' stretches along the first one's line, from its extreme ends.
    Point3 low = first.from, high = first.to;
    double lowT = 0, highT = length;
    for (int m : members) {
        for (const Point3 &p : {m_conductors[std::size_t(m)].from, m_conductors[std::size_t(m)].to}) {
            const double t = dot(minus(p, first.from), u);
            if (t < lowT) {
                lowT = t;
                low = p;
            }
            if (t > highT) {
                highT = t;
                high = p;
            }
        }
    }
    ImportedConductor one = first;
    one.from = low;
    one.to = high;
    return {one};
}

ConductorMerge::Joined ConductorMerge::joinCrossings(std::size_t most) {
    const earthing::NearConductors near = nearIndex();
    const std::size_t count = m_conductors.size();
    std::vector<std::vector<double>> cuts(count);
    Joined joined;
    // A conductor's cuts sorted, those closer than the tolerance to the one before made
    // one, as the pieces are cut below: the pieces they make.
    const auto thinned = [&](std::size_t k) {
        std::vector<double> &at = cuts[k];
        std::sort(at.begin(), at.end());
        const double length = norm(minus(m_conductors[k].to, m_conductors[k].from));
        std::size_t kept = 0;
        for (std::size_t m = 0; m < at.size(); ++m)
            if (kept == 0 || (at[m] - at[kept - 1]) * length > kTolerance)
                at[kept++] = at[m];
        at.resize(kept);
        return kept + 1;
    };
    // The pieces counted as the crossings are found: each conductor done gives its own,
    // each still to come one at least, and one more for each of its cuts found so far once
    // those at one place are made one. Those cuts are thinned when, as they are, they would
    // pass the most, but not again before the most more have come: what is held stays
    // within a few times the most, and thinning costs little.
    std::size_t done = 0;
    std::size_t waiting = 0;   // the cuts held for conductors still to come
    std::size_t thinAfter = 0; // when the cuts waiting are next thinned
    for (std::size_t i = 0; i < count; ++i) {
        waiting -= cuts[i].size();
        const ImportedConductor &a = m_conductors[i];
        const double lengthA = norm(minus(a.to, a.from));
        for (int j : near.after(int(i))) {
            const ImportedConductor &b = m_conductors[std::size_t(j)];
            const double lengthB = norm(minus(b.to, b.from));
            double s = 0, t = 0;
            if (!closestParameters(a, b, s, t))
                continue;
            const Point3 pa = along(a.from, minus(a.to, a.from), s);
            const Point3 pb = along(b.from, minus(b.to, b.from), t);
            if (norm(minus(pa, pb)) > kTolerance)
                continue;
            const bool insideA = s * lengthA > kTolerance && (1 - s) * lengthA > kTolerance;
            const bool insideB = t * lengthB > kTolerance && (1 - t) * lengthB > kTolerance;
            if (insideA)
                cuts[i].push_back(s);
            if (insideB) {
                cuts[std::size_t(j)].push_back(t);
                ++waiting;
            }
            joined.joins += insideA || insideB ? 1 : 0;
        }
        done += thinned(i);
        const std::size_t rest = count - i - 1;
        if (done + rest + waiting > most && waiting >= thinAfter) {
            waiting = 0;
            for (std::size_t k = i + 1; k < count; ++k)
                waiting += thinned(k) - 1;
            thinAfter = waiting + most;
            if (done + rest + waiting > most) {
                joined.beyond = done + rest + waiting;
                return joined;
            }
        }
        // Without the cuts waiting, a count that only grows: at the last conductor the
        // pieces themselves.
        if (done + rest > most) {
            joined.beyond = done + rest;
            return joined;
        }
    }
    std::vector<ImportedConductor> cut;
    for (std::size_t i = 0; i < m_conductors.size(); ++i) {
        std::vector<double> &at = cuts[i];
        std::sort(at.begin(), at.end());
        at.push_back(1.0);
        const ImportedConductor &c = m_conductors[i];
        const Vector d = minus(c.to, c.from);
        Point3 from = c.from;
        double last = 0;
        for (double s : at) {
            // Two crossings at one place (three conductors through it) cut once.
            if ((s - last) * norm(d) <= kTolerance && s < 1.0)
                continue;
            ImportedConductor piece = c;
            piece.from = from;
            piece.to = s < 1.0 ? along(c.from, d, s) : c.to;
            cut.push_back(piece);
            from = piece.to;
            last = s;
        }
    }
    m_conductors = std::move(cut);
    return joined;
}

} // namespace tav::cad
