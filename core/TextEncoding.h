#pragma once

#include <string>

namespace tav {

// UTF-16 little-endian code units (an even count of bytes) as UTF-8; a lone surrogate
// becomes U+FFFD, as the platform's conversion does with what it cannot map.
std::string utf16LeToUtf8(const std::string &units);

bool isValidUtf8(const std::string &bytes);

// Text of the field information file for showing: the bytes themselves when they are
// valid UTF-8, else read as Windows-1252, the 8-bit code page such files were written in.
std::string displayUtf8(const std::string &bytes);

} // namespace tav
