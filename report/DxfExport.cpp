#include "report/DxfExport.h"

#include "core/NumericText.h"
#include "report/Contour.h"
#include "report/MapPicture.h"

#include <QString>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>

namespace {

using tav::cad::DxfPlan;
using tav::cad::DxfPolyline;
using tav::cad::DxfVertex;
using tav::earthing::EarthingResult;
using tav::earthing::Point2;

// AutoCAD's colour index of each kind of layer.
constexpr int kConductorColour = 1;
constexpr int kRodColour = 5;
constexpr int kAreaColour = 3;
constexpr int kFenceColour = 8;
constexpr int kZoneColour = 4;
constexpr int kWorstColour = 6;
constexpr int kRasterColour = 9;
constexpr int kPotentialColour = 2;
constexpr int kTouchColour = 30;
constexpr int kTolerableColour = 1;

void addLayer(DxfPlan &plan, const std::string &name, int colour) {
    const bool known = std::any_of(plan.layers.begin(), plan.layers.end(),
                                   [&name](const tav::cad::DxfLayer &l) { return l.name == name; });
    if (!known)
        plan.layers.push_back({name, colour});
}

void addOutline(DxfPlan &plan, const std::string &layer, const std::vector<Point2> &corners,
                bool closed = true) {
    if (corners.size() < 2)
        return;
    DxfPolyline line{layer, {}, closed};
    for (const Point2 &p : corners)
        line.vertices.push_back({p.x, p.y, 0});
    plan.polylines.push_back(std::move(line));
}

// "100", "0.5", "1500": a level as its layer names it.
std::string levelName(double level) {
    return tav::NumericText::formatReal(level, 6);
}

// The height of the text at the worst points: legible on the plan's scale.
double textHeight(const tav::earthing::RasterGrid &raster) {
    const double extent = std::max(raster.nx, raster.ny) * raster.step;
    return std::max(0.25, extent / 100);
}

// Its value along the line, at its middle, turned with it and never upside down.
tav::cad::DxfText label(const std::string &layer, const QPolygonF &line, const std::string &text,
                        double height) {
    const int middle = int(line.size()) / 2;
    const QPointF a = line[std::max(0, middle - 1)];
    const QPointF b = line[std::min(int(line.size()) - 1, middle + (middle == 0 ? 1 : 0))];
    double degrees = std::atan2(b.y() - a.y(), b.x() - a.x()) * 180 / M_PI;
    if (degrees > 90)
        degrees -= 180;
    else if (degrees < -90)
        degrees += 180;
    const QPointF at = line[middle];
    return {layer, {at.x(), at.y(), 0}, height, degrees, text};
}

// The isolines of the level on the layer, each labelled with the text.
void addContours(DxfPlan &plan, const EarthingResult &result, const std::vector<double> &values,
                 double level, const std::string &layer, int colour, const std::string &text) {
    const QVector<QPolygonF> lines = Contour::polylines(result.raster, values, level);
    if (lines.isEmpty())
        return;
    addLayer(plan, layer, colour);
    for (const QPolygonF &polygon : lines) {
        if (polygon.size() < 2)
            continue;
        DxfPolyline line{layer, {}, false};
        for (const QPointF &p : polygon)
            line.vertices.push_back({p.x(), p.y(), 0});
        // A loop is given with its last point its first: closed instead.
        if (line.vertices.size() > 2 && polygon.isClosed()) {
            line.vertices.pop_back();
            line.closed = true;
        }
        plan.polylines.push_back(std::move(line));
        plan.texts.push_back(label(layer, polygon, text, textHeight(result.raster) / 2));
    }
}

} // namespace

std::string DxfExport::partLayer(const tav::ConductorSource &source) {
    std::string key = tav::PartSchema::key(source.kind);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return "PART_" + std::to_string(source.index + 1) + "_" + key;
}

DxfPlan DxfExport::plan(const tav::SystemDocument &document,
                        const tav::SystemEvaluation &evaluation) {
    DxfPlan plan;
    addConductors(plan, document);
    if (evaluation.result) {
        addPlaces(plan, *evaluation.result);
        addWorst(plan, *evaluation.result);
        addIsolines(plan, evaluation);
    }
    return plan;
}

void DxfExport::addConductors(DxfPlan &plan, const tav::SystemDocument &document) {
    const std::vector<tav::earthing::Conductor> conductors = document.input().conductors;
    const std::vector<tav::ConductorSource> sources = document.sources();
    for (std::size_t k = 0; k < conductors.size() && k < sources.size(); ++k) {
        const tav::earthing::Conductor &c = conductors[k];
        const std::string layer = partLayer(sources[k]);
        // A rod stands upright: seen from above, its circle.
        if (c.from.x == c.to.x && c.from.y == c.to.y) {
            addLayer(plan, layer + "_RODS", kRodColour);
            plan.circles.push_back({layer + "_RODS",
                                    {c.from.x, c.from.y, -std::min(c.from.z, c.to.z)},
                                    c.diameter / 2});
            continue;
        }
        addLayer(plan, layer, kConductorColour);
        // CAD's z points up: a depth is drawn below 0.
        plan.lines.push_back({layer, {c.from.x, c.from.y, -c.from.z}, {c.to.x, c.to.y, -c.to.z}});
    }
}

void DxfExport::addPlaces(DxfPlan &plan, const EarthingResult &result) {
    for (const tav::earthing::TouchArea &area : result.touchAreas) {
        const bool fence = area.kind == tav::earthing::TouchAreaKind::Fence;
        const std::string layer = fence ? "FENCE" : "TOUCH_AREAS";
        addLayer(plan, layer, fence ? kFenceColour : kAreaColour);
        addOutline(plan, layer, area.outline, !(area.open && area.band > 0));
    }
    if (!result.surfaceZone.empty()) {
        addLayer(plan, "SURFACE_LAYER", kZoneColour);
        addOutline(plan, "SURFACE_LAYER", result.surfaceZone);
    }
    const tav::earthing::RasterGrid &r = result.raster;
    if (r.nx > 1 && r.ny > 1) {
        addLayer(plan, "RASTER", kRasterColour);
        const double x1 = r.x(r.nx - 1);
        const double y1 = r.y(r.ny - 1);
        addOutline(plan, "RASTER", {{r.x0, r.y0}, {x1, r.y0}, {x1, y1}, {r.x0, y1}});
    }
}

void DxfExport::addWorst(DxfPlan &plan, const EarthingResult &result) {
    const double height = textHeight(result.raster);
    const auto mark = [&](const std::string &layer, const Point2 &at, const char *what,
                          double volts) {
        addLayer(plan, layer, kWorstColour);
        plan.points.push_back({layer, {at.x, at.y, 0}});
        plan.texts.push_back(
            {layer,
             {at.x + height / 2, at.y + height / 2, 0},
             height,
             0,
             std::string(what) + " " + tav::NumericText::formatReal(volts, 4) + " V"});
    };
    if (result.touchMax)
        mark("WORST_TOUCH", result.touchMax->at, "Touch", result.touchMax->voltage);
    mark("WORST_STEP", result.stepMax.middle(), "Step", result.stepMax.voltage);
}

void DxfExport::addIsolines(DxfPlan &plan, const tav::SystemEvaluation &evaluation) {
    const EarthingResult &result = *evaluation.result;
    if (result.raster.size() == 0)
        return;
    const struct {
        PlanPicture::Map map;
        const char *prefix;
        int colour;
    } maps[] = {{PlanPicture::Map::Potential, "POTENTIAL_", kPotentialColour},
                {PlanPicture::Map::Touch, "TOUCH_", kTouchColour}};
    for (const auto &m : maps) {
        const MapPicture picture(result, m.map);
        for (double level : picture.levels())
            addContours(plan, result, picture.values(), level, m.prefix + levelName(level) + "V",
                        m.colour, levelName(level) + " V");
    }
    // Where the touch voltage meets the tolerable one, on the surface layer's limit.
    if (evaluation.safety && evaluation.safety->onLayer.touch > 0) {
        const MapPicture touch(result, PlanPicture::Map::Touch);
        const double tolerable = evaluation.safety->onLayer.touch;
        addContours(plan, result, touch.values(), tolerable, "TOUCH_TOLERABLE", kTolerableColour,
                    tav::NumericText::formatReal(tolerable, 4) + " V");
    }
}
