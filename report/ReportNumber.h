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
// The words with the space after the first "value" in them made non-breaking, so that a
// narrow key never parts a number from its unit: "Lines every 200 V".
QString keptWithUnit(QString words, const QString &value);

} // namespace ReportNumber
