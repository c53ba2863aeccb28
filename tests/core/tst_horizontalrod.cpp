// The horizontal rod design: the rod design calculation with the buried rod's resistance.
#include "core/HorizontalRod.h"
#include "tests/support/ShownValues.h"

#include <QtTest>

#include <cmath>

using namespace tav;
using namespace ShownValues;

namespace {

RodDesignRecord horizontal(float target, float rho, int from = 3, int to = 60) {
    RodDesignRecord record = horizontalRodDefaults();
    record.lengthFrom = from;
    record.lengthTo = to;
    record.targetResistance = target;
    record.soilResistivity = rho;
    return record;
}

} // namespace

class TestHorizontalRod : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void table_data() {
        QTest::addColumn<float>("rho");
        QTest::addColumn<float>("depth");
        QTest::addColumn<QString>("resistances");
        QTest::newRow("100 ohm-m at 0.6 m")
            << 100.0f << 0.6f << "25.26 12.94 8.6 6.57 5.53 4.68 4.07 3.68 3.31 3.01 2.76";
        QTest::newRow("300 ohm-m at 0.6 m")
            << 300.0f << 0.6f << "75.78 38.83 25.8 19.71 16.6 14.03 12.21 11.04 9.92 9.02 8.29";
        // Worked apart from the program: the first row is
        // 100 / 18.84 (ln 120 + ln 3 - 2 + 2/3 - 1/9 + 1/72) = 23.649...
        QTest::newRow("100 ohm-m at 1 m, first row by hand")
            << 100.0f << 1.0f << "23.65 12.11 8.08 6.19 5.23 4.43 3.86 3.49 3.14 2.86 2.63";
    }

    void table() {
        QFETCH(float, rho);
        QFETCH(float, depth);
        QFETCH(QString, resistances);
        RodDesignRecord record = horizontal(1, rho);
        QVERIFY(!CalculateRodDesign(record, horizontalRodParameters(depth)).refusal);
        QCOMPARE(shownAll(record.rowLength), split("3 8 14 20 25 31 37 42 48 54 60"));
        QCOMPARE(shownAll(record.rowResistance), split(resistances.toLatin1().constData()));
        // The bore of 100 mm, whatever the depth.
        QCOMPARE(shownAll(record.ionBags),
                 split("1.1 2.93 5.12 7.32 9.15 11.35 13.54 15.37 17.57 19.76 21.96"));
        QCOMPARE(shownAll(record.activeBags),
                 split("0.45 1.21 2.11 3.01 3.77 4.67 5.57 6.33 7.23 8.14 9.04"));
    }

    void selection_data() {
        QTest::addColumn<float>("target");
        QTest::addColumn<float>("rho");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("quantities");
        QTest::newRow("target 10: 14 m") << 10.0f << 100.0f << 2 << "4.67 2.33 1.56 1.17";
        QTest::newRow("300 ohm-m, target 25: 20 m")
            << 25.0f << 300.0f << 3 << "6.67 3.33 2.22 1.67";
        // The single target widened to double may fall on either side of a shown 8.6.
        QTest::newRow("typed 8.6 meets the 8.6 row")
            << 8.6f << 100.0f << 2 << "4.67 2.33 1.56 1.17";
        QTest::newRow("typed 12.94 passes the 12.94 row")
            << 12.94f << 100.0f << 2 << "4.67 2.33 1.56 1.17";
        QTest::newRow("typed 4.07 meets the 4.07 row")
            << 4.07f << 100.0f << 6 << "12.33 6.17 4.11 3.08";
        QTest::newRow("target 2: no row") << 2.0f << 100.0f << -1 << "0 0 0 0";
    }

    void selection() {
        QFETCH(float, target);
        QFETCH(float, rho);
        QFETCH(int, selected);
        QFETCH(QString, quantities);
        RodDesignRecord record = horizontal(target, rho);
        const RodDesignOutcome outcome =
            CalculateRodDesign(record, horizontalRodParameters(kDefaultBurialDepth));
        QCOMPARE(outcome.selectedRow, selected);
        QCOMPARE(shownAll(record.rodQuantity).join(QLatin1Char(' ')), quantities);
    }

    void defaultsAreRefused() {
        RodDesignRecord record = horizontalRodDefaults();
        const auto refusal =
            CalculateRodDesign(record, horizontalRodParameters(kDefaultBurialDepth)).refusal;
        QVERIFY(refusal);
        QCOMPARE(refusal->error, Error::TargetResistance);
    }

    void rowsWithoutAValue_data() {
        QTest::addColumn<float>("depth");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("defined"); // per row
        QTest::newRow("depth 0") << 0.0f << 3 << 60 << "00000000000";
        QTest::newRow("negative depth") << -0.5f << 3 << 60 << "00000000000";
        QTest::newRow("lengths through 0") << 0.6f << -5 << 5 << "00000011111";
    }

    void rowsWithoutAValue() {
        QFETCH(float, depth);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, defined);
        RodDesignRecord record = horizontal(1e30f, 100, from, to);
        const RodDesignOutcome outcome = CalculateRodDesign(record, horizontalRodParameters(depth));
        QString finite;
        for (double resistance : record.rowResistance)
            finite += std::isfinite(resistance) ? QLatin1Char('1') : QLatin1Char('0');
        QCOMPARE(finite, defined);
        QCOMPARE(outcome.selectedRow, int(defined.indexOf(QLatin1Char('1'))));
    }
};

QTEST_GUILESS_MAIN(TestHorizontalRod)
#include "tst_horizontalrod.moc"
