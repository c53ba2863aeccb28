#include "core/earthing/ClusterTree.h"

#include <algorithm>
#include <numeric>

namespace tav::earthing {

namespace {

double gap(double loA, double hiA, double loB, double hiB) {
    return std::max({0., loB - hiA, loA - hiB});
}

double coordinate(const Vec3 &p, int axis) {
    return axis == 0 ? p.x : axis == 1 ? p.y : p.z;
}

} // namespace

double ClusterBox::distance(const ClusterBox &other) const {
    const Vec3 d{gap(lo.x, hi.x, other.lo.x, other.hi.x), gap(lo.y, hi.y, other.lo.y, other.hi.y),
                 gap(lo.z, hi.z, other.lo.z, other.hi.z)};
    return d.norm();
}

ClusterTree::ClusterTree(const std::vector<Vec3> &points, int leafSize,
                         const std::function<bool()> &going)
    : m_leafSize(std::max(1, leafSize)), m_going(going ? &going : nullptr),
      m_permutation(points.size()) {
    std::iota(m_permutation.begin(), m_permutation.end(), 0);
    // Leaves hold at least half the leaf size: under 4n / leafSize clusters in all.
    m_clusters.reserve(4 * points.size() / std::size_t(m_leafSize) + 4);
    split(points, 0, int(points.size()));
    m_going = nullptr;
}

int ClusterTree::split(const std::vector<Vec3> &points, int begin, int end) {
    const int index = int(m_clusters.size());
    m_clusters.push_back({begin, end, -1, -1, boxOf(points, begin, end)});
    if (end - begin <= m_leafSize || (m_going && !(*m_going)()))
        return index;
    const ClusterBox box = m_clusters.back().box;
    const Vec3 side = box.hi - box.lo;
    const int axis = side.x >= side.y && side.x >= side.z ? 0 : side.y >= side.z ? 1 : 2;
    // The median by count, not the box's middle: both halves hold half the points, so the
    // depth stays log2(n / leafSize) however unevenly the points lie.
    const int middle = begin + (end - begin) / 2;
    std::nth_element(m_permutation.begin() + begin, m_permutation.begin() + middle,
                     m_permutation.begin() + end, [&](int a, int b) {
                         return coordinate(points[std::size_t(a)], axis) <
                                coordinate(points[std::size_t(b)], axis);
                     });
    const int first = split(points, begin, middle);
    const int second = split(points, middle, end);
    m_clusters[std::size_t(index)].first = first;
    m_clusters[std::size_t(index)].second = second;
    return index;
}

ClusterBox ClusterTree::boxOf(const std::vector<Vec3> &points, int begin, int end) const {
    if (begin == end)
        return {};
    ClusterBox box{points[std::size_t(m_permutation[std::size_t(begin)])],
                   points[std::size_t(m_permutation[std::size_t(begin)])]};
    for (int k = begin + 1; k < end; ++k) {
        const Vec3 &p = points[std::size_t(m_permutation[std::size_t(k)])];
        box.lo = {std::min(box.lo.x, p.x), std::min(box.lo.y, p.y), std::min(box.lo.z, p.z)};
        box.hi = {std::max(box.hi.x, p.x), std::max(box.hi.y, p.y), std::max(box.hi.z, p.z)};
    }
    return box;
}

std::vector<int> ClusterTree::leafOf() const {
    std::vector<int> leaf(m_permutation.size(), -1);
    for (int c = 0; c < int(m_clusters.size()); ++c) {
        const Cluster &cluster = m_clusters[std::size_t(c)];
        if (cluster.leaf())
            for (int k = cluster.begin; k < cluster.end; ++k)
                leaf[std::size_t(m_permutation[std::size_t(k)])] = c;
    }
    return leaf;
}

bool ClusterTree::admissible(const ClusterBox &s, const ClusterBox &t, double eta) {
    const double distance = s.distance(t);
    return distance > 0 && std::min(s.diameter(), t.diameter()) <= eta * distance;
}

} // namespace tav::earthing
