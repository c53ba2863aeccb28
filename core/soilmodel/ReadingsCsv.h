#pragma once

#include "core/errors.h"

#include <string>
#include <vector>

namespace tav {

// A sounding's readings as a spreadsheet or a logger exports them: one reading a line, its
// spacing (a, or AB/2) and its apparent resistivity or measured resistance, comma,
// semicolon or tab between them; a decimal comma where the fields are not separated by
// commas; a byte-order mark before the first line is passed over. A first line of two
// fields of words (opening with a letter: "0x1" is a number written wrong) is a header: a
// second column named as a resistance ("R", "resistance", "R/Ohm", "Ω") makes every value
// a resistance, one named as a resistivity ("rho", "resistivity", "ohm-m", "Ω·m") leaves
// them resistivities, and one that says neither, or both, is refused. Empty lines and
// lines opening with # are passed over. More readings than a sounding is fitted from
// (WennerReadings::kMostReadings) are refused, the rest of the file only counted.
struct CsvReadings {
    std::vector<double> spacings;
    std::vector<double> values;
    bool resistances = false;
};

// The readings, or Error::ReadingsRowUnreadable with the line (from 1) that is not two
// numbers, or Error::ReadingsHeaderUnclear of a header that cannot be told.
Refusable<CsvReadings> readCsvReadings(const std::string &text);

} // namespace tav
