#pragma once

// The field information form, layout 129.
namespace SiteInformationIds {

inline constexpr int IDD = 129;
inline constexpr int IDC_CLIENT_COMPANY_NAME = 1002;
inline constexpr int IDC_FIELD_NAME = 1003;
inline constexpr int IDC_FILE_NUMBER = 1005;
inline constexpr int IDC_MEASUREMENT_DATE = 1007;
inline constexpr int IDC_SOIL_TYPE = 1008;
inline constexpr int IDC_ALTITUDE = 1011;
inline constexpr int IDC_METEOROLOGICAL = 1013;
inline constexpr int IDC_TEMPERATURE = 1014;
inline constexpr int IDC_CELSIUS = 1015;
inline constexpr int IDC_FAHRENHEIT = 1016;
inline constexpr int IDC_NOTE = 1017;
inline constexpr int IDC_FILE_SAVE = 1019;
inline constexpr int IDC_BROWSE = 1020;
inline constexpr int IDC_LAYER_STRUCTURE = 1085;
inline constexpr int IDC_FIELD_POSITION = 1086;

} // namespace SiteInformationIds
