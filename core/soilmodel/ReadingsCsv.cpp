#include "core/soilmodel/ReadingsCsv.h"

#include "core/soilmodel/WennerReading.h"

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

// The lines after this one that are neither empty nor comments.
std::size_t linesLeft(std::istream &in) {
    std::size_t count = 0;
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t first = line.find_first_not_of(" \t\r\v\f");
        count += first != std::string::npos && line[first] != '#' ? 1 : 0;
    }
    return count;
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

// A header's field: words, which open with a letter (or a letter beyond ASCII, as rho or
// Omega), quoted or not. "0x1" or "1.5.3" open with a digit: a number written wrong.
bool words(const std::string &field) {
    const std::size_t first = field.find_first_not_of("\"' ");
    if (first == std::string::npos)
        return false;
    const auto c = static_cast<unsigned char>(field[first]);
    return std::isalpha(c) != 0 || c >= 0x80;
}

// The name in lower case, its Greek and its unit signs spelt out: rho, ohm, and a middle
// dot as a space.
std::string spelt(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return c < 0x80 ? char(std::tolower(c)) : char(c); });
    const std::pair<const char *, const char *> signs[] = {
        {"\xCE\xA9", "ohm"}, {"\xCF\x89", "ohm"}, {"\xE2\x84\xA6", "ohm"},
        {"\xCF\x81", "rho"}, {"\xC2\xB7", " "},   {"\xE2\x8B\x85", " "}};
    for (const auto &[sign, word] : signs)
        for (std::size_t at = name.find(sign); at != std::string::npos; at = name.find(sign, at))
            name.replace(at, std::string(sign).size(), word);
    return name;
}

std::vector<std::string> tokens(const std::string &name) {
    std::vector<std::string> out(1);
    for (const char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0)
            out.back() += c;
        else if (!out.back().empty())
            out.emplace_back();
    }
    if (out.back().empty())
        out.pop_back();
    return out;
}

// What a header's second column holds: a resistivity (rho, "resistivity", ohm-m, ohm m,
// Omega m), a resistance (R, "resistance", ohm alone), or, naming both, neither or a unit
// of its own (kOhm), what cannot be told.
enum class Column { Resistivity, Resistance, Unclear };

Column columnNamed(const std::string &name) {
    const std::vector<std::string> t = tokens(spelt(name));
    const auto metre = [](const std::string &w) {
        return w == "m" || w.rfind("meter", 0) == 0 || w.rfind("metre", 0) == 0;
    };
    bool resistivity = false;
    bool resistance = false;
    for (std::size_t k = 0; k < t.size(); ++k) {
        const std::string &w = t[k];
        const bool ohm = w == "ohm" || w == "ohms";
        const bool ohmMetre = ohm && k + 1 < t.size() && metre(t[k + 1]);
        if (w.rfind("resistiv", 0) == 0 || w.rfind("rho", 0) == 0 || w == "ohmm" ||
            w.rfind("ohmmeter", 0) == 0 || w.rfind("ohmmetre", 0) == 0 || ohmMetre) {
            resistivity = true;
            k += ohmMetre ? 1 : 0;
        } else if (ohm || w == "r" || w.rfind("resistance", 0) == 0) {
            resistance = true;
        } else if (w.find("ohm") != std::string::npos) {
            return Column::Unclear; // a unit of its own, as kOhm or mOhm
        }
    }
    if (resistivity == resistance)
        return Column::Unclear;
    return resistivity ? Column::Resistivity : Column::Resistance;
}

} // namespace

Refusable<CsvReadings> readCsvReadings(const std::string &text) {
    CsvReadings out;
    // A byte-order mark opens the file, not its first field.
    const std::string mark = "\xEF\xBB\xBF";
    std::istringstream in(text.compare(0, mark.size(), mark) == 0 ? text.substr(mark.size())
                                                                  : text);
    std::string line;
    int number = 0;
    bool first = true;
    while (std::getline(in, line)) {
        ++number;
        line = trimmed(line);
        if (line.empty() || line.front() == '#')
            continue;
        // Beyond the most a sounding takes the rest is counted, not read: a file of a
        // million lines is refused at once.
        if (out.spacings.size() == WennerReadings::kMostReadings)
            return Refusal{Error::TooManyReadings,
                           Quantity::None,
                           {double(out.spacings.size() + 1 + linesLeft(in)),
                            double(WennerReadings::kMostReadings)}};
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
        } else if (first && row.size() == 2 && words(row[0]) && words(row[1]) && !spacing &&
                   !value) {
            const Column column = columnNamed(row[1]);
            if (column == Column::Unclear)
                return Refusal{Error::ReadingsHeaderUnclear, Quantity::None, {double(number)}};
            out.resistances = column == Column::Resistance;
        } else {
            return Refusal{Error::ReadingsRowUnreadable, Quantity::None, {double(number)}};
        }
        first = false;
    }
    return out;
}

} // namespace tav
