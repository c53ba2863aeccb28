#include "core/NumericText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tav::NumericText {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipBlanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    return pos;
}

std::size_t skipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return pos;
}

// The decimal exponent of the leading significant digit of a plain decimal run
// ("0.0012" gives -3), added to the written exponent; used only to tell overflow
// from underflow when the run is out of range.
long long magnitudeOf(std::string_view mantissa, long long exponent) {
    const std::size_t point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    const std::size_t firstNonZero = whole.find_first_not_of('0');
    if (firstNonZero != std::string_view::npos)
        return static_cast<long long>(whole.size() - firstNonZero) - 1 + exponent;
    if (point == std::string_view::npos)
        return std::numeric_limits<long long>::min();
    const std::string_view fraction = mantissa.substr(point + 1);
    const std::size_t lead = fraction.find_first_not_of('0');
    if (lead == std::string_view::npos)
        return std::numeric_limits<long long>::min();
    return -static_cast<long long>(lead) - 1 + exponent;
}

long long scanExponent(std::string_view digits, bool negative) {
    constexpr long long cap = 1'000'000'000;
    long long value = 0;
    for (char c : digits)
        value = std::min(cap, value * 10 + (c - '0'));
    return negative ? -value : value;
}

} // namespace

std::string formatInteger(int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string formatReal(double value, int significantDigits) {
    if (!std::isfinite(value))
        return std::string(kNoValueMark);
    if (value == 0)
        return "0";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, significantDigits);
    return std::string(buffer, result.ptr);
}

std::optional<int> scanInteger(std::string_view text) {
    text = text.substr(0, kIntegerReadLimit);
    std::size_t pos = skipBlanks(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    const std::size_t end = skipDigits(text, pos);
    if (end == pos)
        return std::nullopt;
    // Held just beyond the range either way, so that a longer run stays out of range.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<int>::max()} + 2;
    std::int64_t magnitude = 0;
    for (std::size_t i = pos; i < end; ++i)
        magnitude = std::min(limit, magnitude * 10 + (text[i] - '0'));
    const std::int64_t value = negative ? -magnitude : magnitude;
    // Beyond the range no number was read: scanf's behaviour is undefined there, and a
    // quietly clamped value would be taken for the one typed.
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<double> scanReal(std::string_view text) {
    text = text.substr(0, kRealReadLimit);
    std::size_t pos = skipBlanks(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    const std::size_t start = pos;
    std::size_t end = skipDigits(text, pos);
    std::size_t digits = end - start;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = skipDigits(text, end + 1);
        digits += fractionEnd - (end + 1);
        end = fractionEnd;
    }
    if (digits == 0)
        return std::nullopt;
    const std::string_view mantissa = text.substr(start, end - start);
    long long exponent = 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t e = end + 1;
        bool negativeExponent = false;
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            negativeExponent = text[e++] == '-';
        const std::size_t exponentEnd = skipDigits(text, e);
        if (exponentEnd > e) {
            exponent = scanExponent(text.substr(e, exponentEnd - e), negativeExponent);
            end = exponentEnd;
        }
    }
    const std::string_view run = text.substr(start, end - start);
    double value = 0;
    const auto result =
        std::from_chars(run.data(), run.data() + run.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        value = magnitudeOf(mantissa, exponent) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    else if (result.ec != std::errc())
        return std::nullopt;
    return negative ? -value : value;
}

bool isNoValueMark(std::string_view text) {
    const std::size_t first = skipBlanks(text, 0);
    std::size_t last = text.size();
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first) == kNoValueMark;
}

float narrowToSingle(double value) {
    constexpr double max = std::numeric_limits<float>::max();
    // Half a unit in the last place of FLT_MAX: from there on IEEE rounding gives infinity.
    const double overflow = max + std::ldexp(1.0, 103);
    const double magnitude = std::fabs(value);
    if (std::isnan(value) || magnitude <= max)
        return static_cast<float>(value);
    const float result = magnitude < overflow ? std::numeric_limits<float>::max()
                                              : std::numeric_limits<float>::infinity();
    return value < 0 ? -result : result;
}

int truncateToInt(double value) {
    if (std::isnan(value))
        return 0;
    const double truncated = std::trunc(value);
    if (truncated >= 2147483647.0)
        return std::numeric_limits<int>::max();
    if (truncated <= -2147483648.0)
        return std::numeric_limits<int>::min();
    return static_cast<int>(truncated);
}

std::string describe(double value) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "infinity" : "-infinity";
    return formatReal(value, kDoubleDigits);
}

} // namespace tav::NumericText
