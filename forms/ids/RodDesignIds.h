#pragma once

#include "forms/ids/DesignFormIds.h"

// The two rod design forms, layouts 132 (vertical) and 133 (horizontal): the same ids in
// both. The eleven rows and the rod quantities have consecutive ids from the first of
// each column.
namespace RodDesignIds {

using namespace DesignFormIds;

inline constexpr int IDD_VERTICAL = 132;
inline constexpr int IDD_HORIZONTAL = 133;
inline constexpr int IDC_BURIAL_DEPTH = 1009; // the horizontal form only
inline constexpr int IDC_ROW_RESISTANCE_FIRST = 1028;
inline constexpr int IDC_ION_BAGS_FIRST = 1039;
inline constexpr int IDC_ACTIVE_BAGS_FIRST = 1050;
inline constexpr int IDC_ROW_LENGTH_FIRST = 1061;
inline constexpr int IDC_LENGTH_FROM = 1072;
inline constexpr int IDC_LENGTH_TO = 1073;
inline constexpr int IDC_TARGET_RESISTANCE = 1074;
inline constexpr int IDC_ROD_DIAMETER = 1075;
inline constexpr int IDC_ROD_QUANTITY_FIRST = 1077; // one per rod model

} // namespace RodDesignIds
