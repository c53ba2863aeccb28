#include "document/DesignJson.h"

#include "core/earthing/PlanPolygon.h"
#include "document/JsonFields.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>

namespace tav {

using design::DesignBrief;
using earthing::Point2;
using Kind = DocumentError::Kind;

namespace {

// A simple polygon with an inside, as a touch area's: else lines clipped to it would not
// lie inside it.
void checkOutline(const std::vector<Point2> &corners, const QString &path, DocumentError &error) {
    if (corners.size() < 3) {
        JsonFields::fail(error, Kind::TooFewCorners, path);
        return;
    }
    if (corners.size() > earthing::PlanPolygon::kMostCorners) {
        JsonFields::fail(error, Kind::TooManyCorners, path,
                         int(earthing::PlanPolygon::kMostCorners));
        return;
    }
    std::vector<Point2> local;
    for (const Point2 &p : corners)
        local.push_back({p.x - corners[0].x, p.y - corners[0].y});
    const earthing::Rectangle box = earthing::PlanPolygon::bounds(local);
    const double extent = std::max(box.x1 - box.x0, box.y1 - box.y0);
    const auto flat = [&](const std::vector<Point2> &polygon) {
        return polygon.size() < 3 ||
               !(std::abs(earthing::PlanPolygon::area(polygon)) > 1e-9 * extent * extent);
    };
    if (flat(earthing::PlanPolygon::convexHull(local)))
        JsonFields::fail(error, Kind::NoArea, path);
    else if (earthing::PlanPolygon::selfCrossing(local))
        JsonFields::fail(error, Kind::SelfCrossing, path);
    else if (flat(local))
        JsonFields::fail(error, Kind::NoArea, path);
}

double price(JsonFields &f, const char *key, bool required, DocumentError &error) {
    const double v = f.number(key, 0, required);
    if (!f.failed() && v < 0)
        JsonFields::fail(error, Kind::Negative, f.path(key));
    return v;
}

std::vector<double> rodLengths(JsonFields &f, DocumentError &error) {
    std::vector<double> lengths;
    const QJsonValue v = f.value("rod_lengths", true);
    if (f.failed())
        return lengths;
    const QString path = f.path("rod_lengths");
    if (!v.isArray()) {
        JsonFields::fail(error, Kind::NotAnArray, path);
        return lengths;
    }
    const QJsonArray array = v.toArray();
    if (array.isEmpty())
        JsonFields::fail(error, Kind::NoRodLengths, path);
    for (qsizetype k = 0; k < array.size() && !f.failed(); ++k) {
        const QString at = JsonFields::indexed(path, int(k));
        if (!array[k].isDouble())
            JsonFields::fail(error, Kind::NotANumber, at);
        else if (const double length = array[k].toDouble();
                 !(length > 0 && length <= DesignBrief::kGreatestRodLength))
            JsonFields::fail(error, Kind::DesignRodLength, at);
        else
            lengths.push_back(length);
    }
    return lengths;
}

} // namespace

design::Prices DesignJson::readPrices(const QJsonValue &value, const QString &path,
                                      DocumentError &error) {
    design::Prices prices;
    JsonFields p(value, path, error);
    p.allowOnly({"conductor_per_m", "rod_per_m", "surface_per_m2"});
    prices.conductorPerM = price(p, "conductor_per_m", true, error);
    prices.rodPerM = price(p, "rod_per_m", true, error);
    if (p.has("surface_per_m2") && !p.isNull("surface_per_m2"))
        prices.surfacePerM2 = price(p, "surface_per_m2", true, error);
    return prices;
}

QJsonObject DesignJson::writePrices(const design::Prices &given) {
    QJsonObject prices{{QStringLiteral("conductor_per_m"), given.conductorPerM},
                       {QStringLiteral("rod_per_m"), given.rodPerM}};
    if (given.surfacePerM2)
        prices[QStringLiteral("surface_per_m2")] = *given.surfacePerM2;
    return prices;
}

DesignBrief DesignJson::read(const QJsonValue &value, const QString &path, DocumentError &error) {
    DesignBrief brief;
    JsonFields f(value, path, error);
    f.allowOnly({"outline", "prices", "rod_lengths", "depth", "diameter"});
    brief.outline = f.points2("outline", true);
    if (!f.failed())
        checkOutline(brief.outline, f.path("outline"), error);
    const QJsonValue prices = f.value("prices", true);
    if (!f.failed())
        brief.prices = readPrices(prices, f.path("prices"), error);
    if (!f.failed())
        brief.rodLengths = rodLengths(f, error);
    brief.depth = f.number("depth", brief.depth, false);
    if (!f.failed() &&
        !(brief.depth >= DesignBrief::kLeastDepth && brief.depth <= DesignBrief::kGreatestDepth))
        JsonFields::fail(error, Kind::DesignDepth, f.path("depth"));
    brief.diameter = f.number("diameter", brief.diameter, false);
    if (!f.failed() && !(brief.diameter > 0 && brief.diameter <= DesignBrief::kGreatestDiameter))
        JsonFields::fail(error, Kind::DesignDiameter, f.path("diameter"));
    return brief;
}

QJsonObject DesignJson::write(const DesignBrief &brief) {
    QJsonArray outline;
    for (const Point2 &p : brief.outline)
        outline.append(QJsonArray{p.x, p.y});
    QJsonArray lengths;
    for (const double l : brief.rodLengths)
        lengths.append(l);
    return {{QStringLiteral("outline"), outline},
            {QStringLiteral("prices"), writePrices(brief.prices)},
            {QStringLiteral("rod_lengths"), lengths},
            {QStringLiteral("depth"), brief.depth},
            {QStringLiteral("diameter"), brief.diameter}};
}

} // namespace tav
