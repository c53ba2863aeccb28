#include "core/network/Ladder.h"

#include <cmath>
#include <cstddef>
#include <limits>

namespace tav::network {

// The node equations of V_1 ... V_N, V_0 on the right:
//   (2/z + 1/R_k) V_k - V_(k-1)/z - V_(k+1)/z = 0           at a tower,
//   (1/z + 1/R_N) V_N - V_(N-1)/z = -(1 - g) I              at the remote station,
// tridiagonal, solved by elimination down and back (Thomas) for the two right-hand sides
// at once: V_0 = 1 with I = 0, and V_0 = 0 with I = 1.
Ladder Ladder::finite(Complex spanImpedance, Complex induced, int spans,
                      const std::vector<double> &towers, double remote) {
    Ladder l;
    l.m_spans = spans;
    l.m_towers = towers;
    const std::size_t n = std::size_t(spans);
    const Complex y = 1. / spanImpedance;
    std::vector<Complex> diagonal(n), upper(n), volt(n), amp(n);
    for (std::size_t k = 0; k < n; ++k)
        diagonal[k] = k + 1 < n ? 2. * y + 1. / towers[k] : y + 1. / remote;
    volt[0] = y;
    amp[n - 1] = -(1. - induced);
    // Down: each row's sub-diagonal -y eliminated by the row above.
    upper[0] = -y / diagonal[0];
    volt[0] /= diagonal[0];
    amp[0] /= diagonal[0];
    for (std::size_t k = 1; k < n; ++k) {
        const Complex pivot = diagonal[k] + y * upper[k - 1];
        upper[k] = -y / pivot;
        volt[k] = (volt[k] + y * volt[k - 1]) / pivot;
        amp[k] = (amp[k] + y * amp[k - 1]) / pivot;
    }
    // Back.
    for (std::size_t k = n - 1; k-- > 0;) {
        volt[k] -= upper[k] * volt[k + 1];
        amp[k] -= upper[k] * amp[k + 1];
    }
    l.m_perVolt = std::move(volt);
    l.m_perAmp = std::move(amp);
    l.m_admittance = y * (1. - l.m_perVolt[0]);
    l.m_shortCircuit = induced - y * l.m_perAmp[0];
    return l;
}

Ladder Ladder::endless(Complex spanImpedance, Complex induced, double tower) {
    Ladder l;
    l.m_endless = true;
    l.m_spans = std::numeric_limits<int>::max();
    l.m_towers = {tower};
    const Complex z = spanImpedance;
    // The root of Z^2 - z Z - z R = 0 of positive real part: z/2 has one, and the principal
    // root adds another.
    const Complex chain = z / 2. + std::sqrt(z * z / 4. + z * tower);
    l.m_admittance = 1. / chain;
    l.m_shortCircuit = induced;
    l.m_ratio = 1. - z / chain;
    return l;
}

Complex Ladder::stationCurrent(Complex stationPotential, Complex phaseCurrent) const {
    return stationPotential * m_admittance + phaseCurrent * m_shortCircuit;
}

Complex Ladder::potential(int node, Complex stationPotential, Complex phaseCurrent) const {
    if (m_endless)
        return stationPotential * std::pow(m_ratio, node);
    const std::size_t k = std::size_t(node - 1);
    return stationPotential * m_perVolt[k] + phaseCurrent * m_perAmp[k];
}

double Ladder::towerResistance(int node) const {
    return m_endless ? m_towers[0] : m_towers[std::size_t(node - 1)];
}

} // namespace tav::network
