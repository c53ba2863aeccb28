#include "core/ConductorSizing.h"

#include <cmath>

namespace tav {

namespace {

constexpr double kPi = 3.141592653589793;
// A circular mil is the area of a circle one thousandth of an inch across: π/4 (0.0254)² mm².
constexpr double kMm2PerKcmil = kPi / 4 * 0.0254 * 0.0254 * 1000;

bool positive(double value) {
    return std::isfinite(value) && value > 0;
}

// ln((K0 + Tm)/(K0 + Ta)), and the constant of Eq. 37 under the root with tc = 1 s.
double heatCapacity(const MaterialConstants &m, double maximum, double ambient) {
    return m.TCAP * 1e-4 / (m.alphaR * m.rhoR) * std::log((m.K0 + maximum) / (m.K0 + ambient));
}

std::optional<Refusal> checkInput(const ConductorSizingInput &in, const MaterialConstants &m) {
    if (!positive(in.current))
        return Refusal{Error::NotPositive, Quantity::FaultCurrent, {in.current}};
    if (!positive(in.duration))
        return Refusal{Error::NotPositive, Quantity::FaultDuration, {in.duration}};
    if (!std::isfinite(in.ambient) || in.ambient <= -m.K0)
        return Refusal{Error::AmbientTooCold, Quantity::AmbientTemperature, {in.ambient, -m.K0}};
    const double maximum = in.maxTemperature.value_or(m.fusingTemperature);
    if (!std::isfinite(maximum) || maximum <= in.ambient)
        return Refusal{Error::NotAboveAmbient, Quantity::MaximumTemperature, {maximum, in.ambient}};
    if (maximum > m.fusingTemperature)
        return Refusal{
            Error::AboveFusing, Quantity::MaximumTemperature, {maximum, m.fusingTemperature}};
    return std::nullopt;
}

} // namespace

const MaterialConstants &materialConstants(ConductorMaterial material) {
    // IEEE Std 80-2013, Table 1: conductivity, αr, K0, Tm, ρr, TCAP.
    static const MaterialConstants kTable[] = {
        {100.0, 0.00393, 234, 1083, 1.72, 3.42}, // copper, annealed soft-drawn
        {97.0, 0.00381, 242, 1084, 1.78, 3.42},  // copper, commercial hard-drawn
        {40.0, 0.00378, 245, 1084, 4.40, 3.85},  // copper-clad steel wire
        {30.0, 0.00378, 245, 1084, 5.86, 3.85},  // copper-clad steel wire
        {20.0, 0.00378, 245, 1084, 8.62, 3.85},  // copper-clad steel rod
        {61.0, 0.00403, 228, 657, 2.86, 2.56},   // aluminium, EC grade
        {53.5, 0.00353, 263, 652, 3.22, 2.60},   // aluminium, 5005 alloy
        {52.5, 0.00347, 268, 654, 3.28, 2.60},   // aluminium, 6201 alloy
        {20.3, 0.00360, 258, 657, 8.48, 3.58},   // aluminium-clad steel wire
        {10.8, 0.00160, 605, 1510, 15.90, 3.28}, // steel, 1020
        {9.8, 0.00160, 605, 1400, 17.50, 4.44},  // stainless-clad steel rod
        {8.6, 0.00320, 293, 419, 20.10, 3.93},   // zinc-coated steel rod
        {2.4, 0.00130, 749, 1400, 72.00, 4.03},  // stainless steel, 304
    };
    return kTable[static_cast<int>(material)];
}

const std::vector<ConductorMaterial> &conductorMaterials() {
    static const std::vector<ConductorMaterial> materials = [] {
        std::vector<ConductorMaterial> all;
        for (int m = 0; m <= static_cast<int>(ConductorMaterial::StainlessSteel304); ++m)
            all.push_back(static_cast<ConductorMaterial>(m));
        return all;
    }();
    return materials;
}

Refusable<ConductorSize> sizeConductor(const ConductorSizingInput &in) {
    const MaterialConstants &m = materialConstants(in.material);
    if (const std::optional<Refusal> refusal = checkInput(in, m))
        return *refusal;
    const double capacity =
        heatCapacity(m, in.maxTemperature.value_or(m.fusingTemperature), in.ambient);
    ConductorSize size;
    // Eq. 37 with the current in kA gives mm²; Kf is the same in kcmil per kA √s.
    size.areaMm2 = in.current / 1000 / std::sqrt(capacity / in.duration);
    size.areaKcmil = size.areaMm2 / kMm2PerKcmil;
    size.diameterMm = std::sqrt(4 * size.areaMm2 / kPi);
    size.kf = 1 / (std::sqrt(capacity) * kMm2PerKcmil);
    if (!std::isfinite(size.areaMm2) || !std::isfinite(size.kf))
        return Refusal{Error::BeyondRange, Quantity::None, {}};
    return size;
}

std::optional<Caution> thinnerThanSized(double chosenDiameter, const ConductorSize &size) {
    const double chosenMm = chosenDiameter * 1000;
    if (!(chosenMm < size.diameterMm))
        return std::nullopt;
    // The needed diameter as a catalogue would list it: up to the next hundredth of a mm,
    // never below what the current needs.
    const double neededMm = std::ceil(size.diameterMm * 100) / 100;
    return Caution{Warning::ThinnerThanSized, Quantity::ConductorDiameter, {chosenMm, neededMm}};
}

} // namespace tav
