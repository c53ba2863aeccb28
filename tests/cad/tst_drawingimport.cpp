#include "Drawings.h"
#include "cad/DrawingImport.h"
#include "cad/DxfWriter.h"
#include "core/earthing/InputCheck.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace tav;
using namespace tav::cad;

namespace {

LayerMapping conductors(std::optional<double> depth = std::nullopt) {
    LayerMapping mapping;
    mapping.role = LayerRole::Conductor;
    mapping.depth = depth;
    mapping.diameter = 0.01;
    return mapping;
}

LayerMapping rodLayer(std::optional<double> diameter) {
    LayerMapping mapping;
    mapping.role = LayerRole::Rod;
    mapping.diameter = diameter;
    mapping.rodLength = 3;
    mapping.group = 1;
    return mapping;
}

ImportSettings atZero(std::map<std::string, LayerMapping> layers) {
    ImportSettings settings;
    settings.autoOrigin = false;
    settings.layers = std::move(layers);
    return settings;
}

double length(const ImportedConductor &c) {
    return std::hypot(c.to.x - c.from.x, c.to.y - c.from.y, c.to.z - c.from.z);
}

bool between(const ImportedConductor &c, double x1, double y1, double x2, double y2) {
    const auto at = [](const earthing::Point3 &p, double x, double y) {
        return std::fabs(p.x - x) < 1e-3 && std::fabs(p.y - y) < 1e-3;
    };
    return (at(c.from, x1, y1) && at(c.to, x2, y2)) || (at(c.from, x2, y2) && at(c.to, x1, y1));
}

} // namespace

class TestDrawingImport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void units_data();
    void units();
    void unitsFromCaller();
    void depth_data();
    void depth();
    void duplicatesAndCrossing_data();
    void duplicatesAndCrossing();
    void rods();
    void ignoredSummary();
    void siteOrigin();
    void solverLimit();
    void beyondReach_data();
    void beyondReach();

private:
    Refusable<ImportedPlan> import(const char *name, const ImportSettings &settings) const {
        const Refusable<DxfDrawing> drawing =
            DxfDrawing::read(m_dir.filePath(QString::fromLatin1(name)).toStdString());
        if (drawing.refused())
            return drawing.refusal();
        return DrawingImport(drawing.result(), settings).run();
    }

    QTemporaryDir m_dir;
};

void TestDrawingImport::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY2(drawings::write(m_dir.path()), "ezdxf could not write the drawings");
}

void TestDrawingImport::units_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<double>("metres"); // of the drawing's 100 units
    QTest::newRow("inch") << 1 << 100 * 0.0254; // 25.4 mm by definition
    QTest::newRow("foot") << 2 << 100 * 0.3048; // 12 inches
    QTest::newRow("millimetre") << 4 << 0.1;
    QTest::newRow("centimetre") << 5 << 1.0;
    QTest::newRow("metre") << 6 << 100.0;
}

void TestDrawingImport::units() {
    QFETCH(int, code);
    QFETCH(double, metres);
    const QByteArray name = "units_" + QByteArray::number(code) + ".dxf";
    ImportSettings settings = atZero({{"GRID", conductors(0.5)}});
    settings.units = DrawingUnit::Millimetre; // the drawing's own unit comes first
    const Refusable<ImportedPlan> plan = import(name.constData(), settings);
    QVERIFY(!plan.refused());
    QCOMPARE(int(plan.result().units), code);
    QCOMPARE(plan.result().conductors.size(), std::size_t(1));
    QVERIFY(std::fabs(length(plan.result().conductors[0]) - metres) < 1e-9);
}

void TestDrawingImport::unitsFromCaller() {
    ImportSettings settings = atZero({{"GRID", conductors(0.5)}});
    const Refusable<ImportedPlan> unknown = import("units_none.dxf", settings);
    QVERIFY(unknown.refused());
    QCOMPARE(unknown.refusal().error, Error::DrawingUnitsUnknown);
    settings.units = DrawingUnit::Foot;
    const Refusable<ImportedPlan> feet = import("units_none.dxf", settings);
    QVERIFY(!feet.refused());
    QVERIFY(std::fabs(length(feet.result().conductors[0]) - 30.48) < 1e-9);
}

void TestDrawingImport::depth_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("layerDepth"); // 0: none given
    QTest::addColumn<double>("depth");      // of every conductor; 0: none taken
    QTest::newRow("drawn at z = -0.5") << "plan.dxf" << 0.0 << 0.5;
    QTest::newRow("z below zero wins") << "plan.dxf" << 0.8 << 0.5;
    QTest::newRow("at z = 0, the layer's") << "plan_flat.dxf" << 0.8 << 0.8;
    QTest::newRow("at z = 0, no depth") << "plan_flat.dxf" << 0.0 << 0.0;
}

void TestDrawingImport::depth() {
    QFETCH(QString, file);
    QFETCH(double, layerDepth);
    QFETCH(double, depth);
    const ImportSettings settings =
        atZero({{"grid", conductors(layerDepth > 0 ? std::optional<double>(layerDepth) : std::nullopt)},
                {"RODS", LayerMapping{}},
                {"LOOSE", LayerMapping{}}});
    const Refusable<ImportedPlan> plan = import(file.toLatin1().constData(), settings);
    QVERIFY(!plan.refused());
    if (depth == 0) {
        QVERIFY(plan.result().conductors.empty());
        const std::map<std::string, std::size_t> leftOut{{"GRID", 4}};
        QCOMPARE(plan.result().leftOut, leftOut);
        return;
    }
    QVERIFY(!plan.result().conductors.empty());
    QVERIFY(plan.result().leftOut.empty());
    for (const ImportedConductor &c : plan.result().conductors) {
        QCOMPARE(c.from.z, depth);
        QCOMPARE(c.to.z, depth);
        QCOMPARE(c.diameter, 0.01);
        QCOMPARE(c.layer, std::string("GRID"));
    }
}

void TestDrawingImport::duplicatesAndCrossing_data() {
    QTest::addColumn<bool>("join");
    QTest::newRow("kept apart") << false;
    QTest::newRow("joined") << true;
}

void TestDrawingImport::duplicatesAndCrossing() {
    QFETCH(bool, join);
    // (0, 0)-(10, 0), the same reversed 0.5 mm off, (5, 0)-(15, 0) along it: one conductor
    // (0, 0)-(15, 0), two merged; (5, -5)-(5, 5) crosses it at (5, 0).
    ImportSettings settings = atZero({{"GRID", conductors()}});
    settings.joinCrossings = join;
    const Refusable<ImportedPlan> plan = import("plan.dxf", settings);
    QVERIFY(!plan.refused());
    const ImportedPlan &p = plan.result();
    QCOMPARE(p.mergedDuplicates, std::size_t(2));
    QCOMPARE(p.joins, std::size_t(join ? 1 : 0));
    if (!join) {
        QCOMPARE(p.conductors.size(), std::size_t(2));
        QVERIFY(between(p.conductors[0], 0, 0, 15, 0));
        QVERIFY(between(p.conductors[1], 5, -5, 5, 5));
        return;
    }
    QCOMPARE(p.conductors.size(), std::size_t(4));
    QVERIFY(between(p.conductors[0], 0, 0, 5, 0));
    QVERIFY(between(p.conductors[1], 5, 0, 15, 0));
    QVERIFY(between(p.conductors[2], 5, -5, 5, 0));
    QVERIFY(between(p.conductors[3], 5, 0, 5, 5));
}

void TestDrawingImport::rods() {
    // A POINT and a CIRCLE of radius 8 mm on RODS, 3 m long; the point has no diameter
    // unless the layer gives one. LOOSE is not in the map.
    ImportSettings settings = atZero({{"GRID", LayerMapping{}}, {"RODS", rodLayer(std::nullopt)}});
    Refusable<ImportedPlan> plan = import("plan.dxf", settings);
    QVERIFY(!plan.refused());
    QCOMPARE(plan.result().rods.size(), std::size_t(1));
    const ImportedRod &circle = plan.result().rods[0];
    QCOMPARE(circle.x, 30.0);
    QCOMPARE(circle.y, 20.0);
    QCOMPARE(circle.top, 0.5);
    QCOMPARE(circle.length, 3.0);
    QCOMPARE(circle.diameter, 0.016);
    QCOMPARE(circle.group, 1);
    const std::map<std::string, std::size_t> leftOut{{"LOOSE", 1}, {"RODS", 1}};
    QCOMPARE(plan.result().leftOut, leftOut);

    settings.layers["RODS"] = rodLayer(0.02);
    plan = import("plan.dxf", settings);
    QVERIFY(!plan.refused());
    QCOMPARE(plan.result().rods.size(), std::size_t(2));
    QCOMPARE(plan.result().rods[0].x, 20.0);
    QCOMPARE(plan.result().rods[0].diameter, 0.02);
    QCOMPARE(plan.result().rods[1].diameter, 0.02);
}

void TestDrawingImport::ignoredSummary() {
    const Refusable<ImportedPlan> plan = import("kinds_R2018.dxf", atZero({}));
    QVERIFY(!plan.refused());
    const DxfEntityCounts ignored{{{"TEXT", "TEXT"}, 1}, {{"3DFACE", "3DFACE"}, 1},
                                  {{"HATCH", "HATCH"}, 1}, {{"SPLINE", "SPLINE"}, 1},
                                  {{"MTEXT", "MTEXT"}, 1}};
    QCOMPARE(plan.result().ignored, ignored);
    // Nothing mapped: every layer with geometry is listed, each with its entities.
    const std::map<std::string, std::size_t> leftOut{
        {"LINE", 1}, {"LWPOLYLINE", 1}, {"POLYLINE2D", 1}, {"POLYLINE3D", 1},
        {"POINT", 1}, {"CIRCLE", 1}, {"INSERT", 1}};
    QCOMPARE(plan.result().leftOut, leftOut);
}

void TestDrawingImport::siteOrigin() {
    // Drawn from (500 123.4, 4 000 456.7): the lower-left corner rounded down to 100 m.
    ImportSettings settings;
    settings.layers = {{"GRID", conductors()}, {"RODS", rodLayer(0.02)}, {"LOOSE", LayerMapping{}}};
    const Refusable<ImportedPlan> plan = import("site.dxf", settings);
    QVERIFY(!plan.refused());
    QCOMPARE(plan.result().originX, 500100.0);
    QCOMPARE(plan.result().originY, 4000400.0);
    QVERIFY(between(plan.result().conductors[0], 23.4, 56.7, 38.4, 56.7));
    QVERIFY(std::fabs(plan.result().rods[0].x - 43.4) < 1e-6);
    QVERIFY(std::fabs(plan.result().rods[0].y - 76.7) < 1e-6);

    settings.autoOrigin = false;
    settings.originX = 500000;
    settings.originY = 4000000;
    const Refusable<ImportedPlan> given = import("site.dxf", settings);
    QVERIFY(!given.refused());
    QVERIFY(between(given.result().conductors[0], 123.4, 456.7, 138.4, 456.7));
}

void TestDrawingImport::solverLimit() {
    // 12 001 conductors 1 m long, 2 m apart: one more than the solver takes.
    DxfPlan drawn;
    drawn.layers = {{"GRID", 1}};
    const int count = 12001;
    for (int i = 0; i < count; ++i)
        drawn.lines.push_back({"GRID", {2.0 * i, 0, -0.5}, {2.0 * i, 1, -0.5}});
    const Refusable<DxfDrawing> drawing = DxfDrawing::fromText(DxfWriter(0, 0).text(drawn));
    QVERIFY(!drawing.refused());
    const Refusable<ImportedPlan> plan =
        DrawingImport(drawing.result(), atZero({{"GRID", conductors()}})).run();
    QVERIFY(plan.refused());
    QCOMPARE(plan.refusal().error, Error::TooManyConductors);
    QCOMPARE(plan.refusal().values,
             (std::vector<double>{count, double(earthing::InputCheck::kMaxConductors)}));
}

void TestDrawingImport::beyondReach_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("origin");
    QTest::addColumn<double>("farthest");
    // A site 3 km long is taken; one at site coordinates kept as they are, or a line of
    // 200 km, is not: neither could be solved, and merging them would sample them for ever.
    QTest::newRow("taken") << 3000.0 << 0.0 << -1.0;
    QTest::newRow("site coordinates not moved") << 512340.0 << 0.0 << 512340.0;
    QTest::newRow("200 km about the origin") << 200000.0 << 0.0 << 200000.0;
    QTest::newRow("moved near 0, 0") << 512340.0 << 510000.0 << -1.0;
    QTest::newRow("far out of any site") << 1e20 << 0.0 << 1e20;
}

void TestDrawingImport::beyondReach() {
    QFETCH(double, x);
    QFETCH(double, origin);
    QFETCH(double, farthest);
    DxfPlan drawn;
    drawn.layers = {{"GRID", 1}};
    // A millionth of its coordinate long: a line at any distance.
    drawn.lines.push_back({"GRID", {0.999999 * x, 0, -0.5}, {x, 0, -0.5}});
    const Refusable<DxfDrawing> drawing = DxfDrawing::fromText(DxfWriter(0, 0).text(drawn));
    QVERIFY(!drawing.refused());
    ImportSettings settings = atZero({{"GRID", conductors()}});
    settings.originX = origin;
    const Refusable<ImportedPlan> plan = DrawingImport(drawing.result(), settings).run();
    if (farthest < 0) {
        QVERIFY(!plan.refused());
        QCOMPARE(plan.result().conductors.size(), std::size_t(1));
        return;
    }
    QVERIFY(plan.refused());
    QCOMPARE(plan.refusal().error, Error::DrawingBeyondReach);
    QCOMPARE(plan.refusal().values.at(0), farthest - origin);
    QCOMPARE(plan.refusal().values.at(1), earthing::InputCheck::kMaxReach);
}

QTEST_GUILESS_MAIN(TestDrawingImport)
#include "tst_drawingimport.moc"
