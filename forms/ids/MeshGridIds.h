#pragma once

#include "forms/ids/DesignFormIds.h"

// The mesh grid form, layout 135.
namespace MeshGridIds {

using namespace DesignFormIds;

inline constexpr int IDD = 135;
inline constexpr int IDC_BURIAL_DEPTH = 1009;
inline constexpr int IDC_RESISTANCE = 1055;
inline constexpr int IDC_HORIZONTAL_SPACING = 1077;
inline constexpr int IDC_VERTICAL_SPACING = 1078;
inline constexpr int IDC_TOTAL_LENGTH = 1079;
inline constexpr int IDC_HORIZONTAL_LENGTH = 1085;
inline constexpr int IDC_VERTICAL_LENGTH = 1086;
inline constexpr int IDC_SAFETY = 1094; // opens the grid safety window

} // namespace MeshGridIds
