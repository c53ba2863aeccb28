// A sweep's range: its values (the end reached despite a step's rounding, a range of one
// value, a falling range) and its refusals (a step of 0 or leading away, more values than
// a sweep solves, a count at a value not whole, a bound not finite); the loop over the
// values: each point in its place, and a cancel that stops it.
#include "core/sweep/ParameterSweep.h"
#include "core/sweep/SweepRange.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace tav;
using namespace tav::sweep;

Q_DECLARE_METATYPE(tav::Error)

class TestSweepRange : public QObject {
    Q_OBJECT

private slots:
    void values_data() {
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<double>("step");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<QList<double>>("expected");
        QTest::newRow("counts") << 3.0 << 11.0 << 2.0 << true << QList<double>{3, 5, 7, 9, 11};
        QTest::newRow("end not reached")
            << 1.0 << 2.0 << 0.4 << false << QList<double>{1, 1.4, 1.8};
        // 0.1 + 2 * 0.1 is 0.30000000000000004 in binary: the end is taken as given.
        QTest::newRow("rounding") << 0.1 << 0.3 << 0.1 << false << QList<double>{0.1, 0.2, 0.3};
        QTest::newRow("falling") << 5.0 << 1.0 << -2.0 << true << QList<double>{5, 3, 1};
        QTest::newRow("one value") << 2.0 << 2.0 << -1.0 << true << QList<double>{2};
        QTest::newRow("the most") << 1.0 << 200.0 << 1.0 << true << QList<double>();
    }
    void values() {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(double, step);
        QFETCH(bool, whole);
        QFETCH(QList<double>, expected);
        const Refusable<std::vector<double>> v = sweepValues({from, to, step}, whole);
        QVERIFY(!v.refused());
        if (expected.isEmpty()) {
            QCOMPARE(int(v.result().size()), kMostSweepPoints);
            QCOMPARE(v.result().back(), to);
            return;
        }
        QCOMPARE(int(v.result().size()), int(expected.size()));
        for (int k = 0; k < expected.size(); ++k)
            QVERIFY2(std::abs(v.result()[std::size_t(k)] - expected[k]) < 1e-12,
                     qPrintable(QString::number(k)));
        QCOMPARE(v.result().back(), double(expected.back()));
    }

    void refused_data() {
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<double>("step");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<Error>("error");
        QTest::addColumn<QList<double>>("values");
        QTest::newRow("step 0") << 1.0 << 5.0 << 0.0 << false << Error::SweepStepZero
                                << QList<double>{};
        QTest::newRow("away") << 1.0 << 5.0 << -1.0 << false << Error::SweepStepWrongSign
                              << QList<double>{1, 5, -1};
        QTest::newRow("away falling")
            << 5.0 << 1.0 << 1.0 << false << Error::SweepStepWrongSign << QList<double>{5, 1, 1};
        QTest::newRow("one too many")
            << 0.0 << 200.0 << 1.0 << true << Error::SweepTooManyPoints << QList<double>{201, 200};
        QTest::newRow("a small step") << 0.0 << 100.0 << 0.25 << false << Error::SweepTooManyPoints
                                      << QList<double>{401, 200};
        // Counted in double: so many steps would overflow an int.
        QTest::newRow("a tiny step") << 0.0 << 1.0 << 1e-300 << false << Error::SweepTooManyPoints
                                     << QList<double>{1e300, 200};
        QTest::newRow("count by halves")
            << 1.0 << 3.0 << 0.5 << true << Error::SweepNotWhole << QList<double>{1.5};
        QTest::newRow("count from a half")
            << 1.5 << 3.0 << 1.0 << true << Error::SweepNotWhole << QList<double>{1.5};
        QTest::newRow("nan") << 1.0 << std::numeric_limits<double>::quiet_NaN() << 1.0 << false
                             << Error::SweepNotFinite
                             << QList<double>{std::numeric_limits<double>::quiet_NaN()};
        QTest::newRow("infinite step")
            << 1.0 << 2.0 << std::numeric_limits<double>::infinity() << false
            << Error::SweepNotFinite << QList<double>{std::numeric_limits<double>::infinity()};
    }
    void refused() {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(double, step);
        QFETCH(bool, whole);
        QFETCH(Error, error);
        QFETCH(QList<double>, values);
        const Refusable<std::vector<double>> v = sweepValues({from, to, step}, whole);
        QVERIFY(v.refused());
        QCOMPARE(v.refusal().error, error);
        QCOMPARE(int(v.refusal().values.size()), int(values.size()));
        for (int k = 0; k < values.size(); ++k) {
            const double got = v.refusal().values[std::size_t(k)];
            QVERIFY(std::isnan(values[k])
                        ? std::isnan(got)
                        : got == values[k] || std::abs(got - values[k]) < 1e-12 * std::abs(got));
        }
    }

    // A refused point stays in its place; the progress runs through every point.
    void pointsInOrder() {
        std::vector<int> seen;
        const PointEvaluation evaluate = [](double value, const earthing::ProgressCallback &p) {
            p({earthing::SolveProgress::Stage::Matrix, 0.5});
            SweepPoint point;
            point.refused = value == 2;
            point.resistance = 10 / value;
            return Refusable<SweepPoint>(point);
        };
        double last = -1;
        const Refusable<std::vector<SweepPoint>> run =
            runSweep({1, 2, 4}, evaluate, [&](const SweepProgress &p) {
                if (p.fraction() < last)
                    return false;
                last = p.fraction();
                return true;
            });
        QVERIFY(!run.refused());
        QCOMPARE(run.result().size(), std::size_t(3));
        QCOMPARE(run.result()[1].value, 2.0);
        QVERIFY(run.result()[1].refused);
        QVERIFY(!run.result()[2].refused);
        QCOMPARE(run.result()[2].resistance, 2.5);
        QCOMPARE(last, 1.0);
    }

    // A cancel during a point's solve ends the sweep before the next point.
    void cancelStops() {
        int evaluated = 0;
        const PointEvaluation evaluate = [&](double, const earthing::ProgressCallback &p) {
            ++evaluated;
            if (!p({earthing::SolveProgress::Stage::Matrix, 0.5}))
                return Refusable<SweepPoint>(Refusal{Error::Cancelled, Quantity::None, {}});
            return Refusable<SweepPoint>(SweepPoint{});
        };
        const Refusable<std::vector<SweepPoint>> run =
            runSweep({1, 2, 3, 4}, evaluate,
                     [](const SweepProgress &p) { return p.point < 1 || p.solve.fraction == 0; });
        QVERIFY(run.refused());
        QCOMPARE(run.refusal().error, Error::Cancelled);
        QCOMPARE(evaluated, 2);
    }

    // The margin is the tolerable value less the voltage, and none without a limit.
    void margins() {
        SweepPoint p;
        p.touch = 300;
        p.step = 100;
        p.stepTolerable = 80;
        QVERIFY(!p.touchMargin());
        QCOMPARE(*p.stepMargin(), -20.0);
        p.touchTolerable = 450;
        QCOMPARE(*p.touchMargin(), 150.0);
    }
};

QTEST_APPLESS_MAIN(TestSweepRange)
#include "tst_sweeprange.moc"
