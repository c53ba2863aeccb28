// The plan's pictures: the colour scale, the plan's transform, the contour of a level on
// a raster, and the maps drawn from a solve agreeing with the solver's own maxima.
#include "core/earthing/ConductorLayout.h"
#include "core/earthing/EarthingSolver.h"
#include "core/earthing/TouchAreas.h"
#include "report/ColourScale.h"
#include "report/Contour.h"
#include "report/LayerColumn.h"
#include "report/MapPicture.h"
#include "report/PlaceLimits.h"
#include "report/PlanKey.h"
#include "report/PlanPicture.h"
#include "report/PlanTransform.h"
#include "report/ProfilePicture.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "tests/support/ShippedTexts.h"

#include <cmath>
#include <functional>

using namespace tav::earthing;

Q_DECLARE_METATYPE(std::function<double(double, double)>)

class TestPictures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void viridisEnds_data();
    void viridisEnds();
    void ticks_data();
    void ticks();
    void legendKeepsItsColoursUnderAnyBrush();
    void transformRoundTrips_data();
    void transformRoundTrips();
    void contourLiesOnTheCrossing_data();
    void contourLiesOnTheCrossing();
    void saddleFollowsTheMean_data();
    void saddleFollowsTheMean();
    void mapsAgreeWithTheSearch_data();
    void mapsAgreeWithTheSearch();
    void planDrawsPartsAndCells();
    void keyNamesWhatThePlanDraws();
    void remotePointWidensThePlanOnly();
    void layerColumnToScale();
    void profileSamplesTheField();
    void tolerableStepsAtTheZonesEdge_data();
    void tolerableStepsAtTheZonesEdge();
    void touchMapLeavesNoMetalGrey_data();
    void touchMapLeavesNoMetalGrey();

private:
    static const EarthingResult &solvedGrid();
};

// The published hex values of viridis at its ends and middle (matplotlib).
void TestPictures::viridisEnds_data() {
    QTest::addColumn<double>("t");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("start") << 0.0 << QColor(0x44, 0x01, 0x54);
    QTest::newRow("below start") << -3.0 << QColor(0x44, 0x01, 0x54);
    QTest::newRow("middle") << 0.5 << QColor(0x21, 0x91, 0x8c);
    QTest::newRow("end") << 1.0 << QColor(0xfd, 0xe7, 0x25);
    QTest::newRow("beyond end") << 7.0 << QColor(0xfd, 0xe7, 0x25);
}

void TestPictures::viridisEnds() {
    QFETCH(double, t);
    QFETCH(QColor, expected);
    const QColor c = ColourScale::viridis(t);
    QVERIFY2(std::abs(c.red() - expected.red()) <= 1 &&
                 std::abs(c.green() - expected.green()) <= 1 &&
                 std::abs(c.blue() - expected.blue()) <= 1,
             qPrintable(c.name() + QStringLiteral(" for ") + expected.name()));
    // A scale's own ends are the table's.
    const ColourScale scale(10, 30);
    QCOMPARE(scale.colour(10 + 20 * std::clamp(t, 0.0, 1.0)), c);
}

void TestPictures::ticks_data() {
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<int>("most");
    QTest::addColumn<QVector<double>>("expected");
    QTest::newRow("0 to 10") << 0.0 << 10.0 << 6 << QVector<double>{0, 2, 4, 6, 8, 10};
    QTest::newRow("fractions") << 0.13 << 0.87 << 5 << QVector<double>{0.2, 0.4, 0.6, 0.8};
    QTest::newRow("across zero") << -750.0 << 1200.0 << 5 << QVector<double>{-500, 0, 500, 1000};
    QTest::newRow("one value") << 5.0 << 5.0 << 5 << QVector<double>{};
    QTest::newRow("reversed") << 9.0 << 1.0 << 5 << QVector<double>{};
}

void TestPictures::ticks() {
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(int, most);
    QFETCH(QVector<double>, expected);
    const std::vector<double> got = ColourScale::ticks(low, high, most);
    QCOMPARE(int(got.size()), expected.size());
    for (int k = 0; k < expected.size(); ++k)
        QVERIFY(std::abs(got[std::size_t(k)] - expected[k]) < 1e-12);
}

// The colour bar shows the scale whatever brush the picture's rods left on the painter: a
// plan whose marks are not drawn (a stale map) drew it solid in the floating rods' blue.
void TestPictures::legendKeepsItsColoursUnderAnyBrush() {
    QImage image(200, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setBrush(QColor(0x20, 0x60, 0xd0));
    const QRectF area(10, 10, 150, 360);
    ColourScale(0, 100).paintLegend(painter, area, QStringLiteral("V"));
    const QRectF bar = ColourScale::barRect(area, QFontMetricsF(painter.font()).height());
    painter.end();
    for (double t : {0.25, 0.5, 0.75}) {
        const QColor shown =
            image.pixelColor(bar.center().toPoint().x(), int(bar.bottom() - t * bar.height()));
        const QColor scale = ColourScale::viridis(t);
        QVERIFY2(std::abs(shown.red() - scale.red()) <= 8 &&
                     std::abs(shown.green() - scale.green()) <= 8 &&
                     std::abs(shown.blue() - scale.blue()) <= 8,
                 qPrintable(shown.name() + QStringLiteral(" for ") + scale.name()));
    }
}

void TestPictures::transformRoundTrips_data() {
    QTest::addColumn<QRectF>("world");
    QTest::addColumn<QRectF>("device");
    QTest::addColumn<double>("scale");
    QTest::newRow("wide device") << QRectF(0, 0, 70, 70) << QRectF(0, 0, 400, 200) << 200.0 / 70;
    QTest::newRow("tall device") << QRectF(-10, 5, 20, 10) << QRectF(30, 40, 100, 300) << 5.0;
}

void TestPictures::transformRoundTrips() {
    QFETCH(QRectF, world);
    QFETCH(QRectF, device);
    QFETCH(double, scale);
    const PlanTransform t(world, device);
    QVERIFY(std::abs(t.scale() - scale) < 1e-12);
    // y up: the world's top edge (largest y) is nearer the device's top.
    QVERIFY(t.toDevice(QPointF(0, world.bottom())).y() < t.toDevice(QPointF(0, world.top())).y());
    QVERIFY(std::abs(t.toDevice(world.center()).x() - device.center().x()) < 1e-9);
    // The whole world fits inside the device.
    QVERIFY(device.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(t.toDevice(world)));
    for (const QPointF &p : {world.topLeft(), world.bottomRight(), QPointF(3.7, -2.2)}) {
        const QPointF back = t.toWorld(t.toDevice(p));
        QVERIFY(std::abs(back.x() - p.x()) < 1e-9 && std::abs(back.y() - p.y()) < 1e-9);
    }
}

// Each row: a raster made by hand from a function, a level, and where every contour end
// must lie (a function that is zero there).
void TestPictures::contourLiesOnTheCrossing_data() {
    QTest::addColumn<std::function<double(double, double)>>("f");
    QTest::addColumn<double>("level");
    QTest::addColumn<int>("lines");
    using F = std::function<double(double, double)>;
    QTest::newRow("plane in x") << F([](double x, double) { return 10 * x; }) << 25.0 << 4;
    QTest::newRow("plane in y") << F([](double, double y) { return 3 - y; }) << 1.5 << 5;
    QTest::newRow("on a node row") << F([](double x, double) { return x; }) << 2.0 << 4;
    QTest::newRow("above all") << F([](double x, double y) { return x + y; }) << 100.0 << 0;
    QTest::newRow("below all") << F([](double x, double y) { return x + y; }) << -1.0 << 0;
    QTest::newRow("not finite") << F([](double x, double) { return x < 1.5 ? NAN : x; }) << 2.5
                                << 4;
}

void TestPictures::contourLiesOnTheCrossing() {
    QFETCH(std::function<double(double, double)>, f);
    QFETCH(double, level);
    QFETCH(int, lines);
    RasterGrid grid{0, 0, 1, 6, 5}; // x 0..5, y 0..4
    std::vector<double> values;
    for (int j = 0; j < grid.ny; ++j)
        for (int i = 0; i < grid.nx; ++i)
            values.push_back(f(grid.x(i), grid.y(j)));
    const QVector<QLineF> got = Contour::lines(grid, values, level);
    // Linear data: the crossing found linearly is exact, every end is on the level.
    for (const QLineF &l : got)
        for (const QPointF &p : {l.p1(), l.p2()})
            QVERIFY2(std::abs(f(p.x(), p.y()) - level) < 1e-9,
                     qPrintable(QStringLiteral("%1, %2").arg(p.x()).arg(p.y())));
    // A level on a row of nodes is crossed once per cell row, not twice.
    QCOMPARE(got.size(), lines);
}

// One cell, high at its lower left and upper right: the mean of the corners (0.5) decides
// which pair the level's lines join, and so which two corners they cut off.
void TestPictures::saddleFollowsTheMean_data() {
    QTest::addColumn<double>("level");
    QTest::addColumn<QVector<QPointF>>("cutOff");
    QTest::newRow("below the mean: the high corners join")
        << 0.4 << QVector<QPointF>{{1, 0}, {0, 1}};
    QTest::newRow("above the mean: the low corners join")
        << 0.6 << QVector<QPointF>{{0, 0}, {1, 1}};
}

void TestPictures::saddleFollowsTheMean() {
    QFETCH(double, level);
    QFETCH(QVector<QPointF>, cutOff);
    const QVector<QLineF> got = Contour::lines(RasterGrid{0, 0, 1, 2, 2}, {1, 0, 0, 1}, level);
    QCOMPARE(got.size(), 2);
    for (const QLineF &l : got) {
        const QPointF middle = l.center();
        const double near =
            std::min(QLineF(middle, cutOff[0]).length(), QLineF(middle, cutOff[1]).length());
        QVERIFY2(near < 0.5, qPrintable(QStringLiteral("%1, %2").arg(middle.x()).arg(middle.y())));
    }
}

const EarthingResult &TestPictures::solvedGrid() {
    static const EarthingResult result = [] {
        EarthingInput input;
        input.soil = EarthingSoil::uniform(100);
        input.current = 1000;
        RectangularGrid grid;
        grid.sizeX = 20;
        grid.sizeY = 12;
        grid.countX = 5;
        grid.countY = 4;
        input.conductors = ConductorLayout::grid(grid);
        // Where a hand reaches the grid: the solver searches the touch in the areas given.
        input.touchAreas = {TouchAreas::of(grid, 0)};
        input.conductors.push_back({{0, 0, 0}, {0, 0, 3}, 0.016, 0});
        input.conductors.push_back({{-5, -3, 0.3}, {25, -3, 0.3}, 0.01, 1}); // a fence wire
        input.touchAreas = {TouchAreas::of(grid, 0)};
        auto solved = EarthingSolver::solve(input);
        if (solved.refused())
            qFatal("the grid was refused");
        return solved.result();
    }();
    return result;
}

// The maps' highest values against the solver's refined maxima: the refinement starts
// from these raster values and only climbs, by less than a raster step's worth.
void TestPictures::mapsAgreeWithTheSearch_data() {
    QTest::addColumn<int>("map");
    QTest::newRow("touch") << int(PlanPicture::Map::Touch);
    QTest::newRow("step") << int(PlanPicture::Map::Step);
}

void TestPictures::mapsAgreeWithTheSearch() {
    QFETCH(int, map);
    const EarthingResult &r = solvedGrid();
    const std::vector<double> values = PlanPicture::mapValues(r, PlanPicture::Map(map));
    QCOMPARE(values.size(), r.raster.size());
    double highest = -1;
    int shown = 0;
    for (double v : values)
        if (std::isfinite(v)) {
            highest = std::max(highest, v);
            ++shown;
        }
    const double worst =
        PlanPicture::Map(map) == PlanPicture::Map::Touch ? r.touchMax->voltage : r.stepMax.voltage;
    QVERIFY2(highest <= worst * (1 + 1e-6) && highest > 0.9 * worst,
             qPrintable(QStringLiteral("%1 against %2").arg(highest).arg(worst)));
    // The touch map covers the touch area only, the step map all of the step area.
    if (PlanPicture::Map(map) == PlanPicture::Map::Touch)
        QVERIFY(shown < int(r.raster.size()));
    // Independently: at the step map's highest node, the fall of the solved field to the
    // point 1 m away in its best direction is close to the map's value.
    if (PlanPicture::Map(map) == PlanPicture::Map::Step) {
        const auto k = std::size_t(std::max_element(values.begin(), values.end(),
                                                    [](double a, double b) {
                                                        return !std::isfinite(a) ||
                                                               (std::isfinite(b) && b > a);
                                                    }) -
                                   values.begin());
        const double x = r.raster.x(int(k % r.raster.nx));
        const double y = r.raster.y(int(k / r.raster.nx));
        double best = -1;
        for (int d = 0; d < 64; ++d) {
            const double a = 2 * M_PI * d / 64;
            const long i = std::lround((x + std::cos(a) - r.raster.x0) / r.raster.step);
            const long j = std::lround((y + std::sin(a) - r.raster.y0) / r.raster.step);
            if (i >= 0 && j >= 0 && i < r.raster.nx && j < r.raster.ny &&
                r.inStepArea[std::size_t(j) * r.raster.nx + std::size_t(i)])
                best = std::max(best, r.field->potential(x, y) -
                                          r.field->potential(x + std::cos(a), y + std::sin(a)));
        }
        QVERIFY2(std::abs(best - highest) < 0.05 * highest,
                 qPrintable(QStringLiteral("%1 against %2").arg(best).arg(highest)));
    }
}

// 300 over 100 over 600 ohm-m, 2 m and 8 m thick: the interfaces drawn at 2 m and 10 m of
// a column whose foot stands for 13.3 m, and the middle of each band without a line.
void TestPictures::layerColumnToScale() {
    LayerColumn column;
    column.soil = {{300, 100, 600}, {2, 8}};
    QCOMPARE(column.footDepth(), 10 * 4 / 3.0);
    QImage image(200, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRectF area(0, 0, 200, 400);
    {
        QPainter painter(&image);
        column.paint(painter, area);
    }
    const int x = 150;
    const auto dark = [&](double depth) {
        const int y = int(std::round(400 * depth / (40 / 3.0)));
        for (int dy = -1; dy <= 1; ++dy)
            if (image.pixelColor(x, y + dy).lightness() < 80)
                return true;
        return false;
    };
    QVERIFY(dark(2) && dark(10));
    QVERIFY(!dark(1) && !dark(6) && !dark(12));
    QVERIFY(std::abs(column.yOf(2, area) - 60) < 1e-9);
}

// A touch point 500 m off (a cable's far end) is on the plan, but a map keeps the scale
// of the field it shows.
void TestPictures::remotePointWidensThePlanOnly() {
    EarthingResult r = solvedGrid();
    r.touchPoints = {{{500, 0}, 0, "cable end"}};
    PlanPicture plan;
    plan.result = &r;
    QVERIFY(plan.extent().contains(QPointF(500, 0)));
    MapPicture map(r, PlanPicture::Map::Touch);
    QVERIFY(!map.extent().contains(QPointF(500, 0)));
    const QRectF field(QPointF(r.raster.x(0), r.raster.y(0)),
                       QPointF(r.raster.x(r.raster.nx - 1), r.raster.y(r.raster.ny - 1)));
    QVERIFY(map.extent().contains(field) && map.extent().width() < 1.2 * field.width() + 2);
}

void TestPictures::planDrawsPartsAndCells() {
    const EarthingResult &r = solvedGrid();
    PlanPicture plan;
    plan.conductors = {{{0, 0, 0.5}, {20, 0, 0.5}, 0.01, 0},
                       {{-5, -3, 0.3}, {25, -3, 0.3}, 0.01, 1},
                       {{10, 6, 0}, {10, 6, 3}, 0.016, 0}};
    QImage image(400, 300, QImage::Format_RGB32);
    const QRectF world = plan.extent();
    {
        QPainter painter(&image);
        plan.paint(painter, image.rect(), world);
    }
    const PlanTransform t(world, image.rect());
    const auto pixel = [&](double x, double y) {
        return image.pixelColor(t.toDevice(QPointF(x, y)).toPoint());
    };
    // Energised and floating apart, the rod a dot of the energised colour, white between.
    QVERIFY(pixel(10, 0).red() > 150 && pixel(10, 0).blue() < 80);
    QVERIFY(pixel(10, -3).blue() > 150 && pixel(10, -3).red() < 80);
    QVERIFY(pixel(10, 6).red() > 150 && pixel(10, 6).blue() < 80);
    QCOMPARE(pixel(5, 3), QColor(Qt::white));

    // A potential map: every cell is drawn in the colour of its node.
    plan.result = &r;
    plan.map = PlanPicture::Map::Potential;
    plan.conductors.clear();
    {
        QPainter painter(&image);
        plan.paint(painter, image.rect(), plan.extent());
    }
    // Drawn beside the legend's strip, not under it.
    const QRectF area = plan.planArea(image.rect(), QFontMetrics(QGuiApplication::font()).height());
    QVERIFY(area.right() < image.width() - 40 && area.height() == image.height());
    const PlanTransform u(plan.extent(), area);
    double lo = 1e300, hi = -1e300;
    for (double v : r.rasterPotential) {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    const ColourScale scale(lo, hi);
    const int i = r.raster.nx / 3, j = r.raster.ny / 2;
    const QColor drawn = image.pixelColor(
        u.toDevice(QPointF(r.raster.x(i), r.raster.y(j)) + QPointF(0.1, 0.1) * r.raster.step)
            .toPoint());
    const QColor expected = scale.colour(r.rasterPotential[std::size_t(j) * r.raster.nx + i]);
    QVERIFY2(std::abs(drawn.red() - expected.red()) <= 1 &&
                 std::abs(drawn.green() - expected.green()) <= 1 &&
                 std::abs(drawn.blue() - expected.blue()) <= 1,
             qPrintable(drawn.name() + QStringLiteral(" for ") + expected.name()));
}

// The key names each symbol the plan draws, and no other: before a solve the metal, the
// fence's reach and the surface layer; after it the worst places too.
void TestPictures::keyNamesWhatThePlanDraws() {
    PlanPicture plan;
    plan.conductors = {{{0, 0, 0.5}, {20, 0, 0.5}, 0.01, 0},
                       {{-5, -3, 0.3}, {25, -3, 0.3}, 0.01, 1},
                       {{10, 6, 0}, {10, 6, 3}, 0.016, 0}};
    TouchArea band;
    band.outline = {{-6, -6}, {26, -6}, {26, 8}, {-6, 8}};
    band.band = 1;
    plan.touchAreas = {band};
    plan.surfaceZone = {{-2, -2}, {22, -2}, {22, 8}};
    QCOMPARE(PlanKey(plan.symbols(), shippedTexts()).words(),
             (std::vector<QString>{"Conductor, energised", "Conductor, floating",
                                   "Rod or post, energised", "Where a hand reaches a fence",
                                   "Surface layer"}));
    const EarthingResult &r = solvedGrid();
    plan.result = &r;
    const std::vector<QString> solved = PlanKey(plan.symbols(), shippedTexts()).words();
    QCOMPARE(solved.back(), QStringLiteral("Worst step voltage, from the higher point"));
    QVERIFY(std::find(solved.begin(), solved.end(), QStringLiteral("Worst touch voltage")) !=
            solved.end());
    // The solve's own places now: its grid's touch area, outlined.
    QVERIFY(std::find(solved.begin(), solved.end(), QStringLiteral("Touch area")) != solved.end());
}

void TestPictures::profileSamplesTheField() {
    const EarthingResult &r = solvedGrid();
    ProfilePicture profile;
    profile.sample(*r.field, r.gpr, QLineF(-3, 6, 23, 6), 27);
    QCOMPARE(profile.distance.size(), 27);
    QCOMPARE(profile.distance.back(), 26.0);
    QCOMPARE(profile.potential[13], r.field->potential(10, 6));
    QCOMPARE(profile.touch[13], r.gpr - r.field->potential(10, 6));
    QImage image(300, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    profile.paint(painter, image.rect()); // draws without a fault on a small area
    // A line beyond the solver's reach (of no finite length) has no samples to draw.
    for (const QLineF &far : {QLineF(1e308, 0, -1e308, 0), QLineF(0, 0, 0, 1e6)}) {
        profile.sample(*r.field, r.gpr, far, 27);
        QVERIFY(profile.distance.empty() && profile.potential.empty() && profile.touch.empty());
        profile.paint(painter, image.rect());
    }
}

// The tolerable line along a profile steps where the line crosses the surface layer's edge:
// the layer's limit (800 V) inside the 10 m square, the bare soil's (300 V) outside.
void TestPictures::tolerableStepsAtTheZonesEdge_data() {
    QTest::addColumn<QLineF>("line");
    QTest::addColumn<QPolygonF>("corners"); // (distance, V)
    QTest::newRow("across the square")
        << QLineF(-5, 5, 15, 5)
        << QPolygonF({{0, 300}, {5, 300}, {5, 800}, {15, 800}, {15, 300}, {20, 300}});
    // A 3-4-5 line from outside: it enters at x = 0, 5 m along it.
    QTest::newRow("in from a corner")
        << QLineF(-3, 1, 3, 9) << QPolygonF({{0, 300}, {5, 300}, {5, 800}, {10, 800}});
    QTest::newRow("wholly inside") << QLineF(1, 1, 4, 5) << QPolygonF({{0, 800}, {5, 800}});
    QTest::newRow("wholly outside") << QLineF(11, 0, 11, 3) << QPolygonF({{0, 300}, {3, 300}});
}

void TestPictures::tolerableStepsAtTheZonesEdge() {
    QFETCH(QLineF, line);
    QFETCH(QPolygonF, corners);
    const PlaceLimits limits(800, 300, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    const QPolygonF steps = limits.along(line);
    QCOMPARE(steps.size(), corners.size());
    for (int k = 0; k < steps.size(); ++k) {
        QVERIFY2(std::abs(steps[k].x() - corners[k].x()) < 1e-9, qPrintable(QString::number(k)));
        QCOMPARE(steps[k].y(), corners[k].y());
    }
    // One limit everywhere: a level line end to end.
    QCOMPARE(PlaceLimits(800).along(line), QPolygonF({{0, 800}, {line.length(), 800}}));
}

// An L-shaped grid 12 m by 10 m less 6 m by 5 m at its far corner (x 6 to 12, y 5 to 10):
// no hand reaches its metal in the cut-out nor beyond its outline, so the touch map has no
// value there and draws it grey; inside the L it is the scale's colour.
void TestPictures::touchMapLeavesNoMetalGrey_data() {
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<bool>("coloured");
    QTest::newRow("in the cut-out") << QPointF(9, 7.5) << false;
    QTest::newRow("beyond the outline along x") << QPointF(-2, 5) << false;
    QTest::newRow("beyond the outline along y") << QPointF(3, -2) << false;
    QTest::newRow("inside the L") << QPointF(3, 5) << true;
}

void TestPictures::touchMapLeavesNoMetalGrey() {
    QFETCH(QPointF, at);
    QFETCH(bool, coloured);
    static const EarthingResult r = [] {
        EarthingInput input;
        input.soil = EarthingSoil::uniform(100);
        input.current = 1000;
        LShapedGrid l;
        l.bounds.sizeX = 12;
        l.bounds.sizeY = 10;
        l.bounds.countX = 5;
        l.bounds.countY = 5;
        l.cutX = 6;
        l.cutY = 5;
        input.conductors = ConductorLayout::lGrid(l);
        input.touchAreas = {TouchAreas::of(l, 0)};
        input.segmentLength = 2;
        auto solved = EarthingSolver::solve(input);
        if (solved.refused())
            qFatal("the L-shaped grid was refused");
        return solved.result();
    }();
    // The raster node nearest the place, and the map's value there.
    const RasterGrid &g = r.raster;
    const int i = int(std::lround((at.x() - g.x0) / g.step));
    const int j = int(std::lround((at.y() - g.y0) / g.step));
    QVERIFY(i >= 0 && j >= 0 && i < g.nx && j < g.ny);
    const QPointF node(g.x(i), g.y(j));
    const double value =
        PlanPicture::mapValues(r, PlanPicture::Map::Touch)[std::size_t(j) * g.nx + i];
    QCOMPARE(std::isfinite(value), coloured);

    PlanPicture plan;
    plan.result = &r;
    plan.map = PlanPicture::Map::Touch;
    QImage image(800, 600, QImage::Format_RGB32);
    const QRectF world = plan.extent();
    {
        QPainter painter(&image);
        plan.paint(painter, image.rect(), world);
    }
    const PlanTransform t(
        world, plan.planArea(image.rect(), QFontMetrics(QGuiApplication::font()).height()));
    const QColor drawn = image.pixelColor(t.toDevice(node + QPointF(0.1, 0.1) * g.step).toPoint());
    if (coloured)
        QVERIFY2(drawn != PlanPicture::noValueColour() && drawn != QColor(Qt::white),
                 qPrintable(drawn.name()));
    else
        QCOMPARE(drawn, PlanPicture::noValueColour());
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
