#include "cad/DxfGroupReader.h"

#include <charconv>
#include <cmath>

namespace tav::cad {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    // from_chars takes no plus sign, which some writers put before exponents' numbers.
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    return text;
}

} // namespace

DxfGroupReader::DxfGroupReader(std::string_view text) : m_text(text) {
    // A byte order mark some Windows programs put before the first code.
    if (m_text.substr(0, 3) == "\xEF\xBB\xBF")
        m_pos = 3;
}

bool DxfGroupReader::readLine(std::string_view &line) {
    if (m_pos >= m_text.size())
        return false;
    const std::size_t end = m_text.find('\n', m_pos);
    const std::size_t stop = end == std::string_view::npos ? m_text.size() : end;
    line = m_text.substr(m_pos, stop - m_pos);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    m_pos = end == std::string_view::npos ? m_text.size() : end + 1;
    ++m_linesRead;
    return true;
}

DxfGroupReader::Status DxfGroupReader::next() {
    if (m_putBack) {
        m_putBack = false;
        return Status::Group;
    }
    std::string_view codeLine;
    if (!readLine(codeLine))
        return Status::End;
    m_line = m_linesRead;
    const std::string_view digits = trimmed(codeLine);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), m_code);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return Status::Broken;
    if (!readLine(m_value))
        return Status::Broken;
    return Status::Group;
}

bool DxfGroupReader::number(double &out) const {
    const std::string_view digits = trimmed(m_value);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), out);
    return !digits.empty() && error == std::errc() && end == digits.data() + digits.size() &&
           std::isfinite(out);
}

bool DxfGroupReader::integer(int &out) const {
    const std::string_view digits = trimmed(m_value);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), out);
    return !digits.empty() && error == std::errc() && end == digits.data() + digits.size();
}

} // namespace tav::cad
