// The earthing solver in soils of three and more layers, against what does not go through
// its kernel: the layered point source integrated here, two-layer soils written as three,
// and Thomson's principle.
#include "core/earthing/EarthingSolver.h"
#include "tests/core/EarthingCases.h"
#include "tests/core/LayeredReference.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
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
        QVERIFY2(std::abs(three.touchMax->voltage / two.touchMax->voltage - 1) < 1e-4,
                 qPrintable(shown(three.touchMax->voltage) + " " + shown(two.touchMax->voltage)));
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
