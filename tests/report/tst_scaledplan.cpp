// The plan to scale: the scale chosen from the drawing office's series, and the scale bar
// and the conductors measured on a raster against the metres they stand for.
#include "core/earthing/ConductorLayout.h"
#include "document/SystemDocument.h"
#include "report/PlanPicture.h"
#include "report/ScaledPlan.h"
#include "tests/support/ShippedTexts.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include <cmath>

using namespace tav::earthing;

namespace {

// Points of paper per metre of ground at 1:d: 1000/d mm at 72/25.4 points a millimetre.
double pointsPerMetre(int d) {
    return 1000.0 / d * 72.0 / 25.4;
}

constexpr int kPixelsPerPoint = 4; // the raster at 288 dpi

bool dark(const QColor &c) {
    return c.red() < 100 && c.green() < 100 && c.blue() < 100;
}

bool energised(const QColor &c) {
    return c.red() > 120 && c.green() < 90 && c.blue() < 90;
}

// The plan painted in area (points) onto a raster of kPixelsPerPoint pixels a point.
QImage painted(const ScaledPlan &plan, const QRectF &area, const PlanPicture &picture) {
    QImage image(int(area.right() * kPixelsPerPoint) + 8, int(area.bottom() * kPixelsPerPoint) + 8,
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(2835); // 72 dpi: a font's point is a unit of the painter
    image.setDotsPerMeterY(2835);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(kPixelsPerPoint, kPixelsPerPoint);
    plan.paint(painter, picture, {}, shippedTexts());
    return image;
}

// The first run of pixels that pass test in row y from x on: its first and last pixel.
std::pair<int, int> run(const QImage &image, int y, int x, bool (*test)(const QColor &)) {
    while (x < image.width() && !test(image.pixelColor(x, y)))
        ++x;
    int end = x;
    while (end + 1 < image.width() && test(image.pixelColor(end + 1, y)))
        ++end;
    return {x, end};
}

} // namespace

class TestScaledPlan : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void choosesTheLargestScaleThatFits_data();
    void choosesTheLargestScaleThatFits();
    void scaleBarMeasuresItsMetres_data();
    void scaleBarMeasuresItsMetres();
    void conductorsAreDrawnToScale();
    void dimensionsAndScaleText();
    void dimensionsClearTheFencePosts_data();
    void dimensionsClearTheFencePosts();
    void documentsShapesAndFence();
    void northArrowTurnsWithTheProject_data();
    void northArrowTurnsWithTheProject();
};

// The room for the extent is the area less 32 + 6 points across for the tick labels and
// 6 + 50 down for the tick labels and the scale bar's strip, and 20 points round the extent
// for the dimension lines: width - 78 by height - 96. Each row's denominator is worked out
// by hand with 72000 / (25.4 d) points a metre, the one below it shown not to fit.
void TestScaledPlan::choosesTheLargestScaleThatFits_data() {
    QTest::addColumn<QSizeF>("extent"); // m
    QTest::addColumn<QSizeF>("area");   // pt
    QTest::addColumn<int>("expected");
    // 422 x 304: 5 m at 1:50 is 283.5 pt, 3 m 170.1 pt.
    QTest::newRow("1:50") << QSizeF(5, 3) << QSizeF(500, 400) << 50;
    // 8 m at 1:50 is 453.5 pt > 422; at 1:100 226.8 pt.
    QTest::newRow("1:100") << QSizeF(8, 6) << QSizeF(500, 400) << 100;
    // 25 m at 1:100 is 708.7 pt; at 1:200 354.3 pt, 20 m 283.5 pt.
    QTest::newRow("1:200") << QSizeF(25, 20) << QSizeF(500, 400) << 200;
    // 35 m at 1:200 is 496.1 pt; at 1:250 396.9 pt.
    QTest::newRow("1:250") << QSizeF(35, 10) << QSizeF(500, 400) << 250;
    // 40 m at 1:250 is 453.5 pt; at 1:500 226.8 pt, 30 m 170.1 pt.
    QTest::newRow("1:500") << QSizeF(40, 30) << QSizeF(500, 400) << 500;
    // 422 x 604: 200 m at 1:500 is 1133.9 pt; at 1:1000 566.9 pt, 120 m 340.2 pt.
    QTest::newRow("1:1000, tall") << QSizeF(120, 200) << QSizeF(500, 700) << 1000;
    // 160 m at 1:1000 is 453.5 pt > 422; at 1:1250 362.8 pt.
    QTest::newRow("1:1250") << QSizeF(160, 60) << QSizeF(500, 400) << 1250;
    // 722 x 204: 100 m at 1:1000 is 283.5 pt > 204 down; at 1:2000 141.7 pt.
    QTest::newRow("1:2000, by the height") << QSizeF(100, 100) << QSizeF(800, 300) << 2000;
    // 300 m at 1:2000 is 425.2 pt > 422; at 1:2500 340.2 pt.
    QTest::newRow("1:2500") << QSizeF(300, 100) << QSizeF(500, 400) << 2500;
    // 500 m at 1:2500 is 566.9 pt; at 1:5000 283.5 pt, 300 m 170.1 pt.
    QTest::newRow("1:5000") << QSizeF(500, 300) << QSizeF(500, 400) << 5000;
    // 3000 m at 1:20000 is 425.2 pt > 422; at 1:25000 340.2 pt, 2000 m 226.8 pt.
    QTest::newRow("1:25000") << QSizeF(3000, 2000) << QSizeF(500, 400) << 25000;
}

void TestScaledPlan::choosesTheLargestScaleThatFits() {
    QFETCH(QSizeF, extent);
    QFETCH(QSizeF, area);
    QFETCH(int, expected);
    const ScaledPlan plan(QRectF(QPointF(10, 20), area), QRectF(QPointF(-3, 7), extent));
    QCOMPARE(plan.denominator(), expected);
    QCOMPARE(plan.scaleText(shippedTexts()), QStringLiteral("Scale 1:%1").arg(expected));
    QVERIFY(std::abs(plan.pointsPerMetre() - pointsPerMetre(expected)) < 1e-9);
    // The frame shows the extent whole, centred.
    QVERIFY(plan.world().contains(QRectF(QPointF(-3, 7), extent)));
    QVERIFY(std::abs(plan.world().center().x() - (-3 + extent.width() / 2)) < 1e-9);
}

void TestScaledPlan::scaleBarMeasuresItsMetres_data() {
    QTest::addColumn<QSizeF>("extent");
    QTest::addColumn<QSizeF>("area");
    QTest::newRow("1:100") << QSizeF(8, 6) << QSizeF(500, 400);
    QTest::newRow("1:500") << QSizeF(40, 30) << QSizeF(500, 400);
    QTest::newRow("1:2500") << QSizeF(300, 100) << QSizeF(500, 400);
    QTest::newRow("1:2000 wide") << QSizeF(100, 100) << QSizeF(800, 300);
}

// The bar's labelled metres at the scale against the bar as the class says it is and,
// apart from that, as its pixels lie on a 288 dpi raster: from the left edge of its black
// half to the right edge of its white half's outline, less the outline's 0.5 pt.
void TestScaledPlan::scaleBarMeasuresItsMetres() {
    QFETCH(QSizeF, extent);
    QFETCH(QSizeF, area);
    const QRectF page(QPointF(10, 20), area);
    const ScaledPlan plan(page, QRectF(QPointF(0, 0), extent));
    const double expected = plan.scaleBarMetres() * pointsPerMetre(plan.denominator());
    QVERIFY(std::abs(plan.scaleBar().width() - expected) < 0.01 * expected);
    // A round number of metres: 1, 2 or 5 times a power of ten.
    const double mantissa =
        plan.scaleBarMetres() / std::pow(10.0, std::floor(std::log10(plan.scaleBarMetres())));
    QVERIFY2(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                 std::abs(mantissa - 5) < 1e-9,
             qPrintable(QString::number(plan.scaleBarMetres())));

    const QImage image = painted(plan, page, PlanPicture());
    const int y = int(plan.scaleBar().center().y() * kPixelsPerPoint);
    const auto [blackFrom, blackTo] = run(image, y, 0, dark);
    QVERIFY(blackTo > blackFrom);
    const auto white = [](const QColor &c) { return c.red() > 200 && c.green() > 200; };
    const auto [whiteFrom, whiteTo] = run(image, y, blackTo + 1, white);
    const auto [outlineFrom, outlineTo] = run(image, y, whiteTo + 1, dark);
    Q_UNUSED(whiteFrom);
    Q_UNUSED(outlineFrom);
    const double drawn = double(outlineTo - blackFrom + 1) / kPixelsPerPoint - 0.5;
    QVERIFY2(std::abs(drawn - expected) < 0.01 * expected,
             qPrintable(QStringLiteral("%1 pt drawn, %2 pt expected").arg(drawn).arg(expected)));
    // Its black half is half of it.
    const double half = double(blackTo - blackFrom + 1) / kPixelsPerPoint;
    QVERIFY2(std::abs(half - expected / 2) < 0.02 * expected,
             qPrintable(QStringLiteral("%1 pt against %2").arg(half).arg(expected / 2)));
}

// A 20 m conductor along x and a 15 m one along y at 1:500 measured on the raster: their
// runs of the energised colour, less the round caps' 2 pt, are 20 and 15 m at 5.669 pt a
// metre.
void TestScaledPlan::conductorsAreDrawnToScale() {
    const QRectF page(0, 0, 500, 400);
    const ScaledPlan plan(page, QRectF(-2, -2, 40, 30));
    QCOMPARE(plan.denominator(), 500);
    PlanPicture picture;
    picture.conductors = {{{3, 2, 0.5}, {23, 2, 0.5}, 0.01, 0},
                          {{33, 3, 0.5}, {33, 18, 0.5}, 0.01, 0}};
    const QImage image = painted(plan, page, picture);
    const PlanTransform t = plan.transform();
    const auto [x0, x1] =
        run(image, int(t.toDevice(QPointF(13, 2)).y() * kPixelsPerPoint), 0, energised);
    const double along = double(x1 - x0 + 1) / kPixelsPerPoint - 2;
    QVERIFY2(std::abs(along - 20 * pointsPerMetre(500)) < 0.01 * 20 * pointsPerMetre(500),
             qPrintable(QString::number(along)));
    // Down the column of the second conductor.
    const int column = int(t.toDevice(QPointF(33, 10)).x() * kPixelsPerPoint);
    int top = 0;
    while (top < image.height() && !energised(image.pixelColor(column, top)))
        ++top;
    int bottom = top;
    while (bottom + 1 < image.height() && energised(image.pixelColor(column, bottom + 1)))
        ++bottom;
    const double down = double(bottom - top + 1) / kPixelsPerPoint - 2;
    QVERIFY2(std::abs(down - 15 * pointsPerMetre(500)) < 0.01 * 15 * pointsPerMetre(500),
             qPrintable(QString::number(down)));
}

// A grid 20 m by 12 m with 5 by 4 conductors: its sides and its mesh (5 m along x, 4 m
// along y) are dimensioned; the dimension lines' text is drawn, which is seen as dark
// pixels between the grid and its dimension line's far side.
void TestScaledPlan::dimensionsAndScaleText() {
    const QRectF page(0, 0, 500, 400);
    const ScaledPlan plan(page, QRectF(-2, -2, 24, 16));
    QCOMPARE(plan.denominator(), 200);
    const QImage image = [&] {
        QImage out(2008, 1608, QImage::Format_RGB32);
        out.setDotsPerMeterX(2835);
        out.setDotsPerMeterY(2835);
        out.fill(Qt::white);
        QPainter painter(&out);
        painter.scale(kPixelsPerPoint, kPixelsPerPoint);
        plan.paint(painter, PlanPicture(), {{QRectF(0, 0, 20, 12), 5, 4}}, shippedTexts());
        return out;
    }();
    // Under the grid's lower side, 10 pt down, the dimension line runs from x 0 to 20 m.
    const PlanTransform t = plan.transform();
    const QPointF low = t.toDevice(QPointF(10, 0)) + QPointF(0, 10);
    const int y = int(low.y() * kPixelsPerPoint);
    const auto [from, to] =
        run(image, y, int(t.toDevice(QPointF(-1, 0)).x() * kPixelsPerPoint), dark);
    const double drawn = double(to - from + 1) / kPixelsPerPoint;
    const double expected = 20 * pointsPerMetre(200);
    QVERIFY2(std::abs(drawn - expected) < 0.03 * expected,
             qPrintable(QStringLiteral("%1 against %2").arg(drawn).arg(expected)));
}

// A 70 m grid with a fence of posts 3 m apart 2 to 6 m outside it, on the plan's page at
// 1:500 (where 3 m is 17 pt) and on half a page: no dimension's text covers a post's dot
// (3.5 pt round it), each standing beyond the posts of its side.
void TestScaledPlan::dimensionsClearTheFencePosts_data() {
    QTest::addColumn<double>("distance");
    QTest::addColumn<QRectF>("area");
    for (const double distance : {2., 3., 6.}) {
        QTest::addRow("%g m out, a page", distance) << distance << QRectF(0, 0, 510, 609);
        QTest::addRow("%g m out, half a page", distance) << distance << QRectF(0, 0, 432, 317);
    }
}

void TestScaledPlan::dimensionsClearTheFencePosts() {
    QFETCH(double, distance);
    QFETCH(QRectF, area);
    tav::DocumentError error;
    const tav::SystemDocument d = tav::SystemDocument::fromJson(
        R"({"soil": {"rho": 100}, "current": 1, "grids": [{"size": [70, 70], "conductors": [8, 8],
            "depth": 0.5, "diameter": 0.01}], "fences": [{"distance": )" +
            QByteArray::number(distance) +
            R"(, "posts": {"spacing": 3, "length": 1.2, "diameter": 0.06}}]})",
        error);
    QCOMPARE(error.kind, tav::DocumentError::Kind::None);
    const PlanPicture picture = ScaledPlan::pictureOf(d);
    const ScaledPlan plan(area, picture.extent());
    QFont font;
    font.setPointSizeF(7);
    QImage device(10, 10, QImage::Format_RGB32);
    device.setDotsPerMeterX(2835);
    device.setDotsPerMeterY(2835);
    const QFontMetricsF metrics(font, &device);
    const std::vector<QRectF> boxes =
        plan.dimensionTexts(ScaledPlan::gridShapes(d), picture.conductors, metrics, shippedTexts());
    QCOMPARE(int(boxes.size()), 4);
    int posts = 0;
    for (const tav::earthing::Conductor &c : picture.conductors) {
        if (c.from.x != c.to.x || c.from.y != c.to.y)
            continue; // a grid's conductor, not a post
        ++posts;
        const QPointF at = plan.transform().toDevice(QPointF(c.from.x, c.from.y));
        const QRectF dot(at - QPointF(3.5, 3.5), QSizeF(7, 7));
        for (const QRectF &box : boxes)
            QVERIFY2(!box.intersects(dot),
                     qPrintable(QStringLiteral("post at (%1, %2)").arg(c.from.x).arg(c.from.y)));
    }
    QVERIFY(posts > 40);
}

void TestScaledPlan::northArrowTurnsWithTheProject_data() {
    QTest::addColumn<double>("north");
    QTest::addColumn<bool>("upright");
    QTest::newRow("+y") << 0. << true;
    QTest::newRow("+x") << 90. << false;
    QTest::newRow("-x") << -90. << false;
}

// The arrow's ink under the plan, right of the scale bar: tall and narrow while north is
// +y, wide and low once the project turns it a quarter.
void TestScaledPlan::northArrowTurnsWithTheProject() {
    QFETCH(double, north);
    QFETCH(bool, upright);
    tav::DocumentError error;
    const tav::SystemDocument d = tav::SystemDocument::fromJson(
        R"({"soil": {"rho": 100}, "current": 1, "north": )" + QByteArray::number(north) + "}",
        error);
    QCOMPARE(error.kind, tav::DocumentError::Kind::None);
    const QRectF page(0, 0, 500, 400);
    const ScaledPlan plan(page, QRectF(-2, -2, 24, 16));
    const QImage image = painted(plan, page, ScaledPlan::pictureOf(d));
    // Below the ticks' labels, right of the scale bar and its last label.
    const double top = plan.frame().bottom() + 16;
    const double left = plan.scaleBar().right() + 30;
    const QRect strip(int(left * kPixelsPerPoint), int(top * kPixelsPerPoint),
                      int((page.right() - left) * kPixelsPerPoint),
                      int((page.bottom() - top) * kPixelsPerPoint));
    QRect ink;
    for (int y = strip.top(); y <= strip.bottom() && y < image.height(); ++y)
        for (int x = strip.left(); x <= strip.right() && x < image.width(); ++x)
            if (dark(image.pixelColor(x, y)))
                ink |= QRect(x, y, 1, 1);
    QVERIFY(!ink.isEmpty());
    QCOMPARE(ink.height() > ink.width(), upright);
}

// A grid 20 m by 12 m with rods at its corners, an L-shaped grid beside it and a fence
// 2 m round what is energised: the shapes dimensioned are the grid's and the L's bounds
// with their conductor counts, and the fence's posts are drawn where its corners are, in
// the colour of metal not energised.
void TestScaledPlan::documentsShapesAndFence() {
    tav::SystemDocument document;
    document.soil = EarthingSoil::uniform(100);
    document.current = 1000;
    tav::SystemDocument::Grid grid;
    grid.grid.sizeX = 20;
    grid.grid.sizeY = 12;
    grid.grid.countX = 5;
    grid.grid.countY = 4;
    grid.rods = tav::SystemDocument::GridRods{0, true, 3, 0.016};
    document.grids.push_back(grid);
    tav::SystemDocument::LGrid l;
    l.grid.bounds.x0 = 30;
    l.grid.bounds.sizeX = 12;
    l.grid.bounds.sizeY = 10;
    l.grid.bounds.countX = 4;
    l.grid.bounds.countY = 3;
    l.grid.cutX = 6;
    l.grid.cutY = 5;
    document.lGrids.push_back(l);
    tav::SystemDocument::Fence fence;
    fence.fence.distance = 2;
    fence.fence.spacing = 3;
    fence.fence.length = 1;
    fence.fence.diameter = 0.02;
    document.fences.push_back(fence);

    const std::vector<ScaledPlan::GridShape> shapes = ScaledPlan::gridShapes(document);
    QCOMPARE(int(shapes.size()), 2);
    QCOMPARE(shapes[0].bounds, QRectF(0, 0, 20, 12));
    QCOMPARE(shapes[0].countX, 5);
    QCOMPARE(shapes[0].countY, 4);
    QCOMPARE(shapes[1].bounds, QRectF(30, 0, 12, 10));
    QCOMPARE(shapes[1].countX, 4);
    QCOMPARE(shapes[1].countY, 3);

    const PlanPicture picture = ScaledPlan::pictureOf(document);
    QCOMPARE(picture.conductors.size(), document.input().conductors.size());
    QVERIFY(!picture.touchAreas.empty());
    const QRectF page(0, 0, 500, 400);
    const ScaledPlan plan(page, picture.extent());
    QImage image(2008, 1608, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(kPixelsPerPoint, kPixelsPerPoint);
        plan.paint(painter, picture, shapes, shippedTexts());
    }
    std::vector<Conductor> energised;
    for (const Conductor &c : document.input().conductors)
        if (c.group == 0)
            energised.push_back(c);
    const std::vector<Point2> corners = ConductorLayout::fenceCorners(fence.fence, energised);
    QCOMPARE(int(corners.size()), 4);
    for (const Point2 &corner : corners) {
        const QPointF at = plan.transform().toDevice(QPointF(corner.x, corner.y)) * kPixelsPerPoint;
        const QColor c = image.pixelColor(at.toPoint());
        QVERIFY2(c.blue() > 150 && c.red() < 100,
                 qPrintable(QStringLiteral("%1,%2: %3").arg(corner.x).arg(corner.y).arg(c.name())));
    }
}

QTEST_MAIN(TestScaledPlan)
#include "tst_scaledplan.moc"
