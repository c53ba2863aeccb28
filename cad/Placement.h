#pragma once

#include "cad/DxfGeometry.h"

namespace tav::cad {

// Where a block's entities land in the world: a linear map of the plane, its offset, and a
// scale and offset in z (a block is rotated about z only).
class Placement {
public:
    static Placement identity() { return Placement(); }
    // The INSERT's own: (p - base) scaled, rotated by `degrees` about z and moved to `at`.
    static Placement insert(const DxfVertex &at, const DxfVertex &base, double scaleX,
                            double scaleY, double scaleZ, double degrees);

    DxfVertex apply(const DxfVertex &local) const;
    // This after `inner`: the placement of an entity `inner` places within this block.
    Placement after(const Placement &inner) const;
    // The largest factor a length in the plane grows by.
    double largestScale() const;

private:
    double m_a = 1, m_b = 0, m_c = 0, m_d = 1; // x' = a x + b y, y' = c x + d y
    double m_x = 0, m_y = 0;
    double m_zScale = 1, m_z = 0;
};

} // namespace tav::cad
