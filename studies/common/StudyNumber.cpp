#include "studies/common/StudyNumber.h"

#include "report/ReportNumber.h"

#include <cmath>

namespace StudyNumber {

namespace {

// Plain decimals to the given places, without trailing zeros: "12.3", "2600150.125", "0".
QString fixed(double value, int places) {
    const double scale = std::pow(10.0, places);
    const double rounded = std::round(value * scale) / scale;
    QString text = QString::number(rounded == 0 ? 0.0 : rounded, 'f', places);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

} // namespace

std::optional<double> read(const QString &text) {
    bool ok = false;
    // QString::toDouble reads the C locale's form whatever the user's locale is.
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString shown(double value) {
    return ReportNumber::given(value);
}

QString shown(double value, Shown how) {
    if (!std::isfinite(value))
        return shown(value);
    switch (how) {
    case Shown::Metres:
        return fixed(value, 3);
    case Shown::Amperes:
        if (std::abs(value) >= 1000)
            return fixed(value, 0);
        if (value != 0) { // four significant digits, as given: "523.4", "1.5"
            const double scale = std::pow(10.0, 3 - std::floor(std::log10(std::abs(value))));
            return shown(std::round(value * scale) / scale);
        }
        break;
    case Shown::Figure:
        break;
    }
    return shown(value);
}

bool stands(const QString &text, double value, Shown how) {
    return read(text) == value || text.trimmed() == shown(value, how);
}

} // namespace StudyNumber
