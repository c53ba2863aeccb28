#pragma once

namespace tav {

// Volume in m^3 of one 25 kg bag of catalyzer.
inline constexpr double kBagVolume = 0.015194;

struct CatalyzerBagCount {
    double ion = 0;    // bags for the bore volume around the rod
    double active = 0; // bags for the rod's own volume
};

// Bags of the two catalyzers for a rod of the given length (m) and diameter (mm) set
// in a bore of cross-section boreArea (m^2). Not clamped: a rod wider than its bore
// gives a negative ion count.
CatalyzerBagCount CatalyzerBags(int length, float rodDiameter, double boreArea);

} // namespace tav
