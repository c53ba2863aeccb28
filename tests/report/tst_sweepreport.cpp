// A sweep in its report: the table's rows (a refused value kept, its reason below the
// table at its path; the margins the tolerable voltage less the worst), the plots' series
// (a gap at a refused value), and the plot's round ticks covering the values.
#include "report/ReportNumber.h"
#include "report/SweepReport.h"
#include "tests/support/ShippedTexts.h"

#include <QtTest>

#include <cmath>

using namespace tav;

namespace {

// Two values of a current's sweep, the first refused at a path of the document.
StudySweepResult made() {
    StudySweepResult r;
    r.path = QStringLiteral("current");
    sweep::SweepPoint refused;
    refused.value = -5;
    refused.refused = true;
    sweep::SweepPoint solved;
    solved.value = 1000;
    solved.resistance = 4.8;
    solved.gpr = 4800;
    solved.touch = 1500;
    solved.touchTolerable = 255.3;
    solved.step = 900;
    solved.stepTolerable = 355.25;
    solved.verdict = Verdict::NotSafe;
    r.points = {refused, solved};
    DocumentError fault;
    fault.kind = DocumentError::Kind::NotPositive;
    fault.path = QStringLiteral("current");
    r.reasons = {fault, DocumentError{}};
    return r;
}

} // namespace

class TestSweepReport : public QObject {
    Q_OBJECT

private slots:
    void table() {
        const ReportBlock block = SweepReport::table(made(), shippedTexts());
        QCOMPARE(block.header.size(), 10);
        QCOMPARE(block.rows.size(), 2);
        for (const QStringList &row : block.rows)
            QCOMPARE(row.size(), 10);
        QCOMPARE(block.rows[0][0], QStringLiteral("-5"));
        QCOMPARE(block.rows[0][1], QStringLiteral("-"));
        QCOMPARE(block.lines.size(), 1);
        QVERIFY(block.lines[0].text.startsWith(QStringLiteral("-5: current")));
        const QStringList &row = block.rows[1];
        QCOMPARE(row[5], ReportNumber::text(255.3 - 1500));
        QCOMPARE(row[8], ReportNumber::text(355.25 - 900));
        QVERIFY(block.heading.contains(QStringLiteral("(current)")));
    }

    void plots() {
        const SweepPlot voltages = SweepReport::voltagePlot(made(), shippedTexts());
        QCOMPARE(voltages.series.size(), 4);
        for (const PlotSeries &s : voltages.series) {
            QCOMPARE(s.points.size(), 2);
            QVERIFY(std::isnan(s.points[0].y()));
        }
        QCOMPARE(voltages.series[0].points[1], QPointF(1000, 1500));
        QCOMPARE(voltages.series[3].points[1], QPointF(1000, 355.25));
        const SweepPlot r = SweepReport::resistancePlot(made(), shippedTexts());
        QCOMPARE(r.series.size(), 1);
        QCOMPARE(r.series[0].points[1], QPointF(1000, 4.8));
    }

    void ticks_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<QList<double>>("expected");
        QTest::newRow("0 to 10") << 0.0 << 10.0 << QList<double>{0, 2, 4, 6, 8, 10};
        QTest::newRow("within steps") << 0.3 << 0.9 << QList<double>{0.2, 0.4, 0.6, 0.8, 1.0};
        QTest::newRow("below 0") << -40.0 << 60.0 << QList<double>{-40, -20, 0, 20, 40, 60};
        QTest::newRow("one value") << 5.0 << 5.0 << QList<double>{4.4, 4.6, 4.8, 5, 5.2, 5.4, 5.6};
        // 2780 / 5 is past 500: the next round step is 1000.
        QTest::newRow("thousands") << 120.0 << 2900.0 << QList<double>{0, 1000, 2000, 3000};
    }
    void ticks() {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(QList<double>, expected);
        const QVector<double> ticks = SweepPlot::ticks(low, high);
        QCOMPARE(ticks.size(), expected.size());
        for (int k = 0; k < ticks.size(); ++k)
            QVERIFY2(std::abs(ticks[k] - expected[k]) < 1e-9 * (1 + std::abs(expected[k])),
                     qPrintable(QString::number(ticks[k])));
    }
};

QTEST_MAIN(TestSweepReport)
#include "tst_sweepreport.moc"
