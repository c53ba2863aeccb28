#pragma once

#include "core/NumericText.h"

#include <QString>
#include <QStringList>

// Values as the forms show them: doubles with 15 significant digits, singles with 6.
namespace ShownValues {

inline QString Shown(double value) {
    return QString::fromStdString(tav::NumericText::FormatReal(value, 15));
}
inline QString Shown(float value) {
    return QString::fromStdString(tav::NumericText::FormatReal(value, 6));
}
inline QString Shown(int value) {
    return QString::number(value);
}

template <class Values> QStringList ShownAll(const Values &values) {
    QStringList shown;
    for (const auto value : values)
        shown.append(Shown(value));
    return shown;
}

inline QStringList Split(const char *words) {
    return QString::fromLatin1(words).split(QLatin1Char(' '));
}

} // namespace ShownValues
