#include "Drawings.h"
#include "cad/DrawingImport.h"
#include "cad/DxfWriter.h"
#include "core/earthing/InputCheck.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace tav;
using namespace tav::cad;

Q_DECLARE_METATYPE(std::vector<tav::cad::DxfPolyline>)

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

using LeftOutCounts = std::map<std::pair<std::string, LeftOutReason>, std::size_t>;

// A drawing of lines and polylines on GRID, in metres, read back as DXF text.
Refusable<DxfDrawing> drawn(const std::vector<DxfPolyline> &polylines) {
    DxfPlan plan;
    plan.layers = {{"GRID", 1}};
    plan.polylines = polylines;
    return DxfDrawing::fromText(DxfWriter(0, 0).text(plan));
}

// count + 1 vertices step apart along x from x0, at z = -0.5.
DxfPolyline stepped(double x0, double step, int count) {
    DxfPolyline line{"GRID", {}, false};
    for (int i = 0; i <= count; ++i)
        line.vertices.push_back({x0 + i * step, 0, -0.5});
    return line;
}

// count vertices round a circle of the radius about (0, 0), closed, at z = -0.5.
DxfPolyline circle(double radius, int count) {
    DxfPolyline line{"GRID", {}, true};
    for (int i = 0; i < count; ++i) {
        const double a = 2 * M_PI * i / count;
        line.vertices.push_back({radius * std::cos(a), radius * std::sin(a), -0.5});
    }
    return line;
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
    // Outlines: a fence along an open line keeps it open and floats without a group; a line
    // drawn back to its first corner closes into a touch area of its layer's group; a
    // crossing outline and a fence layer without posts are left out, and said why; the one
    // rock outline is the surface layer's zone.
    void outlines() {
        const auto line = [](const char *layer, std::vector<std::pair<double, double>> xy,
                             bool closed) {
            DxfPolyline p{layer, {}, closed};
            for (const auto &[x, y] : xy)
                p.vertices.push_back({x, y, 0});
            return p;
        };
        DxfPlan plan;
        plan.layers = {{"F", 1}, {"Y", 2}, {"R", 3}, {"NP", 4}};
        plan.polylines = {line("F", {{0, 0}, {10, 0}, {10, 5}}, false),
                          line("Y", {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}}, false),
                          line("Y", {{0, 0}, {4, 4}, {4, 0}, {0, 4}}, true),
                          line("R", {{-1, -1}, {12, -1}, {12, 6}, {-1, 6}}, true),
                          line("NP", {{0, 0}, {1, 0}}, false)};
        const Refusable<DxfDrawing> drawing = DxfDrawing::fromText(DxfWriter(0, 0).text(plan));
        QVERIFY(!drawing.refused());
        LayerMapping fence;
        fence.role = LayerRole::Fence;
        fence.posts = FencePosts{3, 1, 0.05, std::nullopt};
        LayerMapping yard;
        yard.role = LayerRole::TouchArea;
        yard.group = 2;
        LayerMapping rock;
        rock.role = LayerRole::Surface;
        LayerMapping bare;
        bare.role = LayerRole::Fence;
        const Refusable<ImportedPlan> taken =
            DrawingImport(drawing.result(),
                          atZero({{"F", fence}, {"Y", yard}, {"R", rock}, {"NP", bare}}))
                .run();
        QVERIFY(!taken.refused());
        const ImportedPlan &p = taken.result();
        QCOMPARE(int(p.fences.size()), 1);
        QVERIFY(!p.fences[0].closed && !p.fences[0].group);
        QCOMPARE(int(p.fences[0].corners.size()), 3);
        QCOMPARE(p.fences[0].posts->spacing, 3.);
        QCOMPARE(int(p.touchAreas.size()), 1);
        QCOMPARE(int(p.touchAreas[0].corners.size()), 4);
        QCOMPARE(p.touchAreas[0].group, std::optional<int>(2));
        QVERIFY(p.surface);
        QCOMPARE(p.surface->corners.back().x, -1.);
        QCOMPARE(p.surface->corners.back().y, 6.);
        const LeftOutCounts leftOut{{{"Y", LeftOutReason::OutlineUnfit}, 1},
                                    {{"NP", LeftOutReason::FenceLacks}, 1}};
        QCOMPARE(p.leftOut, leftOut);
        QVERIFY(p.conductors.empty() && p.rods.empty());
    }

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
    void shortAndFar_data();
    void shortAndFar();
    void unitNotTaken();
    void crossingsCounted_data();
    void crossingsCounted();

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
        const LeftOutCounts leftOut{{{"GRID", LeftOutReason::ConductorLacks}, 4}};
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
    const LeftOutCounts leftOut{{{"LOOSE", LeftOutReason::LayerNotNamed}, 1},
                                {{"RODS", LeftOutReason::RodLacks}, 1}};
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
    LeftOutCounts leftOut;
    for (const char *layer :
         {"LINE", "LWPOLYLINE", "POLYLINE2D", "POLYLINE3D", "POINT", "CIRCLE", "INSERT"})
        leftOut[{layer, LeftOutReason::LayerNotNamed}] = 1;
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
    QTest::newRow("out of any site, but within a double's millimetres") << 1e11 << 0.0 << 1e11;
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

// Chords too short to be a conductor are joined into pieces that are, a polyline's length
// kept; what is still too short, or drawn beyond any site, is counted as left out and why,
// never dropped unsaid.
void TestDrawingImport::shortAndFar_data() {
    QTest::addColumn<std::vector<DxfPolyline>>("polylines");
    QTest::addColumn<double>("diameter");
    QTest::addColumn<double>("length"); // of the conductors taken, m
    QTest::addColumn<int>("tooShort");
    QTest::addColumn<int>("tooFar");
    const DxfPolyline metre = stepped(0, 1, 1);
    QTest::newRow("a line of 0.9 mm")
        << std::vector<DxfPolyline>{stepped(0, 0.0009, 1)} << 1e-4 << 0.0 << 1 << 0;
    // Shorter than its diameter, as drawn: the solver refuses it by its name.
    QTest::newRow("a line no longer than its diameter")
        << std::vector<DxfPolyline>{stepped(0, 0.008, 1)} << 0.01 << 0.008 << 0 << 0;
    QTest::newRow("0.1 mm steps over 10 cm")
        << std::vector<DxfPolyline>{stepped(0, 1e-4, 1000)} << 0.01 << 0.1 << 0 << 0;
    // Chords of 1 mm, half of them a rounding below it.
    QTest::newRow("a thousand chords of 1 mm")
        << std::vector<DxfPolyline>{stepped(0, 1e-3, 1000)} << 1e-4 << 1.0 << 0 << 0;
    // 10 000 chords of 0.63 mm round a circle of 1 m: some 600 pieces of 1 cm and more; a
    // polygon of N sides is shorter than its circle by pi^2 / 6N^2, here 5e-6.
    QTest::newRow("a circle of ten thousand vertices")
        << std::vector<DxfPolyline>{circle(1, 10000)} << 0.01 << 2 * M_PI << 0 << 0;
    QTest::newRow("a drawing 1e300 m out")
        << std::vector<DxfPolyline>{stepped(1e300, 1e290, 1)} << 0.01 << 0.0 << 0 << 1;
    QTest::newRow("a stray line 1e20 m out beside a metre")
        << std::vector<DxfPolyline>{metre, stepped(1e20, 1, 1)} << 0.01 << 1.0 << 0 << 1;
}

void TestDrawingImport::shortAndFar() {
    QFETCH(std::vector<DxfPolyline>, polylines);
    QFETCH(double, diameter);
    QFETCH(double, length);
    QFETCH(int, tooShort);
    QFETCH(int, tooFar);
    const Refusable<DxfDrawing> drawing = drawn(polylines);
    QVERIFY(!drawing.refused());
    LayerMapping mapping = conductors();
    mapping.diameter = diameter;
    ImportSettings settings;
    settings.layers = {{"GRID", mapping}};
    const Refusable<ImportedPlan> plan = DrawingImport(drawing.result(), settings).run();
    QVERIFY(!plan.refused());
    const ImportedPlan &p = plan.result();
    // An origin only from what is taken: nothing far out moves the plan.
    QVERIFY(p.originX == 0 || p.originX == -100);
    double total = 0;
    for (const ImportedConductor &c : p.conductors) {
        QVERIFY(::length(c) >= DrawingImport::kShortest);
        QVERIFY(::length(c) > diameter || p.conductors.size() == 1);
        total += ::length(c);
    }
    QVERIFY2(std::abs(total - length) <= 1e-5 * length, qPrintable(QString::number(total)));
    for (std::size_t k = 1; k < p.conductors.size(); ++k) {
        const earthing::Point3 &end = p.conductors[k - 1].to;
        const earthing::Point3 &start = p.conductors[k].from;
        if (std::abs(end.x - start.x) + std::abs(end.y - start.y) > 1e-9)
            QVERIFY(polylines.size() > 1); // pieces of one polyline follow on
    }
    LeftOutCounts leftOut;
    if (tooShort)
        leftOut[{"GRID", LeftOutReason::TooShort}] = std::size_t(tooShort);
    if (tooFar)
        leftOut[{"GRID", LeftOutReason::TooFar}] = std::size_t(tooFar);
    QCOMPARE(p.leftOut, leftOut);
}

// A drawing in miles says its unit, one a site plan is not drawn in: refused as that,
// unless the caller names the unit it is drawn in.
void TestDrawingImport::unitNotTaken() {
    DxfPlan plan;
    plan.layers = {{"GRID", 1}};
    plan.lines.push_back({"GRID", {0, 0, -0.5}, {1, 0, -0.5}});
    std::string text = DxfWriter(0, 0).text(plan);
    const std::string metres = "$INSUNITS\n 70\n6\n";
    QVERIFY(text.find(metres) != std::string::npos);
    text.replace(text.find(metres), metres.size(), "$INSUNITS\n 70\n3\n");
    const Refusable<DxfDrawing> drawing = DxfDrawing::fromText(text);
    QVERIFY(!drawing.refused());
    ImportSettings settings = atZero({{"GRID", conductors()}});
    const Refusable<ImportedPlan> miles = DrawingImport(drawing.result(), settings).run();
    QVERIFY(miles.refused());
    QCOMPARE(miles.refusal().error, Error::DrawingUnitNotTaken);
    QCOMPARE(miles.refusal().values, std::vector<double>{3});
    settings.units = DrawingUnit::Metre;
    QVERIFY(!DrawingImport(drawing.result(), settings).run().refused());
}

// n lines each way, each crossing the n others: joined, 2n(n + 1) pieces. Those beyond the
// solver's 12 000 are refused as they are counted, before a piece is cut; millions of
// crossings after a few lines.
void TestDrawingImport::crossingsCounted_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<double>("spacing"); // m
    QTest::newRow("70 by 70: 9940 pieces") << 70 << 1.0;
    QTest::newRow("80 by 80: 12960 pieces") << 80 << 1.0;
    QTest::newRow("1000 by 1000: 2 million pieces") << 1000 << 0.1;
}

void TestDrawingImport::crossingsCounted() {
    QFETCH(int, lines);
    QFETCH(double, spacing);
    DxfPlan plan;
    plan.layers = {{"GRID", 1}};
    const double side = lines * spacing;
    for (int k = 0; k < lines; ++k) {
        const double at = (k + 0.5) * spacing;
        plan.lines.push_back({"GRID", {0, at, -0.5}, {side, at, -0.5}});
        plan.lines.push_back({"GRID", {at, 0, -0.5}, {at, side, -0.5}});
    }
    const Refusable<DxfDrawing> drawing = DxfDrawing::fromText(DxfWriter(0, 0).text(plan));
    QVERIFY(!drawing.refused());
    ImportSettings settings = atZero({{"GRID", conductors()}});
    settings.joinCrossings = true;
    const Refusable<ImportedPlan> joined = DrawingImport(drawing.result(), settings).run();
    const double pieces = 2. * lines * (lines + 1);
    const double most = double(earthing::InputCheck::kMaxConductors);
    QCOMPARE(joined.refused(), pieces > most);
    if (!joined.refused()) {
        QCOMPARE(double(joined.result().conductors.size()), pieces);
        QCOMPARE(joined.result().joins, std::size_t(lines * lines));
        return;
    }
    QCOMPARE(joined.refusal().error, Error::CrossingsBeyondLimit);
    QVERIFY(joined.refusal().values.at(0) > most);
    QVERIFY(joined.refusal().values.at(0) <= pieces);
    QCOMPARE(joined.refusal().values.at(1), most);
}

QTEST_GUILESS_MAIN(TestDrawingImport)
#include "tst_drawingimport.moc"
