#pragma once

#include <QString>

// Numbers as the study windows and their reports show them: a few significant digits in
// plain decimals (no exponent for any value a study gives), "n/a" without a finite value.
namespace ReportNumber {

inline constexpr int kDigits = 4;

QString text(double value, int significantDigits = kDigits);
// A value as it was given (an input, a spacing): up to 6 significant digits, no trailing
// zeros.
QString given(double value);

} // namespace ReportNumber
