#include "core/soilmodel/ReadingsCsv.h"

#include <algorithm>
#include <cctype>
#include <locale>
#include <cmath>
#include <optional>
#include <sstream>

namespace tav {

namespace {

std::string trimmed(const std::string &s) {
    const auto space = [](unsigned char c) { return std::isspace(c) != 0; };
    const auto first = std::find_if_not(s.begin(), s.end(), space);
    const auto last = std::find_if_not(s.rbegin(), s.rend(), space).base();
    return first < last ? std::string(first, last) : std::string();
}

// Semicolons or tabs when the line has them (so that a comma may be the decimal mark), else
// commas.
char separatorOf(const std::string &line) {
    if (line.find(';') != std::string::npos)
        return ';';
    if (line.find('\t') != std::string::npos)
        return '\t';
    return ',';
}

std::vector<std::string> fields(const std::string &line, char separator) {
    std::vector<std::string> out;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, separator))
        out.push_back(trimmed(field));
    if (!line.empty() && line.back() == separator)
        out.emplace_back();
    return out;
}

// A finite number written whole, with a point or, unless commas separate the fields, a
// comma for its decimal mark; strtod reads the C locale's point whatever the process's.
std::optional<double> numberOf(std::string field, char separator) {
    if (separator != ',')
        std::replace(field.begin(), field.end(), ',', '.');
    if (field.empty() || field.find_first_not_of("0123456789+-.eE") != std::string::npos)
        return std::nullopt;
    std::istringstream in(field);
    in.imbue(std::locale::classic());
    double value = 0;
    in >> value;
    if (in.fail() || !in.eof() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool namesResistance(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (name.find("resistivit") != std::string::npos || name.find("rho") != std::string::npos)
        return false;
    return name.find("resistance") != std::string::npos || name == "r" ||
           name.rfind("r ", 0) == 0 || name.rfind("r[", 0) == 0 || name.rfind("r(", 0) == 0;
}

} // namespace

Refusable<CsvReadings> readCsvReadings(const std::string &text) {
    CsvReadings out;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    bool first = true;
    while (std::getline(in, line)) {
        ++number;
        line = trimmed(line);
        if (line.empty() || line.front() == '#')
            continue;
        const char separator = separatorOf(line);
        const std::vector<std::string> row = fields(line, separator);
        std::optional<double> spacing, value;
        if (row.size() == 2) {
            spacing = numberOf(row[0], separator);
            value = numberOf(row[1], separator);
        }
        if (spacing && value) {
            out.spacings.push_back(*spacing);
            out.values.push_back(*value);
        } else if (first && row.size() == 2 && !numberOf(row[0], separator)) {
            out.resistances = namesResistance(row[1]);
        } else {
            return Refusal{Error::ReadingsRowUnreadable, Quantity::None, {double(number)}};
        }
        first = false;
    }
    return out;
}

} // namespace tav
