#pragma once

#include <array>
#include <string>

namespace tav {

inline constexpr int kSoilRows = 11;

// The soil resistivity form's data: the resistances measured with four equally
// spaced probes (Wenner) and the apparent resistivities derived from them.
struct SoilResistivityRecord {
    std::string m_strPlace;
    int m_nSpacing1 = 0; // m, probe spacing of row 10
    int m_nSpacing2 = 0; // m, probe spacing of row 11
    std::array<float, kSoilRows> m_fMeasuredR{};
    std::array<double, kSoilRows> m_dResistivity{};
    double m_dAverage = 0;
};

// Probe spacing (m) of each row; rows 10 and 11 take the record's two spacings.
int soilRowSpacing(const SoilResistivityRecord &record, int row);

// rho = 2 pi a R with 2 pi written as 6.28, each row rounded to one decimal; the
// average is the mean of the unrounded resistivities that are not zero, rounded to
// two decimals, or 0 when no row counts. Reads only the measured resistances and the
// two spacings.
void CalculateSoilResistivity(SoilResistivityRecord &record);

void ResetSoilResistivity(SoilResistivityRecord &record);

} // namespace tav
