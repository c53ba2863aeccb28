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
const QString kArray = QStringLiteral("array");
const QString kSpacing = QStringLiteral("spacing");
const QString kMn = QStringLiteral("mn");
const QString kMeasured = QStringLiteral("measured");
const QString kWenner = QStringLiteral("wenner");
const QString kSchlumberger = QStringLiteral("schlumberger");

bool positive(const QJsonValue &v) {
    return v.isDouble() && v.toDouble() > 0 && std::isfinite(v.toDouble());
}

// The sounding of soil-model's "array" and "rows", each row a reading it can be read from.
std::optional<Sounding> soundingOf(const QJsonObject &soil) {
    const QString array = soil.value(kArray).toString();
    if ((array != kWenner && array != kSchlumberger) || !soil.value(kRows).isArray())
        return std::nullopt;
    Sounding sounding;
    sounding.schlumberger = array == kSchlumberger;
    for (const QJsonValue &value : soil.value(kRows).toArray()) {
        const QJsonObject row = value.toObject();
        if (!positive(row.value(kSpacing)) || !positive(row.value(kMeasured)))
            return std::nullopt;
        Sounding::Reading r{row.value(kSpacing).toDouble(), 0, row.value(kMeasured).toDouble()};
        if (sounding.schlumberger) {
            if (!positive(row.value(kMn)) || !(row.value(kMn).toDouble() < r.spacing))
                return std::nullopt;
            r.mn = row.value(kMn).toDouble();
        }
        sounding.readings.push_back(r);
    }
    if (sounding.readings.empty())
        return std::nullopt;
    return sounding;
}

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
    // A sounding of another count than the fit's is not the one it was fitted to.
    origin.sounding = soundingOf(soil);
    if (origin.sounding && int(origin.sounding->readings.size()) != origin.readings)
        origin.sounding.reset();
    return origin;
}

void write(const Soil &origin, QJsonObject &soil) {
    soil[kReadings] = origin.readings;
    soil[kRms] = origin.rmsPercent;
    if (!origin.sounding)
        return;
    QJsonArray rows;
    for (const Sounding::Reading &r : origin.sounding->readings) {
        QJsonObject row{{kSpacing, r.spacing}, {kMeasured, r.resistivity}};
        if (origin.sounding->schlumberger)
            row[kMn] = r.mn;
        rows.append(row);
    }
    soil[kArray] = origin.sounding->schlumberger ? kSchlumberger : kWenner;
    soil[kRows] = rows;
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
