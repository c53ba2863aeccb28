// The earthing system solver against published results of other programs and formulas,
// and against the limits it must reach.
#include "core/earthing/EarthingSolver.h"
#include "tests/core/EarthingCases.h"

#include <QtTest>

#include <cmath>
#include <map>
#include <numeric>

using namespace tav;
using namespace tav::earthing;
using namespace earthingcases;

namespace {

const EarthingResult &solved(const QString &name) {
    static std::map<QString, EarthingResult> solved;
    const auto found = solved.find(name);
    if (found != solved.end())
        return found->second;
    EarthingInput input = name == "H1"    ? annexH1()
                          : name == "B1"  ? annexB1()
                          : name == "rod" ? rod()
                                          : wire();
    const Refusable<EarthingResult> outcome = EarthingSolver::solve(input);
    if (outcome.refused())
        qFatal("%s refused", qPrintable(name));
    return solved.emplace(name, outcome.result()).first->second;
}

// The figure a row checks, from the solved system.
double figureOf(const EarthingResult &r, const QString &what) {
    const auto v = [&](double x, double y) { return r.field->potential(x, y); };
    if (what == "R")
        return r.resistance;
    if (what == "touch max")
        return r.touchMax->voltage;
    if (what == "touch at the corner mesh's centre")
        return r.gpr - v(7, 7);
    if (what == "step from the corner, 1 m diagonally out")
        return v(0, 0) - v(-std::sqrt(0.5), -std::sqrt(0.5));
    qFatal("no figure %s", qPrintable(what));
}

bool within(double value, double lo, double hi, double slack) {
    return value >= lo * (1 - slack) && value <= hi * (1 + slack);
}

} // namespace

class TestEarthing : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Published ranges: lo and hi (equal for one figure), and how far beyond either end a
    // result may lie, relative.
    void published_data() {
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("figure");
        QTest::addColumn<double>("lo");
        QTest::addColumn<double>("hi");
        QTest::addColumn<double>("slack");
        // Dwight: rho/(2 pi L) (ln(4L/a) - 1), uniform leakage, a little above the truth.
        const double dwight = 100 / (2 * M_PI * 3) * (std::log(4 * 3 / 0.008) - 1);
        QTest::newRow("rod: Dwight") << "rod"
                                     << "R" << dwight << dwight << 0.015;
        // Sunde: rho/(pi L) (ln(2L/sqrt(2 a h)) - 1).
        const double sunde = 100 / (M_PI * 20) * (std::log(40 / std::sqrt(2 * 0.005 * 0.5)) - 1);
        QTest::newRow("wire: Sunde") << "wire"
                                     << "R" << sunde << sunde << 0.01;
        // Annex H, Grid 1: the spread of three commercial programs.
        QTest::newRow("H1 R") << "H1"
                              << "R" << 1.00 << 1.01 << 0.025;
        QTest::newRow("H1 touch, corner mesh")
            << "H1"
            << "touch at the corner mesh's centre" << 194.9 << 200.9 << 0.025;
        QTest::newRow("H1 worst touch") << "H1"
                                        << "touch max" << 202.7 << 209.0 << 0.025;
        QTest::newRow("H1 step at the corner")
            << "H1"
            << "step from the corner, 1 m diagonally out" << 87.2 << 89.3 << 0.05;
        // Annex B, Example 1: one older program's results.
        QTest::newRow("B1 R") << "B1"
                              << "R" << 2.67 << 2.67 << 0.025;
        QTest::newRow("B1 worst touch") << "B1"
                                        << "touch max" << 984.3 << 984.3 << 0.035;
    }

    void published() {
        QFETCH(QString, system);
        QFETCH(QString, figure);
        QFETCH(double, lo);
        QFETCH(double, hi);
        QFETCH(double, slack);
        const double value = figureOf(solved(system), figure);
        QVERIFY2(within(value, lo, hi, slack), qPrintable(shown(value)));
    }

    // Uniform leakage overstates a lone electrode's resistance: the solution lies below
    // the formulas that assume it, and closer with more segments.
    void belowUniformLeakage() {
        EarthingInput input = rod();
        const double dwight = 100 / (2 * M_PI * 3) * (std::log(4 * 3 / 0.008) - 1);
        double previous = 0;
        for (double length : {3., 1., 0.25}) {
            input.segmentLength = length;
            const Refusable<EarthingResult> outcome = EarthingSolver::solve(input);
            QVERIFY(!outcome.refused());
            const double r = outcome.result().resistance;
            if (previous == 0) // one segment: Dwight to the a/L terms he leaves out
                QVERIFY2(std::abs(r / dwight - 1) < 1e-3, qPrintable(shown(r)));
            else
                QVERIFY2(r < previous, qPrintable(shown(r)));
            previous = r;
        }
    }

    void limits_data() {
        QTest::addColumn<double>("rho2");
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("tolerance");
        QTest::newRow("rho1 = rho2") << 150. << 4. << 1e-9;
        QTest::newRow("a top layer of 10 km") << 600. << 1e4 << 0.01;
        QTest::newRow("a top layer of 10 km over less") << 20. << 1e4 << 0.01;
        QTest::newRow("a top layer of 1000 km") << 600. << 1e6 << 0.01;
    }

    // The two-layer series against the uniform soil of the top layer: the same when the
    // layers are one; under a deep interface, the uniform answer raised by the images at
    // 2nh, which the system sees as points: rho1/(2 pi h) sum K^n/n = -rho1 ln(1 - K)/(2 pi h).
    void limits() {
        QFETCH(double, rho2);
        QFETCH(double, h);
        QFETCH(double, tolerance);
        const double rho1 = 150;
        EarthingInput plain = layeredGrid(true);
        plain.soil = EarthingSoil::uniform(rho1);
        // The rods cut where the layered soil's interface cuts them at 4 m.
        std::vector<Conductor> conductors;
        for (const Conductor &c : plain.conductors) {
            if (c.from.z != c.to.z && h < 6.5) {
                conductors.push_back({c.from, {c.to.x, c.to.y, h}, c.diameter, 0});
                conductors.push_back({{c.to.x, c.to.y, h}, c.to, c.diameter, 0});
            } else {
                conductors.push_back(c);
            }
        }
        plain.conductors = conductors;
        EarthingInput layered = plain;
        layered.soil = EarthingSoil::twoLayer(rho1, rho2, h);
        const Refusable<EarthingResult> a = EarthingSolver::solve(layered);
        const Refusable<EarthingResult> b = EarthingSolver::solve(plain);
        QVERIFY(!a.refused() && !b.refused());
        const double k = (rho2 - rho1) / (rho2 + rho1);
        const double offset = -rho1 * std::log(1 - k) / (2 * M_PI * h);
        const double ra = a.result().resistance;
        const double rb = b.result().resistance;
        const double va = a.result().field->potential(30, 9) / layered.current;
        const double vb = b.result().field->potential(30, 9) / layered.current;
        if (offset == 0) {
            QVERIFY2(std::abs(ra / rb - 1) <= tolerance, qPrintable(shown(ra) + " " + shown(rb)));
            QVERIFY2(std::abs(va / vb - 1) <= tolerance, qPrintable(shown(va) + " " + shown(vb)));
        } else {
            QVERIFY2(std::abs((ra - rb) / offset - 1) <= tolerance,
                     qPrintable(shown(ra - rb) + " " + shown(offset)));
            QVERIFY2(std::abs((va - vb) / offset - 1) <= tolerance,
                     qPrintable(shown(va - vb) + " " + shown(offset)));
        }
    }

    // Bonded to nothing, far away, a conductor takes the potential of the soil there:
    // rho I/(2 pi d) of the energised rod seen as a point at the surface.
    void floatingFarAway() {
        EarthingInput input = rod();
        input.current = 1000;
        const double d = 1000;
        input.conductors.push_back({{d, 0, 0.5}, {d + 4, 0, 0.5}, 0.01, 1});
        const Refusable<EarthingResult> outcome = EarthingSolver::solve(input);
        QVERIFY(!outcome.refused());
        const EarthingResult &r = outcome.result();
        QCOMPARE(r.groups.size(), std::size_t(2));
        const double expected = 100 * 1000 / (2 * M_PI * (d + 2));
        QVERIFY2(std::abs(r.groups[1].potential / expected - 1) < 0.01,
                 qPrintable(shown(r.groups[1].potential)));
        // The currents of the segments meet what the equations impose on each group.
        double leaving[2] = {0, 0};
        for (const SegmentResult &s : r.segmentCurrents)
            leaving[s.group] += s.current;
        QVERIFY(std::abs(leaving[1]) < 1e-9 * input.current);
        QVERIFY(std::abs(leaving[0] / input.current - 1) < 1e-9);
    }

    // A fence bonded to nothing beside a grid: no net current, a potential between the
    // grid's and remote earth's, and currents in and out along its length.
    void floatingFence() {
        EarthingInput input = layeredGrid(false);
        input.conductors.push_back({{-3, -3, 0.3}, {27, -3, 0.3}, 0.01, 1});
        const Refusable<EarthingResult> outcome = EarthingSolver::solve(input);
        QVERIFY(!outcome.refused());
        const EarthingResult &r = outcome.result();
        QVERIFY(r.groups[1].potential > 0.2 * r.gpr && r.groups[1].potential < r.gpr);
        std::vector<double> fence;
        for (const SegmentResult &s : r.segmentCurrents)
            if (s.group == 1)
                fence.push_back(s.current);
        QCOMPARE(fence.size(), std::size_t(32));
        QVERIFY(std::abs(std::accumulate(fence.begin(), fence.end(), 0.)) < 1e-9 * input.current);
        // Out where it reaches beyond the grid, in along the grid's edge, as symmetric as
        // the fence and the grid are.
        QVERIFY(fence.front() > 0 && fence.back() > 0);
        QVERIFY(fence[15] < 0 && fence[5] < 0);
        for (std::size_t k = 0; k < fence.size(); ++k)
            QVERIFY(std::abs(fence[k] - fence[fence.size() - 1 - k]) < 1e-9 * input.current);
    }
};

QTEST_APPLESS_MAIN(TestEarthing)
#include "tst_earthing.moc"
