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
    // Bounded before the cast, which a coordinate past the range of long (or no number)
    // would leave undefined: cells beyond a billion share their index, which only joins
    // far cells.
    long cellOf(double v) const {
        const double at = std::floor(v * m_inverse);
        return long(at > -1e9 ? (at < 1e9 ? at : 1e9) : -1e9);
    }
    static std::uint64_t key(long i, long j) {
        return (std::uint64_t(std::uint32_t(i)) << 32) | std::uint32_t(j);
    }

    double m_inverse = 1;
    std::unordered_map<std::uint64_t, std::vector<int>> m_cells;
};

} // namespace tav::earthing
