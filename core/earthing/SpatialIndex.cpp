#include "core/earthing/SpatialIndex.h"

namespace tav::earthing {

SpatialIndex::SpatialIndex(const std::vector<double> &x, const std::vector<double> &y, double cell)
    : m_inverse(1 / cell) {
    for (std::size_t k = 0; k < x.size(); ++k)
        m_cells[key(cellOf(x[k]), cellOf(y[k]))].push_back(int(k));
}

} // namespace tav::earthing
