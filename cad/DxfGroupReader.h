#pragma once

#include <cstddef>
#include <string_view>

namespace tav::cad {

// Reads an ASCII DXF file as what it is at bottom: pairs of lines, a group code (an
// integer) and its value. Lines may end in CR LF; values keep their spaces, numbers are
// read without them and without the C locale.
class DxfGroupReader {
public:
    enum class Status { Group, End, Broken };

    explicit DxfGroupReader(std::string_view text);

    // The next pair; End when the text ends between pairs, Broken when a code is no
    // integer or its value is missing.
    Status next();
    // Makes the pair just read the next one again.
    void putBack() { m_putBack = true; }

    int code() const { return m_code; }
    std::string_view value() const { return m_value; }
    // Of the code's line, from 1.
    std::size_t line() const { return m_line; }
    // The value as a finite number; false when it is none.
    bool number(double &out) const;
    bool integer(int &out) const;

private:
    bool readLine(std::string_view &line);

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_linesRead = 0;
    std::size_t m_line = 0;
    int m_code = 0;
    std::string_view m_value;
    bool m_putBack = false;
};

} // namespace tav::cad
