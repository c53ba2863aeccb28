#include "document/NetworkResultJson.h"

#include "document/ResultJson.h"

#include <complex>

namespace tav {

using network::BranchResult;
using network::Complex;

namespace {

QByteArray complexNumber(Complex z) {
    return "[" + ResultJson::jsonNumber(z.real()) + ", " + ResultJson::jsonNumber(z.imag()) + "]";
}

// "key": [re, im], "key_magnitude": |z|; null for none.
QByteArray phasor(const char *key, const std::optional<Complex> &z) {
    const QByteArray magnitude = QByteArray(key) + "_magnitude";
    return ResultJson::jsonPair(key, z ? complexNumber(*z) : QByteArray("null")) + ", " +
           ResultJson::jsonPair(magnitude.constData(),
                                z ? ResultJson::jsonNumber(std::abs(*z)) : QByteArray("null"));
}

QByteArray phasors(const char *key, const std::vector<Complex> &values) {
    QByteArray list = "[", magnitudes = "[";
    for (std::size_t k = 0; k < values.size(); ++k) {
        list += (k ? ", " : "") + complexNumber(values[k]);
        magnitudes += (k ? ", " : "") + ResultJson::jsonNumber(std::abs(values[k]));
    }
    const QByteArray magnitude = QByteArray(key) + "_magnitude";
    return ResultJson::jsonPair(key, list + "]") + ", " +
           ResultJson::jsonPair(magnitude.constData(), magnitudes + "]");
}

QByteArray branch(const BranchResult &b) {
    return "{" + ResultJson::jsonPair("name", ResultJson::jsonText(b.name)) + ", " +
           phasor("reduction_factor", b.reductionFactor) + ", " +
           phasor("chain_impedance", b.chainImpedance) + ", " +
           phasor("wire_current", b.returnCurrent) + ", " +
           phasors("tower_potentials", b.towerPotentials) + ", " +
           phasors("tower_currents", b.towerCurrents) + ", " + phasor("remote_rise", b.remoteRise) +
           "}";
}

QByteArray branches(const std::vector<BranchResult> &list) {
    QByteArray out = "[";
    for (std::size_t k = 0; k < list.size(); ++k)
        out += (k ? ",\n   " : "\n   ") + branch(list[k]);
    return out + (list.empty() ? "]" : "\n  ]");
}

} // namespace

QByteArray NetworkResultJson::write(const network::NetworkResult &r,
                                    std::optional<double> decrement) {
    QByteArray out = "{" + phasor("fault_current", r.faultCurrent) + ",\n  " +
                     phasor("earth_impedance", r.earthImpedance) + ",\n  " +
                     phasor("earth_current", r.earthCurrent) + ",\n  " +
                     phasor("split_factor", r.splitFactor) + ",\n  " +
                     phasor("station_potential", r.stationPotential) + ",\n  ";
    if (decrement)
        out += ResultJson::jsonPair("decrement", ResultJson::jsonNumber(*decrement)) + ",\n  ";
    return out + ResultJson::jsonPair("lines", branches(r.lines)) + ",\n  " +
           ResultJson::jsonPair("cables", branches(r.cables)) + "}";
}

} // namespace tav
