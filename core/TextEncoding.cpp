#include "core/TextEncoding.h"

#include <cstdint>

namespace tav {

namespace {

void appendUtf8(std::string &out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Windows-1252's 0x80 to 0x9F; the five bytes it leaves undefined pass as C1 controls.
constexpr std::uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

void Utf16LeDecoder::unit(std::uint32_t value, std::string &out) {
    const bool high = value >= 0xD800 && value < 0xDC00;
    const bool low = value >= 0xDC00 && value < 0xE000;
    if (m_high != 0 && low) {
        appendUtf8(out, 0x10000 + ((m_high - 0xD800) << 10) + (value - 0xDC00));
        m_high = 0;
        return;
    }
    if (m_high != 0)
        appendUtf8(out, 0xFFFD);
    m_high = high ? value : 0;
    if (!high)
        appendUtf8(out, low ? 0xFFFD : value);
}

void Utf16LeDecoder::feed(const char *bytes, std::size_t size, std::string &out) {
    const auto byte = [bytes](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]));
    };
    std::size_t i = 0;
    if (m_oddByte >= 0 && size > 0) {
        unit(static_cast<std::uint32_t>(m_oddByte) | (byte(0) << 8), out);
        m_oddByte = -1;
        i = 1;
    }
    for (; i + 1 < size; i += 2)
        unit(byte(i) | (byte(i + 1) << 8), out);
    if (i < size)
        m_oddByte = static_cast<int>(byte(i));
}

void Utf16LeDecoder::finish(std::string &out) {
    if (m_high != 0)
        appendUtf8(out, 0xFFFD);
    m_high = 0;
    m_oddByte = -1;
}

std::string utf16LeToUtf8(const std::string &units) {
    std::string out;
    out.reserve(units.size());
    Utf16LeDecoder decoder;
    decoder.feed(units.data(), units.size(), out);
    decoder.finish(out);
    return out;
}

bool isValidUtf8(const std::string &bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t extra = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + extra >= bytes.size())
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        // No overlong form, no surrogate, nothing beyond U+10FFFF.
        if ((extra == 2 && code < 0x800) || (extra == 3 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code < 0xE000))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string windows1252ToUtf8(const char *bytes, std::size_t size) {
    std::string out;
    out.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        appendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte);
    }
    return out;
}

std::string displayUtf8(const std::string &bytes) {
    return isValidUtf8(bytes) ? bytes : windows1252ToUtf8(bytes.data(), bytes.size());
}

} // namespace tav
