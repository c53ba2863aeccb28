#pragma once

#include <QString>

#include <optional>

// A number typed into a study window: the whole text, blanks around it aside, is one
// finite number with a point for the decimals; empty otherwise.
namespace StudyNumber {

std::optional<double> read(const QString &text);
// As tables and fields show a number the program puts there: up to 6 significant digits.
QString shown(double value);

} // namespace StudyNumber
