// Where people stand, as the system document gives it: touch areas and touch points, the
// surface layer's area, the criteria and a fence's reach, read, written back, refused at
// their paths; the touch areas input() gives for the shapes; and the result's JSON of the
// places judged.
#include "../support/ShippedWording.h"
#include "core/earthing/PlanPolygon.h"
#include "document/DocumentWording.h"
#include "document/PartSchema.h"
#include "document/ResultJson.h"
#include "document/SystemDocument.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include "tests/support/ReadDocument.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace tav;
using namespace tav::earthing;

namespace {

using Kind = DocumentError::Kind;

SystemDocument read(const QByteArray &json) {
    return readSoundDocument(json);
}

const QByteArray kSoil = R"({"soil": {"rho": 100}, "current": 10, )";
const QByteArray kGrid =
    R"("grids": [{"size": [20, 10], "conductors": [3, 3], "depth": 0.5, "diameter": 0.01}])";

// A document of a 20 m x 10 m grid and more.
QByteArray withGrid(const QByteArray &more) {
    return kSoil + kGrid + (more.isEmpty() ? QByteArray() : ", " + more) + "}";
}

bool near(double a, double b) {
    return std::abs(a - b) < 1e-9 * std::max(1., std::abs(b));
}

QJsonObject parsed(const QByteArray &json) {
    QJsonParseError parse;
    const QJsonObject o = QJsonDocument::fromJson(json, &parse).object();
    if (parse.error != QJsonParseError::NoError)
        qFatal("not JSON: %s", json.constData());
    return o;
}

} // namespace

Q_DECLARE_METATYPE(tav::DocumentError::Kind)

class TestDocumentPlaces : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void newParts() {
        const QJsonObject area = PartSchema::defaults(PartKind::TouchArea);
        QCOMPARE(area, (QJsonObject{{"polygon", QJsonArray{QJsonArray{0, 0}, QJsonArray{10, 0},
                                                           QJsonArray{10, 10}, QJsonArray{0, 10}}},
                                    {"group", 0}}));
        QCOMPARE(PartSchema::defaults(PartKind::TouchPoint),
                 (QJsonObject{{"at", QJsonArray{0, 0}}, {"group", 0}, {"name", ""}}));
        // Listed after the fences, under keys of their own, last of all the kinds.
        const std::vector<PartKind> &kinds = PartSchema::kinds();
        QCOMPARE(kinds.size(), std::size_t(9));
        QCOMPARE(kinds[6], PartKind::Fence);
        QCOMPARE(kinds[7], PartKind::TouchArea);
        QCOMPARE(kinds[8], PartKind::TouchPoint);
        QCOMPARE(QByteArray(PartSchema::key(PartKind::TouchArea)), QByteArray("touch_areas"));
        QCOMPARE(QByteArray(PartSchema::key(PartKind::TouchPoint)), QByteArray("touch_points"));
        QVERIFY(PartSchema::nameId(PartKind::TouchArea) != 0);
        QVERIFY(PartSchema::nameId(PartKind::TouchPoint) != 0);
    }

    // Left out: IEEE Std 80, 1000 ohm footwear, the layer everywhere, a reach of 1 m.
    void leftOut() {
        const SystemDocument d = read(withGrid(R"("safety": {"duration": 0.5})"));
        QVERIFY(d.safety);
        QCOMPARE(d.safety->criteria, Criteria::Ieee80);
        QCOMPARE(d.safety->footwear, 1000.);
        QVERIFY(d.surfaceZone.empty());
        QCOMPARE(d.search.reach, 1.);
        QVERIFY(d.touchAreas.empty());
        QVERIFY(d.touchPoints.empty());
    }

    void roundTrip() {
        const QByteArray json = withGrid(R"(
            "touch_areas": [{"polygon": [[40, 0], [46, 0], [46, 4], [40, 4]], "group": 0}],
            "touch_points": [{"at": [120, -5], "group": 0, "name": "cable sheath, far end"},
                             {"at": [3, 4]}],
            "search": {"step": 0.5, "margin": 2, "reach": 1.5},
            "safety": {"duration": 0.3, "criteria": "en50522", "footwear": 2000,
                       "surface": {"rho": 3000, "thickness": 0.1,
                                   "area": [[-2, -2], [22, -2], [22, 12], [-2, 12]]}})");
        const SystemDocument first = read(json);
        const SystemDocument d = read(first.toJson());
        QCOMPARE(d.touchAreas.size(), std::size_t(1));
        QCOMPARE(d.touchAreas[0].kind, TouchAreaKind::Given);
        QCOMPARE(d.touchAreas[0].part, 0);
        QCOMPARE(d.touchAreas[0].outline.size(), std::size_t(4));
        QCOMPARE(d.touchAreas[0].outline[2].x, 46.);
        QCOMPARE(d.touchAreas[0].outline[2].y, 4.);
        QCOMPARE(d.touchPoints.size(), std::size_t(2));
        QCOMPARE(d.touchPoints[0].name, std::string("cable sheath, far end"));
        QCOMPARE(d.touchPoints[0].at.x, 120.);
        QCOMPARE(d.touchPoints[0].at.y, -5.);
        QCOMPARE(d.touchPoints[1].group, 0);
        QCOMPARE(d.touchPoints[1].name, std::string());
        QCOMPARE(d.search.reach, 1.5);
        QVERIFY(d.safety);
        QCOMPARE(d.safety->criteria, Criteria::En50522);
        QCOMPARE(d.safety->footwear, 2000.);
        QCOMPARE(d.safety->faultDuration, 0.3);
        QVERIFY(d.safety->surface);
        QCOMPARE(d.safety->surface->resistivity, 3000.);
        QCOMPARE(d.surfaceZone.size(), std::size_t(4));
        QCOMPARE(d.surfaceZone[1].x, 22.);
        QCOMPARE(d.surfaceZone[3].y, 12.);
        // Written the same way twice.
        QCOMPARE(d.toJson(), first.toJson());
        const QJsonObject safety = parsed(d.toJson())["safety"].toObject();
        QCOMPARE(safety["criteria"].toString(), QString("en50522"));
        QCOMPARE(safety["footwear"].toDouble(), 2000.);
    }

    void refused_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("path");
        const auto area = [](const char *polygon, const char *group = "0") {
            return withGrid(QByteArray(R"("touch_areas": [{"polygon": )") + polygon +
                            R"(, "group": )" + group + "}]");
        };
        const auto safety = [](const QByteArray &more) {
            return withGrid(R"("safety": {"duration": 0.5, )" + more + "}");
        };
        QTest::newRow("two corners")
            << area("[[0, 0], [5, 0]]") << Kind::TooFewCorners << "touch_areas[0].polygon";
        QTest::newRow("a bow tie") << area("[[0, 0], [4, 0], [0, 4], [4, 4]]") << Kind::SelfCrossing
                                   << "touch_areas[0].polygon";
        QTest::newRow("corners in a line")
            << area("[[0, 0], [2, 0], [5, 0]]") << Kind::NoArea << "touch_areas[0].polygon";
        QTest::newRow("corners in a line at site coordinates")
            << area("[[50000, 90000], [50002, 90001], [50004, 90002]]") << Kind::NoArea
            << "touch_areas[0].polygon";
        QTest::newRow("a group no part has") << area("[[0, 0], [4, 0], [4, 4]]", "7")
                                             << Kind::UnknownGroup << "touch_areas[0].group";
        QTest::newRow("a touch point of a group no part has")
            << withGrid(R"("touch_points": [{"at": [1, 1]}, {"at": [1, 1], "group": 7}])")
            << Kind::UnknownGroup << "touch_points[1].group";
        QTest::newRow("a touch point without a place")
            << withGrid(R"("touch_points": [{"group": 0}])") << Kind::MissingKey
            << "touch_points[0].at";
        QTest::newRow("a touch point's name a number")
            << withGrid(R"("touch_points": [{"at": [1, 1], "name": 3}])") << Kind::NotText
            << "touch_points[0].name";
        QTest::newRow("criteria iec")
            << safety(R"("criteria": "iec")") << Kind::UnknownCriteria << "safety.criteria";
        QTest::newRow("footwear -1")
            << safety(R"("footwear": -1)") << Kind::Negative << "safety.footwear";
        QTest::newRow("a surface area of two corners")
            << safety(R"("surface": {"rho": 3000, "thickness": 0.1, "area": [[0, 0], [1, 1]]})")
            << Kind::TooFewCorners << "safety.surface.area";
        QTest::newRow("a surface area crossing itself")
            << safety(R"("surface": {"rho": 3000, "thickness": 0.1,
                          "area": [[0, 0], [4, 4], [4, 0], [0, 4]]})")
            << Kind::SelfCrossing << "safety.surface.area";
        QTest::newRow("a reach of 0")
            << withGrid(R"("search": {"reach": 0})") << Kind::NotPositive << "search.reach";
        QTest::newRow("a touch area of no key")
            << withGrid(R"("touch_areas": [{"polygon": [[0, 0], [4, 0], [4, 4]], "height": 2}])")
            << Kind::UnknownKey << "touch_areas[0].height";
    }
    void refused() {
        QFETCH(QByteArray, json);
        QFETCH(Kind, kind);
        QFETCH(QString, path);
        DocumentError error;
        SystemDocument::fromJson(json, error);
        QCOMPARE(error.kind, kind);
        QCOMPARE(error.path, path);
    }

    // Each refusal is worded with its path, by the shipped table.
    void worded_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("too few corners")
            << Kind::TooFewCorners << "a.b must be a polygon of at least three corners";
        QTest::newRow("self crossing")
            << Kind::SelfCrossing
            << "a.b is a polygon whose edges cross: give its corners in order round it";
        QTest::newRow("no area") << Kind::NoArea
                                 << "a.b is a polygon without an inside: its corners lie in a line";
        QTest::newRow("unknown group")
            << Kind::UnknownGroup << "a.b names a group that no part of the system has";
        QTest::newRow("unknown criteria")
            << Kind::UnknownCriteria << "a.b must be \"ieee80\" or \"en50522\"";
        QTest::newRow("negative") << Kind::Negative << "a.b must be a number of 0 or more";
    }
    void worded() {
        QFETCH(Kind, kind);
        QFETCH(QString, text);
        DocumentError error;
        error.kind = kind;
        error.path = QStringLiteral("a.b");
        QCOMPARE(DocumentWording::error(error, shippedText), text);
    }

    // A fence without a group floats on a group of its own, one above every other part's:
    // a touch area of that group is of a part.
    void fenceGroupKept() {
        const SystemDocument d = read(withGrid(R"(
            "fences": [{"distance": 2, "posts": {"spacing": 3, "length": 1, "diameter": 0.05}}],
            "touch_areas": [{"polygon": [[0, 0], [4, 0], [4, 4]], "group": 1}])"));
        QCOMPARE(d.fenceGroups(), std::vector<int>{1});
    }

    // A grid and a ring apart: the grid's rectangle, then the ring's circle.
    void gridAndRing() {
        const SystemDocument d = read(withGrid(R"("rings": [{"centre": [100, 0], "radius": 5,
            "count": 6, "depth": 0.6, "diameter": 0.01, "rod": {"length": 2, "diameter": 0.02}}])"));
        const EarthingInput input = d.input();
        QCOMPARE(input.touchAreas.size(), std::size_t(2));
        const TouchArea &grid = input.touchAreas[0];
        QCOMPARE(grid.kind, TouchAreaKind::Grid);
        QCOMPARE(grid.group, 0);
        QCOMPARE(grid.part, 0);
        QVERIFY(near(std::abs(PlanPolygon::area(grid.outline)), 20. * 10.));
        const Rectangle box = PlanPolygon::bounds(grid.outline);
        QVERIFY(near(box.x0, 0) && near(box.y0, 0) && near(box.x1, 20) && near(box.y1, 10));
        const TouchArea &ring = input.touchAreas[1];
        QCOMPARE(ring.kind, TouchAreaKind::Ring);
        QCOMPARE(ring.part, 0);
        QVERIFY(ring.outline.size() >= 3);
        for (const Point2 &p : ring.outline)
            QVERIFY(near(std::hypot(p.x - 100, p.y), 5));
        QVERIFY(PlanPolygon::contains(ring.outline, {100, 0}));
        QVERIFY(!PlanPolygon::contains(ring.outline, {10, 5}));
    }

    // An L's area leaves its cut out: 30 m x 30 m less 15 m x 15 m at the far corner.
    void lGridCut() {
        const SystemDocument d = read(kSoil + R"("l_grids": [{"size": [30, 30],
            "conductors": [4, 4], "cut": [15, 15], "depth": 0.5, "diameter": 0.01}]})");
        const EarthingInput input = d.input();
        QCOMPARE(input.touchAreas.size(), std::size_t(1));
        const std::vector<Point2> &outline = input.touchAreas[0].outline;
        QVERIFY(near(std::abs(PlanPolygon::area(outline)), 30. * 30. - 15. * 15.));
        QVERIFY(PlanPolygon::contains(outline, {5, 5}));
        QVERIFY(PlanPolygon::contains(outline, {25, 5}));
        QVERIFY(!PlanPolygon::contains(outline, {25, 25}));
    }

    // A fence round the grid: a band of the reach on both sides of its line, of the
    // fence's own group.
    void fenceBand() {
        const SystemDocument d = read(withGrid(R"(
            "fences": [{"distance": 2, "posts": {"spacing": 3, "length": 1, "diameter": 0.05}}],
            "search": {"reach": 1.5})"));
        const EarthingInput input = d.input();
        QCOMPARE(input.touchAreas.size(), std::size_t(2));
        const TouchArea &fence = input.touchAreas[1];
        QCOMPARE(fence.kind, TouchAreaKind::Fence);
        QCOMPARE(fence.band, 1.5);
        QCOMPARE(fence.group, 1);
        QCOMPARE(fence.part, 0);
        // The fence's line, 2 m outside the grid's 20 m x 10 m.
        const Rectangle box = PlanPolygon::bounds(fence.outline);
        QVERIFY(near(box.x0, -2) && near(box.y0, -2) && near(box.x1, 22) && near(box.y1, 12));
    }

    // A fence along an outline that does not close: its band runs along the sides given,
    // not across the gap; written out as a given touch area (as an expanded document
    // holds it) it reads back the same, and such an area without a band is refused.
    void openFenceBand() {
        const SystemDocument d = read(withGrid(R"(
            "fences": [{"polyline": [[-2, 12], [-2, -2], [22, -2], [22, 12]],
                        "posts": {"spacing": 3, "length": 1, "diameter": 0.05}, "group": 0}])"));
        const EarthingInput input = d.input();
        QCOMPARE(input.touchAreas.size(), std::size_t(2));
        const TouchArea &fence = input.touchAreas[1];
        QCOMPARE(fence.kind, TouchAreaKind::Fence);
        QVERIFY(fence.open);
        QCOMPARE(int(fence.outline.size()), 4);
        SystemDocument flat = d;
        flat.fences.clear();
        flat.touchAreas = {fence};
        flat.shapesGiveTouchAreas = false;
        const SystemDocument back = read(flat.toJson());
        QCOMPARE(back.touchAreas.size(), std::size_t(1));
        QVERIFY(back.touchAreas[0].open);
        QCOMPARE(back.touchAreas[0].band, fence.band);
        QCOMPARE(int(back.touchAreas[0].outline.size()), 4);
        DocumentError refused;
        SystemDocument::fromJson(
            kSoil + R"("touch_areas": [{"polygon": [[0, 0], [5, 0]], "open": true}]})", refused);
        QCOMPARE(refused.kind, Kind::MissingKey);
        QCOMPARE(refused.path, QStringLiteral("touch_areas[0].band"));
    }

    // Four wires round a square, given one by one: one cluster, the square and the reach
    // (search.reach, 1 m) round it: 80 + 36 x 1 + pi m^2, to a hundredth of the reach along
    // its perimeter.
    void conductorsSquare() {
        const SystemDocument d = read(kSoil + R"("conductors": [
            {"from": [0, 0, 0.5], "to": [10, 0, 0.5], "diameter": 0.01},
            {"from": [10, 0, 0.5], "to": [10, 8, 0.5], "diameter": 0.01},
            {"from": [10, 8, 0.5], "to": [0, 8, 0.5], "diameter": 0.01},
            {"from": [0, 8, 0.5], "to": [0, 0, 0.5], "diameter": 0.01}]})");
        const EarthingInput input = d.input();
        QCOMPARE(input.touchAreas.size(), std::size_t(1));
        QCOMPARE(input.touchAreas[0].kind, TouchAreaKind::Conductors);
        QCOMPARE(input.touchAreas[0].group, 0);
        const double perimeter = 36 + 2 * M_PI;
        QVERIFY(std::abs(PlanPolygon::area(input.touchAreas[0].outline) - (80 + 36 + M_PI)) <
                perimeter / 100);
        const Rectangle box = PlanPolygon::bounds(input.touchAreas[0].outline);
        QVERIFY(near(box.x0, -1) && near(box.y0, -1) && near(box.x1, 11) && near(box.y1, 9));
    }

    // A lone rod covers no ground.
    void loneRod() {
        const SystemDocument d = read(kSoil + R"("rods": [{"at": [[0, 0]], "top": 0.5,
            "length": 3, "diameter": 0.016}]})");
        QVERIFY(d.input().touchAreas.empty());
    }

    // The given ones come after the shapes', with the touch points and the layer's zone;
    // the zone only with a surface layer.
    void givenLast() {
        const QByteArray places = R"(
            "touch_areas": [{"polygon": [[40, 0], [46, 0], [46, 4], [40, 4]]},
                            {"polygon": [[50, 0], [56, 0], [56, 4]]}],
            "touch_points": [{"at": [120, -5], "name": "rail"}])";
        const SystemDocument d = read(withGrid(places + R"(, "safety": {"duration": 0.5,
            "surface": {"rho": 3000, "thickness": 0.1, "area": [[0, 0], [30, 0], [30, 20]]}})"));
        const EarthingInput input = d.input();
        QCOMPARE(input.touchAreas.size(), std::size_t(3));
        QCOMPARE(input.touchAreas[1].kind, TouchAreaKind::Given);
        QCOMPARE(input.touchAreas[1].part, 0);
        QCOMPARE(input.touchAreas[2].part, 1);
        QCOMPARE(input.touchAreas[2].outline[1].x, 56.);
        QCOMPARE(input.touchPoints.size(), std::size_t(1));
        QCOMPARE(input.touchPoints[0].name, std::string("rail"));
        QCOMPARE(input.surfaceZone.size(), std::size_t(3));
        const SystemDocument bare = read(withGrid(places + R"(, "safety": {"duration": 0.5})"));
        QVERIFY(bare.input().surfaceZone.empty());
        // Parts that expand into no conductor leave the conductors and their sources alone.
        QCOMPARE(d.input().conductors.size(), d.sources().size());
        QCOMPARE(d.input().conductors.size(), read(withGrid({})).input().conductors.size());
    }

    // The JSON of places judged, from a result and verdicts made up here: every key the
    // command documents, EN 50522's step without a limit, the zone as given.
    void judgedJson() {
        EarthingResult r;
        r.touchMax = TouchMaximum{120, {3, 4}};
        r.stepMax = {40, {0, 0}, {1, 0}};
        r.touchAreas = {{TouchAreaKind::Grid, {{0, 0}, {10, 0}, {10, 10}}, 0, 0, 0},
                        {TouchAreaKind::Fence, {{-2, -2}, {12, -2}, {12, 12}}, 1, 1, 0}};
        const double none = -std::numeric_limits<double>::infinity();
        r.areas = {{500, {120, {3, 4}}, {none, {}}}, {0, {30, {12, 5}}, {60, {13, 5}}}};
        r.touchPoints = {{{120, -5}, 0, "cable \"A\" sheath"}};
        r.touched = {{380, 120, false}};
        r.surfaceZone = {{0, 0}, {20, 0}, {20, 20}};
        SystemSafety s;
        s.onLayer.touch = 700;
        s.onLayer.Cs = 0.8;
        s.onLayer.stepLimited = false;
        s.touch = JudgedVoltage{120, {3, 4}, true, 700, Verdict::Safe};
        s.areas = {*s.touch, {60, {13, 5}, false, 50, Verdict::NotSafe}};
        s.points = {{120, {120, -5}, false, 90, Verdict::NotSafe}};
        s.step = {40, {0.5, 0}, true, 0, Verdict::NoLimit};
        s.overall = Verdict::NotSafe;
        SafetyCriteria c;
        c.criteria = Criteria::En50522;
        c.faultDuration = 0.5;
        c.footwear = 1000;
        c.surface = SurfaceLayer{3000, 0.1};
        const QJsonObject o = parsed(ResultJson::write(r, s, c));
        const QJsonObject touch = o["touch_max"].toObject();
        QCOMPARE(touch["voltage"].toDouble(), 120.);
        QCOMPARE(touch["tolerable"].toDouble(), 700.);
        QCOMPARE(touch["safe"], QJsonValue(true));
        const QJsonArray areas = o["touch_areas"].toArray();
        QCOMPARE(areas.size(), 2);
        QCOMPARE(areas[0].toObject()["kind"].toString(), QString("grid"));
        QCOMPARE(areas[1].toObject()["kind"].toString(), QString("fence"));
        QCOMPARE(areas[1].toObject()["group"].toInt(), 1);
        QCOMPARE(areas[1].toObject()["part"].toInt(), 0);
        QCOMPARE(areas[1].toObject()["touch_max"].toObject()["voltage"].toDouble(), 60.);
        QCOMPARE(areas[1].toObject()["touch_max"].toObject()["x"].toDouble(), 13.);
        QCOMPARE(areas[1].toObject()["on_surface_layer"], QJsonValue(false));
        QCOMPARE(areas[1].toObject()["tolerable"].toDouble(), 50.);
        QCOMPARE(areas[1].toObject()["safe"], QJsonValue(false));
        const QJsonObject point = o["touch_points"].toArray()[0].toObject();
        QCOMPARE(point["name"].toString(), QString("cable \"A\" sheath"));
        QCOMPARE(point["x"].toDouble(), 120.);
        QCOMPARE(point["group"].toInt(), 0);
        QCOMPARE(point["touch"].toDouble(), 120.);
        QCOMPARE(point["surface_potential"].toDouble(), 380.);
        QCOMPARE(point["tolerable"].toDouble(), 90.);
        QCOMPARE(point["safe"], QJsonValue(false));
        const QJsonObject step = o["step_max"].toObject();
        QCOMPARE(step["voltage"].toDouble(), 40.);
        QVERIFY(step.contains("tolerable") && step["tolerable"].isNull());
        QVERIFY(step.contains("safe") && step["safe"].isNull());
        const QJsonObject criteria = o["criteria"].toObject();
        QCOMPARE(criteria["name"].toString(), QString("en50522"));
        QCOMPARE(criteria["duration"].toDouble(), 0.5);
        QCOMPARE(criteria["footwear"].toDouble(), 1000.);
        QVERIFY(!criteria.contains("body"));
        const QJsonObject surface = criteria["surface"].toObject();
        QCOMPARE(surface["rho"].toDouble(), 3000.);
        QCOMPARE(surface["zone"].toArray().size(), 3);
        QCOMPARE(surface["zone"].toArray()[1].toArray()[0].toDouble(), 20.);
        const QJsonObject safety = o["safety"].toObject();
        QCOMPARE(safety["touch_tolerable"].toDouble(), 700.);
        QVERIFY(safety["step_tolerable"].isNull());
        QCOMPARE(safety["cs"].toDouble(), 0.8);
        QCOMPARE(safety["touch_safe"], QJsonValue(true));
        QVERIFY(safety["step_safe"].isNull());
        QVERIFY(safety["cautions"].toArray().isEmpty());
        QCOMPARE(o["safe"], QJsonValue(false));
    }

    // IEEE Std 80's criteria name the body; a layer everywhere says so; no area of group 0,
    // no worst touch.
    void ieeeJson() {
        EarthingResult r;
        SystemSafety s;
        s.onLayer.touch = 800;
        s.onLayer.step = 2600;
        s.step = {40, {0.5, 0}, true, 2600, Verdict::Safe};
        s.overall = Verdict::OutsideMethodRange;
        SafetyCriteria c;
        c.faultDuration = 1;
        c.body = BodyWeight::Kg70;
        c.surface = SurfaceLayer{2500, 0.1};
        const QJsonObject o = parsed(ResultJson::write(r, s, c));
        QVERIFY(o.contains("touch_max") && o["touch_max"].isNull());
        QCOMPARE(o["touch_areas"].toArray().size(), 0);
        QCOMPARE(o["touch_points"].toArray().size(), 0);
        QCOMPARE(o["step_max"].toObject()["tolerable"].toDouble(), 2600.);
        QCOMPARE(o["step_max"].toObject()["safe"], QJsonValue(true));
        QCOMPARE(o["criteria"].toObject()["name"].toString(), QString("ieee80"));
        QCOMPARE(o["criteria"].toObject()["body"].toInt(), 70);
        QVERIFY(!o["criteria"].toObject().contains("footwear"));
        QCOMPARE(o["criteria"].toObject()["surface"].toObject()["zone"].toString(),
                 QString("everywhere"));
        QCOMPARE(o["safety"].toObject()["step_tolerable"].toDouble(), 2600.);
        QVERIFY(o["safety"].toObject()["touch_safe"].isNull());
        QVERIFY(o["safe"].isNull());
        // Without a layer, null; without criteria, none of their keys.
        c.surface.reset();
        QVERIFY(parsed(ResultJson::write(r, s, c))["criteria"].toObject()["surface"].isNull());
        const QJsonObject bare = parsed(ResultJson::write(r));
        for (const char *key : {"criteria", "safety", "safe"})
            QVERIFY2(!bare.contains(QLatin1String(key)), key);
        QVERIFY(!bare["step_max"].toObject().contains("tolerable"));
    }
};

QTEST_APPLESS_MAIN(TestDocumentPlaces)
#include "tst_documentplaces.moc"
