#include "core/network/ReturnPath.h"

#include "core/network/Carson.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace tav::network {

namespace {

// Solves a x = b for two right-hand sides at once by Gaussian elimination with partial
// pivoting: n is a line's few earth wires, or a sheath and its armour.
void solveTwo(std::vector<Complex> a, std::size_t n, std::vector<Complex> &b1,
              std::vector<Complex> &b2) {
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t pivot = k;
        for (std::size_t i = k + 1; i < n; ++i)
            if (std::abs(a[i * n + k]) > std::abs(a[pivot * n + k]))
                pivot = i;
        if (pivot != k) {
            for (std::size_t j = 0; j < n; ++j)
                std::swap(a[k * n + j], a[pivot * n + j]);
            std::swap(b1[k], b1[pivot]);
            std::swap(b2[k], b2[pivot]);
        }
        for (std::size_t i = k + 1; i < n; ++i) {
            const Complex factor = a[i * n + k] / a[k * n + k];
            for (std::size_t j = k; j < n; ++j)
                a[i * n + j] -= factor * a[k * n + j];
            b1[i] -= factor * b1[k];
            b2[i] -= factor * b2[k];
        }
    }
    for (std::size_t k = n; k-- > 0;) {
        for (std::size_t j = k + 1; j < n; ++j) {
            b1[k] -= a[k * n + j] * b1[j];
            b2[k] -= a[k * n + j] * b2[j];
        }
        b1[k] /= a[k * n + k];
        b2[k] /= a[k * n + k];
    }
}

} // namespace

ReturnPath ReturnPath::combined(const std::vector<Complex> &z, const std::vector<Complex> &zm) {
    const std::size_t n = zm.size();
    if (n == 1)
        return {z[0], zm[0] / z[0]};
    std::vector<Complex> ones(n, Complex(1)), induced = zm;
    solveTwo(z, n, ones, induced);
    Complex admittance, share;
    for (std::size_t k = 0; k < n; ++k) {
        admittance += ones[k];
        share += induced[k];
    }
    return {1. / admittance, share};
}

ReturnPath ReturnPath::of(const Line &line, double rho, double frequency) {
    const std::vector<ReturnConductor> &wires = line.earthWires;
    if (wires.size() == 1 && wires[0].given)
        return combined({wires[0].impedance}, {wires[0].mutual});
    const std::size_t n = wires.size();
    std::vector<Complex> z(n * n), zm(n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j)
            z[i * n + j] =
                i == j ? Carson::self(wires[i].resistance, wires[i].gmr, rho, frequency)
                       : Carson::mutual(Carson::distance(wires[i].at, wires[j].at), rho, frequency);
        zm[i] = Carson::mutual(Carson::distance(wires[i].at, line.phase), rho, frequency);
    }
    return combined(z, zm);
}

// The sheath and the armour are coaxial tubes round the core: the flux of a tube's current
// links only what lies outside its radius, so that the mutual of two of them, and of each
// with the core, is Carson's at the outer one's radius.
ReturnPath ReturnPath::of(const Cable &cable, double rho, double frequency) {
    const ReturnConductor &sheath = cable.sheath;
    if (sheath.given)
        return combined({sheath.impedance}, {sheath.mutual});
    const Complex zs = Carson::self(sheath.resistance, sheath.gmr, rho, frequency);
    const Complex zms = Carson::mutual(sheath.gmr, rho, frequency);
    if (!cable.armour)
        return combined({zs}, {zms});
    const ReturnConductor &armour = *cable.armour;
    const Complex za = Carson::self(armour.resistance, armour.gmr, rho, frequency);
    const Complex zma = Carson::mutual(armour.gmr, rho, frequency);
    return combined({zs, zma, zma, za}, {zms, zma});
}

} // namespace tav::network
