// Where touch and step voltages are searched: the plan's polygons, the default touch areas
// of the shapes and of clusters of conductors, and the solver's worst touch in each area
// against a brute-force sampling of the solved field.
#include "core/earthing/ConductorLayout.h"
#include "core/earthing/EarthingSolver.h"
#include "core/earthing/PlanPolygon.h"
#include "core/earthing/StepRegion.h"
#include "core/earthing/SystemSafety.h"
#include "core/earthing/TouchAreas.h"
#include "core/earthing/TouchRegion.h"
#include "tests/support/ShownValues.h"

#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace tav;
using namespace tav::earthing;
using ShownValues::shown;

Q_DECLARE_METATYPE(std::vector<tav::earthing::Point2>)

namespace {

using Corners = std::vector<Point2>;

// A 20 m grid of 5 x 5 conductors at 0.5 m: cheap to solve with 2 m segments.
RectangularGrid smallGrid() {
    RectangularGrid g;
    g.sizeX = g.sizeY = 20;
    g.countX = g.countY = 5;
    return g;
}

EarthingInput base() {
    EarthingInput input;
    input.soil = EarthingSoil::uniform(100);
    input.current = 1000;
    input.segmentLength = 2;
    input.search.step = 1;
    return input;
}

// The small grid and a fence of posts 3 m outside it, of the group given, with their areas:
// the grid's and the fence's band of 1 m.
EarthingInput fenced(int group, double distance = 3) {
    EarthingInput input = base();
    const RectangularGrid grid = smallGrid();
    input.conductors = ConductorLayout::grid(grid);
    Fence f;
    f.distance = distance;
    f.spacing = 4;
    f.length = 1.2;
    f.diameter = 0.06;
    f.group = group;
    const std::vector<Conductor> posts = ConductorLayout::fence(f, input.conductors);
    input.touchAreas = {TouchAreas::of(grid, 0), TouchAreas::of(f, input.conductors, 1, 0)};
    input.conductors.insert(input.conductors.end(), posts.begin(), posts.end());
    return input;
}

EarthingResult solved(const EarthingInput &input) {
    const Refusable<EarthingResult> outcome = EarthingSolver::solve(input);
    if (outcome.refused())
        qFatal("refused: error %d", int(outcome.refusal().error));
    return outcome.result();
}

// The greatest metal - surface potential over a fine lattice of the points a region holds.
struct Sampled {
    double touch = -1e300;
    double least = 1e300; // the least surface potential
    double most = -1e300; // the greatest
    Point2 at;            // where it is
};
Sampled sample(const EarthingResult &r, const TouchRegion &region, double metal, double step) {
    Sampled s;
    const Rectangle b = region.bounds();
    for (double x = b.x0; x <= b.x1 + 1e-9; x += step)
        for (double y = b.y0; y <= b.y1 + 1e-9; y += step)
            if (region.contains({x, y})) {
                const double v = r.field->potential(x, y);
                s.touch = std::max(s.touch, std::abs(metal - v));
                s.most = std::max(s.most, v);
                if (v < s.least) {
                    s.least = v;
                    s.at = {x, y};
                }
            }
    return s;
}

} // namespace

class TestTouchAreas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void polygons_data() {
        QTest::addColumn<Corners>("corners");
        QTest::addColumn<double>("area");
        QTest::addColumn<bool>("crossing");
        QTest::newRow("square, anticlockwise")
            << Corners{{0, 0}, {2, 0}, {2, 2}, {0, 2}} << 4. << false;
        QTest::newRow("square, clockwise")
            << Corners{{0, 0}, {0, 2}, {2, 2}, {2, 0}} << -4. << false;
        // 30 x 30 less 15 x 15.
        QTest::newRow("L") << Corners{{0, 0}, {30, 0}, {30, 15}, {15, 15}, {15, 30}, {0, 30}}
                           << 675. << false;
        QTest::newRow("bow-tie") << Corners{{0, 0}, {2, 2}, {2, 0}, {0, 2}} << 0. << true;
        QTest::newRow("folds back on an edge")
            << Corners{{0, 0}, {4, 0}, {2, 0}, {2, 2}} << 2. << true;
        QTest::newRow("touches itself at a corner")
            << Corners{{0, 0}, {4, 0}, {4, 4}, {2, 0}, {0, 4}} << 8. << true;
    }
    void polygons() {
        QFETCH(Corners, corners);
        QFETCH(double, area);
        QFETCH(bool, crossing);
        QCOMPARE(PlanPolygon::area(corners), area);
        QCOMPARE(PlanPolygon::selfCrossing(corners), crossing);
    }

    void lContains() {
        const Corners l{{0, 0}, {30, 0}, {30, 15}, {15, 15}, {15, 30}, {0, 30}};
        QVERIFY(PlanPolygon::contains(l, {5, 25}));
        QVERIFY(PlanPolygon::contains(l, {25, 5}));
        QVERIFY(PlanPolygon::contains(l, {15, 22}));  // on the cut's edge
        QVERIFY(!PlanPolygon::contains(l, {20, 20})); // in the cut
        QVERIFY(!PlanPolygon::contains(l, {-0.1, 5}));
        QCOMPARE(PlanPolygon::distanceToEdges(l, {20, 20}), 5.);
    }

    void hull() {
        const Corners points{{0, 0}, {1, 1}, {2, 0}, {2, 2}, {0, 2}, {1, 0}, {1, 2}};
        const Corners h = PlanPolygon::convexHull(points);
        QCOMPARE(int(h.size()), 4); // the collinear middles left out
        QCOMPARE(PlanPolygon::area(h), 4.);
        QCOMPARE(int(PlanPolygon::convexHull({{0, 0}, {1, 1}, {3, 3}}).size()), 2);
    }

    // A grid given as lines covers its rectangle and the reach round it, a rounded
    // rectangle (Minkowski's sum: area + perimeter r + pi r^2); a separate cross of group 1
    // its two bands (two stadiums less their common square); a lone rod and a straight
    // conductor nothing; with no reach the grid keeps its own rectangle.
    void clusters() {
        std::vector<Conductor> c = ConductorLayout::grid(smallGrid());
        c.push_back({{60, 0, 0.5}, {70, 0, 0.5}, 0.01, 0});  // a straight conductor
        c.push_back({{60, 10, 0.5}, {60, 10, 3}, 0.016, 0}); // a lone rod
        c.push_back({{40, 0, 0.5}, {50, 0, 0.5}, 0.01, 1});  // a cross of group 1
        c.push_back({{45, -5, 0.5}, {45, 5, 0.5}, 0.01, 1});
        c.push_back({{10, 10, 0.5}, {10, 10, 4}, 0.016, 0}); // a rod on the grid: no change
        const double r = 1;
        const std::vector<TouchArea> areas = TouchAreas::ofClusters(c, r);
        QCOMPARE(int(areas.size()), 2);
        QCOMPARE(areas[0].group, 0);
        // The outline within a hundredth of the reach of the true edge: its perimeter times
        // r / 100 at most (0.9 m^2 of the grid's 483, where the hull alone would miss 83).
        const double grid = 400 + 80 * r + M_PI * r * r;
        const double slack = (80 + 2 * M_PI * r) * r / 100;
        QVERIFY2(std::abs(PlanPolygon::area(areas[0].outline) - grid) < slack,
                 qPrintable(shown(PlanPolygon::area(areas[0].outline))));
        const Rectangle b = PlanPolygon::bounds(areas[0].outline);
        QVERIFY(std::abs(b.x0 + r) < 1e-9 && std::abs(b.y1 - 20 - r) < 1e-9);
        QCOMPARE(areas[1].group, 1);
        const double cross = 2 * (10 * 2 * r + M_PI * r * r) - 4 * r * r;
        const double crossSlack = (4 * (10 - r) + 2 * M_PI * r) * r / 100;
        QVERIFY2(std::abs(PlanPolygon::area(areas[1].outline) - cross) < crossSlack,
                 qPrintable(shown(PlanPolygon::area(areas[1].outline))));
        const std::vector<TouchArea> bare = TouchAreas::ofClusters(c, 0);
        QCOMPARE(int(bare.size()), 1); // the cross has no mesh
        QVERIFY(std::abs(PlanPolygon::area(bare[0].outline) - 400) < 1e-9);
    }

    void fenceBand() {
        Fence f;
        f.distance = 2;
        f.spacing = 3;
        f.length = 1;
        f.diameter = 0.05;
        const TouchArea band = TouchAreas::of(f, ConductorLayout::grid(smallGrid()), 1, 0);
        const TouchRegion region(band);
        QVERIFY(region.contains({-2, 10}));      // on the fence
        QVERIFY(region.contains({-2.9, 10}));    // within reach outside
        QVERIFY(region.contains({-1.1, 10}));    // and inside
        QVERIFY(!region.contains({-3.2, 10}));   // beyond reach
        QVERIFY(!region.contains({10, 10}));     // the yard
        QCOMPARE(region.distance({-5, 10}), 2.); // 3 m from the fence less the reach
    }

    // The step region reaches the margin beyond the outermost metal, the fence included.
    void stepRegion() {
        EarthingInput input = base();
        input.conductors = ConductorLayout::grid(smallGrid());
        input.touchAreas = {TouchAreas::of(smallGrid(), 0)};
        input.conductors.push_back({{40, 10, 0.5}, {40, 10, 3}, 0.016, 0}); // a rod apart
        const StepRegion region(input);
        QVERIFY(region.contains({-2.9, 10}));
        QVERIFY(!region.contains({-3.1, 10}));
        QVERIFY(region.contains({42.9, 10})); // round the lone rod
        QVERIFY(!region.contains({30, 10}));  // between: 7 m from the grid and 10 from the rod
    }

    // A grid with a ring of rods 30 m beside it: each area's worst touch lies in it and
    // agrees with a sampling of the field over it; nothing between them is searched.
    void gridAndDistantRing() {
        EarthingInput input = base();
        const RectangularGrid grid = smallGrid();
        RodRing ring;
        ring.centre = {55, 10};
        ring.radius = 5;
        ring.count = 6;
        ring.rodLength = 3;
        ring.rodDiameter = 0.016;
        input.conductors = ConductorLayout::grid(grid);
        for (const Conductor &c : ConductorLayout::ring(ring))
            input.conductors.push_back(c);
        input.touchAreas = {TouchAreas::of(grid, 0), TouchAreas::of(ring, 0)};
        const EarthingResult r = solved(input);
        QCOMPARE(int(r.areas.size()), 2);
        for (int a = 0; a < 2; ++a) {
            const TouchRegion region(input.touchAreas[std::size_t(a)]);
            const TouchMaximum &worst = r.areas[std::size_t(a)].worst();
            QVERIFY(region.contains(worst.at));
            const Sampled s = sample(r, region, r.gpr, 0.25);
            QVERIFY2(worst.voltage >= s.touch * (1 - 1e-3) && worst.voltage <= s.touch * 1.01,
                     qPrintable(shown(worst.voltage) + " " + shown(s.touch)));
        }
        QVERIFY(r.touchMax);
        // Bare soil between them (x = 35) would show far more: the old search's mistake.
        QVERIFY(r.gpr - r.field->potential(35, 10) > r.touchMax->voltage);
        QVERIFY(r.touchMax->at.x <= 20 + 1e-9 || r.touchMax->at.x >= 50 - 1e-9);
    }

    // An L-shaped grid's cut-out is no touch area.
    void lGrid() {
        EarthingInput input = base();
        LShapedGrid l;
        l.bounds = smallGrid();
        l.bounds.sizeX = l.bounds.sizeY = 30;
        l.bounds.countX = l.bounds.countY = 7;
        l.cutX = l.cutY = 15;
        input.conductors = ConductorLayout::lGrid(l);
        input.touchAreas = {TouchAreas::of(l, 0)};
        const EarthingResult r = solved(input);
        const Point2 at = r.touchMax->at;
        QVERIFY2(!(at.x > 15 + 1e-9 && at.y > 15 + 1e-9),
                 qPrintable(shown(at.x) + " " + shown(at.y)));
        const Sampled s = sample(r, TouchRegion(input.touchAreas[0]), r.gpr, 0.25);
        QVERIFY2(std::abs(r.touchMax->voltage / s.touch - 1) < 0.01,
                 qPrintable(shown(r.touchMax->voltage) + " " + shown(s.touch)));
        // The cut-out's middle is bare soil the map leaves out.
        const int i = int(std::lround((22.5 - r.raster.x0) / r.raster.step));
        const int j = int(std::lround((22.5 - r.raster.y0) / r.raster.step));
        QVERIFY(!r.inTouchArea[std::size_t(j) * r.raster.nx + std::size_t(i)]);
    }

    // A fence floating or bonded: its touch is the difference between its own potential
    // and the surface's within the reach of it, the greater way, to 1 %: outside, where the
    // ground lies lowest; or, for a floating fence close beside the grid, inside, where the
    // ground stands above the fence.
    void fence_data() {
        QTest::addColumn<bool>("bonded");
        QTest::addColumn<double>("distance");
        QTest::newRow("floating") << false << 3.;
        QTest::newRow("bonded to the grid") << true << 3.;
        QTest::newRow("floating, 1.2 m beside the grid") << false << 1.2;
    }
    void fence() {
        QFETCH(bool, bonded);
        QFETCH(double, distance);
        const EarthingInput input = fenced(bonded ? 0 : 1, distance);
        const EarthingResult r = solved(input);
        const double metal = r.groups[bonded ? 0 : 1].potential;
        QCOMPARE(r.areas[1].metal, metal);
        const TouchRegion band(input.touchAreas[1]);
        const Sampled s = sample(r, band, metal, 0.1);
        const TouchMaximum &worst = r.areas[1].worst();
        QVERIFY(band.contains(worst.at));
        const double expected = std::max(metal - s.least, s.most - metal);
        QVERIFY2(std::abs(worst.voltage / expected - 1) < 0.01,
                 qPrintable(shown(worst.voltage) + " " + shown(expected) + " at " +
                            shown(worst.at.x) + " " + shown(worst.at.y) + " against " +
                            shown(s.at.x) + " " + shown(s.at.y)));
        // The step is searched beyond the fence: its region reaches 3 m past the posts.
        const std::size_t threeOut =
            std::size_t(std::lround((10 - r.raster.y0) / r.raster.step)) * r.raster.nx +
            std::size_t(std::lround((-distance - 3 - r.raster.x0) / r.raster.step));
        QVERIFY(r.inStepArea[threeOut]);
        if (!bonded)
            QVERIFY(metal < r.gpr);
    }

    // A floating fence along an outline of its own round the grid: five sides closed, or
    // three left open. Its band's worst touch lies within the reach of the outline's sides
    // (an open one's closing gap is no side), and agrees with a sampling of the band.
    void fenceOutline_data() {
        QTest::addColumn<bool>("closed");
        QTest::addColumn<Corners>("outline");
        QTest::newRow("five sides, closed")
            << true << Corners{{-3, -3}, {23, -3}, {23, 15}, {10, 26}, {-3, 15}};
        QTest::newRow("three sides, open")
            << false << Corners{{-3, 26}, {-3, -3}, {23, -3}, {23, 26}};
    }
    void fenceOutline() {
        QFETCH(bool, closed);
        QFETCH(Corners, outline);
        EarthingInput input = base();
        const RectangularGrid grid = smallGrid();
        input.conductors = ConductorLayout::grid(grid);
        Fence f;
        f.outline = outline;
        f.closed = closed;
        f.spacing = 4;
        f.length = 1.2;
        f.diameter = 0.06;
        f.group = 1;
        const std::vector<Conductor> posts = ConductorLayout::fence(f, input.conductors);
        input.conductors.insert(input.conductors.end(), posts.begin(), posts.end());
        const double reach = 1;
        input.touchAreas = {TouchAreas::of(grid, 0), TouchAreas::of(f, {}, reach, 0)};
        // The distance to the sides, worked here: the nearest point of each segment.
        const auto fromSides = [&](Point2 p) {
            double least = INFINITY;
            const std::size_t n = outline.size();
            for (std::size_t k = 0; k + (closed ? 0 : 1) < n; ++k) {
                const Point2 a = outline[k];
                const Point2 b = outline[(k + 1) % n];
                const double dx = b.x - a.x, dy = b.y - a.y;
                const double t =
                    std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0., 1.);
                least = std::min(least, std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy));
            }
            return least;
        };
        const TouchRegion band(input.touchAreas[1]);
        QVERIFY(band.contains({-3.9, 10}) && band.contains({-2.1, 10}));
        QVERIFY(!band.contains({10, 10}));         // the yard
        QCOMPARE(band.contains({10, 26}), closed); // the open one's gap
        const EarthingResult r = solved(input);
        const TouchMaximum &worst = r.areas[1].worst();
        QVERIFY2(fromSides(worst.at) <= reach + 1e-6,
                 qPrintable(shown(worst.at.x) + " " + shown(worst.at.y)));
        const double metal = r.groups[1].potential;
        const Sampled s = sample(r, band, metal, 0.1);
        const double expected = std::max(metal - s.least, s.most - metal);
        QVERIFY2(std::abs(worst.voltage / expected - 1) < 0.01,
                 qPrintable(shown(worst.voltage) + " " + shown(expected)));
    }

    // The surface layer only inside the grid: the fence's band lies off it, the grid on it,
    // and each is held against its own place's tolerable voltage (IEEE Std 80 eqs. 27, 32).
    void zone() {
        EarthingInput input = fenced(1);
        input.surfaceZone = TouchAreas::of(smallGrid(), 0).outline;
        const EarthingResult r = solved(input);
        QVERIFY(std::isfinite(r.areas[0].onLayer.voltage));
        QVERIFY(std::isinf(r.areas[0].offLayer.voltage));
        QVERIFY(std::isinf(r.areas[1].onLayer.voltage));
        QVERIFY(std::isfinite(r.areas[1].offLayer.voltage));
        QVERIFY(std::isfinite(r.steps.onLayer.voltage) && std::isfinite(r.steps.offLayer.voltage));
        SafetyCriteria criteria;
        criteria.faultDuration = 0.5;
        criteria.body = BodyWeight::Kg70;
        criteria.surface = SurfaceLayer{2500, 0.1};
        const Refusable<SystemSafety> judged = assessSafety(r, input.soil, criteria);
        QVERIFY(!judged.refused());
        const SystemSafety &s = judged.result();
        const double cs = 1 - 0.09 * (1 - 100. / 2500) / (2 * 0.1 + 0.09);
        const double k = 0.157 / std::sqrt(0.5);
        QVERIFY(std::abs(s.areas[0].tolerable - (1000 + 1.5 * cs * 2500) * k) < 1e-9);
        QVERIFY(std::abs(s.areas[1].tolerable - (1000 + 1.5 * 100) * k) < 1e-9);
        QVERIFY(!s.areas[1].onLayer);
        // The step on the rock and off it, each against its own place's limit (eq. 29 with
        // Cs = 1 off it); the greatest step and touch judged where they stand.
        QCOMPARE(int(s.steps.size()), 2);
        QVERIFY(s.steps[0].onLayer && !s.steps[1].onLayer);
        QVERIFY(std::abs(s.steps[0].tolerable - (1000 + 6 * cs * 2500) * k) < 1e-9);
        QVERIFY(std::abs(s.steps[1].tolerable - (1000 + 6 * 100.) * k) < 1e-9);
        QCOMPARE(s.step.voltage, r.stepMax.voltage);
        QCOMPARE(s.step.onLayer, r.steps.onLayer.voltage >= r.steps.offLayer.voltage);
        QCOMPARE(s.touch->voltage, r.touchMax->voltage);
        const bool fails = s.areas[1].voltage >= s.areas[1].tolerable;
        QCOMPARE(s.areas[1].verdict, fails ? Verdict::NotSafe : Verdict::Safe);
        if (fails)
            QCOMPARE(s.overall, Verdict::NotSafe);
    }

    // With a layer but no zone everyone stands on it; without a layer nobody does, and
    // every place is held against the bare soil's limit (IEEE Std 80 eq. 32, Cs = 1).
    void standing_data() {
        QTest::addColumn<bool>("layer");
        QTest::newRow("a surface layer everywhere") << true;
        QTest::newRow("no surface layer") << false;
    }

    void standing() {
        QFETCH(bool, layer);
        EarthingInput input = fenced(1);
        input.touchPoints = {{{20, 0}, 0, "sheath"}};
        const EarthingResult r = solved(input);
        SafetyCriteria criteria;
        criteria.faultDuration = 0.5;
        criteria.body = BodyWeight::Kg70;
        if (layer)
            criteria.surface = SurfaceLayer{2500, 0.1};
        const Refusable<SystemSafety> judged = assessSafety(r, input.soil, criteria);
        QVERIFY(!judged.refused());
        const SystemSafety &s = judged.result();
        QCOMPARE(s.surfaceLayer, layer);
        std::vector<JudgedVoltage> places = s.areas;
        places.insert(places.end(), s.points.begin(), s.points.end());
        places.insert(places.end(), s.steps.begin(), s.steps.end());
        places.push_back(s.step);
        QVERIFY(s.touch);
        places.push_back(*s.touch);
        QCOMPARE(places.size(), std::size_t(6));
        for (const JudgedVoltage &place : places)
            QCOMPARE(place.onLayer, layer);
        const double k = 0.157 / std::sqrt(0.5);
        if (!layer)
            QVERIFY(std::abs(s.areas[1].tolerable - (1000 + 1.5 * 100) * k) < 1e-9);
    }

    // A sheath's far end 300 m away carries the grid's potential over soil that has nearly
    // none: the touch there is the GPR less the far field of a point source, rho I/(2 pi r).
    void touchPoint() {
        EarthingInput input = base();
        input.conductors = ConductorLayout::grid(smallGrid());
        input.touchAreas = {TouchAreas::of(smallGrid(), 0)};
        input.touchPoints = {{{310, 10}, 0, "sheath"}};
        const EarthingResult r = solved(input);
        const double far = 100 * 1000 / (2 * M_PI * 300);
        QCOMPARE(int(r.touched.size()), 1);
        QVERIFY2(std::abs(r.touched[0].surface / far - 1) < 0.01,
                 qPrintable(shown(r.touched[0].surface) + " " + shown(far)));
        QCOMPARE(r.touched[0].touch, r.gpr - r.touched[0].surface);
    }

    // A lone rod has no touch area: no worst touch, the step still found round it.
    void loneRod() {
        EarthingInput input = base();
        input.conductors = {{{0, 0, 0.5}, {0, 0, 3.5}, 0.016, 0}};
        input.touchAreas = TouchAreas::ofClusters(input.conductors, input.search.reach);
        const EarthingResult r = solved(input);
        QVERIFY(!r.touchMax);
        QVERIFY(r.stepMax.voltage > 0);
    }
};

QTEST_APPLESS_MAIN(TestTouchAreas)
#include "tst_touchareas.moc"
