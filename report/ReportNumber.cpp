#include "report/ReportNumber.h"

#include "core/NumericText.h"

#include <cmath>

namespace ReportNumber {

QString text(double value, int significantDigits) {
    if (!std::isfinite(value))
        return QString::fromLatin1(tav::NumericText::kNoValueMark.data(),
                                   int(tav::NumericText::kNoValueMark.size()));
    if (value == 0)
        return QStringLiteral("0");
    // Beyond these the digits before the point would be made up, or the value vanish.
    const double magnitude = std::abs(value);
    if (magnitude >= 1e15 || magnitude < 1e-6)
        return QString::fromStdString(tav::NumericText::formatReal(value, significantDigits));
    const int exponent = int(std::floor(std::log10(magnitude)));
    const int decimals = std::max(0, significantDigits - 1 - exponent);
    QString shown = QString::number(value, 'f', decimals);
    // Rounding up to the next power of ten gains a digit: 9.9996 at 4 digits is 10.00.
    if (decimals > 0 && std::abs(shown.toDouble()) >= std::pow(10.0, exponent + 1))
        shown.chop(1);
    if (shown.endsWith(QLatin1Char('.')))
        shown.chop(1);
    return shown;
}

QString given(double value) {
    const double magnitude = std::abs(value);
    if (!std::isfinite(value) || value == 0 || magnitude >= 1e15 || magnitude < 1e-6)
        return QString::fromStdString(
            tav::NumericText::formatReal(value, tav::NumericText::kSingleDigits));
    // Plain decimals as text() writes them, without the zeros that only pad the digits: a
    // megavolt isoline reads 1500000, not 1.5e+06.
    QString shown = text(value, tav::NumericText::kSingleDigits);
    if (shown.contains(QLatin1Char('.'))) {
        while (shown.endsWith(QLatin1Char('0')))
            shown.chop(1);
        if (shown.endsWith(QLatin1Char('.')))
            shown.chop(1);
    }
    return shown;
}

QString keptWithUnit(QString words, const QString &value) {
    const qsizetype at = value.isEmpty() ? -1 : words.indexOf(value);
    const qsizetype space = at < 0 ? -1 : at + value.size();
    if (space >= 0 && space < words.size() && words[space] == QLatin1Char(' '))
        words[space] = QChar(0x00a0);
    return words;
}

} // namespace ReportNumber
