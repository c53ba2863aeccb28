#include "cli/TextTable.h"

#include <algorithm>

std::string TextTable::render() const {
    std::vector<std::size_t> widths;
    for (const auto &row : m_rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    }
    std::string text;
    for (const auto &row : m_rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const std::string padding(widths[i] - row[i].size(), ' ');
            if (i > 0)
                line += "  ";
            const bool left = i == 0 && m_first == FirstColumn::Label;
            line += left ? row[i] + padding : padding + row[i];
        }
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + '\n';
    }
    return text;
}
