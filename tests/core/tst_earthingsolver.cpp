// The earthing system solver's own machinery: the cost of its faster kernel forms against
// the exact one, its indifference to how a system is turned, its iterative solution, and
// its cancel.
#include "core/earthing/EarthingSolver.h"
#include "core/earthing/SystemSafety.h"
#include "tests/core/EarthingCases.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace tav;
using namespace tav::earthing;
using namespace earthingcases;

Q_DECLARE_METATYPE(tav::Quantity)
Q_DECLARE_METATYPE(tav::Error)

namespace {

// A 20 m grid of 5 x 5 conductors at 0.5 m in 100 ohm m taking 1000 A, and floating rods
// of 2 m from 0.5 m at the given points, each a group of its own or all one group.
EarthingInput gridWithRods(const std::vector<Point2> &at, bool ownGroups) {
    EarthingInput input;
    input.soil = EarthingSoil::uniform(100);
    input.current = 1000;
    input.search.step = 2;
    RectangularGrid grid;
    grid.sizeX = grid.sizeY = 20;
    grid.countX = grid.countY = 5;
    input.conductors = ConductorLayout::grid(grid);
    for (std::size_t k = 0; k < at.size(); ++k)
        input.conductors.push_back(
            {{at[k].x, at[k].y, 0.5}, {at[k].x, at[k].y, 2.5}, 0.016, ownGroups ? int(k) + 1 : 1});
    return input;
}

// The resistance, the worst touch and the worst step within tolerance, relative.
bool sameFigures(const EarthingResult &a, const EarthingResult &b, double tolerance) {
    const std::pair<double, double> figures[] = {{a.resistance, b.resistance},
                                                 {a.touchMax->voltage, b.touchMax->voltage},
                                                 {a.stepMax.voltage, b.stepMax.voltage}};
    for (const auto &[x, y] : figures)
        if (!(std::abs(x / y - 1) < tolerance)) {
            qWarning("%s against %s", qPrintable(shown(x)), qPrintable(shown(y)));
            return false;
        }
    return true;
}

EarthingSolver::Options iterative() {
    EarthingSolver::Options options;
    options.denseLimit = 10;
    return options;
}

} // namespace

class TestEarthingSolver : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The tables, the midpoint rule and the near-field split against every image exact:
    // within 1e-4 of the resistance and of the worst touch and step (docs/CALCULATIONS.md).
    void fasterForms_data() {
        QTest::addColumn<bool>("bottomHigher");
        QTest::addColumn<bool>("three");
        QTest::newRow("100 over 200 ohm m") << true << false;
        QTest::newRow("200 over 100 ohm m") << false << false;
        QTest::newRow("200, 100, 400 ohm m") << false << true;
    }

    void fasterForms() {
        QFETCH(bool, bottomHigher);
        QFETCH(bool, three);
        EarthingInput input = layeredGrid(bottomHigher);
        // Longer segments, a coarser raster and a milder contrast (fewer images) keep the
        // exact kernel's cost down; the far forms still take most pairs.
        input.soil = bottomHigher ? EarthingSoil::twoLayer(100, 200, 4)
                                  : EarthingSoil::twoLayer(200, 100, 4);
        input.segmentLength = 2;
        input.search.step = 2;
        if (three) // the rods cross both interfaces
            input.soil = EarthingSoil::layers({200, 100, 400}, {2, 3});
        EarthingSolver::Options exact;
        exact.kernel.exact = true;
        const Refusable<EarthingResult> fast = EarthingSolver::solve(input);
        const Refusable<EarthingResult> slow = EarthingSolver::solve(input, {}, exact);
        QVERIFY(!fast.refused() && !slow.refused());
        QVERIFY(sameFigures(fast.result(), slow.result(), 1e-4));
    }

    // Turned about a vertical axis, or with a conductor tilted by a hair (which the solver
    // takes by every image exact), a system is the same: the far forms' directional terms
    // and the inclined path agree with the rest. Turned, pairs exactly 4 segment lengths
    // apart may change from the far form to the near one: the two differ by the faster
    // forms' error, which is below 1e-5 here.
    void turned_data() {
        QTest::addColumn<double>("angle"); // degrees
        QTest::addColumn<double>("tilt");  // m over a conductor
        QTest::addColumn<bool>("three");   // layers
        QTest::newRow("30 degrees") << 30. << 0. << false;
        QTest::newRow("135 degrees") << 135. << 0. << false;
        QTest::newRow("one conductor tilted by 1 mm") << 0. << 1e-3 << false;
        QTest::newRow("three layers, 30 degrees") << 30. << 0. << true;
        QTest::newRow("three layers, tilted by 1 mm") << 0. << 1e-3 << true;
    }

    void turned() {
        QFETCH(double, angle);
        QFETCH(double, tilt);
        QFETCH(bool, three);
        EarthingInput input = layeredGrid(false);
        if (three)
            input.soil = EarthingSoil::layers({300, 100, 600}, {2, 3});
        EarthingInput turned = input;
        const double c = std::cos(angle * M_PI / 180);
        const double s = std::sin(angle * M_PI / 180);
        const auto turn = [&](Point3 &p) { p = {c * p.x - s * p.y, s * p.x + c * p.y, p.z}; };
        for (Conductor &k : turned.conductors) {
            turn(k.from);
            turn(k.to);
        }
        turned.conductors[1].to.z += tilt;
        const Refusable<EarthingResult> a = EarthingSolver::solve(input);
        const Refusable<EarthingResult> b = EarthingSolver::solve(turned);
        QVERIFY(!a.refused() && !b.refused());
        const double tolerance = tilt > 0 ? 1e-4 : 1e-5;
        QVERIFY2(std::abs(b.result().resistance / a.result().resistance - 1) < tolerance,
                 qPrintable(shown(b.result().resistance / a.result().resistance - 1)));
        for (const Point2 &p : {Point2{4, 4}, Point2{13, 7.5}, Point2{-1.5, 17}}) {
            const double va = a.result().field->potential(p.x, p.y);
            const double vb = b.result().field->potential(c * p.x - s * p.y, s * p.x + c * p.y);
            QVERIFY2(std::abs(vb / va - 1) < tolerance, qPrintable(shown(vb / va - 1)));
        }
    }

    // The raster and the given points are summed many points at a time, the loop over
    // the points vectorised where the processor allows: each value is still the potential
    // at that one point to the last bit, in every kind of soil, with an inclined conductor
    // among the rest, and a point that is no number stays none.
    void manyPointsAtOnce_data() {
        QTest::addColumn<int>("layers");
        QTest::addColumn<double>("tilt"); // m over a conductor
        QTest::newRow("uniform") << 1 << 0.;
        QTest::newRow("two layers") << 2 << 0.;
        QTest::newRow("three layers") << 3 << 0.;
        QTest::newRow("two layers, one conductor tilted by 1 mm") << 2 << 1e-3;
    }

    void manyPointsAtOnce() {
        QFETCH(int, layers);
        QFETCH(double, tilt);
        EarthingInput input = layeredGrid(false);
        if (layers == 1)
            input.soil = EarthingSoil::uniform(100);
        if (layers == 3)
            input.soil = EarthingSoil::layers({300, 100, 600}, {2, 3});
        input.conductors[1].to.z += tilt;
        std::vector<double> x, y;
        for (int k = 0; k < 45; ++k) { // a block and a part of one
            x.push_back(-3.3 + 0.71 * k);
            y.push_back(17.9 - 0.53 * k);
            input.points.push_back({x.back(), y.back()});
        }
        x[7] = std::numeric_limits<double>::quiet_NaN();
        y[30] = std::numeric_limits<double>::infinity();
        const Refusable<EarthingResult> solved = EarthingSolver::solve(input);
        QVERIFY(!solved.refused());
        const EarthingResult &r = solved.result();
        const SurfaceField &field = *r.field;
        int differ = 0;
        for (int j = 0; j < r.raster.ny; ++j)
            for (int i = 0; i < r.raster.nx; ++i)
                differ += r.rasterPotential[std::size_t(j) * r.raster.nx + i] !=
                          field.potential(r.raster.x(i), r.raster.y(j));
        for (const PointResult &p : r.points)
            differ += p.potential != field.potential(p.at.x, p.at.y);
        std::vector<double> v(x.size());
        field.potentials(x.data(), y.data(), x.size(), v.data());
        for (std::size_t k = 0; k < x.size(); ++k)
            differ += k == 7 || k == 30 ? !std::isnan(v[k]) : v[k] != field.potential(x[k], y[k]);
        QVERIFY(r.raster.size() > 500);
        QCOMPARE(differ, 0);
    }

    // A point the document gives on a raster node takes the node's value, to the bit, where
    // the raster is summed by boxes too (the map and the table show one figure); a point
    // between the nodes is summed for itself.
    void pointsOnTheRaster() {
        EarthingInput input = gridWithRods({}, false);
        input.segmentLength = 0.5;
        input.search.step = 0.2;
        const Refusable<EarthingResult> bare = EarthingSolver::solve(input);
        QVERIFY(!bare.refused());
        const RasterGrid g = bare.result().raster;
        QVERIFY(double(g.size()) * bare.result().segments >= 4e6); // by boxes
        const std::vector<std::pair<int, int>> nodes = {
            {0, 0}, {g.nx - 1, g.ny - 1}, {g.nx / 2, g.ny / 3}, {17, 40}};
        for (const auto &[i, j] : nodes)
            input.points.push_back({g.x(i), g.y(j)});
        input.points.push_back({g.x(17) + 0.07, g.y(40)});
        const Refusable<EarthingResult> solved = EarthingSolver::solve(input);
        QVERIFY(!solved.refused());
        const EarthingResult &r = solved.result();
        QVERIFY(r.raster.x0 == g.x0 && r.raster.y0 == g.y0 && r.raster.nx == g.nx &&
                r.raster.ny == g.ny);
        int differ = 0;
        for (std::size_t k = 0; k < nodes.size(); ++k)
            differ += r.points[k].potential !=
                      r.rasterPotential[std::size_t(nodes[k].second) * g.nx + nodes[k].first];
        const PointResult &between = r.points.back();
        differ += between.potential != r.field->potential(between.at.x, between.at.y);
        QCOMPARE(differ, 0);
    }

    // The same system solved again on several threads gives the same currents to the bit,
    // the matrix dense or compressed, iterated or not: no figure depends on which thread
    // summed what.
    void sameEveryRun_data() {
        QTest::addColumn<bool>("compressed");
        QTest::newRow("dense") << false;
        QTest::newRow("compressed") << true;
    }
    void sameEveryRun() {
        QFETCH(bool, compressed);
        EarthingInput input;
        input.soil = EarthingSoil::twoLayer(300, 100, 4);
        input.current = 1000;
        RectangularGrid grid;
        grid.sizeX = grid.sizeY = 40;
        grid.countX = grid.countY = 9;
        input.conductors = ConductorLayout::grid(grid);
        input.segmentLength = 0.5;
        input.search.step = 4;
        EarthingSolver::Options options = iterative();
        options.threads = 4;
        if (compressed)
            options.compressedFrom = 1;
        std::vector<double> first;
        for (int run = 0; run < 6; ++run) {
            const Refusable<EarthingResult> solved = EarthingSolver::solve(input, {}, options);
            QVERIFY(!solved.refused());
            std::vector<double> currents;
            for (const SegmentResult &s : solved.result().segmentCurrents)
                currents.push_back(s.current);
            if (run == 0)
                first = currents;
            QVERIFY2(currents == first, qPrintable(QString("run %1 differs").arg(run)));
        }
    }

    // The coupling matrix compressed (far blocks low-rank to 1e-6) gives what the dense one
    // gives, to far below the 1e-4 a design may rest on, in every kind of soil; and it
    // takes less memory.
    void compressedOperator_data() {
        QTest::addColumn<int>("layers");
        QTest::newRow("uniform") << 1;
        QTest::newRow("two layers") << 2;
        QTest::newRow("three layers") << 3;
    }

    void compressedOperator() {
        QFETCH(int, layers);
        EarthingInput input;
        input.soil = layers == 1   ? EarthingSoil::uniform(100)
                     : layers == 2 ? EarthingSoil::twoLayer(300, 100, 4)
                                   : EarthingSoil::layers({300, 100, 600}, {2, 4});
        input.current = 1000;
        RectangularGrid grid;
        grid.sizeX = grid.sizeY = 60;
        grid.countX = grid.countY = 7;
        input.conductors = ConductorLayout::grid(grid);
        for (const Conductor &rod :
             ConductorLayout::rods(ConductorLayout::perimeterPoints(grid, 12), 0.5, 7, 0.016, 0))
            input.conductors.push_back(rod);
        // The grid's own rectangle, the area its lines gave as a hull: the two operators are
        // compared over the same ground as ever.
        input.touchAreas = {TouchAreas::of(grid, 0)};
        input.segmentLength = 0.5;
        input.search.step = 1;
        EarthingSolver::Options compressed;
        compressed.compressedFrom = 1;
        const Refusable<EarthingResult> dense = EarthingSolver::solve(input);
        const Refusable<EarthingResult> held = EarthingSolver::solve(input, {}, compressed);
        QVERIFY(!dense.refused() && !held.refused());
        const EarthingResult &a = dense.result();
        const EarthingResult &b = held.result();
        QVERIFY(a.segments > 2000);
        QVERIFY(!a.statistics.compressed && b.statistics.compressed);
        QVERIFY2(b.statistics.operatorBytes < a.statistics.operatorBytes / 3,
                 qPrintable(QString::number(b.statistics.operatorBytes)));
        QVERIFY(sameFigures(a, b, 1e-6));
        QVERIFY(b.statistics.iterations <= a.statistics.iterations + 2);
        // The raster summed through the compressed product, point by point where dense.
        QCOMPARE(a.rasterPotential.size(), b.rasterPotential.size());
        QVERIFY(a.rasterPotential.size() > 4000);
        double worst = 0;
        for (std::size_t k = 0; k < a.rasterPotential.size(); ++k)
            worst = std::max(worst, std::abs(a.rasterPotential[k] - b.rasterPotential[k]));
        QVERIFY2(worst < 1e-5 * a.gpr, qPrintable(QString::number(worst / a.gpr)));
    }

    // A study is refused by the memory it needs, not by its size: past a limit with the
    // estimate, which is never below what its coupling matrix alone holds, and taken
    // within it.
    void memoryLimit_data() {
        QTest::addColumn<bool>("dense");
        QTest::addColumn<double>("limit"); // bytes
        QTest::addColumn<bool>("refused");
        QTest::newRow("dense past 0.1 GB") << true << 1e8 << true;
        QTest::newRow("dense within 1 GB") << true << 1e9 << false;
        QTest::newRow("compressed within 0.1 GB") << false << 1e8 << false;
        QTest::newRow("compressed past 0.05 GB") << false << 5e7 << true;
    }

    void memoryLimit() {
        QFETCH(bool, dense);
        QFETCH(double, limit);
        QFETCH(bool, refused);
        // 20 x 20 m of 5 x 5 conductors in 0.1 m segments: 10 lines of 200 each.
        EarthingInput input = gridWithRods({}, false);
        input.segmentLength = 0.1;
        EarthingSolver::Options options;
        options.compressedFrom = dense ? 1000000 : 1;
        options.memoryLimit = limit;
        const Refusable<EarthingResult> outcome = EarthingSolver::solve(input, {}, options);
        QCOMPARE(outcome.refused(), refused);
        if (!refused)
            return;
        const Refusal &refusal = outcome.refusal();
        QCOMPARE(refusal.error, Error::NotEnoughMemory);
        QCOMPARE(refusal.quantity, Quantity::SegmentLength);
        QCOMPARE(refusal.values.size(), std::size_t(3));
        const double segments = refusal.values[2];
        QVERIFY(segments >= 2000);
        QVERIFY(refusal.values[0] > refusal.values[1]);
        QCOMPARE(refusal.values[1], std::floor(limit / 1e8) / 10);
        if (dense)
            QVERIFY(refusal.values[0] >= 8 * segments * segments / 1e9);
    }

    // A study beyond the machine's memory, as it has it now: refused at once, never cut.
    void beyondTheMachine() {
        EarthingInput input = gridWithRods({}, false);
        input.segmentLength = 2e-5; // 10 million segments
        const Refusable<EarthingResult> outcome = EarthingSolver::solve(input);
        QVERIFY(outcome.refused());
        QCOMPARE(outcome.refusal().error, Error::NotEnoughMemory);
        // Ten million segments hold their own data at least, 100 bytes each.
        QVERIFY(outcome.refusal().values[0] >= 1e7 * 100 / 1e9);
    }

    // The conjugate gradients give what the factorisation gives.
    void iterativeSolution() {
        const EarthingInput input = layeredGrid(false);
        EarthingSolver::Options iterative;
        iterative.denseLimit = 10;
        const Refusable<EarthingResult> dense = EarthingSolver::solve(input);
        const Refusable<EarthingResult> cg = EarthingSolver::solve(input, {}, iterative);
        QVERIFY(!dense.refused() && !cg.refused());
        QVERIFY(!dense.result().statistics.iterative && cg.result().statistics.iterative);
        QVERIFY(std::abs(cg.result().resistance / dense.result().resistance - 1) < 1e-9);
        QVERIFY(cg.result().cautions.empty());
    }

    // Floating groups by the iterations against the factorisation, which solves for each
    // group's column: every group's potential to 1e-6; and against what symmetry and
    // distance say.
    void floatingGroups_data() {
        QTest::addColumn<QList<QPointF>>("rods");
        QTest::newRow("two rods symmetric about the grid") << QList<QPointF>{{-4, 10}, {24, 10}};
        QTest::newRow("a rod far away") << QList<QPointF>{{1010, 10}};
        QTest::newRow("rods inside and around")
            << QList<QPointF>{{7.5, 7.5}, {-3, 0}, {23, 20}, {10, -6}, {12.5, 17.5}};
    }
    void floatingGroups() {
        QFETCH(QList<QPointF>, rods);
        std::vector<Point2> at;
        for (const QPointF &p : rods)
            at.push_back({p.x(), p.y()});
        const EarthingInput input = gridWithRods(at, true);
        EarthingSolver::Options dense;
        dense.denseLimit = 100000;
        const Refusable<EarthingResult> a = EarthingSolver::solve(input, {}, dense);
        const Refusable<EarthingResult> b = EarthingSolver::solve(input, {}, iterative());
        QVERIFY(!a.refused() && !b.refused());
        QVERIFY(!a.result().statistics.iterative && b.result().statistics.iterative);
        QCOMPARE(b.result().groups.size(), at.size() + 1);
        for (std::size_t g = 0; g < b.result().groups.size(); ++g) {
            const double va = a.result().groups[g].potential;
            const double vb = b.result().groups[g].potential;
            QVERIFY2(std::abs(vb / va - 1) < 1e-6, qPrintable(shown(va) + " " + shown(vb)));
        }
        const std::vector<GroupResult> &groups = b.result().groups;
        if (at.size() == 2)
            QVERIFY2(std::abs(groups[1].potential / groups[2].potential - 1) < 1e-9,
                     qPrintable(shown(groups[1].potential) + " " + shown(groups[2].potential)));
        if (at.size() == 1) {
            // 1000 m from the grid's centre the grid is a point source: rho I / (2 pi d).
            const double remote = 100 * 1000 / (2 * M_PI * 1000);
            QVERIFY2(std::abs(groups[1].potential / remote - 1) < 0.01,
                     qPrintable(shown(groups[1].potential)));
            QVERIFY(groups[1].potential < 0.01 * groups[0].potential);
        }
        // No current leaves a floating group.
        std::vector<double> leaving(groups.size(), 0);
        for (const SegmentResult &c : b.result().segmentCurrents)
            leaving[std::size_t(c.group)] += c.current;
        for (std::size_t g = 1; g < leaving.size(); ++g)
            QVERIFY2(std::abs(leaving[g]) < 1e-9 * input.current, qPrintable(shown(leaving[g])));
    }

    // The groups cost the iterations nothing: forty rods each floating on its own take
    // about the iterations of the same rods as one floating group, not forty times them.
    void groupsCostNoIterations() {
        std::vector<Point2> at;
        for (int k = 0; k < 40; ++k)
            at.push_back({-6 + 0.8 * k, -4});
        const Refusable<EarthingResult> one =
            EarthingSolver::solve(gridWithRods(at, false), {}, iterative());
        const Refusable<EarthingResult> many =
            EarthingSolver::solve(gridWithRods(at, true), {}, iterative());
        QVERIFY(!one.refused() && !many.refused());
        const int a = one.result().statistics.iterations;
        const int b = many.result().statistics.iterations;
        qInfo("iterations: %d in one group, %d in forty", a, b);
        QVERIFY2(b <= 2 * a + 10, qPrintable(QString::number(a) + " " + QString::number(b)));
        QVERIFY(many.result().cautions.empty());
    }

    // No verdict on a value that was not computed: a worst voltage or a tolerable one
    // without a finite value refuses the assessment, naming it.
    void verdictOnlyOnValues_data() {
        QTest::addColumn<double>("touch");
        QTest::addColumn<double>("step");
        QTest::addColumn<double>("rho");
        QTest::addColumn<Quantity>("quantity");
        QTest::addColumn<Error>("error");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("touch NaN")
            << nan << 10. << 100. << Quantity::WorstTouchVoltage << Error::ResultNotFinite;
        QTest::newRow("step infinite")
            << 10. << inf << 100. << Quantity::WorstStepVoltage << Error::ResultNotFinite;
        // (1000 + 1.5 rho) 0.116 / sqrt(0.5) and (1000 + 6 rho) ...: beyond double precision,
        // and far beyond the resistivities the tolerable voltages take.
        QTest::newRow("soil beyond the tolerable voltages' bound")
            << 10. << 10. << 1e308 << Quantity::SoilResistivity << Error::AboveCeiling;
    }
    void verdictOnlyOnValues() {
        QFETCH(double, touch);
        QFETCH(double, step);
        QFETCH(double, rho);
        QFETCH(Quantity, quantity);
        EarthingResult result;
        result.touchMax = TouchMaximum{touch, {}};
        result.stepMax.voltage = step;
        SafetyCriteria criteria;
        criteria.faultDuration = 0.5;
        const Refusable<SystemSafety> safety =
            assessSafety(result, EarthingSoil::uniform(rho), criteria);
        QVERIFY(safety.refused());
        QFETCH(Error, error);
        QCOMPARE(safety.refusal().error, error);
        QCOMPARE(safety.refusal().quantity, quantity);
    }

    void cancel_data() {
        QTest::addColumn<int>("stage");
        QTest::newRow("tables") << int(SolveProgress::Stage::Tables);
        QTest::newRow("matrix") << int(SolveProgress::Stage::Matrix);
        QTest::newRow("solution") << int(SolveProgress::Stage::Solution);
        QTest::newRow("surface") << int(SolveProgress::Stage::Surface);
        QTest::newRow("search") << int(SolveProgress::Stage::Search);
    }

    // A cancel in any stage ends the solve with a cancelled refusal, and the callback is
    // not called again.
    void cancel() {
        QFETCH(int, stage);
        EarthingInput input = layeredGrid(false);
        EarthingSolver::Options options;
        options.denseLimit = 10; // iterations that report
        int calls = 0;
        int after = 0;
        bool stopped = false;
        const auto progress = [&](const SolveProgress &p) {
            ++calls;
            if (stopped)
                ++after;
            if (int(p.stage) == stage)
                stopped = true;
            return !stopped;
        };
        const Refusable<EarthingResult> outcome = EarthingSolver::solve(input, progress, options);
        QVERIFY(stopped);
        QVERIFY(outcome.refused());
        QCOMPARE(outcome.refusal().error, Error::Cancelled);
        QCOMPARE(after, 0);
        QVERIFY(calls > 0);
    }
};

QTEST_APPLESS_MAIN(TestEarthingSolver)
#include "tst_earthingsolver.moc"
