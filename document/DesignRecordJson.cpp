#include "document/DesignRecordJson.h"

#include "core/earthing/PlanPolygon.h"
#include "document/DesignJson.h"
#include "document/JsonFields.h"

#include <QJsonArray>

#include <cmath>
#include <functional>

namespace tav {

using design::DesignBrief;
using design::DesignRecord;
using design::FamilyRecord;
using design::LayoutSummary;
using design::RunnerUp;
using Kind = DocumentError::Kind;

namespace {

const QString kEqual = QStringLiteral("equal");
const QString kCompressed = QStringLiteral("compressed");
// As many rods as the family lays on an outline of the most corners.
constexpr int kMostRods =
    int(earthing::PlanPolygon::kMostCorners) * design::DesignLayout::kMostRodSteps;

bool flag(JsonFields &f, const char *key, DocumentError &error) {
    const QJsonValue v = f.value(key, true);
    if (!f.failed() && !v.isBool())
        JsonFields::fail(error, Kind::NotABoolean, f.path(key));
    return v.toBool();
}

std::optional<bool> optionalFlag(JsonFields &f, const char *key, DocumentError &error) {
    const QJsonValue v = f.value(key, false);
    if (v.isUndefined() || v.isNull() || f.failed())
        return std::nullopt;
    if (!v.isBool()) {
        JsonFields::fail(error, Kind::NotABoolean, f.path(key));
        return std::nullopt;
    }
    return v.toBool();
}

double atLeastZero(JsonFields &f, const char *key, DocumentError &error) {
    const double v = f.number(key, 0, true);
    if (!f.failed() && v < 0)
        JsonFields::fail(error, Kind::Negative, f.path(key));
    return v;
}

int wholeAtLeastZero(JsonFields &f, const char *key, DocumentError &error) {
    const int v = f.integer(key, 0, true);
    if (!f.failed() && v < 0)
        JsonFields::fail(error, Kind::Negative, f.path(key));
    return v;
}

bool linesWithin(double v) {
    return v == std::trunc(v) && v >= 2 && v <= design::DesignLayout::kMostLines;
}

int lines(JsonFields &f, const char *key, DocumentError &error) {
    const QJsonValue v = f.value(key, true);
    if (f.failed())
        return 2;
    if (!v.isDouble() || !linesWithin(v.toDouble())) {
        JsonFields::fail(error, Kind::DesignedLines, f.path(key), design::DesignLayout::kMostLines);
        return 2;
    }
    return int(v.toDouble());
}

// [fewest, most], both counts of lines.
void lineRange(JsonFields &f, const char *key, int &fewest, int &most, DocumentError &error) {
    const QJsonValue v = f.value(key, true);
    if (f.failed())
        return;
    const QString path = f.path(key);
    const QJsonArray a = v.toArray();
    if (!v.isArray() || a.size() != 2) {
        JsonFields::fail(error, Kind::WrongLength, path, 2);
        return;
    }
    for (int k = 0; k < 2; ++k)
        if (!a[k].isDouble() || !linesWithin(a[k].toDouble())) {
            JsonFields::fail(error, Kind::DesignedLines, JsonFields::indexed(path, k),
                             design::DesignLayout::kMostLines);
            return;
        }
    fewest = int(a[0].toDouble());
    most = int(a[1].toDouble());
    if (most < fewest)
        JsonFields::fail(error, Kind::DesignedLinesOrder, path);
}

// "equal" or "compressed": whether compressed.
bool spacingAt(const QJsonValue &v, const QString &path, DocumentError &error) {
    if (!v.isString() || (v.toString() != kEqual && v.toString() != kCompressed))
        JsonFields::fail(error, Kind::DesignedSpacing, path);
    return v.toString() == kCompressed;
}

// Each element of the array at key read by one, at its own path.
void eachOf(JsonFields &f, const char *key, DocumentError &error,
            const std::function<void(const QJsonValue &, const QString &)> &one) {
    const QJsonValue v = f.value(key, true);
    if (f.failed())
        return;
    if (!v.isArray()) {
        JsonFields::fail(error, Kind::NotAnArray, f.path(key));
        return;
    }
    const QJsonArray a = v.toArray();
    for (int k = 0; k < a.size() && error.kind == Kind::None; ++k)
        one(a[k], JsonFields::indexed(f.path(key), k));
}

FamilyRecord::Rods rodOption(const QJsonValue &value, const QString &path, DocumentError &error) {
    FamilyRecord::Rods rods;
    JsonFields f(value, path, error);
    f.allowOnly({"length", "counts"});
    rods.length = f.number("length", 0, true);
    if (!f.failed() && !(rods.length > 0 && rods.length <= DesignBrief::kGreatestRodLength))
        JsonFields::fail(error, Kind::DesignRodLength, f.path("length"));
    eachOf(f, "counts", error, [&](const QJsonValue &v, const QString &at) {
        const double n = v.toDouble(0.5);
        if (!v.isDouble() || n != std::trunc(n) || n < 1 || n > kMostRods)
            JsonFields::fail(error, Kind::CountOutOfRange, at, kMostRods);
        else
            rods.counts.push_back(int(n));
    });
    return rods;
}

FamilyRecord family(const QJsonValue &value, const QString &path, DocumentError &error) {
    FamilyRecord family;
    JsonFields f(value, path, error);
    f.allowOnly({"lines_x", "lines_y", "spacings", "rods", "surface", "layouts"});
    lineRange(f, "lines_x", family.fewestLinesX, family.mostLinesX, error);
    lineRange(f, "lines_y", family.fewestLinesY, family.mostLinesY, error);
    family.equalSpacing = family.compressedSpacing = false;
    eachOf(f, "spacings", error, [&](const QJsonValue &v, const QString &at) {
        (spacingAt(v, at, error) ? family.compressedSpacing : family.equalSpacing) = true;
    });
    eachOf(f, "rods", error, [&](const QJsonValue &v, const QString &at) {
        family.rods.push_back(rodOption(v, at, error));
    });
    family.surface = flag(f, "surface", error);
    family.layouts = std::size_t(wholeAtLeastZero(f, "layouts", error));
    return family;
}

LayoutSummary layout(const QJsonValue &value, const QString &path, DocumentError &error) {
    LayoutSummary l;
    JsonFields f(value, path, error);
    f.allowOnly({"lines_x", "lines_y", "spacing_x", "spacing_y", "rods", "rod_length", "surface"});
    l.linesX = lines(f, "lines_x", error);
    l.linesY = lines(f, "lines_y", error);
    if (const QJsonValue v = f.value("spacing_x", true); !f.failed())
        l.compressX = spacingAt(v, f.path("spacing_x"), error);
    if (const QJsonValue v = f.value("spacing_y", true); !f.failed())
        l.compressY = spacingAt(v, f.path("spacing_y"), error);
    l.rods = wholeAtLeastZero(f, "rods", error);
    if (f.has("rod_length") && !f.isNull("rod_length") && !f.failed()) {
        const double length = f.number("rod_length", 0, true);
        if (!f.failed() && !(length > 0 && length <= DesignBrief::kGreatestRodLength))
            JsonFields::fail(error, Kind::DesignRodLength, f.path("rod_length"));
        l.rodLength = length;
    }
    l.surface = optionalFlag(f, "surface", error);
    return l;
}

// 1 less a share, at most 1; null where no limit was set.
std::optional<double> margin(JsonFields &f, const char *key, DocumentError &error) {
    const QJsonValue v = f.value(key, false);
    if (v.isUndefined() || v.isNull() || f.failed())
        return std::nullopt;
    if (!v.isDouble())
        JsonFields::fail(error, Kind::NotANumber, f.path(key));
    else if (!(v.toDouble() <= 1))
        JsonFields::fail(error, Kind::DesignedMargin, f.path(key));
    return v.toDouble();
}

RunnerUp runnerUp(const QJsonValue &value, const QString &path, DocumentError &error) {
    RunnerUp r;
    JsonFields f(value, path, error);
    f.allowOnly({"cost", "layout", "worst_touch_margin", "worst_step_margin", "safe"});
    r.cost = atLeastZero(f, "cost", error);
    if (const QJsonValue v = f.value("layout", true); !f.failed())
        r.layout = layout(v, f.path("layout"), error);
    r.touchMargin = margin(f, "worst_touch_margin", error);
    r.stepMargin = margin(f, "worst_step_margin", error);
    r.safe = flag(f, "safe", error);
    return r;
}

design::DesignedQuantities quantities(const QJsonValue &value, const QString &path,
                                      DocumentError &error) {
    design::DesignedQuantities q;
    JsonFields f(value, path, error);
    f.allowOnly({"conductor_length", "rod_length", "surface_area"});
    q.conductorLength = atLeastZero(f, "conductor_length", error);
    q.rodLength = atLeastZero(f, "rod_length", error);
    q.surfaceArea = atLeastZero(f, "surface_area", error);
    return q;
}

QJsonObject layoutJson(const LayoutSummary &l) {
    QJsonObject o{{QStringLiteral("lines_x"), l.linesX},
                  {QStringLiteral("lines_y"), l.linesY},
                  {QStringLiteral("spacing_x"), DesignRecordJson::spacing(l.compressX)},
                  {QStringLiteral("spacing_y"), DesignRecordJson::spacing(l.compressY)},
                  {QStringLiteral("rods"), l.rods}};
    if (l.rodLength)
        o[QStringLiteral("rod_length")] = *l.rodLength;
    if (l.surface)
        o[QStringLiteral("surface")] = *l.surface;
    return o;
}

QJsonValue orNull(const std::optional<double> &v) {
    return v ? QJsonValue(*v) : QJsonValue();
}

QJsonObject familyJson(const FamilyRecord &f) {
    QJsonArray spacings;
    if (f.equalSpacing)
        spacings.append(kEqual);
    if (f.compressedSpacing)
        spacings.append(kCompressed);
    QJsonArray rods;
    for (const FamilyRecord::Rods &r : f.rods) {
        QJsonArray counts;
        for (const int n : r.counts)
            counts.append(n);
        rods.append(
            QJsonObject{{QStringLiteral("length"), r.length}, {QStringLiteral("counts"), counts}});
    }
    return {{QStringLiteral("lines_x"), QJsonArray{f.fewestLinesX, f.mostLinesX}},
            {QStringLiteral("lines_y"), QJsonArray{f.fewestLinesY, f.mostLinesY}},
            {QStringLiteral("spacings"), spacings},
            {QStringLiteral("rods"), rods},
            {QStringLiteral("surface"), f.surface},
            {QStringLiteral("layouts"), double(f.layouts)}};
}

} // namespace

QString DesignRecordJson::spacing(bool compressed) {
    return compressed ? kCompressed : kEqual;
}

DesignRecord DesignRecordJson::read(const QJsonValue &value, const QString &path,
                                    DocumentError &error) {
    DesignRecord r;
    JsonFields f(value, path, error);
    f.allowOnly(
        {"family", "prices", "safe", "cost", "layout", "solves", "runner_ups", "quantities"});
    if (const QJsonValue v = f.value("family", true); !f.failed())
        r.family = family(v, f.path("family"), error);
    if (const QJsonValue v = f.value("prices", true); !f.failed())
        r.prices = DesignJson::readPrices(v, f.path("prices"), error);
    r.safe = flag(f, "safe", error);
    r.cost = atLeastZero(f, "cost", error);
    if (const QJsonValue v = f.value("layout", true); !f.failed())
        r.layout = layout(v, f.path("layout"), error);
    r.solves = wholeAtLeastZero(f, "solves", error);
    eachOf(f, "runner_ups", error, [&](const QJsonValue &v, const QString &at) {
        if (r.runnerUps.size() == DesignRecord::kMostRunnerUps)
            JsonFields::fail(error, Kind::DesignedRunnerUps, f.path("runner_ups"),
                             int(DesignRecord::kMostRunnerUps));
        else
            r.runnerUps.push_back(runnerUp(v, at, error));
    });
    if (const QJsonValue v = f.value("quantities", true); !f.failed())
        r.quantities = quantities(v, f.path("quantities"), error);
    return r;
}

QJsonObject DesignRecordJson::write(const DesignRecord &r) {
    QJsonArray runnerUps;
    for (const RunnerUp &u : r.runnerUps)
        runnerUps.append(QJsonObject{{QStringLiteral("cost"), u.cost},
                                     {QStringLiteral("layout"), layoutJson(u.layout)},
                                     {QStringLiteral("worst_touch_margin"), orNull(u.touchMargin)},
                                     {QStringLiteral("worst_step_margin"), orNull(u.stepMargin)},
                                     {QStringLiteral("safe"), u.safe}});
    return {{QStringLiteral("family"), familyJson(r.family)},
            {QStringLiteral("prices"), DesignJson::writePrices(r.prices)},
            {QStringLiteral("safe"), r.safe},
            {QStringLiteral("cost"), r.cost},
            {QStringLiteral("layout"), layoutJson(r.layout)},
            {QStringLiteral("solves"), r.solves},
            {QStringLiteral("runner_ups"), runnerUps},
            {QStringLiteral("quantities"),
             QJsonObject{{QStringLiteral("conductor_length"), r.quantities.conductorLength},
                         {QStringLiteral("rod_length"), r.quantities.rodLength},
                         {QStringLiteral("surface_area"), r.quantities.surfaceArea}}}};
}

} // namespace tav
