#include "document/SystemDocument.h"

#include "document/JsonFields.h"
#include "document/ResultJson.h"

#include <QJsonDocument>

#include <cmath>

namespace tav {

using namespace earthing;

namespace {

// Grids and rods beyond this many conductors could not be solved anyway.
constexpr int kMaxCount = 10000;

EarthingSoil readSoil(const QJsonValue &value, DocumentError &error) {
    JsonFields f(value, QStringLiteral("soil"), error);
    // What tav-calc soil-model writes besides rho1, rho2 and h may come along.
    f.allowOnly({"rho", "rho1", "rho2", "h", "layered", "rms_percent", "uniform", "rows"});
    if (f.failed())
        return {};
    const bool uniform = f.has("rho");
    const bool layered = f.has("rho1") || f.has("rho2") || f.has("h");
    if (uniform == layered) {
        JsonFields::fail(error, DocumentError::Kind::SoilShape, QStringLiteral("soil"));
        return {};
    }
    if (uniform)
        return EarthingSoil::uniform(f.number("rho", 0, true));
    const double rho1 = f.number("rho1", 0, true);
    // soil-model's uniform answer: h null, rho2 equal to rho1.
    if (f.isNull("h") ||
        (f.value("layered", false).isBool() && !f.value("layered", false).toBool()))
        return EarthingSoil::uniform(rho1);
    const double rho2 = f.number("rho2", 0, true);
    return EarthingSoil::twoLayer(rho1, rho2, f.number("h", 0, true));
}

Conductor readConductor(const QJsonValue &value, const QString &path, DocumentError &error) {
    JsonFields f(value, path, error);
    f.allowOnly({"from", "to", "diameter", "group"});
    Conductor c;
    c.from = f.point3("from");
    c.to = f.point3("to");
    c.diameter = f.number("diameter", 0, true);
    c.group = f.integer("group", 0, false);
    return c;
}

SystemDocument::Grid readGrid(const QJsonValue &value, const QString &path, DocumentError &error) {
    JsonFields f(value, path, error);
    f.allowOnly({"origin", "size", "conductors", "depth", "diameter", "group", "rods"});
    SystemDocument::Grid g;
    double origin[2] = {0, 0};
    double size[2] = {0, 0};
    double counts[2] = {0, 0};
    if (f.has("origin") && !f.failed())
        JsonFields::numbers(f.value("origin", true), f.path("origin"), 2, origin, error);
    const QJsonValue sizeValue = f.value("size", true);
    if (!f.failed())
        JsonFields::numbers(sizeValue, f.path("size"), 2, size, error);
    const QJsonValue countValue = f.value("conductors", true);
    if (!f.failed() && JsonFields::numbers(countValue, f.path("conductors"), 2, counts, error))
        for (int k = 0; k < 2; ++k)
            if (counts[k] != std::trunc(counts[k]) || counts[k] < 1 || counts[k] > kMaxCount)
                JsonFields::fail(error, DocumentError::Kind::CountOutOfRange,
                                 JsonFields::indexed(f.path("conductors"), k), kMaxCount);
    g.grid.x0 = origin[0];
    g.grid.y0 = origin[1];
    g.grid.sizeX = size[0];
    g.grid.sizeY = size[1];
    g.grid.countX = int(counts[0]);
    g.grid.countY = int(counts[1]);
    g.grid.depth = f.number("depth", 0, true);
    g.grid.diameter = f.number("diameter", 0, true);
    g.grid.group = f.integer("group", 0, false);
    if (f.has("rods") && !f.failed()) {
        JsonFields r(f.value("rods", true), f.path("rods"), error);
        r.allowOnly({"count", "corners", "length", "diameter"});
        SystemDocument::GridRods rods;
        const QJsonValue corners = r.value("corners", false);
        if (!corners.isUndefined() && !corners.isNull() && !corners.isBool())
            JsonFields::fail(error, DocumentError::Kind::NotABoolean, r.path("corners"));
        rods.corners = corners.toBool(false);
        if (!rods.corners)
            rods.count = r.count("count", kMaxCount);
        rods.length = r.number("length", 0, true);
        rods.diameter = r.number("diameter", 0, true);
        g.rods = rods;
    }
    return g;
}

SystemDocument::Rods readRods(const QJsonValue &value, const QString &path, DocumentError &error) {
    JsonFields f(value, path, error);
    f.allowOnly({"at", "top", "length", "diameter", "group"});
    SystemDocument::Rods r;
    r.at = f.points2("at", true);
    r.top = f.number("top", 0, true);
    r.length = f.number("length", 0, true);
    r.diameter = f.number("diameter", 0, true);
    r.group = f.integer("group", 0, false);
    return r;
}

template <class T, class Read>
std::vector<T> readArray(JsonFields &f, const char *key, DocumentError &error, Read read) {
    std::vector<T> items;
    const QJsonValue v = f.value(key, false);
    if (f.failed() || v.isUndefined() || v.isNull())
        return items;
    if (!v.isArray()) {
        JsonFields::fail(error, DocumentError::Kind::NotAnArray, f.path(key));
        return items;
    }
    const QJsonArray array = v.toArray();
    for (int k = 0; k < array.size() && !f.failed(); ++k)
        items.push_back(read(array[k], JsonFields::indexed(f.path(key), k), error));
    return items;
}

QJsonArray point(double x, double y) {
    return {x, y};
}
QJsonArray point(const Point3 &p) {
    return {p.x, p.y, p.z};
}

} // namespace

SystemDocument SystemDocument::fromJson(const QByteArray &json, DocumentError &error) {
    error = {};
    SystemDocument d;
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError) {
        error.kind = DocumentError::Kind::NotJson;
        error.offset = parse.offset;
        return d;
    }
    JsonFields f(document.isObject() ? QJsonValue(document.object()) : QJsonValue(), QString(),
                 error);
    f.allowOnly(
        {"soil", "current", "conductors", "grids", "rods", "points", "search", "segment_length"});
    const QJsonValue soil = f.value("soil", true);
    if (!f.failed())
        d.soil = readSoil(soil, error);
    d.current = f.number("current", 0, true);
    d.conductors = readArray<Conductor>(f, "conductors", error, readConductor);
    d.grids = readArray<Grid>(f, "grids", error, readGrid);
    d.rods = readArray<Rods>(f, "rods", error, readRods);
    d.points = f.points2("points", false);
    if (f.has("search") && !f.failed()) {
        JsonFields s(f.value("search", true), QStringLiteral("search"), error);
        s.allowOnly({"step", "margin"});
        d.search.step = s.number("step", d.search.step, false);
        d.search.margin = s.number("margin", d.search.margin, false);
    }
    d.segmentLength = f.number("segment_length", d.segmentLength, false);
    return d;
}

EarthingInput SystemDocument::input() const {
    EarthingInput input;
    input.soil = soil;
    input.current = current;
    input.conductors = conductors;
    for (const Grid &g : grids) {
        for (const Conductor &c : ConductorLayout::grid(g.grid))
            input.conductors.push_back(c);
        if (!g.rods)
            continue;
        const std::vector<Point2> at =
            g.rods->corners ? ConductorLayout::cornerPoints(g.grid)
                            : ConductorLayout::perimeterPoints(g.grid, g.rods->count);
        for (const Conductor &c : ConductorLayout::rods(at, g.grid.depth, g.rods->length,
                                                        g.rods->diameter, g.grid.group))
            input.conductors.push_back(c);
    }
    for (const Rods &r : rods)
        for (const Conductor &c : ConductorLayout::rods(r.at, r.top, r.length, r.diameter, r.group))
            input.conductors.push_back(c);
    input.points = points;
    input.search = search;
    input.segmentLength = segmentLength;
    return input;
}

QByteArray SystemDocument::toJson() const {
    QJsonObject o;
    QJsonObject s;
    if (soil.layered) {
        s[QStringLiteral("rho1")] = soil.rho1;
        s[QStringLiteral("rho2")] = soil.rho2;
        s[QStringLiteral("h")] = soil.h;
    } else {
        s[QStringLiteral("rho")] = soil.rho1;
    }
    o[QStringLiteral("soil")] = s;
    o[QStringLiteral("current")] = current;
    QJsonArray cs;
    for (const Conductor &c : conductors)
        cs.append(QJsonObject{{QStringLiteral("from"), point(c.from)},
                              {QStringLiteral("to"), point(c.to)},
                              {QStringLiteral("diameter"), c.diameter},
                              {QStringLiteral("group"), c.group}});
    o[QStringLiteral("conductors")] = cs;
    if (!grids.empty()) {
        QJsonArray gs;
        for (const Grid &g : grids) {
            QJsonObject j{{QStringLiteral("origin"), point(g.grid.x0, g.grid.y0)},
                          {QStringLiteral("size"), point(g.grid.sizeX, g.grid.sizeY)},
                          {QStringLiteral("conductors"), QJsonArray{g.grid.countX, g.grid.countY}},
                          {QStringLiteral("depth"), g.grid.depth},
                          {QStringLiteral("diameter"), g.grid.diameter},
                          {QStringLiteral("group"), g.grid.group}};
            if (g.rods) {
                QJsonObject r{{QStringLiteral("length"), g.rods->length},
                              {QStringLiteral("diameter"), g.rods->diameter}};
                if (g.rods->corners)
                    r[QStringLiteral("corners")] = true;
                else
                    r[QStringLiteral("count")] = g.rods->count;
                j[QStringLiteral("rods")] = r;
            }
            gs.append(j);
        }
        o[QStringLiteral("grids")] = gs;
    }
    if (!rods.empty()) {
        QJsonArray rs;
        for (const Rods &r : rods) {
            QJsonArray at;
            for (const Point2 &p : r.at)
                at.append(point(p.x, p.y));
            rs.append(QJsonObject{{QStringLiteral("at"), at},
                                  {QStringLiteral("top"), r.top},
                                  {QStringLiteral("length"), r.length},
                                  {QStringLiteral("diameter"), r.diameter},
                                  {QStringLiteral("group"), r.group}});
        }
        o[QStringLiteral("rods")] = rs;
    }
    QJsonArray ps;
    for (const Point2 &p : points)
        ps.append(point(p.x, p.y));
    o[QStringLiteral("points")] = ps;
    o[QStringLiteral("search")] = QJsonObject{{QStringLiteral("step"), search.step},
                                              {QStringLiteral("margin"), search.margin}};
    o[QStringLiteral("segment_length")] = segmentLength;
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

QByteArray SystemDocument::resultJson(const EarthingResult &result) {
    return ResultJson::write(result);
}

} // namespace tav
