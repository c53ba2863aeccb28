// The current each conductor leaks: summed from its segments by hand, and along a lone
// rod the end effect every textbook shows (the charge crowds to a conductor's ends).

#include "core/earthing/ConductorLeakage.h"
#include "core/earthing/EarthingSolver.h"

#include <QtTest>

#include <cmath>

using namespace tav;
using namespace tav::earthing;

class TestConductorLeakage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Two segments of a 3-4-5 triangle's sides on conductor 0, one on conductor 2, none
    // on conductor 1: totals, lengths and densities by hand.
    void summedBySegment() {
        EarthingResult r;
        r.segmentCurrents = {{{0, 0, 0}, {3, 4, 0}, 0, 0, 2.0},
                             {{3, 4, 0}, {3, 4, 12}, 0, 0, 1.0},
                             {{0, 0, 1}, {0, 0, 3}, 2, 1, -0.5}};
        const std::vector<ConductorLeakage> c = ConductorLeakage::of(r, 3);
        QCOMPARE(c.size(), std::size_t(3));
        QCOMPARE(c[0].current, 3.0);
        QCOMPARE(c[0].length, 17.0);
        QCOMPARE(c[0].density(), 3.0 / 17.0);
        QCOMPARE(c[1].current, 0.0);
        QCOMPARE(c[1].density(), 0.0);
        QCOMPARE(c[2].current, -0.5);
        QCOMPARE(c[2].length, 2.0);
        QCOMPARE(c[2].group, 1);
        QCOMPARE(c[2].density(), -0.25);
        QCOMPARE(ConductorLeakage::density(r.segmentCurrents[0]), 0.4);
    }

    // A segment of a conductor the count leaves out is not counted (nor read past).
    void beyondCountLeftOut() {
        EarthingResult r;
        r.segmentCurrents = {{{0, 0, 0}, {1, 0, 0}, 5, 0, 1.0}};
        const std::vector<ConductorLeakage> c = ConductorLeakage::of(r, 2);
        QCOMPARE(c[0].current + c[1].current, 0.0);
    }

    // A lone vertical rod in uniform soil: all of the current leaves it, its length is
    // its length, and the current per metre is greater at its ends than in its middle. A
    // rod from the surface has no end at the top: with its image above the surface it is
    // the middle of a rod twice as long, where the density is least.
    void rodEndEffect_data() {
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("length");
        QTest::addColumn<bool>("topIsEnd");
        QTest::newRow("3 m from the surface") << 0.0 << 3.0 << false;
        QTest::newRow("3 m from 0.5 m") << 0.5 << 3.0 << true;
        QTest::newRow("6 m from 0.8 m") << 0.8 << 6.0 << true;
    }
    void rodEndEffect() {
        QFETCH(double, top);
        QFETCH(double, length);
        QFETCH(bool, topIsEnd);
        EarthingInput input;
        input.soil = EarthingSoil::uniform(100);
        input.current = 100;
        input.segmentLength = 0.25;
        input.search.step = 1;
        input.conductors = {{{0, 0, top}, {0, 0, top + length}, 0.016, 0}};
        const Refusable<EarthingResult> solved = EarthingSolver::solve(input);
        QVERIFY(!solved.refused());
        const EarthingResult &r = solved.result();
        const std::vector<ConductorLeakage> c = ConductorLeakage::of(r, 1);
        QVERIFY(std::abs(c[0].current - 100) < 1e-6);
        QVERIFY(std::abs(c[0].length - length) < 1e-9);
        const auto &s = r.segmentCurrents;
        QVERIFY(s.size() >= 8);
        // The segments in order down the rod: the top end, the bottom end, the middle.
        std::vector<double> density;
        std::vector<double> depth;
        for (const SegmentResult &segment : s) {
            density.push_back(ConductorLeakage::density(segment));
            depth.push_back(0.5 * (segment.from.z + segment.to.z));
        }
        const auto topEnd = std::min_element(depth.begin(), depth.end()) - depth.begin();
        const auto bottomEnd = std::max_element(depth.begin(), depth.end()) - depth.begin();
        std::size_t middle = 0;
        for (std::size_t k = 0; k < depth.size(); ++k)
            if (std::abs(depth[k] - (top + length / 2)) <
                std::abs(depth[middle] - (top + length / 2)))
                middle = k;
        QVERIFY2((density[std::size_t(topEnd)] > density[middle]) == topIsEnd,
                 qPrintable(QStringLiteral("top %1, middle %2")
                                .arg(density[std::size_t(topEnd)])
                                .arg(density[middle])));
        QVERIFY(density[std::size_t(bottomEnd)] > density[middle]);
        // The mean is the current over the length.
        QVERIFY(std::abs(c[0].density() - 100 / length) < 1e-6);
    }
};

QTEST_APPLESS_MAIN(TestConductorLeakage)
#include "tst_conductorleakage.moc"
