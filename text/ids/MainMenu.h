#pragma once

// String ids: 9000-9019, the main window's menu bar, its way into the study windows.
namespace StringId {

namespace MainMenu {
inline constexpr unsigned kStudies = 9000;
inline constexpr unsigned kNewStudy = 9001;
inline constexpr unsigned kOpenStudy = 9002;
inline constexpr unsigned kRecentStudies = 9003;
inline constexpr unsigned kSoilModel = 9004;
} // namespace MainMenu

} // namespace StringId
