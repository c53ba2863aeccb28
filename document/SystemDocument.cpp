#include "document/SystemDocument.h"

#include "document/DesignJson.h"
#include "document/DesignRecordJson.h"
#include "document/DuplicateKeys.h"
#include "document/JsonFields.h"
#include "document/ResultJson.h"
#include "document/StudyCases.h"
#include "document/StudyParts.h"

#include "core/earthing/InputCheck.h"
#include "core/earthing/TouchAreas.h"

#include <QJsonDocument>

#include <algorithm>
#include <cmath>

namespace tav {

using namespace earthing;

namespace {

// One layer of tav-calc soil-model's list: its resistivity, and its thickness unless it is
// the last, which goes down without end. The bounds soil-model writes beside may come along.
void readLayer(const QJsonValue &value, const QString &path, bool last, std::vector<double> &rho,
               std::vector<double> &thickness, DocumentError &error) {
    JsonFields f(value, path, error);
    f.allowOnly({"rho", "thickness", "rho_at_least", "rho_at_most", "thickness_at_least",
                 "thickness_at_most", "conductance", "transverse_resistance", "at_least",
                 "at_most"});
    rho.push_back(f.positive("rho", 0, true));
    if (!last) {
        thickness.push_back(f.positive("thickness", 0, true));
    } else if (!f.failed() && f.has("thickness") && !f.isNull("thickness")) {
        JsonFields::fail(error, DocumentError::Kind::LastLayerThickness, f.path("thickness"));
    }
}

EarthingSoil readLayers(const QJsonValue &value, const QString &path, DocumentError &error) {
    if (!value.isArray()) {
        JsonFields::fail(error, DocumentError::Kind::NotAnArray, path);
        return {};
    }
    const QJsonArray array = value.toArray();
    if (array.isEmpty()) {
        JsonFields::fail(error, DocumentError::Kind::NoLayers, path);
        return {};
    }
    if (array.size() > SystemDocument::kMaxLayers) {
        JsonFields::fail(error, DocumentError::Kind::TooManyLayers, path, int(array.size()));
        return {};
    }
    std::vector<double> rho, thickness;
    for (int k = 0; k < array.size() && error.kind == DocumentError::Kind::None; ++k)
        readLayer(array[k], JsonFields::indexed(path, k), k + 1 == array.size(), rho, thickness,
                  error);
    if (error.kind != DocumentError::Kind::None)
        return {};
    return EarthingSoil::layers(rho, thickness);
}

// rho, or rho1, rho2 and h (h null, or layered false: soil-model's uniform answer).
EarthingSoil readNamedSoil(JsonFields &f, bool uniform, DocumentError &error) {
    if (uniform)
        return EarthingSoil::uniform(f.number("rho", 0, true));
    const double rho1 = f.number("rho1", 0, true);
    const QJsonValue layeredFlag = f.value("layered", false);
    if (!layeredFlag.isUndefined() && !layeredFlag.isNull() && !layeredFlag.isBool()) {
        JsonFields::fail(error, DocumentError::Kind::NotABoolean, f.path("layered"));
        return {};
    }
    // soil-model's uniform answer: h null, rho2 equal to rho1.
    if (f.isNull("h") || (layeredFlag.isBool() && !layeredFlag.toBool()))
        return EarthingSoil::uniform(rho1);
    const double rho2 = f.number("rho2", 0, true);
    return EarthingSoil::twoLayer(rho1, rho2, f.number("h", 0, true));
}

// The first value of the layers that differs from the same soil named beside them, by its
// path; empty when the two are one soil. Compared to a part in 10^9: both are written
// from one fit, and a hand may write 100 for 100.0.
QString disagreement(const EarthingSoil &layers, const EarthingSoil &named, const QString &path) {
    if (layers.layerCount() != named.layerCount())
        return path;
    const auto differ = [](double a, double b) { return !(std::abs(a - b) <= 1e-9 * std::abs(b)); };
    for (int k = 0; k < layers.layerCount(); ++k) {
        const QString layer = JsonFields::indexed(path, k);
        if (differ(layers.resistivity(k), named.resistivity(k)))
            return layer + QStringLiteral(".rho");
        if (k + 1 < layers.layerCount() &&
            differ(layers.layerThickness(k), named.layerThickness(k)))
            return layer + QStringLiteral(".thickness");
    }
    return QString();
}

EarthingSoil readSoil(const QJsonValue &value, const QString &path, DocumentError &error,
                      bool &layersBeside) {
    JsonFields f(value, path, error);
    // What tav-calc soil-model writes besides rho1, rho2 and h may come along.
    // And what it writes of a soil of N layers: the layers themselves, how their count was
    // chosen, the array, its words and the bounds of what the readings leave open.
    f.allowOnly({"rho", "rho1", "rho2", "h", "layered", "rms_percent", "uniform", "rows",
                 "readings", "layers", "criterion", "array", "warning", "rho1_at_least",
                 "rho1_at_most", "rho2_at_least", "rho2_at_most", "h_at_least", "h_at_most"});
    if (f.failed())
        return {};
    const bool uniform = f.has("rho");
    const bool layered = f.has("rho1") || f.has("rho2") || f.has("h");
    if (f.has("layers") && !f.isNull("layers")) {
        const QJsonValue layers = f.value("layers", true);
        // soil-model writes one or two layers twice, as layers and as rho1, rho2 and h; more
        // layers it writes as layers only.
        const bool twoLayerFit =
            layered && !uniform && layers.isArray() && layers.toArray().size() <= 2;
        if (uniform || (layered && !twoLayerFit)) {
            JsonFields::fail(error, DocumentError::Kind::LayersBeside, path);
            return {};
        }
        if (!twoLayerFit)
            return readLayers(layers, f.path("layers"), error);
        // Both are read, and must be one soil: neither is passed over without a word.
        const EarthingSoil given = readLayers(layers, f.path("layers"), error);
        const EarthingSoil named = error.kind == DocumentError::Kind::None
                                       ? readNamedSoil(f, false, error)
                                       : EarthingSoil();
        if (error.kind != DocumentError::Kind::None)
            return {};
        if (const QString differs = disagreement(given, named, f.path("layers"));
            !differs.isEmpty()) {
            JsonFields::fail(error, DocumentError::Kind::LayersDisagree, differs);
            return {};
        }
        layersBeside = true;
        return named;
    }
    if (uniform == layered) {
        JsonFields::fail(error, DocumentError::Kind::SoilShape, path);
        return {};
    }
    return readNamedSoil(f, uniform, error);
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

// Site coordinates run to millions of metres, beyond the solver's reach: only finite.
std::optional<Point2> readSiteOrigin(JsonFields &f, DocumentError &error) {
    const QJsonValue value = f.value("site_origin", false);
    if (f.failed() || value.isUndefined() || value.isNull())
        return std::nullopt;
    JsonFields o(value, f.path("site_origin"), error);
    o.allowOnly({"x", "y"});
    const Point2 at{o.number("x", 0, true), o.number("y", 0, true)};
    for (const char *key : {"x", "y"})
        if (!o.failed() && !std::isfinite(key[0] == 'x' ? at.x : at.y))
            JsonFields::fail(error, DocumentError::Kind::NotANumber, o.path(key));
    return at;
}

// The network gives the current: a typed one beside it would leave the reader to guess
// which the study took.
void readNetwork(JsonFields &f, SystemDocument &d, DocumentError &error) {
    for (const char *key : {"current", "current_basis"})
        if (f.has(key) && !f.isNull(key)) {
            JsonFields::fail(error, DocumentError::Kind::BesideNetwork, f.path(key));
            return;
        }
    if (f.failed())
        return;
    // Carson's earth return goes deep: the deepest layer's resistivity unless one is given.
    const double deepest = d.soil.resistivity(d.soil.layerCount() - 1);
    d.network = NetworkJson::read(f.value("network", true), f.path("network"), deepest, error);
}

// The study window's profile line, when it keeps one as numbers (its ends' x and y): the
// report and the window sample the field along it, which the solver reaches only so far.
// Any other shape is the window's own and ignored, as the rest of its settings.
void checkProfile(const QJsonObject &window, const QString &path, DocumentError &error) {
    const QJsonArray line = window.value(QLatin1String("profile")).toArray();
    const QString at = path + QStringLiteral(".profile");
    if (!std::all_of(line.begin(), line.end(), [](const QJsonValue &v) { return v.isDouble(); }))
        return;
    for (qsizetype k = 0; k < line.size(); ++k)
        if (!JsonFields::withinReach(line[k].toDouble(), JsonFields::indexed(at, int(k)), error))
            return;
}

} // namespace

earthing::EarthingSoil SystemDocument::readSoilAt(const QJsonValue &value, const QString &path,
                                                  DocumentError &error) {
    bool layersBeside = false;
    return readSoil(value, path, error, layersBeside);
}

// The document's version first, so that a newer document is refused as newer rather than
// for a key this program does not know.
void SystemDocument::readVersion(const QJsonValue &value, DocumentError &error) {
    if (value.isUndefined() || value.isNull())
        return;
    const double v = value.toDouble(0);
    if (!value.isDouble() || v != std::trunc(v) || v < 1)
        JsonFields::fail(error, DocumentError::Kind::NotAVersion, QStringLiteral("version"));
    else if (v > kVersion) {
        JsonFields::fail(error, DocumentError::Kind::NewerVersion, QString(), kVersion);
        error.found = v;
    }
}

SystemDocument SystemDocument::fromJson(const QByteArray &json, DocumentError &error) {
    error = {};
    SystemDocument d;
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError) {
        error.kind = DocumentError::Kind::NotJson;
        error.offset = parse.offset;
        error.parseError = int(parse.error);
        return d;
    }
    if (const QString twice = DuplicateKeys::firstIn(json); !twice.isEmpty()) {
        JsonFields::fail(error, DocumentError::Kind::DuplicateKey, twice);
        return d;
    }
    JsonFields f(document.isObject() ? QJsonValue(document.object()) : QJsonValue(), QString(),
                 error);
    if (!f.failed())
        readVersion(document.object().value(QLatin1String("version")), error);
    f.allowOnly({"version",       "soil",         "current",
                 "current_basis", "conductors",   "grids",
                 "rods",          "l_grids",      "rings",
                 "fences",        "touch_areas",  "touch_points",
                 "points",        "search",       "segment_length",
                 "safety",        "study_window", "north",
                 "drawings",      "site_origin",  "shape_touch_areas",
                 "network",       "cases",        "design",
                 "designed"});
    const QJsonValue soil = f.value("soil", true);
    if (!f.failed()) {
        d.soil = readSoil(soil, QStringLiteral("soil"), error, d.soilLayersBeside);
        d.soilOrigin = InputOrigin::soilOf(soil.toObject());
    }
    if (f.has("network") && !f.isNull("network")) {
        readNetwork(f, d, error);
    } else {
        d.current = f.number("current", 0, true);
        if (!f.failed())
            d.currentBasis =
                InputOrigin::currentOf(f.value("current_basis", false), d.current, error);
    }
    d.conductors = readArray<Conductor>(f, "conductors", error, StudyParts::readConductor);
    d.grids = readArray<Grid>(f, "grids", error, StudyParts::readGrid);
    d.rods = readArray<Rods>(f, "rods", error, StudyParts::readRods);
    d.lGrids = readArray<LGrid>(f, "l_grids", error, StudyParts::readLGrid);
    d.rings = readArray<RodRing>(f, "rings", error, StudyParts::readRing);
    d.drawings = readArray<DrawingPart>(f, "drawings", error, DrawingPart::read);
    d.fences = readArray<Fence>(f, "fences", error, StudyParts::readFence);
    d.touchAreas = readArray<TouchArea>(f, "touch_areas", error, StudyParts::readTouchArea);
    for (std::size_t k = 0; k < d.touchAreas.size(); ++k)
        d.touchAreas[k].part = int(k);
    d.touchPoints = readArray<TouchPoint>(f, "touch_points", error, StudyParts::readTouchPoint);
    if (const QJsonValue shapes = f.value("shape_touch_areas", false);
        !shapes.isUndefined() && !f.failed()) {
        if (!shapes.isBool())
            JsonFields::fail(error, DocumentError::Kind::NotABoolean, f.path("shape_touch_areas"));
        d.shapesGiveTouchAreas = shapes.toBool(true);
    }
    d.points = f.points2("points", false);
    if (f.has("search") && !f.failed()) {
        JsonFields s(f.value("search", true), QStringLiteral("search"), error);
        s.allowOnly({"step", "margin", "reach"});
        d.search.step = s.number("step", d.search.step, false);
        d.search.margin = s.number("margin", d.search.margin, false);
        d.search.reach = s.positive("reach", d.search.reach, false);
    }
    d.segmentLength = f.number("segment_length", d.segmentLength, false);
    d.north = f.number("north", 0, false);
    d.siteOrigin = readSiteOrigin(f, error);
    if (f.has("safety") && !f.isNull("safety") && !f.failed())
        d.safety = StudyParts::readSafety(f.value("safety", true), error, d.surfaceZone);
    // After the soil, the current and the criteria, which a case varies.
    if (f.has("cases") && !f.isNull("cases") && !f.failed())
        d.cases = StudyCases::read(f.value("cases", true), QStringLiteral("cases"), d, error);
    if (f.has("design") && !f.isNull("design") && !f.failed())
        d.design = DesignJson::read(f.value("design", true), QStringLiteral("design"), error);
    if (f.has("designed") && !f.isNull("designed") && !f.failed())
        d.designed =
            DesignRecordJson::read(f.value("designed", true), QStringLiteral("designed"), error);
    // Once every part is read, so that a touch area of a later part's group is kept.
    if (error.kind == DocumentError::Kind::None)
        d.checkGroups(error);
    if (f.has("study_window") && !f.isNull("study_window") && !f.failed()) {
        const QJsonValue window = f.value("study_window", true);
        if (!window.isObject())
            JsonFields::fail(error, DocumentError::Kind::NotAnObject, f.path("study_window"));
        else
            checkProfile(window.toObject(), f.path("study_window"), error);
        d.studyWindow = window.toObject();
    }
    return d;
}

EarthingInput SystemDocument::input() const {
    EarthingInput input;
    input.soil = soil;
    // With a network the solve is for 1 A, scaled to Df I_E once the resistance is known.
    input.current = network ? 1 : current;
    std::vector<ConductorSource> sources;
    input.conductors = expandParts(sources);
    input.points = points;
    input.search = search;
    input.segmentLength = segmentLength;
    if (shapesGiveTouchAreas)
        input.touchAreas = shapeTouchAreas(input.conductors, sources);
    input.touchAreas.insert(input.touchAreas.end(), touchAreas.begin(), touchAreas.end());
    input.touchPoints = touchPoints;
    // Without a surface layer its zone means nothing.
    if (safety && safety->surface)
        input.surfaceZone = surfaceZone;
    return input;
}

std::vector<TouchArea>
SystemDocument::shapeTouchAreas(const std::vector<Conductor> &all,
                                const std::vector<ConductorSource> &from) const {
    // The conductors given one by one come first, each as given; the fences stand round
    // all that comes before them.
    std::vector<TouchArea> areas = TouchAreas::ofClusters(conductors, search.reach);
    std::vector<Conductor> around;
    for (std::size_t k = 0; k < all.size() && k < from.size(); ++k)
        if (from[k].kind != PartKind::Fence)
            around.push_back(all[k]);
    for (std::size_t k = 0; k < grids.size(); ++k)
        areas.push_back(TouchAreas::of(grids[k].grid, int(k)));
    for (std::size_t k = 0; k < lGrids.size(); ++k)
        areas.push_back(TouchAreas::of(lGrids[k].grid, int(k)));
    for (std::size_t k = 0; k < rings.size(); ++k)
        areas.push_back(TouchAreas::of(rings[k], int(k)));
    appendDrawingAreas(areas);
    const std::vector<int> groups = fenceGroups();
    for (std::size_t k = 0; k < fences.size(); ++k) {
        earthing::Fence fence = fences[k].fence;
        fence.group = groups[k];
        TouchArea band = TouchAreas::of(fence, around, search.reach, int(k));
        if (!band.outline.empty())
            areas.push_back(std::move(band));
    }
    return areas;
}

std::vector<int> SystemDocument::fenceGroups() const {
    // The groups of the conductors before the fences, read off the parts rather than
    // expanded: rods at no place give none.
    int highest = 0;
    for (const Conductor &c : conductors)
        highest = std::max(highest, c.group);
    for (const Grid &g : grids)
        highest = std::max(highest, g.grid.group);
    for (const Rods &r : rods)
        if (!r.at.empty())
            highest = std::max(highest, r.group);
    for (const LGrid &l : lGrids)
        highest = std::max(highest, l.grid.bounds.group);
    for (const RodRing &r : rings)
        highest = std::max(highest, r.group);
    for (const DrawingPart &d : drawings)
        if (!d.conductors.empty() || !d.rods.empty())
            highest = std::max(highest, d.group);
    for (const Fence &f : fences)
        highest = std::max(highest, f.group.value_or(0));
    std::vector<int> groups;
    for (const Fence &f : fences)
        groups.push_back(f.group ? *f.group : ++highest);
    return groups;
}

void SystemDocument::checkGroups(DocumentError &error) const {
    std::vector<int> groups = fenceGroups();
    for (const Conductor &c : conductors)
        groups.push_back(c.group);
    for (const Grid &g : grids)
        groups.push_back(g.grid.group);
    for (const Rods &r : rods)
        groups.push_back(r.group);
    for (const LGrid &l : lGrids)
        groups.push_back(l.grid.bounds.group);
    for (const RodRing &r : rings)
        groups.push_back(r.group);
    for (const DrawingPart &d : drawings)
        groups.push_back(d.group);
    const auto has = [&groups](int group) {
        return std::find(groups.begin(), groups.end(), group) != groups.end();
    };
    const auto fail = [&error](const char *key, std::size_t k) {
        JsonFields::fail(error, DocumentError::Kind::UnknownGroup,
                         JsonFields::indexed(QLatin1String(key), int(k)) + QLatin1String(".group"));
    };
    for (std::size_t k = 0; k < touchAreas.size(); ++k)
        if (!has(touchAreas[k].group))
            fail("touch_areas", k);
    for (std::size_t k = 0; k < touchPoints.size(); ++k)
        if (!has(touchPoints[k].group))
            fail("touch_points", k);
}

std::vector<ConductorSource> SystemDocument::sources() const {
    std::vector<ConductorSource> sources;
    expandParts(sources);
    return sources;
}

SystemDocument::Expansion SystemDocument::expanded() const {
    const double limit = double(InputCheck::kMaxConductors);
    double conductors = 0;
    const QString part = partBeyond(limit, conductors);
    if (part.isEmpty())
        return {input(), {}};
    return {Refusal{Error::TooManyConductors, Quantity::None, {conductors, limit}}, part};
}

QString SystemDocument::partBeyond(double limit, double &total) const {
    QString beyond;
    const auto add = [&](double count, PartKind kind, std::size_t index) {
        if (!beyond.isEmpty())
            return;
        total += count;
        if (!(total <= limit))
            beyond = QLatin1String(PartSchema::key(kind)) + QLatin1Char('[') +
                     QString::number(index) + QLatin1Char(']');
    };
    const auto rodCount = [](const std::optional<GridRods> &rods, int corners) {
        return !rods ? 0. : rods->corners ? double(corners) : double(std::max(0, rods->count));
    };
    for (std::size_t k = 0; k < conductors.size(); ++k)
        add(1, PartKind::Conductor, k);
    for (std::size_t k = 0; k < grids.size(); ++k)
        add(ConductorLayout::count(grids[k].grid) + rodCount(grids[k].rods, 4), PartKind::Grid, k);
    for (std::size_t k = 0; k < rods.size(); ++k)
        add(double(rods[k].at.size()), PartKind::Rods, k);
    for (std::size_t k = 0; k < lGrids.size(); ++k)
        add(ConductorLayout::count(lGrids[k].grid) + rodCount(lGrids[k].rods, 6), PartKind::LGrid,
            k);
    for (std::size_t k = 0; k < rings.size(); ++k)
        add(ConductorLayout::count(rings[k]), PartKind::Ring, k);
    for (std::size_t k = 0; k < drawings.size(); ++k)
        add(double(drawings[k].conductors.size() + drawings[k].rods.size()), PartKind::Drawing, k);
    if (!beyond.isEmpty() || fences.empty())
        return beyond;
    // The fences stand round what comes before them, within the limit by now.
    SystemDocument before = *this;
    before.fences.clear();
    std::vector<ConductorSource> sources;
    const std::vector<Conductor> around = before.expandParts(sources);
    for (std::size_t k = 0; k < fences.size(); ++k)
        add(ConductorLayout::count(fences[k].fence, around), PartKind::Fence, k);
    return beyond;
}

namespace {

// Appends the conductors of one part, each with where it came from.
void append(std::vector<Conductor> &conductors, std::vector<ConductorSource> &sources,
            const std::vector<Conductor> &more, PartKind kind, std::size_t index,
            const char *field = "") {
    for (const Conductor &c : more) {
        conductors.push_back(c);
        sources.push_back({kind, int(index), QLatin1String(field)});
    }
}

// A grid's or an L's rods, from its depth down.
std::vector<Conductor> gridRods(const std::vector<Point2> &at, const RectangularGrid &g,
                                const SystemDocument::GridRods &rods) {
    return ConductorLayout::rods(at, g.depth, rods.length, rods.diameter, g.group);
}

} // namespace

std::vector<Conductor> SystemDocument::expandParts(std::vector<ConductorSource> &sources) const {
    std::vector<Conductor> out;
    for (std::size_t k = 0; k < conductors.size(); ++k)
        append(out, sources, {conductors[k]}, PartKind::Conductor, k);
    for (std::size_t k = 0; k < grids.size(); ++k) {
        const Grid &g = grids[k];
        append(out, sources, ConductorLayout::grid(g.grid), PartKind::Grid, k);
        if (g.rods)
            append(out, sources,
                   gridRods(g.rods->corners
                                ? ConductorLayout::cornerPoints(g.grid)
                                : ConductorLayout::perimeterPoints(g.grid, g.rods->count),
                            g.grid, *g.rods),
                   PartKind::Grid, k, "rods");
    }
    for (std::size_t k = 0; k < rods.size(); ++k) {
        const Rods &r = rods[k];
        append(out, sources, ConductorLayout::rods(r.at, r.top, r.length, r.diameter, r.group),
               PartKind::Rods, k);
    }
    appendStudyParts(out, sources);
    return out;
}

void SystemDocument::appendStudyParts(std::vector<Conductor> &out,
                                      std::vector<ConductorSource> &sources) const {
    for (std::size_t k = 0; k < lGrids.size(); ++k) {
        const LGrid &l = lGrids[k];
        append(out, sources, ConductorLayout::lGrid(l.grid), PartKind::LGrid, k);
        if (l.rods)
            append(out, sources,
                   gridRods(l.rods->corners
                                ? ConductorLayout::lCornerPoints(l.grid)
                                : ConductorLayout::lPerimeterPoints(l.grid, l.rods->count),
                            l.grid.bounds, *l.rods),
                   PartKind::LGrid, k, "rods");
    }
    for (std::size_t k = 0; k < rings.size(); ++k) {
        const std::vector<Conductor> ring = ConductorLayout::ring(rings[k]);
        // The ring's sides, then as many rods.
        const auto half = ring.begin() + std::ptrdiff_t(ring.size() / 2);
        append(out, sources, {ring.begin(), half}, PartKind::Ring, k);
        append(out, sources, {half, ring.end()}, PartKind::Ring, k, "rod");
    }
    for (std::size_t k = 0; k < drawings.size(); ++k) {
        // Each conductor named by its row, so that a refusal points at it.
        const std::vector<Conductor> drawn = drawings[k].expanded();
        const std::vector<QString> fields = drawings[k].fieldsOfExpanded();
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            out.push_back(drawn[i]);
            sources.push_back({PartKind::Drawing, int(k), fields[i]});
        }
    }
    const std::vector<int> groups = fenceGroups();
    const std::vector<Conductor> around = out;
    for (std::size_t k = 0; k < fences.size(); ++k) {
        earthing::Fence fence = fences[k].fence;
        fence.group = groups[k];
        append(out, sources, ConductorLayout::fence(fence, around), PartKind::Fence, k, "posts");
    }
}

QByteArray SystemDocument::toJson() const {
    QJsonObject o{{QStringLiteral("version"), version()}};
    QJsonObject s;
    QJsonArray layers;
    for (int k = 0; k < soil.layerCount(); ++k) {
        QJsonObject layer{{QStringLiteral("rho"), soil.resistivity(k)}};
        if (k + 1 < soil.layerCount())
            layer[QStringLiteral("thickness")] = soil.layerThickness(k);
        layers.append(layer);
    }
    if (!soil.rho.empty()) {
        s[QStringLiteral("layers")] = layers;
    } else if (soilLayersBeside) {
        // Both ways, as read: soil-model's uniform answer with h null.
        s[QStringLiteral("layers")] = layers;
        s[QStringLiteral("rho1")] = soil.rho1;
        s[QStringLiteral("rho2")] = soil.layered ? soil.rho2 : soil.rho1;
        s[QStringLiteral("h")] = soil.layered ? QJsonValue(soil.h) : QJsonValue();
        s[QStringLiteral("layered")] = soil.layered;
    } else if (soil.layered) {
        s[QStringLiteral("rho1")] = soil.rho1;
        s[QStringLiteral("rho2")] = soil.rho2;
        s[QStringLiteral("h")] = soil.h;
    } else {
        s[QStringLiteral("rho")] = soil.rho1;
    }
    if (soilOrigin)
        InputOrigin::write(*soilOrigin, s);
    o[QStringLiteral("soil")] = s;
    if (network) {
        o[QStringLiteral("network")] = network->json;
    } else {
        o[QStringLiteral("current")] = current;
        if (currentBasis)
            o[QStringLiteral("current_basis")] = InputOrigin::write(*currentBasis);
    }
    QJsonArray cs;
    for (const Conductor &c : conductors)
        cs.append(StudyParts::write(c));
    o[QStringLiteral("conductors")] = cs;
    writeStudyParts(o);
    QJsonArray ps;
    for (const Point2 &p : points)
        ps.append(point(p.x, p.y));
    o[QStringLiteral("points")] = ps;
    o[QStringLiteral("search")] = QJsonObject{{QStringLiteral("step"), search.step},
                                              {QStringLiteral("margin"), search.margin},
                                              {QStringLiteral("reach"), search.reach}};
    o[QStringLiteral("segment_length")] = segmentLength;
    if (north != 0)
        o[QStringLiteral("north")] = north;
    if (siteOrigin)
        o[QStringLiteral("site_origin")] =
            QJsonObject{{QStringLiteral("x"), siteOrigin->x}, {QStringLiteral("y"), siteOrigin->y}};
    if (safety)
        o[QStringLiteral("safety")] = StudyParts::write(*safety, surfaceZone);
    if (!cases.empty())
        o[QStringLiteral("cases")] = StudyCases::write(cases);
    if (design)
        o[QStringLiteral("design")] = DesignJson::write(*design);
    if (designed)
        o[QStringLiteral("designed")] = DesignRecordJson::write(*designed);
    if (!studyWindow.isEmpty())
        o[QStringLiteral("study_window")] = studyWindow;
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

void SystemDocument::writeStudyParts(QJsonObject &o) const {
    const auto add = [&o](const char *key, const auto &parts) {
        if (parts.empty())
            return;
        QJsonArray array;
        for (const auto &part : parts)
            array.append(StudyParts::write(part));
        o[QLatin1String(key)] = array;
    };
    add("grids", grids);
    add("rods", rods);
    add("l_grids", lGrids);
    add("rings", rings);
    if (!drawings.empty()) {
        QJsonArray array;
        for (const DrawingPart &d : drawings)
            array.append(d.write());
        o[QStringLiteral("drawings")] = array;
    }
    add("fences", fences);
    add("touch_areas", touchAreas);
    add("touch_points", touchPoints);
    if (!shapesGiveTouchAreas)
        o[QStringLiteral("shape_touch_areas")] = false;
}

SystemDocument SystemDocument::made() {
    SystemDocument d;
    d.soil = EarthingSoil::uniform(100);
    d.current = 1000;
    SafetyCriteria criteria;
    criteria.faultDuration = 0.5;
    criteria.body = BodyWeight::Kg70;
    d.safety = criteria;
    return d;
}

QString ConductorSource::path() const {
    QString path = JsonFields::indexed(QLatin1String(PartSchema::key(kind)), index);
    return field.isEmpty() ? path : path + QLatin1Char('.') + field;
}

int SystemDocument::version() const {
    return versionFor(!drawings.empty() || siteOrigin, network.has_value(), !cases.empty(),
                      design.has_value() || designed.has_value());
}

int SystemDocument::versionFor(bool drawingsOrOrigin, bool network, bool cases, bool design) {
    return design ? 5 : cases ? 4 : network ? 3 : drawingsOrOrigin ? 2 : kFirstVersion;
}

void SystemDocument::appendDrawingAreas(std::vector<TouchArea> &areas) const {
    // A drawing's conductors are given one by one: the convex hull of each cluster, as the
    // document's own conductors give, numbered on after theirs.
    int clusters = 0;
    for (const TouchArea &a : areas)
        if (a.kind == TouchAreaKind::Conductors)
            clusters = std::max(clusters, a.part + 1);
    for (const DrawingPart &d : drawings)
        for (TouchArea area : TouchAreas::ofClusters(d.expanded(), search.reach)) {
            area.part = clusters++;
            areas.push_back(std::move(area));
        }
}

QByteArray SystemDocument::resultJson(const EarthingResult &result) {
    return ResultJson::write(result);
}

} // namespace tav
