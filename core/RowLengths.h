#pragma once

#include <array>

namespace tav {

inline constexpr int kRodRows = 11;

// The eleven row lengths between two bounds: first and last exact, the nine between
// them an accumulated sum of (to - from) / 10, each truncated toward zero. The sum is
// built by repeated addition, so 100 to 6 gives 52 where 53 might be expected.
std::array<int, kRodRows> rowLengths(int lengthFrom, int lengthTo);

} // namespace tav
