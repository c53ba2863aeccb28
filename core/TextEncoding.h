#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tav {

// UTF-16 little-endian code units to UTF-8, fed piece by piece, so that a long text is
// converted as it is read, without a copy of its units. A surrogate pair or a unit split
// between two pieces is joined.
class Utf16LeDecoder {
public:
    void feed(const char *bytes, std::size_t size, std::string &out);
    // What is still held: a lone high surrogate becomes U+FFFD, an odd byte is dropped.
    void finish(std::string &out);

private:
    void unit(std::uint32_t value, std::string &out);

    int m_oddByte = -1;       // the first byte of a unit split between pieces
    std::uint32_t m_high = 0; // a high surrogate waiting for its low one
};

// UTF-16 little-endian code units (an even count of bytes) as UTF-8; a lone surrogate
// becomes U+FFFD, as the platform's conversion does with what it cannot map.
std::string utf16LeToUtf8(const std::string &units);

bool isValidUtf8(const std::string &bytes);

// Windows-1252 bytes as UTF-8; the five bytes it leaves undefined pass as C1 controls.
std::string windows1252ToUtf8(const char *bytes, std::size_t size);

// Text of the field information file for showing: the bytes themselves when they are
// valid UTF-8, else read as Windows-1252, the 8-bit code page such files were written in.
std::string displayUtf8(const std::string &bytes);

} // namespace tav
