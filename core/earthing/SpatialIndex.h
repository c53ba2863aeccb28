#pragma once

#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tav::earthing {

// The segments' middles in square cells of the horizontal plane, to find the near ones
// of a point without looking at all.
class SpatialIndex {
public:
    SpatialIndex(const std::vector<double> &x, const std::vector<double> &y, double cell);

    // f(index) for every item whose middle lies within radius (at most the cell) of
    // (x, y) horizontally, and for some a little farther.
    template <class F> void near(double x, double y, F &&f) const {
        const long cx = cellOf(x);
        const long cy = cellOf(y);
        for (long i = cx - 1; i <= cx + 1; ++i)
            for (long j = cy - 1; j <= cy + 1; ++j) {
                const auto found = m_cells.find(key(i, j));
                if (found == m_cells.end())
                    continue;
                for (int item : found->second)
                    f(item);
            }
    }

private:
    long cellOf(double v) const { return long(std::floor(v * m_inverse)); }
    static std::uint64_t key(long i, long j) {
        return (std::uint64_t(std::uint32_t(i)) << 32) | std::uint32_t(j);
    }

    double m_inverse = 1;
    std::unordered_map<std::uint64_t, std::vector<int>> m_cells;
};

} // namespace tav::earthing
