#include "cad/Placement.h"

#include <cmath>

namespace tav::cad {

Placement Placement::insert(const DxfVertex &at, const DxfVertex &base, double scaleX,
                            double scaleY, double scaleZ, double degrees) {
    const double radians = degrees * M_PI / 180.0;
    const double cosine = std::cos(radians);
    const double sine = std::sin(radians);
    Placement p;
    p.m_a = cosine * scaleX;
    p.m_b = -sine * scaleY;
    p.m_c = sine * scaleX;
    p.m_d = cosine * scaleY;
    p.m_x = at.x - (p.m_a * base.x + p.m_b * base.y);
    p.m_y = at.y - (p.m_c * base.x + p.m_d * base.y);
    p.m_zScale = scaleZ;
    p.m_z = at.z - scaleZ * base.z;
    return p;
}

DxfVertex Placement::apply(const DxfVertex &local) const {
    return {m_a * local.x + m_b * local.y + m_x, m_c * local.x + m_d * local.y + m_y,
            m_zScale * local.z + m_z};
}

Placement Placement::after(const Placement &inner) const {
    Placement p;
    p.m_a = m_a * inner.m_a + m_b * inner.m_c;
    p.m_b = m_a * inner.m_b + m_b * inner.m_d;
    p.m_c = m_c * inner.m_a + m_d * inner.m_c;
    p.m_d = m_c * inner.m_b + m_d * inner.m_d;
    p.m_x = m_a * inner.m_x + m_b * inner.m_y + m_x;
    p.m_y = m_c * inner.m_x + m_d * inner.m_y + m_y;
    p.m_zScale = m_zScale * inner.m_zScale;
    p.m_z = m_zScale * inner.m_z + m_z;
    return p;
}

double Placement::largestScale() const {
    // The largest singular value of [a b; c d].
    const double sum = m_a * m_a + m_b * m_b + m_c * m_c + m_d * m_d;
    const double det = m_a * m_d - m_b * m_c;
    const double root = std::sqrt(std::max(0.0, sum * sum - 4 * det * det));
    return std::sqrt((sum + root) / 2);
}

} // namespace tav::cad
