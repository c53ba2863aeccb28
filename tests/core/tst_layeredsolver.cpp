// The earthing solver in soils of three and more layers, against what does not go through
// its kernel: the layered point source integrated here, two-layer soils written as three,
// and Thomson's principle.
#include "core/earthing/EarthingSolver.h"
#include "core/earthing/PotentialCheck.h"
#include "tests/core/EarthingCases.h"
#include "tests/core/LayeredReference.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

using namespace tav;
using namespace tav::earthing;
using namespace earthingcases;

Q_DECLARE_METATYPE(std::vector<double>)

namespace {

EarthingResult solve(const EarthingInput &input) {
    const Refusable<EarthingResult> outcome = EarthingSolver::solve(input);
    if (outcome.refused())
        qFatal("refused");
    return outcome.result();
}

// A 70 m grid of 6 x 6 conductors at 0.5 m with 20 rods of 7.5 m on its edge: the rods
// cross the interfaces of the soils below.
EarthingInput gridWithRods(const EarthingSoil &soil) {
    EarthingInput input;
    input.soil = soil;
    input.current = 1000;
    RectangularGrid grid;
    grid.sizeX = grid.sizeY = 70;
    grid.countX = grid.countY = 6;
    grid.diameter = 0.0105;
    input.conductors = ConductorLayout::grid(grid);
    for (const Conductor &rod :
         ConductorLayout::rods(ConductorLayout::perimeterPoints(grid, 20), 0.5, 7.5, 0.016, 0))
        input.conductors.push_back(rod);
    input.search.step = 5;
    input.segmentLength = 2;
    return input;
}

} // namespace

class TestLayeredSolver : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A rod of 0.1 m is a point source seen from a metre away: the surface potential from
    // 1 to 50 m within 0.5 % of the layered point source integrated directly.
    void pointElectrode_data() {
        QTest::addColumn<std::vector<double>>("rho");
        QTest::addColumn<std::vector<double>>("h");
        QTest::addColumn<double>("depth");
        const std::vector<double> three = {300, 100, 600};
        const std::vector<double> threeH = {2, 8};
        const std::vector<double> four = {50, 400, 100, 1000};
        const std::vector<double> fourH = {1.5, 3, 6};
        for (const double depth : {1., 6., 15.})
            QTest::addRow("300/100/600 at %g m", depth) << three << threeH << depth;
        for (const double depth : {0.7, 3., 7., 14.})
            QTest::addRow("50/400/100/1000 at %g m", depth) << four << fourH << depth;
        // A thin layer of a thousand times its neighbours' resistivity or a thousandth of
        // it, on either side of the source: as the quadrature of the layers gives it.
        QTest::newRow("100/1e7 (0.01 m)/100 at 3 m")
            << std::vector<double>{100, 1e7, 100} << std::vector<double>{1, 0.01} << 3.;
        for (const double depth : {0.5, 3.})
            QTest::addRow("100/0.01 (0.01 m)/100 at %g m", depth)
                << std::vector<double>{100, 0.01, 100} << std::vector<double>{1, 0.01} << depth;
    }

    void pointElectrode() {
        QFETCH(std::vector<double>, rho);
        QFETCH(std::vector<double>, h);
        QFETCH(double, depth);
        EarthingInput input;
        input.soil = EarthingSoil::layers(rho, h);
        input.current = 1;
        input.conductors = {{{0, 0, depth - 0.05}, {0, 0, depth + 0.05}, 0.01, 0}};
        const std::vector<double> distances = {1, 2, 5, 10, 20, 50};
        for (const double r : distances)
            input.points.push_back({r, 0});
        const EarthingResult result = solve(input);
        for (std::size_t k = 0; k < distances.size(); ++k) {
            const double r = distances[k];
            const double got = result.points[k].potential;
            const double expected = layeredreference::directPotential(rho, h, r, 0, depth);
            QVERIFY2(std::abs(got / expected - 1) < 5e-3,
                     qPrintable(QStringLiteral("r %1: %2 against %3")
                                    .arg(r)
                                    .arg(shown(got), shown(expected))));
        }
    }

    // Three layers that are two: the lower two alike, or the top one cut in two. The cuts
    // lie where no conductor crosses, since a conductor is cut at every interface and its
    // segments would differ.
    void degenerateLayers_data() {
        QTest::addColumn<std::vector<double>>("rho");
        QTest::addColumn<std::vector<double>>("h");
        QTest::newRow("lower two alike") << std::vector<double>{300, 100, 100}
                                         << std::vector<double>{6.096, 5};
        QTest::newRow("top cut in two") << std::vector<double>{300, 300, 100}
                                        << std::vector<double>{0.3, 5.796};
    }

    void degenerateLayers() {
        QFETCH(std::vector<double>, rho);
        QFETCH(std::vector<double>, h);
        const EarthingResult two = solve(gridWithRods(EarthingSoil::twoLayer(300, 100, 6.096)));
        const EarthingResult three = solve(gridWithRods(EarthingSoil::layers(rho, h)));
        QVERIFY2(std::abs(three.resistance / two.resistance - 1) < 1e-4,
                 qPrintable(shown(three.resistance) + " " + shown(two.resistance)));
        QVERIFY2(std::abs(three.stepMax.voltage / two.stepMax.voltage - 1) < 1e-4,
                 qPrintable(shown(three.stepMax.voltage) + " " + shown(two.stepMax.voltage)));
    }

    // No verdict rests on a potential that is no number, nor on one a passive soil cannot
    // hold: below remote earth (a touch voltage above the GPR) or far above the energised
    // metal; the first fault found is the one refused.
    void potentialCheck_data() {
        QTest::addColumn<std::vector<double>>("values");
        QTest::addColumn<int>("error"); // 0 none, 1 not finite, 2 beyond the metal
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("within") << std::vector<double>{0, 500, 1000} << 0;
        QTest::newRow("NaN") << std::vector<double>{500, nan} << 1;
        QTest::newRow("infinite after one beyond") << std::vector<double>{-100, inf} << 1;
        QTest::newRow("below remote earth") << std::vector<double>{500, -100} << 2;
        QTest::newRow("touch 4 times the GPR") << std::vector<double>{-3000} << 2;
        QTest::newRow("far above the metal") << std::vector<double>{1500} << 2;
    }

    void potentialCheck() {
        QFETCH(std::vector<double>, values);
        QFETCH(int, error);
        const PotentialCheck check(std::vector<double>{1000});
        check.take(values);
        const std::optional<Refusal> refusal = check.refusal(Quantity::SurfacePotential);
        QCOMPARE(refusal.has_value(), error != 0);
        if (!refusal)
            return;
        QCOMPARE(refusal->error, error == 1 ? Error::ResultNotFinite : Error::PotentialBeyondMetal);
        QCOMPARE(refusal->quantity, Quantity::SurfacePotential);
        if (error == 2) {
            QCOMPARE(refusal->values[1], 0.);
            QCOMPARE(refusal->values[2], 1000.);
        }
    }

    // A layer as resistive as its neighbours, however thin, is no layer: 100 ohm m in three
    // layers with the middle one a micrometre thick, crossed by the rods, answers as the
    // uniform soil, every potential a number.
    void thinLayerOfTheSameSoil() {
        EarthingInput input = gridWithRods(EarthingSoil::uniform(100));
        input.points = {{-3, -3}, {35, 35}};
        const EarthingResult uniform = solve(input);
        input.soil = EarthingSoil::layers({100, 100, 100}, {1, 1e-6});
        const EarthingResult thin = solve(input);
        const auto close = [](double a, double b) { return std::abs(a / b - 1) < 1e-3; };
        QVERIFY2(close(thin.resistance, uniform.resistance),
                 qPrintable(shown(thin.resistance) + " " + shown(uniform.resistance)));
        for (std::size_t k = 0; k < input.points.size(); ++k)
            QVERIFY(close(thin.points[k].potential, uniform.points[k].potential));
    }

    // A layer a conductor lies in, thinner than the conductor's diameter and of another
    // resistivity, is beyond the thin-wire model: refused, naming the layer and its
    // thickness, never a figure (a 10 mm wire in 2 mm of 1000 ohm m gave 520 ohm).
    void conductorInThinLayerRefused_data() {
        QTest::addColumn<double>("rho");
        QTest::newRow("more resistive") << 1000.;
        QTest::newRow("less resistive") << 10.;
    }

    void conductorInThinLayerRefused() {
        QFETCH(double, rho);
        EarthingInput input;
        input.soil = EarthingSoil::layers({100, rho, 100}, {0.499, 0.002});
        input.current = 1000;
        input.conductors = {{{0, 0, 0.5}, {10, 0, 0.5}, 0.01, 0}};
        const Refusable<EarthingResult> outcome = EarthingSolver::solve(input);
        QVERIFY(outcome.refused());
        QCOMPARE(outcome.refusal().error, Error::LayerTooThinBesideConductors);
        QCOMPARE(outcome.refusal().values, (std::vector<double>{2, 0.002}));
    }

    // A layer thinning at a fixed transverse resistance (10^5 ohm m^2) or conductance
    // (1 S), crossed by the rods, tends to a resistive or conductive sheet: R settles (its
    // first member checked against the quadrature of the layers in pointElectrode), and no
    // figure on the way passes the bounds of a passive soil (the solve refuses those).
    void thinningLayerSettles_data() {
        QTest::addColumn<bool>("resistive");
        QTest::newRow("fixed transverse resistance") << true;
        QTest::newRow("fixed conductance") << false;
    }

    void thinningLayerSettles() {
        QFETCH(bool, resistive);
        std::vector<double> r;
        for (const double h : {1e-2, 1e-4, 1e-6}) {
            const double rho = resistive ? 1e5 / h : h;
            EarthingInput input = gridWithRods(EarthingSoil::layers({100, rho, 100}, {1, h}));
            input.points = {{35, 35}, {-3, -3}, {100, 0}};
            const EarthingResult result = solve(input);
            for (const PointResult &p : result.points)
                QVERIFY(p.potential >= 0 && p.potential <= result.gpr);
            r.push_back(result.resistance);
        }
        QVERIFY2(std::abs(r[1] / r[0] - 1) < 2e-3, qPrintable(shown(r[1]) + " " + shown(r[0])));
        QVERIFY2(std::abs(r[2] / r[1] - 1) < 2e-5, qPrintable(shown(r[2]) + " " + shown(r[1])));
    }

    // An interface passing a rod's tip (100 / 2000 (6 m) / 10 ohm m below 2 m, the rods
    // to 8 m) moves R continuously: from above and below the tip R comes to what it is
    // with the interface at the tip (a micrometre off it gave 11 % less), within the
    // segments' own discretisation.
    void interfaceAcrossRodTip() {
        const auto resistance = [](double offset) {
            EarthingInput input =
                gridWithRods(EarthingSoil::layers({100, 2000, 10}, {2, 6 + offset}));
            return solve(input).resistance;
        };
        const double atTip = resistance(0);
        for (const double offset : {-1e-3, -1e-5, -1e-7, 1e-7, 1e-5, 1e-3}) {
            const double r = resistance(offset);
            QVERIFY2(
                std::abs(r / atTip - 1) < 3e-3,
                qPrintable(
                    QStringLiteral("%1 m: %2 against %3").arg(offset).arg(shown(r), shown(atTip))));
        }
        // Either side settles as the offset shrinks.
        QVERIFY(std::abs(resistance(-1e-7) / resistance(-1e-5) - 1) < 1e-4);
        QVERIFY(std::abs(resistance(1e-7) / atTip - 1) < 1e-5);
    }

    // Raising any layer's resistivity never lowers the resistance, which lies between
    // those of the uniform soils of the least and the most resistive layer.
    void thomson_data() {
        QTest::addColumn<int>("layer");
        for (int layer = 0; layer < 3; ++layer)
            QTest::addRow("layer %d", layer) << layer;
    }

    void thomson() {
        QFETCH(int, layer);
        const std::vector<double> rho = {300, 100, 600};
        const std::vector<double> h = {2, 8};
        std::vector<double> raised = rho;
        raised[std::size_t(layer)] *= 1.5;
        EarthingInput input = layeredGrid(false);
        input.segmentLength = 2;
        input.soil = EarthingSoil::layers(rho, h);
        const double before = solve(input).resistance;
        input.soil = EarthingSoil::layers(raised, h);
        const double after = solve(input).resistance;
        QVERIFY2(after > before, qPrintable(shown(after) + " " + shown(before)));
        input.soil = EarthingSoil::uniform(100);
        const double least = solve(input).resistance;
        input.soil = EarthingSoil::uniform(600);
        const double most = solve(input).resistance;
        QVERIFY2(least < before && before < most,
                 qPrintable(shown(least) + " " + shown(before) + " " + shown(most)));
    }
};

QTEST_APPLESS_MAIN(TestLayeredSolver)
#include "tst_layeredsolver.moc"
