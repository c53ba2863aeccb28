#pragma once

// String ids: 9040-9079, the study window's design.
namespace StringId {

namespace DesignWindow {
inline constexpr unsigned kAction = 9040;       // Study > Design...
inline constexpr unsigned kTitle = 9041;
inline constexpr unsigned kOutline = 9042;      // the brief's fields' labels, 9042-9048
inline constexpr unsigned kConductorPrice = 9043;
inline constexpr unsigned kRodPrice = 9044;
inline constexpr unsigned kSurfacePrice = 9045;
inline constexpr unsigned kRodLengths = 9046;
inline constexpr unsigned kDepth = 9047;
inline constexpr unsigned kDiameter = 9048;
inline constexpr unsigned kRun = 9049;
inline constexpr unsigned kOpenStudy = 9050;
inline constexpr unsigned kProgress = 9051;     // layouts solved so far
inline constexpr unsigned kColumns = 9052;      // the candidates' headings, 9052-9056
inline constexpr unsigned kFieldRefused = 9057; // a field's label and why it is refused
inline constexpr unsigned kBriefEdit = 9058;    // the edit that keeps the brief in the study
inline constexpr unsigned kNotNumber = 9059;    // a field's text that is no number
inline constexpr unsigned kKeepParts = 9060;    // the study's own metal kept beside the layout
} // namespace DesignWindow

} // namespace StringId
