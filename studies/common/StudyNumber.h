#pragma once

#include <QString>

#include <optional>

// A number typed into a study window: the whole text, blanks around it aside, is one
// finite number with a point for the decimals; empty otherwise.
namespace StudyNumber {

// How a field or a table shows what the document holds, which stays as it is until the
// user types over it: lengths, depths and coordinates to the millimetre, currents to the
// ampere from a thousand amperes on (to four digits below), anything else to six
// significant digits; never a double's noise ("12.299999999813735").
enum class Shown { Figure, Metres, Amperes };

std::optional<double> read(const QString &text);
// As tables and fields show a number the program puts there: up to 6 significant digits.
QString shown(double value);
QString shown(double value, Shown how);
// Whether the text stands for the value: it reads as it, or is how it is shown.
bool stands(const QString &text, double value, Shown how);

} // namespace StudyNumber
