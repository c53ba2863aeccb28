#include "document/StudyParts.h"

#include <cmath>

namespace tav::StudyParts {

using namespace earthing;

namespace {

QJsonArray pair(double a, double b) {
    return {a, b};
}

// Origin, size, conductors each way, depth, diameter and group, as a grid and an L take them.
RectangularGrid readRectangle(JsonFields &f, DocumentError &error) {
    RectangularGrid g;
    double origin[2] = {0, 0};
    double size[2] = {0, 0};
    double counts[2] = {0, 0};
    if (f.has("origin") && !f.failed())
        JsonFields::numbers(f.value("origin", true), f.path("origin"), 2, origin, error);
    const QJsonValue sizeValue = f.value("size", true);
    if (!f.failed() && JsonFields::numbers(sizeValue, f.path("size"), 2, size, error))
        for (int k = 0; k < 2; ++k)
            if (!(size[k] > 0))
                JsonFields::fail(error, DocumentError::Kind::NotPositive,
                                 JsonFields::indexed(f.path("size"), k));
    const QJsonValue countValue = f.value("conductors", true);
    if (!f.failed() && JsonFields::numbers(countValue, f.path("conductors"), 2, counts, error))
        for (int k = 0; k < 2; ++k)
            if (counts[k] != std::trunc(counts[k]) || counts[k] < 1 || counts[k] > kMaxCount)
                JsonFields::fail(error, DocumentError::Kind::CountOutOfRange,
                                 JsonFields::indexed(f.path("conductors"), k), kMaxCount);
    g.x0 = origin[0];
    g.y0 = origin[1];
    g.sizeX = size[0];
    g.sizeY = size[1];
    g.countX = int(counts[0]);
    g.countY = int(counts[1]);
    g.depth = f.number("depth", 0, true);
    g.diameter = f.positive("diameter", 0, true);
    g.group = f.integer("group", 0, false);
    return g;
}

std::optional<SystemDocument::GridRods> readGridRods(JsonFields &f, DocumentError &error) {
    if (!f.has("rods") || f.failed())
        return std::nullopt;
    JsonFields r(f.value("rods", true), f.path("rods"), error);
    r.allowOnly({"count", "corners", "length", "diameter"});
    SystemDocument::GridRods rods;
    const QJsonValue corners = r.value("corners", false);
    if (!corners.isUndefined() && !corners.isNull() && !corners.isBool())
        JsonFields::fail(error, DocumentError::Kind::NotABoolean, r.path("corners"));
    rods.corners = corners.toBool(false);
    if (!rods.corners)
        rods.count = r.count("count", kMaxCount);
    rods.length = r.positive("length", 0, true);
    rods.diameter = r.positive("diameter", 0, true);
    return rods;
}

QJsonObject writeRectangle(const RectangularGrid &g) {
    return {{QStringLiteral("origin"), pair(g.x0, g.y0)},
            {QStringLiteral("size"), pair(g.sizeX, g.sizeY)},
            {QStringLiteral("conductors"), QJsonArray{g.countX, g.countY}},
            {QStringLiteral("depth"), g.depth},
            {QStringLiteral("diameter"), g.diameter},
            {QStringLiteral("group"), g.group}};
}

void writeGridRods(const std::optional<SystemDocument::GridRods> &rods, QJsonObject &o) {
    if (!rods)
        return;
    QJsonObject r{{QStringLiteral("length"), rods->length},
                  {QStringLiteral("diameter"), rods->diameter}};
    if (rods->corners)
        r[QStringLiteral("corners")] = true;
    else
        r[QStringLiteral("count")] = rods->count;
    o[QStringLiteral("rods")] = r;
}

} // namespace

SystemDocument::Grid readGrid(const QJsonValue &value, const QString &path, DocumentError &error) {
    JsonFields f(value, path, error);
    f.allowOnly({"origin", "size", "conductors", "depth", "diameter", "group", "rods"});
    SystemDocument::Grid g;
    g.grid = readRectangle(f, error);
    g.rods = readGridRods(f, error);
    return g;
}

SystemDocument::LGrid readLGrid(const QJsonValue &value, const QString &path,
                                DocumentError &error) {
    JsonFields f(value, path, error);
    f.allowOnly({"origin", "size", "cut", "conductors", "depth", "diameter", "group", "rods"});
    SystemDocument::LGrid l;
    l.grid.bounds = readRectangle(f, error);
    double cut[2] = {0, 0};
    const QJsonValue cutValue = f.value("cut", true);
    if (!f.failed() && JsonFields::numbers(cutValue, f.path("cut"), 2, cut, error)) {
        const double size[2] = {l.grid.bounds.sizeX, l.grid.bounds.sizeY};
        for (int k = 0; k < 2; ++k)
            if (!(cut[k] > 0))
                JsonFields::fail(error, DocumentError::Kind::NotPositive,
                                 JsonFields::indexed(f.path("cut"), k));
            else if (!(cut[k] < size[k]))
                JsonFields::fail(error, DocumentError::Kind::CutTooLarge, f.path("cut"));
    }
    l.grid.cutX = cut[0];
    l.grid.cutY = cut[1];
    l.rods = readGridRods(f, error);
    return l;
}

RodRing readRing(const QJsonValue &value, const QString &path, DocumentError &error) {
    JsonFields f(value, path, error);
    f.allowOnly({"centre", "radius", "count", "depth", "diameter", "rod", "group"});
    RodRing r;
    double centre[2] = {0, 0};
    const QJsonValue centreValue = f.value("centre", true);
    if (!f.failed())
        JsonFields::numbers(centreValue, f.path("centre"), 2, centre, error);
    r.centre = {centre[0], centre[1]};
    r.radius = f.positive("radius", 0, true);
    r.count = f.integer("count", 0, true);
    if (!f.failed() && (r.count < 3 || r.count > kMaxCount))
        JsonFields::fail(error, DocumentError::Kind::TooFewRods, f.path("count"), kMaxCount);
    r.depth = f.number("depth", 0, true);
    r.diameter = f.positive("diameter", 0, true);
    const QJsonValue rodValue = f.value("rod", true);
    if (!f.failed()) {
        JsonFields rod(rodValue, f.path("rod"), error);
        rod.allowOnly({"length", "diameter"});
        r.rodLength = rod.positive("length", 0, true);
        r.rodDiameter = rod.positive("diameter", 0, true);
    }
    r.group = f.integer("group", 0, false);
    return r;
}

SystemDocument::Fence readFence(const QJsonValue &value, const QString &path,
                                DocumentError &error) {
    JsonFields f(value, path, error);
    f.allowOnly({"distance", "posts", "group"});
    SystemDocument::Fence fence;
    fence.fence.distance = f.positive("distance", 0, true);
    const QJsonValue posts = f.value("posts", true);
    if (!f.failed()) {
        JsonFields p(posts, f.path("posts"), error);
        p.allowOnly({"spacing", "length", "diameter", "top"});
        fence.fence.spacing = p.positive("spacing", 0, true);
        fence.fence.length = p.positive("length", 0, true);
        fence.fence.diameter = p.positive("diameter", 0, true);
        fence.fence.top = p.number("top", fence.fence.top, false);
    }
    if (f.has("group") && !f.isNull("group"))
        fence.group = f.integer("group", 0, true);
    return fence;
}

SafetyCriteria readSafety(const QJsonValue &value, DocumentError &error) {
    JsonFields f(value, QStringLiteral("safety"), error);
    f.allowOnly({"duration", "body", "surface"});
    SafetyCriteria s;
    s.faultDuration = f.positive("duration", 0, true);
    const int body = f.integer("body", 50, false);
    if (!f.failed() && body != 50 && body != 70)
        JsonFields::fail(error, DocumentError::Kind::NotBodyWeight, f.path("body"));
    s.body = body == 70 ? BodyWeight::Kg70 : BodyWeight::Kg50;
    if (f.has("surface") && !f.isNull("surface") && !f.failed()) {
        JsonFields layer(f.value("surface", true), f.path("surface"), error);
        layer.allowOnly({"rho", "thickness"});
        SurfaceLayer surface;
        surface.resistivity = layer.positive("rho", 0, true);
        surface.thickness = layer.positive("thickness", 0, true);
        s.surface = surface;
    }
    return s;
}

QJsonObject write(const SystemDocument::Grid &grid) {
    QJsonObject o = writeRectangle(grid.grid);
    writeGridRods(grid.rods, o);
    return o;
}

QJsonObject write(const SystemDocument::LGrid &grid) {
    QJsonObject o = writeRectangle(grid.grid.bounds);
    o[QStringLiteral("cut")] = pair(grid.grid.cutX, grid.grid.cutY);
    writeGridRods(grid.rods, o);
    return o;
}

QJsonObject write(const RodRing &r) {
    return {{QStringLiteral("centre"), pair(r.centre.x, r.centre.y)},
            {QStringLiteral("radius"), r.radius},
            {QStringLiteral("count"), r.count},
            {QStringLiteral("depth"), r.depth},
            {QStringLiteral("diameter"), r.diameter},
            {QStringLiteral("rod"), QJsonObject{{QStringLiteral("length"), r.rodLength},
                                                {QStringLiteral("diameter"), r.rodDiameter}}},
            {QStringLiteral("group"), r.group}};
}

QJsonObject write(const SystemDocument::Fence &fence) {
    const earthing::Fence &f = fence.fence;
    QJsonObject o{{QStringLiteral("distance"), f.distance},
                  {QStringLiteral("posts"), QJsonObject{{QStringLiteral("spacing"), f.spacing},
                                                        {QStringLiteral("length"), f.length},
                                                        {QStringLiteral("diameter"), f.diameter},
                                                        {QStringLiteral("top"), f.top}}}};
    if (fence.group)
        o[QStringLiteral("group")] = *fence.group;
    return o;
}

QJsonObject write(const SafetyCriteria &safety) {
    QJsonObject o{{QStringLiteral("duration"), safety.faultDuration},
                  {QStringLiteral("body"), safety.body == BodyWeight::Kg70 ? 70 : 50}};
    o[QStringLiteral("surface")] =
        safety.surface
            ? QJsonValue(QJsonObject{{QStringLiteral("rho"), safety.surface->resistivity},
                                     {QStringLiteral("thickness"), safety.surface->thickness}})
            : QJsonValue(QJsonValue::Null);
    return o;
}

} // namespace tav::StudyParts
