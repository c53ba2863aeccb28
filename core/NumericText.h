#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tav {

// Text conversions of the numeric entry fields. They never consult the C locale:
// "." is the decimal point whatever the user's environment says.
namespace NumericText {

// Shown instead of a number for a value that has no finite value.
inline constexpr std::string_view kNoValueMark = "n/a";

// Significant digits written for single and double members.
inline constexpr int kSingleDigits = 6;
inline constexpr int kDoubleDigits = 15;

// Characters of a field that a reading looks at.
inline constexpr std::size_t kIntegerReadLimit = 63;
inline constexpr std::size_t kRealReadLimit = 399;

// "%d".
std::string formatInteger(int value);

// "%.*g" with the given significant digits; zero of either sign is "0", a value
// without a finite value is kNoValueMark.
std::string formatReal(double value, int significantDigits);

// As scanf's "%d" over the first 63 characters: leading white space, an optional
// sign and decimal digits; whatever follows is ignored. Empty when no digit could be
// read, or when the number lies beyond the range of int.
std::optional<int> scanInteger(std::string_view text);

// As scanf's "%lf" over the first 399 characters: leading white space, an optional
// sign, digits with an optional point and an optional exponent; whatever follows is
// ignored. Overflow gives an infinity, underflow zero. Empty when no number could be
// read (empty text, letters only, a lone sign or a lone point).
std::optional<double> scanReal(std::string_view text);

// A number for a message: 15 significant digits, or "infinity", "-infinity", "NaN".
std::string describe(double value);

// True when the text is the mark written for a value without a finite value.
bool isNoValueMark(std::string_view text);

// double to float as IEEE rounding does it, without the undefined behaviour a plain
// cast has for values beyond the range of float.
float narrowToSingle(double value);

// double to int truncated toward zero, saturating outside the range of int;
// NaN gives 0.
int truncateToInt(double value);

} // namespace NumericText
} // namespace tav
