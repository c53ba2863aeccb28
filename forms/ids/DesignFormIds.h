#pragma once

// Control ids that mean the same in every design form (layouts 132, 133 and 135).
namespace DesignFormIds {

inline constexpr int IDC_SOIL_RESISTIVITY = 1076;
inline constexpr int IDC_CALCULATE = 1083;

} // namespace DesignFormIds
