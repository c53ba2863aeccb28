#include "document/InputOrigin.h"

#include "document/JsonFields.h"

#include <QJsonArray>

#include <cmath>

namespace tav {

namespace InputOrigin {

namespace {

const QString kReadings = QStringLiteral("readings");
const QString kRows = QStringLiteral("rows");
const QString kRms = QStringLiteral("rms_percent");

} // namespace

std::optional<Soil> soilOf(const QJsonObject &soil) {
    const QJsonValue rms = soil.value(kRms);
    const QJsonValue readings = soil.value(kReadings);
    Soil origin;
    if (readings.isDouble())
        origin.readings = readings.toInt(0) == readings.toDouble() ? readings.toInt() : 0;
    else if (soil.value(kRows).isArray())
        origin.readings = int(soil.value(kRows).toArray().size());
    if (!rms.isDouble() || origin.readings < 1 || !(rms.toDouble() >= 0))
        return std::nullopt;
    origin.rmsPercent = rms.toDouble();
    return origin;
}

void write(const Soil &origin, QJsonObject &soil) {
    soil[kReadings] = origin.readings;
    soil[kRms] = origin.rmsPercent;
}

std::optional<Current> currentOf(const QJsonValue &basis, double current, DocumentError &error) {
    if (basis.isUndefined() || basis.isNull())
        return std::nullopt;
    JsonFields f(basis, QStringLiteral("current_basis"), error);
    f.allowOnly({"fault_current", "decrement", "split"});
    Current c;
    c.faultCurrent = f.positive("fault_current", 0, true);
    c.decrement = f.positive("decrement", 1, false);
    c.split = f.positive("split", 1, false);
    if (f.failed())
        return std::nullopt;
    if (!(std::abs(c.gridCurrent() - current) <= 1e-3 * current))
        return std::nullopt;
    return c;
}

QJsonObject write(const Current &basis) {
    return {{QStringLiteral("fault_current"), basis.faultCurrent},
            {QStringLiteral("decrement"), basis.decrement},
            {QStringLiteral("split"), basis.split}};
}

} // namespace InputOrigin

} // namespace tav
