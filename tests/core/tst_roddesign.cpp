#include "core/CatalyzerBags.h"
#include "core/HorizontalRod.h"
#include "core/NumericText.h"
#include "core/RodDesign.h"
#include "core/RowLengths.h"
#include "core/VerticalRod.h"
#include "tests/support/ShippedWording.h"
#include "tests/support/ShownValues.h"
#include "text/Wording.h"

#include <QtTest>

#include <climits>
#include <cmath>

using namespace tav;
using namespace ShownValues;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

RodDesignRecord vertical(int from, int to, float target, float rho, float diameter = 54) {
    RodDesignRecord record = verticalRodDefaults();
    record.lengthFrom = from;
    record.lengthTo = to;
    record.targetResistance = target;
    record.soilResistivity = rho;
    record.rodDiameter = diameter;
    return record;
}

} // namespace

class TestRodDesign : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rowLengths_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("expected");
        QTest::newRow("6 to 100") << 6 << 100 << "6 15 24 34 43 53 62 71 81 90 100";
        QTest::newRow("100 to 6, sum just below 53")
            << 100 << 6 << "100 90 81 71 62 52 43 34 24 15 6";
        QTest::newRow("6 to 10") << 6 << 10 << "6 6 6 7 7 8 8 8 9 9 10";
        QTest::newRow("1 to 4") << 1 << 4 << "1 1 1 1 2 2 2 3 3 3 4";
        QTest::newRow("5 to 5") << 5 << 5 << "5 5 5 5 5 5 5 5 5 5 5";
        QTest::newRow("3 to 30") << 3 << 30 << "3 5 8 11 13 16 19 21 24 27 30";
        QTest::newRow("-5 to 5 through zero") << -5 << 5 << "-5 -4 -3 -2 -1 0 1 2 3 4 5";
        QTest::newRow("-1 to 1 truncates toward zero") << -1 << 1 << "-1 0 0 0 0 0 0 0 0 0 1";
    }

    void rowLengths() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, expected);
        QCOMPARE(shownAll(tav::rowLengths(from, to)), expected.split(QLatin1Char(' ')));
    }

    void rowLengthsOverTheWholeRange() {
        // No overflow however far apart the bounds are.
        const auto rows = tav::rowLengths(INT_MIN, INT_MAX);
        QCOMPARE(rows.front(), INT_MIN);
        QCOMPARE(rows.back(), INT_MAX);
        for (int i = 1; i < kRodRows; ++i)
            QVERIFY(rows[i] > rows[i - 1]);
    }

    void verticalTable() {
        RodDesignRecord record = vertical(6, 100, 10, 100);
        const RodDesignOutcome outcome = CalculateRodDesign(record, verticalRodParameters());
        QVERIFY(!outcome.refusal);
        QCOMPARE(shownAll(record.rowLength), split("6 15 24 34 43 53 62 71 81 90 100"));
        QCOMPARE(shownAll(record.rowResistance),
                 split("12.65 6.03 4.08 3.05 2.5 2.09 1.82 1.62 1.45 1.32 1.21"));
        QCOMPARE(shownAll(record.ionBags),
                 split("6.07 15.18 24.28 34.4 43.51 53.63 62.73 71.84 81.96 91.06 101.18"));
        QCOMPARE(shownAll(record.activeBags),
                 split("0.9 2.26 3.62 5.12 6.48 7.98 9.34 10.7 12.2 13.56 15.07"));
    }

    void selection_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<float>("target");
        QTest::addColumn<float>("rho");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("quantities");
        QTest::newRow("target 10: 15 m")
            << 6 << 100 << 10.0f << 100.0f << 1 << "2.5 1.67 1.25 0.83 0.63 0.5";
        QTest::newRow("target 2.6: 43 m")
            << 6 << 100 << 2.6f << 100.0f << 4 << "7.17 4.78 3.58 2.39 1.79 1.43";
        QTest::newRow("target equal to row 4 passes it")
            << 6 << 100 << 2.5f << 100.0f << 5 << "8.83 5.89 4.42 2.94 2.21 1.77";
        QTest::newRow("target 100: 6 m")
            << 6 << 100 << 100.0f << 100.0f << 0 << "1 0.67 0.5 0.33 0.25 0.2";
        QTest::newRow("typed 12.65 is below row 0's 12.65")
            << 6 << 100 << 12.65f << 100.0f << 1 << "2.5 1.67 1.25 0.83 0.63 0.5";
        QTest::newRow("target 1: no row") << 6 << 100 << 1.0f << 100.0f << -1 << "0 0 0 0 0 0";
        QTest::newRow("descending range: first row")
            << 100 << 6 << 10.0f << 100.0f << 0 << "16.67 11.11 8.33 5.56 4.17 3.33";
        QTest::newRow("3 to 30 at 250: no row") << 3 << 30 << 5.0f << 250.0f << -1 << "0 0 0 0 0 0";
        QTest::newRow("rows of 0 and below are never met")
            << -20 << 0 << 1e30f << 100.0f << -1 << "0 0 0 0 0 0";
        QTest::newRow("first positive row after undefined ones")
            << -4 << 6 << 100.0f << 100.0f << 5 << "0.17 0.11 0.08 0.06 0.04 0.03";
    }

    void selection() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(float, target);
        QFETCH(float, rho);
        QFETCH(int, selected);
        QFETCH(QString, quantities);
        RodDesignRecord record = vertical(from, to, target, rho);
        const RodDesignOutcome outcome = CalculateRodDesign(record, verticalRodParameters());
        QCOMPARE(outcome.selectedRow, selected);
        QCOMPARE(shownAll(record.rodQuantity).join(QLatin1Char(' ')), quantities);
    }

    void otherInputs_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<float>("diameter");
        QTest::addColumn<float>("rho");
        QTest::addColumn<QString>("ion");        // first three rows
        QTest::addColumn<QString>("active");     // first three rows
        QTest::addColumn<QString>("resistance"); // first and last row
        QTest::newRow("diameter 200: rod wider than bore")
            << 6 << 100 << 200.0f << 100.0f << "-5.42 -13.56 -21.7"
            << "12.4 31 49.6"
            << "12.65 1.21";
        QTest::newRow("diameter 0: bore alone") << 6 << 100 << 0.0f << 100.0f << "6.97 17.44 27.9"
                                                << "0 0 0"
                                                << "12.65 1.21";
        QTest::newRow("3 to 30 at 250") << 3 << 30 << 54.0f << 250.0f << "3.04 5.06 8.09"
                                        << "0.45 0.75 1.21"
                                        << "54.08 8.46";
    }

    void otherInputs() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(float, diameter);
        QFETCH(float, rho);
        QFETCH(QString, ion);
        QFETCH(QString, active);
        QFETCH(QString, resistance);
        RodDesignRecord record = vertical(from, to, 5, rho, diameter);
        QVERIFY(!CalculateRodDesign(record, verticalRodParameters()).refusal);
        QCOMPARE(shownAll(record.ionBags).mid(0, 3).join(QLatin1Char(' ')), ion);
        QCOMPARE(shownAll(record.activeBags).mid(0, 3).join(QLatin1Char(' ')), active);
        QCOMPARE(shown(record.rowResistance.front()) + QLatin1Char(' ') +
                     shown(record.rowResistance.back()),
                 resistance);
    }

    void refusals_data() {
        QTest::addColumn<float>("target");
        QTest::addColumn<float>("rho");
        QTest::addColumn<unsigned>("message");
        const float inf = std::numeric_limits<float>::infinity();
        QTest::newRow("target 0 and resistivity 0: target first") << 0.0f << 0.0f << 123u;
        QTest::newRow("negative target") << -1.0f << 100.0f << 123u;
        QTest::newRow("infinite target") << inf << 100.0f << 123u;
        QTest::newRow("resistivity 0") << 10.0f << 0.0f << 124u;
        QTest::newRow("negative resistivity") << 10.0f << -100.0f << 124u;
        QTest::newRow("infinite resistivity") << 10.0f << inf << 124u;
    }

    void refusals() {
        QFETCH(float, target);
        QFETCH(float, rho);
        QFETCH(unsigned, message);
        RodDesignRecord record = vertical(6, 100, 10, 100);
        CalculateRodDesign(record, verticalRodParameters());
        const RodDesignRecord before = record;
        record.targetResistance = target;
        record.soilResistivity = rho;
        const RodDesignOutcome outcome = CalculateRodDesign(record, verticalRodParameters());
        QVERIFY(outcome.refusal);
        QCOMPARE(Wording::refusalId(outcome.refusal->error), message);
        QCOMPARE(outcome.selectedRow, -1);
        // The table and quantities keep what they showed.
        QCOMPARE(record.rowResistance, before.rowResistance);
        QCOMPARE(record.ionBags, before.ionBags);
        QCOMPARE(record.rodQuantity, before.rodQuantity);
        QCOMPARE(record.rowLength, before.rowLength);
    }

    // What tav-calc refuses before calculating: the form's two refusals, then what has no
    // physical sense. The form itself calculates all of it as the design does.
    void inputRefusals_data() {
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<float>("diameter"); // mm
        QTest::addColumn<float>("depth");    // m, horizontal rods
        QTest::addColumn<QString>("reason"); // empty: accepted
        const float inf = std::numeric_limits<float>::infinity();
        const float nan = std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("the defaults") << false << 6 << 100 << 54.f << 0.f << "";
        QTest::newRow("lengths from -5")
            << false << -5 << 100 << 54.f << 0.f
            << "the shortest rod length must be a positive finite number, not -5";
        QTest::newRow("lengths from 0")
            << false << 0 << 100 << 54.f << 0.f << "the shortest rod length";
        QTest::newRow("lengths to -1")
            << false << 6 << -1 << 54.f << 0.f << "the longest rod length";
        QTest::newRow("a falling range: accepted") << false << 30 << 6 << 54.f << 0.f << "";
        QTest::newRow("diameter 0") << false << 6 << 100 << 0.f << 0.f
                                    << "the rod diameter must be a positive finite number, not 0";
        QTest::newRow("NaN diameter") << false << 6 << 100 << nan << 0.f << "the rod diameter";
        QTest::newRow("diameter 1e38 mm")
            << false << 6 << 100 << 1e38f << 0.f << "is not smaller than the bore of 150 mm";
        QTest::newRow("diameter of the bore")
            << false << 6 << 100 << 150.f << 0.f << "the bore of 150 mm";
        QTest::newRow("diameter just inside the bore") << false << 6 << 100 << 149.f << 0.f << "";
        QTest::newRow("horizontal: 100 mm bore")
            << true << 3 << 30 << 100.f << 0.6f << "the bore of 100 mm";
        QTest::newRow("horizontal at 0.6 m") << true << 3 << 30 << 54.f << 0.6f << "";
        QTest::newRow("horizontal at depth 0")
            << true << 3 << 30 << 54.f << 0.f << "the burial depth must be a positive";
        QTest::newRow("horizontal infinitely deep")
            << true << 3 << 30 << 54.f << inf << "the burial depth must be a positive";
        QTest::newRow("horizontal at 1e30 m") << true << 3 << 30 << 54.f << 1e30f
                                              << "is not smaller than the shortest rod length 3 m";
        QTest::newRow("horizontal as deep as the shortest")
            << true << 3 << 30 << 54.f << 3.f << "the shortest rod length 3 m";
        QTest::newRow("horizontal, falling range, deeper than the last")
            << true << 30 << 4 << 54.f << 5.f << "the shortest rod length 4 m";
    }

    void inputRefusals() {
        QFETCH(bool, horizontal);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(float, diameter);
        QFETCH(float, depth);
        QFETCH(QString, reason);
        const RodDesignRecord record = vertical(from, to, 10, 100, diameter);
        const RodDesignParameters parameters =
            horizontal ? horizontalRodParameters(depth) : verticalRodParameters();
        const std::optional<Refusal> refusal = rodDesignInputRefusal(record, parameters);
        QCOMPARE(refusal.has_value(), !reason.isEmpty());
        if (refusal)
            QVERIFY2(shippedWording().refusal(*refusal).contains(reason),
                     qPrintable(shippedWording().refusal(*refusal)));
    }

    void inputRefusalsBeginWithTheForms() {
        const RodDesignParameters parameters = verticalRodParameters();
        const std::optional<Refusal> both =
            rodDesignInputRefusal(vertical(-5, 6, 0, 0), parameters);
        QVERIFY(both);
        QCOMPARE(Wording::refusalId(both->error), 123u);
        const std::optional<Refusal> rho =
            rodDesignInputRefusal(vertical(-5, 6, 10, -1), parameters);
        QVERIFY(rho);
        QCOMPARE(Wording::refusalId(rho->error), 124u);
    }

    void undefinedRowsAreMarked() {
        RodDesignRecord record = vertical(-10, 10, 10, 100);
        CalculateRodDesign(record, verticalRodParameters());
        for (int k = 0; k < kRodRows; ++k) {
            const bool defined = record.rowLength[k] > 0;
            QCOMPARE(std::isfinite(record.rowResistance[k]), defined);
            QVERIFY(std::isfinite(record.ionBags[k]));
        }
        QCOMPARE(shown(record.rowResistance[0]), QStringLiteral("n/a"));
    }

    void extremeInputs() {
        // Nothing here may overflow an integer or cast out of range; the sanitizers watch.
        RodDesignRecord record = vertical(INT_MIN, INT_MAX, 3e38f, 3e38f, 3e38f);
        CalculateRodDesign(record, verticalRodParameters());
        QCOMPARE(record.rodQuantity.size(), std::size_t{6});
        for (float quantity : record.rodQuantity)
            QVERIFY(!std::isnan(quantity));
    }

    void catalyzerBags() {
        // The vertical rod's bore of 150 mm: A = 3.14 * 0.075^2 = 0.0176625 m^2. For 6 m of a
        // 54 mm rod, V = 6 * 3.14 * 0.027^2 = 0.01373436 m^3; the bags hold 0.015194 m^3.
        const CatalyzerBagCount bags = CatalyzerBags(6, 54, verticalRodParameters().boreArea);
        QCOMPARE(shown(bags.ion), QStringLiteral("6.0708595498223"));      // (6 A - V) / bag
        QCOMPARE(shown(bags.active), QStringLiteral("0.903933131499276")); // V / bag
    }
};

QTEST_GUILESS_MAIN(TestRodDesign)
#include "tst_roddesign.moc"
