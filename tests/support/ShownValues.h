#pragma once

#include "core/NumericText.h"

#include <QString>
#include <QStringList>

// Values as the forms show them: doubles with 15 significant digits, singles with 6.
namespace ShownValues {

inline QString shown(double value) {
    return QString::fromStdString(tav::NumericText::formatReal(value, 15));
}
inline QString shown(float value) {
    return QString::fromStdString(tav::NumericText::formatReal(value, 6));
}
inline QString shown(int value) {
    return QString::number(value);
}

template <class Values> QStringList shownAll(const Values &values) {
    QStringList texts;
    for (const auto value : values)
        texts.append(shown(value));
    return texts;
}

inline QStringList split(const char *words) {
    return QString::fromLatin1(words).split(QLatin1Char(' '));
}

} // namespace ShownValues
