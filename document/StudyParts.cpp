#include "document/StudyParts.h"

#include "document/JsonFields.h"
#include "document/PartSchema.h"

#include <QJsonArray>

namespace tav::StudyParts {

using namespace earthing;

namespace {

// Origin, size, conductors each way, depth, diameter and group, as a grid and an L take them.
RectangularGrid rectangleFrom(const PartValues &v) {
    RectangularGrid g;
    g.x0 = v.number("origin/0");
    g.y0 = v.number("origin/1");
    g.sizeX = v.number("size/0");
    g.sizeY = v.number("size/1");
    g.countX = v.integer("conductors/0");
    g.countY = v.integer("conductors/1");
    g.depth = v.number("depth");
    g.diameter = v.number("diameter");
    g.group = v.integer("group");
    return g;
}

void setRectangle(const RectangularGrid &g, PartValues &v) {
    v.set("origin/0", g.x0);
    v.set("origin/1", g.y0);
    v.set("size/0", g.sizeX);
    v.set("size/1", g.sizeY);
    v.set("conductors/0", g.countX);
    v.set("conductors/1", g.countY);
    v.set("depth", g.depth);
    v.set("diameter", g.diameter);
    v.set("group", g.group);
}

std::optional<SystemDocument::GridRods> gridRodsFrom(const PartValues &v) {
    if (!v.hasUnder("rods"))
        return std::nullopt;
    SystemDocument::GridRods rods;
    rods.corners = v.boolean("rods/corners");
    rods.count = rods.corners ? 0 : v.integer("rods/count");
    rods.length = v.number("rods/length");
    rods.diameter = v.number("rods/diameter");
    return rods;
}

void setGridRods(const std::optional<SystemDocument::GridRods> &rods, PartValues &v) {
    if (!rods)
        return;
    if (rods->corners)
        v.set("rods/corners", true);
    else
        v.set("rods/count", rods->count);
    v.set("rods/length", rods->length);
    v.set("rods/diameter", rods->diameter);
}

PartValues read(PartKind kind, const QJsonValue &value, const QString &path, DocumentError &error) {
    return PartSchema::read(PartSchema::fields(kind), value, path, error);
}

QJsonObject write(PartKind kind, const PartValues &values) {
    return PartSchema::write(PartSchema::fields(kind), values);
}

} // namespace

Conductor readConductor(const QJsonValue &value, const QString &path, DocumentError &error) {
    const PartValues v = read(PartKind::Conductor, value, path, error);
    return {{v.number("from/0"), v.number("from/1"), v.number("from/2")},
            {v.number("to/0"), v.number("to/1"), v.number("to/2")},
            v.number("diameter"),
            v.integer("group")};
}

SystemDocument::Grid readGrid(const QJsonValue &value, const QString &path, DocumentError &error) {
    const PartValues v = read(PartKind::Grid, value, path, error);
    return {rectangleFrom(v), gridRodsFrom(v)};
}

SystemDocument::Rods readRods(const QJsonValue &value, const QString &path, DocumentError &error) {
    const PartValues v = read(PartKind::Rods, value, path, error);
    return {v.points("at"), v.number("top"), v.number("length"), v.number("diameter"),
            v.integer("group")};
}

SystemDocument::LGrid readLGrid(const QJsonValue &value, const QString &path,
                                DocumentError &error) {
    const PartValues v = read(PartKind::LGrid, value, path, error);
    SystemDocument::LGrid l;
    l.grid.bounds = rectangleFrom(v);
    l.grid.cutX = v.number("cut/0");
    l.grid.cutY = v.number("cut/1");
    l.rods = gridRodsFrom(v);
    return l;
}

RodRing readRing(const QJsonValue &value, const QString &path, DocumentError &error) {
    const PartValues v = read(PartKind::Ring, value, path, error);
    RodRing r;
    r.centre = {v.number("centre/0"), v.number("centre/1")};
    r.radius = v.number("radius");
    r.count = v.integer("count");
    r.depth = v.number("depth");
    r.diameter = v.number("diameter");
    r.rodLength = v.number("rod/length");
    r.rodDiameter = v.number("rod/diameter");
    r.group = v.integer("group");
    return r;
}

SystemDocument::Fence readFence(const QJsonValue &value, const QString &path,
                                DocumentError &error) {
    const PartValues v = read(PartKind::Fence, value, path, error);
    SystemDocument::Fence fence;
    fence.fence.outline = v.points("polyline");
    fence.fence.closed = v.boolean("closed");
    if (error.kind == DocumentError::Kind::None && v.has("closed") && !v.has("polyline"))
        JsonFields::fail(error, DocumentError::Kind::WithoutOutline,
                         path + QStringLiteral(".closed"));
    fence.fence.distance = v.number("distance");
    fence.fence.spacing = v.number("posts/spacing");
    fence.fence.length = v.number("posts/length");
    fence.fence.diameter = v.number("posts/diameter");
    fence.fence.top = v.number("posts/top");
    if (v.has("group"))
        fence.group = v.integer("group");
    return fence;
}

TouchArea readTouchArea(const QJsonValue &value, const QString &path, DocumentError &error) {
    const PartValues v = read(PartKind::TouchArea, value, path, error);
    TouchArea area;
    area.kind = TouchAreaKind::Given;
    area.outline = v.points("polygon");
    area.group = v.integer("group");
    if (v.has("band"))
        area.band = v.number("band");
    area.open = v.boolean("open");
    // A polyline that does not close has no inside: only its band is touched.
    if (error.kind == DocumentError::Kind::None && area.open && !(area.band > 0))
        JsonFields::fail(error,
                         v.has("band") ? DocumentError::Kind::NotPositive
                                       : DocumentError::Kind::MissingKey,
                         path + QStringLiteral(".band"));
    return area;
}

TouchPoint readTouchPoint(const QJsonValue &value, const QString &path, DocumentError &error) {
    const PartValues v = read(PartKind::TouchPoint, value, path, error);
    return {{v.number("at/0"), v.number("at/1")},
            v.integer("group"),
            v.value(QStringLiteral("name")).toString().toStdString()};
}

SafetyCriteria readSafety(const QJsonValue &value, DocumentError &error,
                          std::vector<Point2> &zone) {
    const PartValues v =
        PartSchema::read(PartSchema::safetyFields(), value, QStringLiteral("safety"), error);
    SafetyCriteria s;
    s.faultDuration = v.number("duration");
    s.body = v.integer("body") == 70 ? BodyWeight::Kg70 : BodyWeight::Kg50;
    if (v.hasUnder("surface"))
        s.surface = SurfaceLayer{v.number("surface/rho"), v.number("surface/thickness")};
    zone = v.points("surface/area");
    const QString criteria = v.value(QStringLiteral("criteria")).toString();
    s.criteria = criteria == QLatin1String(PartSchema::criteriaName(Criteria::En50522))
                     ? Criteria::En50522
                     : Criteria::Ieee80;
    s.footwear = v.number("footwear");
    return s;
}

QJsonObject write(const Conductor &c) {
    PartValues v;
    v.set("from/0", c.from.x);
    v.set("from/1", c.from.y);
    v.set("from/2", c.from.z);
    v.set("to/0", c.to.x);
    v.set("to/1", c.to.y);
    v.set("to/2", c.to.z);
    v.set("diameter", c.diameter);
    v.set("group", c.group);
    return write(PartKind::Conductor, v);
}

QJsonObject write(const SystemDocument::Grid &grid) {
    PartValues v;
    setRectangle(grid.grid, v);
    setGridRods(grid.rods, v);
    return write(PartKind::Grid, v);
}

QJsonObject write(const SystemDocument::Rods &rods) {
    PartValues v;
    v.setPoints("at", rods.at);
    v.set("top", rods.top);
    v.set("length", rods.length);
    v.set("diameter", rods.diameter);
    v.set("group", rods.group);
    return write(PartKind::Rods, v);
}

QJsonObject write(const SystemDocument::LGrid &grid) {
    PartValues v;
    setRectangle(grid.grid.bounds, v);
    v.set("cut/0", grid.grid.cutX);
    v.set("cut/1", grid.grid.cutY);
    setGridRods(grid.rods, v);
    return write(PartKind::LGrid, v);
}

QJsonObject write(const RodRing &r) {
    PartValues v;
    v.set("centre/0", r.centre.x);
    v.set("centre/1", r.centre.y);
    v.set("radius", r.radius);
    v.set("count", r.count);
    v.set("depth", r.depth);
    v.set("diameter", r.diameter);
    v.set("rod/length", r.rodLength);
    v.set("rod/diameter", r.rodDiameter);
    v.set("group", r.group);
    return write(PartKind::Ring, v);
}

QJsonObject write(const SystemDocument::Fence &fence) {
    PartValues v;
    if (fence.fence.outline.empty()) {
        v.set("distance", fence.fence.distance);
    } else {
        v.setPoints("polyline", fence.fence.outline);
        v.set("closed", fence.fence.closed);
    }
    v.set("posts/spacing", fence.fence.spacing);
    v.set("posts/length", fence.fence.length);
    v.set("posts/diameter", fence.fence.diameter);
    v.set("posts/top", fence.fence.top);
    if (fence.group)
        v.set("group", *fence.group);
    return write(PartKind::Fence, v);
}

QJsonObject write(const TouchArea &area) {
    PartValues v;
    v.setPoints("polygon", area.outline);
    v.set("group", area.group);
    if (area.band > 0)
        v.set("band", area.band);
    if (area.open && area.band > 0)
        v.set("open", true);
    return write(PartKind::TouchArea, v);
}

QJsonObject write(const TouchPoint &point) {
    PartValues v;
    v.set("at/0", point.at.x);
    v.set("at/1", point.at.y);
    v.set("group", point.group);
    v.set("name", QString::fromStdString(point.name));
    return write(PartKind::TouchPoint, v);
}

QJsonObject write(const SafetyCriteria &safety, const std::vector<Point2> &zone) {
    PartValues v;
    v.set("duration", safety.faultDuration);
    v.set("body", safety.body == BodyWeight::Kg70 ? 70 : 50);
    if (safety.surface) {
        v.set("surface/rho", safety.surface->resistivity);
        v.set("surface/thickness", safety.surface->thickness);
        if (!zone.empty())
            v.setPoints("surface/area", zone);
    }
    v.set("criteria", QLatin1String(PartSchema::criteriaName(safety.criteria)));
    v.set("footwear", safety.footwear);
    QJsonObject o = PartSchema::write(PartSchema::safetyFields(), v);
    // No surface layer is written as null, that a reader sees it was left out on purpose.
    if (!safety.surface)
        o[QStringLiteral("surface")] = QJsonValue(QJsonValue::Null);
    return o;
}

} // namespace tav::StudyParts
