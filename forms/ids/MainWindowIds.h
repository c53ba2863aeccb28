#pragma once

// The main window, layout 102.
namespace MainWindowIds {

inline constexpr int IDD = 102;
inline constexpr int IDC_FIELD_INFORMATION = 1000;
inline constexpr int IDC_PROGRAM_INFORMATION = 1001;
inline constexpr int IDC_SOIL_RESISTIVITY_MEASUREMENT = 1025;
inline constexpr int IDC_VERTICAL_ROD = 1026;
inline constexpr int IDC_HORIZONTAL_ROD = 1027;
inline constexpr int IDC_MESH_ELECTRODE = 1028;
// The about item of the system menu.
inline constexpr unsigned IDM_ABOUTBOX = 16;

} // namespace MainWindowIds
