#include "core/network/Carson.h"

#include <cmath>

namespace tav::network::Carson {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The earth's return, ohm/km: omega mu0 / 8.
double earthResistance(double frequency) {
    return kPi * kPi * 1e-4 * frequency;
}

// ohm/km per neper of ln(D_e / d): omega mu0 / (2 pi).
double reactancePerNeper(double frequency) {
    return 4 * kPi * 1e-4 * frequency;
}

} // namespace

double equivalentDepth(double rho, double frequency) {
    return 658.87 * std::sqrt(rho / frequency);
}

Complex self(double resistance, double gmr, double rho, double frequency) {
    return {resistance + earthResistance(frequency),
            reactancePerNeper(frequency) * std::log(equivalentDepth(rho, frequency) / gmr)};
}

Complex mutual(double distance, double rho, double frequency) {
    return {earthResistance(frequency),
            reactancePerNeper(frequency) * std::log(equivalentDepth(rho, frequency) / distance)};
}

double distance(const Position &a, const Position &b) {
    return std::hypot(a.height - b.height, a.offset - b.offset);
}

} // namespace tav::network::Carson
