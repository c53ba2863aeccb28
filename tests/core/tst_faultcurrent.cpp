// The decrement factor of IEEE Std 80-2013 Eq. 79 and the grid current IG = Df Sf 3I0.
#include "core/FaultCurrent.h"
#include "tests/support/ShippedWording.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace tav;

class TestFaultCurrent : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // IEEE Std 80-2013, Table 10: typical values of Df at 60 Hz, to three decimals.
    void table10_data() {
        QTest::addColumn<double>("duration");
        QTest::addColumn<double>("xOverR");
        QTest::addColumn<double>("df");
        QTest::newRow("half a cycle, X/R 10") << 0.00833 << 10. << 1.576;
        QTest::newRow("half a cycle, X/R 40") << 0.00833 << 40. << 1.688;
        QTest::newRow("3 cycles, X/R 20") << 0.05 << 20. << 1.378;
        QTest::newRow("6 cycles, X/R 30") << 0.10 << 30. << 1.316;
        QTest::newRow("12 cycles, X/R 40") << 0.20 << 40. << 1.232;
        QTest::newRow("30 cycles, X/R 10") << 0.50 << 10. << 1.026;
        QTest::newRow("30 cycles, X/R 40") << 0.50 << 40. << 1.101;
        QTest::newRow("60 cycles, X/R 20") << 1.00 << 20. << 1.026;
    }

    void table10() {
        QFETCH(double, duration);
        QFETCH(double, xOverR);
        QFETCH(double, df);
        const Refusable<double> outcome = decrementFactor({xOverR, 60}, duration);
        QVERIFY(!outcome.refused());
        QVERIFY2(std::abs(outcome.result() - df) <= 0.0006,
                 qPrintable(QString::number(outcome.result())));
    }

    // Annex B.1: 3I0 = 3180 A, of which the grid takes Sf = 0.6 to earth, Df taken as 1:
    // IG = 1908 A. With an asymmetry the current grows by Df.
    void gridCurrent_data() {
        QTest::addColumn<double>("xOverR");  // 0: none
        QTest::addColumn<double>("typedDf"); // 0: none
        QTest::addColumn<double>("df");
        QTest::addColumn<double>("current");
        QTest::newRow("B.1, symmetrical") << 0. << 0. << 1. << 1908.;
        QTest::newRow("X/R 40 at 60 Hz for 0.5 s") << 40. << 0. << 1.101 << 1908 * 1.101;
        QTest::newRow("Df typed") << 0. << 1.2 << 1.2 << 1908 * 1.2;
        QTest::newRow("Df typed wins over X/R") << 40. << 1.2 << 1.2 << 1908 * 1.2;
    }

    void gridCurrent() {
        QFETCH(double, xOverR);
        QFETCH(double, typedDf);
        QFETCH(double, df);
        QFETCH(double, current);
        FaultCurrentInput in;
        in.faultCurrent = 3180;
        in.splitFactor = 0.6;
        in.duration = 0.5;
        if (xOverR > 0)
            in.asymmetry = Asymmetry{xOverR, 60};
        if (typedDf > 0)
            in.decrementFactor = typedDf;
        const Refusable<FaultCurrentResult> outcome = calculateFaultCurrent(in);
        QVERIFY(!outcome.refused());
        QVERIFY(std::abs(outcome.result().decrementFactor - df) <= 0.0006);
        QVERIFY(std::abs(outcome.result().gridCurrent - current) <= 0.0006 * current);
    }

    void refusals_data() {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::addColumn<double>("faultCurrent");
        QTest::addColumn<double>("splitFactor");
        QTest::addColumn<double>("duration");
        QTest::addColumn<double>("xOverR");
        QTest::addColumn<double>("frequency");
        QTest::addColumn<double>("typedDf"); // 0: none
        QTest::addColumn<QString>("reason");
        QTest::newRow("no fault current")
            << 0. << 1. << 0.5 << 10. << 60. << 0.
            << "the fault current 3I0 must be a positive finite number, not 0";
        QTest::newRow("split factor 0")
            << 1000. << 0. << 0.5 << 10. << 60. << 0.
            << "the split factor Sf must lie above 0 and at most 1, not 0";
        QTest::newRow("split factor 1.2") << 1000. << 1.2 << 0.5 << 10. << 60. << 0. << "not 1.2";
        QTest::newRow("split factor NaN") << 1000. << nan << 0.5 << 10. << 60. << 0. << "not NaN";
        QTest::newRow("no duration") << 1000. << 1. << 0. << 10. << 60. << 0. << "fault duration";
        QTest::newRow("X/R 0") << 1000. << 1. << 0.5 << 0. << 60. << 0. << "X/R ratio";
        QTest::newRow("no frequency") << 1000. << 1. << 0.5 << 10. << 0. << 0. << "frequency must";
        QTest::newRow("Df below 1")
            << 1000. << 1. << 0.5 << 10. << 60. << 0.9
            << "the decrement factor Df must be a finite number of at least 1, not 0.9";
        QTest::newRow("current beyond double")
            << 1.7e308 << 1. << 0.5 << 10. << 60. << 1.5 << "beyond the range";
    }

    void refusals() {
        QFETCH(double, faultCurrent);
        QFETCH(double, splitFactor);
        QFETCH(double, duration);
        QFETCH(double, xOverR);
        QFETCH(double, frequency);
        QFETCH(double, typedDf);
        QFETCH(QString, reason);
        FaultCurrentInput in{faultCurrent, splitFactor, duration, Asymmetry{xOverR, frequency}, {}};
        if (typedDf > 0)
            in.decrementFactor = typedDf;
        const Refusable<FaultCurrentResult> outcome = calculateFaultCurrent(in);
        QVERIFY(outcome.refused());
        QVERIFY2(shippedWording().refusal(outcome.refusal()).contains(reason),
                 qPrintable(shippedWording().refusal(outcome.refusal())));
    }
};

QTEST_APPLESS_MAIN(TestFaultCurrent)
#include "tst_faultcurrent.moc"
