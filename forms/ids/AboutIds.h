#pragma once

// The about box, layout 100: no control of its own but its OK button.
namespace AboutIds {

inline constexpr int IDD = 100;

} // namespace AboutIds
