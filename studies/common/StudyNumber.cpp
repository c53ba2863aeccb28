#include "studies/common/StudyNumber.h"

#include "report/ReportNumber.h"

#include <cmath>

namespace StudyNumber {

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

} // namespace StudyNumber
