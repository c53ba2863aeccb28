#pragma once

#include <string>
#include <vector>

// A plain-text table: a heading row, then rows of cells; every column as wide as its
// widest cell and right-aligned, but for a first column of labels.
class TextTable {
public:
    enum class FirstColumn { Number, Label };

    explicit TextTable(std::vector<std::string> headings, FirstColumn first = FirstColumn::Number)
        : m_rows{std::move(headings)}, m_first(first) {}

    void addRow(std::vector<std::string> cells) { m_rows.push_back(std::move(cells)); }
    std::string render() const;

private:
    std::vector<std::vector<std::string>> m_rows;
    FirstColumn m_first;
};
