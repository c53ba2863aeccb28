// The isolines' round levels, their lines joined through the raster, their labels placed
// where a line runs straightest without covering one another, and the report's maps.
#include "core/earthing/ConductorLayout.h"
#include "core/earthing/EarthingSolver.h"
#include "core/earthing/TouchAreas.h"
#include "report/Contour.h"
#include "report/ContourLabels.h"
#include "report/MapPicture.h"
#include "report/PlanTransform.h"
#include "report/ReportNumber.h"
#include "tests/support/ShippedTexts.h"
#include "text/StringIds.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include <cmath>
#include <functional>

using namespace tav::earthing;

Q_DECLARE_METATYPE(std::function<double(double, double)>)

namespace {

using Field = std::function<double(double, double)>;

RasterGrid raster() {
    RasterGrid g;
    g.x0 = 0;
    g.y0 = 0;
    g.step = 0.5;
    g.nx = 81; // 0 to 40 m
    g.ny = 61; // 0 to 30 m
    return g;
}

std::vector<double> sampled(const RasterGrid &g, const Field &f) {
    std::vector<double> v(g.size());
    for (int j = 0; j < g.ny; ++j)
        for (int i = 0; i < g.nx; ++i)
            v[std::size_t(j) * g.nx + i] = f(g.x(i), g.y(j));
    return v;
}

// Whether two convex quadrilaterals overlap with some area: no edge of either separates
// them (the separating axis theorem); touching is not overlapping.
bool overlap(const QPolygonF &a, const QPolygonF &b) {
    for (const QPolygonF *p : {&a, &b})
        for (int k = 0; k < p->size(); ++k) {
            const QPointF e = p->at((k + 1) % p->size()) - p->at(k);
            const QPointF n(-e.y(), e.x());
            double aLo = 1e300, aHi = -1e300, bLo = 1e300, bHi = -1e300;
            for (const QPointF &q : a) {
                aLo = std::min(aLo, QPointF::dotProduct(q, n));
                aHi = std::max(aHi, QPointF::dotProduct(q, n));
            }
            for (const QPointF &q : b) {
                bLo = std::min(bLo, QPointF::dotProduct(q, n));
                bHi = std::max(bHi, QPointF::dotProduct(q, n));
            }
            if (aHi <= bLo + 1e-9 || bHi <= aLo + 1e-9)
                return false;
        }
    return true;
}

// The raster's value at a point by bilinear interpolation in its cell, and the bound of
// how far a marching-squares line through the cell strays from the level there: a quarter
// of the cell's twist v00 - v10 - v01 + v11 (along a chord between two edge crossings the
// bilinear value departs from the level by t (1 - t) twist dx dy, cell units).
std::pair<double, double> bilinear(const RasterGrid &g, const std::vector<double> &v,
                                   const QPointF &p) {
    const int i = std::clamp(int(std::floor((p.x() - g.x0) / g.step)), 0, g.nx - 2);
    const int j = std::clamp(int(std::floor((p.y() - g.y0) / g.step)), 0, g.ny - 2);
    const double u = (p.x() - g.x(i)) / g.step;
    const double w = (p.y() - g.y(j)) / g.step;
    const auto at = [&](int a, int b) { return v[std::size_t(b) * g.nx + a]; };
    const double v00 = at(i, j), v10 = at(i + 1, j), v01 = at(i, j + 1), v11 = at(i + 1, j + 1);
    const double value =
        v00 * (1 - u) * (1 - w) + v10 * u * (1 - w) + v01 * (1 - u) * w + v11 * u * w;
    return {value, std::abs(v00 - v10 - v01 + v11) / 4};
}

// Every placed label against every other, the bounds and its line.
void checkLabels(const std::vector<ContourLabel> &labels, const QRectF &bounds, const RasterGrid &g,
                 const std::vector<double> &values, const PlanTransform &t,
                 const std::vector<QPolygonF> &kept = {}) {
    for (std::size_t a = 0; a < labels.size(); ++a) {
        for (std::size_t b = a + 1; b < labels.size(); ++b)
            QVERIFY2(!overlap(labels[a].box, labels[b].box),
                     qPrintable(QStringLiteral("labels %1 and %2 overlap").arg(a).arg(b)));
        for (const QPolygonF &k : kept)
            QVERIFY(!overlap(labels[a].box, k));
        for (const QPointF &corner : labels[a].box)
            QVERIFY(bounds.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(corner));
        const auto [value, error] = bilinear(g, values, t.toWorld(labels[a].anchor));
        QVERIFY2(std::abs(value - labels[a].level) <= error + 1e-9 * (1 + std::abs(value)),
                 qPrintable(QStringLiteral("%1 at the anchor of %2 (bound %3)")
                                .arg(value)
                                .arg(labels[a].level)
                                .arg(error)));
    }
}

// Labels as wide as 5 pt a character and 9 pt high.
QSizeF sizeOf(const QString &text) {
    return QSizeF(5.0 * text.size() + 4, 9);
}

} // namespace

class TestContourLabels : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void levelsAreRound_data();
    void levelsAreRound();
    void polylinesJoinTheCrossings();
    void loopCloses();
    void labelGoesWhereTheLineIsStraightest();
    void labelStepsAsideFromWhatItAvoids();
    void labelsNeitherOverlapNorLeaveTheirLine_data();
    void labelsNeitherOverlapNorLeaveTheirLine();
    void mapOfASolve_data();
    void mapOfASolve();
    void tolerableContourPerZone_data();
    void tolerableContourPerZone();
    void stepMapHasNoZeroLine();

private:
    static const EarthingResult &solvedGrid();
};

// By hand: the smallest of 1, 2, 5 times a power of ten with at most 12 of its multiples
// in the range, the levels the multiples strictly inside it.
void TestContourLabels::levelsAreRound_data() {
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("first");
    QTest::addColumn<int>("count");
    QTest::newRow("0 to 1000 V: every 100") << 0.0 << 1000.0 << 100.0 << 100.0 << 9;
    QTest::newRow("0 to 1300 V: 100 gives 13, so 200") << 0.0 << 1300.0 << 200.0 << 200.0 << 6;
    QTest::newRow("120 to 680 V: every 50") << 120.0 << 680.0 << 50.0 << 150.0 << 11;
    QTest::newRow("2000 to 4800 V: every 500") << 2000.0 << 4800.0 << 500.0 << 2500.0 << 5;
    QTest::newRow("0 to 25 V: every 2") << 0.0 << 25.0 << 2.0 << 2.0 << 12;
    QTest::newRow("-300 to 300 V: every 50") << -300.0 << 300.0 << 50.0 << -250.0 << 11;
}

void TestContourLabels::levelsAreRound() {
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(double, step);
    QFETCH(double, first);
    QFETCH(int, count);
    QCOMPARE(ContourLabels::stepFor(lo, hi), step);
    const std::vector<double> levels = ContourLabels::levels(lo, hi);
    QCOMPARE(int(levels.size()), count);
    QCOMPARE(levels.front(), first);
    for (std::size_t k = 1; k < levels.size(); ++k)
        QVERIFY(std::abs(levels[k] - levels[k - 1] - step) < 1e-9 * step);
}

// On a plane the level is one straight open line, every point of which lies on it, made
// of the very pieces Contour::lines gives.
void TestContourLabels::polylinesJoinTheCrossings() {
    const RasterGrid g = raster();
    const std::vector<double> v = sampled(g, [](double x, double y) { return 10 * x + 20 * y; });
    const QVector<QPolygonF> lines = Contour::polylines(g, v, 333);
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines[0].size() - 1, Contour::lines(g, v, 333).size());
    for (const QPointF &p : lines[0])
        QVERIFY(std::abs(10 * p.x() + 20 * p.y() - 333) < 1e-9);
    // From one side of the raster to another.
    const QPointF a = lines[0].front(), b = lines[0].back();
    const auto onEdge = [&](const QPointF &p) {
        return std::abs(p.x()) < 1e-9 || std::abs(p.y()) < 1e-9 || std::abs(p.x() - 40) < 1e-9 ||
               std::abs(p.y() - 30) < 1e-9;
    };
    QVERIFY(onEdge(a) && onEdge(b));
}

// A hill's level round its top is one loop, ending where it starts.
void TestContourLabels::loopCloses() {
    const RasterGrid g = raster();
    const std::vector<double> v = sampled(g, [](double x, double y) {
        return 1000 - 4 * ((x - 20) * (x - 20) + (y - 15) * (y - 15));
    });
    const QVector<QPolygonF> lines = Contour::polylines(g, v, 600); // radius 10 m
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines[0].front(), lines[0].back());
    QCOMPARE(lines[0].size() - 1, Contour::lines(g, v, 600).size());
    for (const QPointF &p : lines[0])
        QVERIFY(std::abs(std::hypot(p.x() - 20, p.y() - 15) - 10) < 0.05);
}

// A zigzag from x 0 to 40 then a straight run to 140: a label 30 wide can sit only on
// the straight run, where nothing turns, and goes to its middle among those places.
void TestContourLabels::labelGoesWhereTheLineIsStraightest() {
    QPolygonF line;
    line << QPointF(0, 50) << QPointF(10, 60) << QPointF(20, 50) << QPointF(30, 60)
         << QPointF(40, 50) << QPointF(140, 50);
    QCOMPARE(ContourLabels::turning(line, 60, 90), 0.0);
    QVERIFY(ContourLabels::turning(line, 0, 30) > 3); // two right angles and more
    ContourLabels labels(QRectF(0, 0, 200, 100));
    labels.place(100, QStringLiteral("100"), {line}, QSizeF(30, 8));
    QCOMPARE(int(labels.labels().size()), 1);
    const ContourLabel &l = labels.labels()[0];
    QVERIFY(l.anchor.x() >= 40 + 15 - 1e-9 && l.anchor.x() <= 140 - 15 + 1e-9);
    QCOMPARE(l.anchor.y(), 50.0);
    QCOMPARE(l.angle, 0.0);
}

// Where the straight run's places are taken, the label goes to the next straightest that
// is free, not over what it is told to keep clear of.
void TestContourLabels::labelStepsAsideFromWhatItAvoids() {
    QPolygonF line;
    line << QPointF(0, 50) << QPointF(100, 50) << QPointF(150, 60) << QPointF(200, 50)
         << QPointF(230, 80);
    ContourLabels labels(QRectF(0, 0, 300, 100));
    QPolygonF kept(QRectF(-5, 40, 110, 20)); // the whole straight run
    labels.avoid(kept);
    labels.place(7, QStringLiteral("7"), {line}, QSizeF(20, 8));
    QCOMPARE(int(labels.labels().size()), 1);
    QVERIFY(!overlap(labels.labels()[0].box, kept));
    QVERIFY(labels.labels()[0].anchor.x() > 100);
    // A line too short for its label keeps none.
    QPolygonF shortLine;
    shortLine << QPointF(250, 10) << QPointF(260, 10);
    labels.place(8, QStringLiteral("8"), {shortLine}, QSizeF(20, 8));
    QCOMPARE(int(labels.labels().size()), 1);
}

void TestContourLabels::labelsNeitherOverlapNorLeaveTheirLine_data() {
    QTest::addColumn<Field>("field");
    QTest::addColumn<QRectF>("page");
    QTest::addColumn<double>("step"); // V between levels; 0: the round ones
    const Field hills = [](double x, double y) {
        return 3000 / (1 + std::hypot(x - 12, y - 10) / 2) +
               2000 / (1 + std::hypot(x - 30, y - 20) / 3);
    };
    QTest::newRow("two hills, round levels") << hills << QRectF(20, 20, 480, 360) << 0.0;
    // Far more levels than there is room for on a small page: most places are refused.
    QTest::newRow("two hills, crowded") << hills << QRectF(0, 0, 200, 150) << 20.0;
    QTest::newRow("a saddle") << Field([](double x, double y) {
        return 40 * (x - 20) * (y - 15) / 10 + 500;
    }) << QRectF(0, 0, 400, 300)
                              << 0.0;
    QTest::newRow("parallel lines close together")
        << Field([](double x, double y) { return 50 * x + 5 * y; }) << QRectF(0, 0, 300, 225)
        << 25.0;
}

void TestContourLabels::labelsNeitherOverlapNorLeaveTheirLine() {
    QFETCH(Field, field);
    QFETCH(QRectF, page);
    QFETCH(double, step);
    const RasterGrid g = raster();
    const std::vector<double> v = sampled(g, field);
    const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
    std::vector<double> levels;
    if (step > 0)
        for (double l = std::ceil(*lo / step) * step; l < *hi; l += step)
            levels.push_back(l);
    else
        levels = ContourLabels::levels(*lo, *hi);
    const PlanTransform t(QRectF(0, 0, 40, 30), page);
    ContourLabels labels(page);
    int lines = 0;
    for (double level : levels) {
        QVector<QPolygonF> onPage = Contour::polylines(g, v, level);
        lines += onPage.size();
        for (QPolygonF &l : onPage)
            for (QPointF &p : l)
                p = t.toDevice(p);
        const QString text = QString::number(level);
        labels.place(level, text, onPage, sizeOf(text));
    }
    QVERIFY(!labels.labels().empty());
    QVERIFY(int(labels.labels().size()) <= lines);
    checkLabels(labels.labels(), page, g, v, t);
}

const EarthingResult &TestContourLabels::solvedGrid() {
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
        input.touchAreas = {TouchAreas::of(grid, 0)};
        input.segmentLength = 2;
        auto solved = EarthingSolver::solve(input);
        if (solved.refused())
            qFatal("the grid was refused");
        return solved.result();
    }();
    return result;
}

void TestContourLabels::mapOfASolve_data() {
    QTest::addColumn<int>("map");
    QTest::newRow("potential") << int(PlanPicture::Map::Potential);
    QTest::newRow("touch") << int(PlanPicture::Map::Touch);
    QTest::newRow("step") << int(PlanPicture::Map::Step);
}

// A map of the solved 20 m by 12 m grid on half a page: labels clear of each other and of
// the worst point's value and on their lines; the tolerable line drawn red; the scale one
// of the series at which the plan fits.
void TestContourLabels::mapOfASolve() {
    QFETCH(int, map);
    const EarthingResult &r = solvedGrid();
    MapPicture picture(r, PlanPicture::Map(map));
    RectangularGrid grid;
    grid.sizeX = 20;
    grid.sizeY = 12;
    grid.countX = 5;
    grid.countY = 4;
    picture.conductors = ConductorLayout::grid(grid);
    picture.grids = {{QRectF(0, 0, 20, 12), 5, 4}};
    // A level inside the map's range, so that its line is drawn.
    picture.tolerable = 0.5 * (picture.lowest() + picture.highest());
    const QRectF area(36, 36, 523, 360);
    const ScaledPlan plan = picture.layOut(area);
    QVERIFY(plan.frame().right() <= area.right() - MapPicture::kLegendWidth + 1e-9);
    QVERIFY(plan.world().contains(picture.extent()));

    QImage image(2400, 1800, QImage::Format_RGB32);
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    image.fill(Qt::white);
    QFont font;
    font.setPointSizeF(7);
    {
        QPainter painter(&image);
        painter.scale(4, 4);
        painter.setFont(font);
        picture.paint(painter, area, shippedTexts());
    }
    const ContourLabels labels = picture.labels(plan, QFontMetricsF(font), shippedTexts());
    QVERIFY(!labels.labels().empty());
    const std::vector<double> levels = picture.levels();
    for (const ContourLabel &l : labels.labels())
        QVERIFY(std::find(levels.begin(), levels.end(), l.level) != levels.end());
    QVERIFY(picture.worst().has_value());
    const QString worst = picture.worstText(shippedTexts());
    // The potential's highest, the touch's or the step's worst.
    QCOMPARE(worst, shippedText(PlanPicture::Map(map) == PlanPicture::Map::Potential
                                    ? StringId::PlanPictures::kHighestValue
                                    : StringId::PlanPictures::kWorstValue)
                        .arg(ReportNumber::text(picture.worst()->value)));
    checkLabels(labels.labels(), plan.frame(), r.raster, picture.values(), plan.transform(),
                {QPolygonF(picture.worstBox(plan, QFontMetricsF(font), worst))});
    // The tolerable voltage's red on a touch or step map, none on the potential's.
    int red = 0;
    for (int y = int(plan.frame().top() * 4); y < int(plan.frame().bottom() * 4); y += 2)
        for (int x = int(plan.frame().left() * 4); x < int(plan.frame().right() * 4); x += 2) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 70 && c.blue() < 70; // not the conductors' 180
        }
    if (PlanPicture::Map(map) == PlanPicture::Map::Potential)
        QCOMPARE(red, 0);
    else
        QVERIFY2(red > 20, qPrintable(QString::number(red)));
}

// The surface layer over the grid's left half (x below 10 m): the tolerable contour is the
// layer's level inside it and the bare soil's outside it. A level above the map's highest
// draws nothing: with the other in the map's range, every red pixel lies on its side.
void TestContourLabels::tolerableContourPerZone_data() {
    QTest::addColumn<bool>("onLayerDrawn");
    QTest::newRow("the layer's inside the zone") << true;
    QTest::newRow("the bare soil's outside it") << false;
}

void TestContourLabels::tolerableContourPerZone() {
    QFETCH(bool, onLayerDrawn);
    const EarthingResult &r = solvedGrid();
    MapPicture picture(r, PlanPicture::Map::Touch);
    const double inRange = 0.5 * (picture.lowest() + picture.highest());
    const double beyond = 10 * picture.highest();
    picture.tolerable =
        PlaceLimits(onLayerDrawn ? inRange : beyond, onLayerDrawn ? beyond : inRange,
                    {{-5, -5}, {10, -5}, {10, 17}, {-5, 17}});
    const QRectF area(36, 36, 523, 360);
    QImage image(2400, 1800, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(4, 4);
        picture.paint(painter, area, shippedTexts());
    }
    const ScaledPlan plan = picture.layOut(area);
    int inside = 0, outside = 0;
    for (int y = int(plan.frame().top() * 4); y < int(plan.frame().bottom() * 4); y += 2)
        for (int x = int(plan.frame().left() * 4); x < int(plan.frame().right() * 4); x += 2) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 70 && c.blue() < 70)
                ++(plan.transform().toWorld(QPointF(x / 4.0, y / 4.0)).x() < 10 ? inside : outside);
        }
    QVERIFY2((onLayerDrawn ? inside : outside) > 20, qPrintable(QString::number(inside)));
    QCOMPARE(onLayerDrawn ? outside : inside, 0);
}

// A step is a fall, never below 0: no isoline at 0 V, and none labelled so, however the
// rounding of a flat node falls.
void TestContourLabels::stepMapHasNoZeroLine() {
    const MapPicture picture(solvedGrid(), PlanPicture::Map::Step);
    QVERIFY(picture.lowest() >= 0);
    for (double level : picture.levels())
        QVERIFY2(level > 0, qPrintable(QString::number(level)));
}

QTEST_MAIN(TestContourLabels)
#include "tst_contourlabels.moc"
