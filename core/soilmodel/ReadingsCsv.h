#pragma once

#include "core/errors.h"

#include <string>
#include <vector>

namespace tav {

// A sounding's readings as a spreadsheet or a logger exports them: one reading a line, its
// spacing (a, or AB/2) and its apparent resistivity or measured resistance, comma,
// semicolon or tab between them; a decimal comma where the fields are not separated by
// commas. A first line that is not two numbers is a header: a second column named as a
// resistance ("R", "resistance ...") makes every value a resistance, anything else leaves
// them resistivities. Empty lines and lines opening with # are passed over.
struct CsvReadings {
    std::vector<double> spacings;
    std::vector<double> values;
    bool resistances = false;
};

// The readings, or Error::ReadingsRowUnreadable with the line (from 1) that is not two
// numbers.
Refusable<CsvReadings> readCsvReadings(const std::string &text);

} // namespace tav
