#pragma once

#include "core/earthing/Vec3.h"

#include <functional>
#include <vector>

namespace tav::earthing {

// An axis-aligned box around a cluster's points.
struct ClusterBox {
    Vec3 lo;
    Vec3 hi;

    double diameter() const { return (hi - lo).norm(); }
    // The least distance between the two boxes: 0 when they overlap or touch.
    double distance(const ClusterBox &other) const;
};

// The points (segments' middles, raster points) split into a binary tree by geometry, so
// that a pair of clusters far apart against their size can share a low-rank block. Each
// cluster is a contiguous range of the permuted order; a cluster of more than leafSize
// points is split at the median along the longest side of its box.
class ClusterTree {
public:
    struct Cluster {
        int begin = 0; // in the permuted order
        int end = 0;
        int first = -1; // children, -1 for a leaf
        int second = -1;
        ClusterBox box;

        int size() const { return end - begin; }
        bool leaf() const { return first < 0; }
    };

    // going, when given, is asked between splits; once it says no, the clusters left are
    // leaves (the tree is then only for a cancelled calculation to drop).
    ClusterTree(const std::vector<Vec3> &points, int leafSize,
                const std::function<bool()> &going = {});

    // The cluster 0 is the root; an empty point set has a root of no points.
    const std::vector<Cluster> &clusters() const { return m_clusters; }
    const Cluster &cluster(int c) const { return m_clusters[std::size_t(c)]; }
    // The original index at each position of the permuted order.
    const std::vector<int> &permutation() const { return m_permutation; }
    int leafSize() const { return m_leafSize; }
    int size() const { return int(m_permutation.size()); }
    // The leaf cluster of each point, by the point's original index.
    std::vector<int> leafOf() const;

    // Whether two clusters may share a low-rank block: the smaller of their diameters
    // within eta times their distance, which must not be 0 (a point on another cluster).
    static bool admissible(const ClusterBox &s, const ClusterBox &t, double eta);

private:
    int split(const std::vector<Vec3> &points, int begin, int end); // the new cluster's index
    ClusterBox boxOf(const std::vector<Vec3> &points, int begin, int end) const;

    int m_leafSize;
    const std::function<bool()> *m_going = nullptr; // while the tree is built
    std::vector<int> m_permutation;
    std::vector<Cluster> m_clusters;
};

} // namespace tav::earthing
