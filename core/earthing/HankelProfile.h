#pragma once

#include <functional>
#include <vector>

namespace tav::earthing {

// The Hankel transform of order 0 of a kernel, integral of f(lambda) J0(lambda r), at every
// r from lo to hi, read by cubic interpolation in ln r. The filter's readings at r and at
// r times its ratio share all but one kernel value (Anderson's lagged convolution,
// Geophysics 44(7), 1979): the transforms at the filter's spacing in ln r cost one kernel
// reading each beyond the filter's length, not the filter's length each.
class HankelProfile {
public:
    HankelProfile() = default;
    // 0 < lo < hi.
    HankelProfile(const std::function<double(double)> &kernel, double lo, double hi);

    // Below lo the transform, even in r, is taken linear in r^2; beyond the last node it
    // falls as 1/r.
    double at(double r) const;
    std::size_t nodes() const { return m_values.size(); }
    // The transform at r = 0 known apart from the filter, which reads a kernel of widely
    // apart scales badly at the smallest r: below lo it is then taken linear in r^2
    // between it and the node at lo.
    void setOrigin(double value);

private:
    double m_lnLo = 0;   // ln r of the first node
    double m_inverseStep = 0;
    std::vector<double> m_values;
    double m_r0 = 0;
    double m_r1 = 0;
    bool m_hasOrigin = false;
    double m_origin = 0;
};

} // namespace tav::earthing
