#include "cli/JsonWriter.h"

#include "core/NumericText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

using tav::NumericText::formatReal;

std::string JsonWriter::real(double value) {
    return std::isfinite(value) ? formatReal(value, tav::NumericText::kDoubleDigits) : "null";
}

std::string JsonWriter::shortest(double value) {
    if (!std::isfinite(value))
        return "null";
    if (value == 0)
        return "0";
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : "null";
}

std::string JsonWriter::single(float value) {
    return std::isfinite(value) ? formatReal(value, tav::NumericText::kSingleDigits) : "null";
}

std::string JsonWriter::integer(int value) {
    return std::to_string(value);
}

std::string JsonWriter::string(const std::string &text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}
