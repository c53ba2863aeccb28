#pragma once

// String ids: 9020-9039, the cases of a study in its window.
namespace StringId {

namespace CasesWindow {
inline constexpr unsigned kShown = 9020;     // the case choice's label
inline constexpr unsigned kGoverning = 9021; // (case name): the governing case in the choice
} // namespace CasesWindow

} // namespace StringId
