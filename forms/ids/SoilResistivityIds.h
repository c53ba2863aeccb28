#pragma once

// The soil resistivity form, layout 130. Rows 1 to 11 have consecutive ids from the
// first of each column.
namespace SoilResistivityIds {

inline constexpr int IDD = 130;
inline constexpr int IDC_MEASURED_R_FIRST = 1029;  // 1029 to 1039
inline constexpr int IDC_RESISTIVITY_FIRST = 1040; // 1040 to 1050
inline constexpr int IDC_SPACING1 = 1051;
inline constexpr int IDC_SPACING2 = 1052;
inline constexpr int IDC_CALCULATE = 1053;
inline constexpr int IDC_PLACE = 1054;
inline constexpr int IDC_AVERAGE = 1055;
inline constexpr int IDC_INITIALIZE = 1092;
inline constexpr int IDC_SOIL_MODEL = 1093; // opens the two-layer soil model window

} // namespace SoilResistivityIds
