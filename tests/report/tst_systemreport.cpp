// The earthing system study's report: each part in words, and the verdict's tone.
#include "document/SystemDocument.h"
#include "report/SystemReport.h"
#include "tests/support/ShippedTexts.h"

#include <QtTest>

namespace {

tav::SystemDocument read(const QByteArray &parts) {
    tav::DocumentError error;
    const tav::SystemDocument d = tav::SystemDocument::fromJson(
        R"({"soil": {"rho": 100}, "current": 10, )" + parts + "}", error);
    if (error.kind != tav::DocumentError::Kind::None)
        qFatal("%s: %s", parts.constData(), qPrintable(error.path));
    return d;
}

} // namespace

Q_DECLARE_METATYPE(ReportLine::Tone)
Q_DECLARE_METATYPE(tav::Verdict)

class TestSystemReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The window's profile line when the project keeps one, else along x through the worst
    // touch across the plan.
    void profileLine_data() {
        QTest::addColumn<QByteArray>("window");
        QTest::addColumn<QLineF>("line");
        QTest::newRow("none kept") << QByteArray() << QLineF(-5, 4, 25, 4);
        QTest::newRow("kept") << QByteArray(R"("profile": [1, 2, 3, 4.5])") << QLineF(1, 2, 3, 4.5);
        QTest::newRow("of no length") << QByteArray(R"("profile": [1, 2, 1, 2])")
                                      << QLineF(-5, 4, 25, 4);
        QTest::newRow("not four numbers")
            << QByteArray(R"("profile": [1, 2, 3])") << QLineF(-5, 4, 25, 4);
        QTest::newRow("a text among them")
            << QByteArray(R"("profile": [1, 2, "3", 4])") << QLineF(-5, 4, 25, 4);
    }
    void profileLine() {
        QFETCH(QByteArray, window);
        QFETCH(QLineF, line);
        const tav::SystemDocument d =
            read(R"("rods": [{"at": [[0, 0]], "top": 0.5, "length": 3, "diameter": 0.02}],
                    "study_window": {)" + window + "}");
        tav::earthing::EarthingResult result;
        result.touchMax = tav::earthing::TouchMaximum{0, {7, 4}};
        QCOMPARE(SystemReport::profileLine(d, result, QRectF(-5, -5, 30, 20)), line);
    }

    void parts_data() {
        QTest::addColumn<QByteArray>("parts");
        QTest::addColumn<QString>("line");
        QTest::newRow("grid with rods on its edge")
            << QByteArray(
                   R"("grids": [{"size": [70, 70], "conductors": [6, 6], "depth": 0.5, "diameter": 0.01, "rods": {"count": 20, "length": 7.5, "diameter": 0.016}}])")
            << "Grid 70 m × 70 m from (0, 0) m, 6 × 6 conductors, 0.5 m deep, energised, 20 rods "
               "of 7.5 m along its edge";
        QTest::newRow("floating L with corner rods")
            << QByteArray(
                   R"("l_grids": [{"origin": [1, 2], "size": [10, 8], "cut": [4, 3], "conductors": [3, 2], "depth": 0.5, "diameter": 0.01, "group": 2, "rods": {"corners": true, "length": 3, "diameter": 0.016}}])")
            << "Grid 10 m × 8 m from (1, 2) m, 3 × 2 conductors, 0.5 m deep, floating group 2, "
               "less 4 m × 3 m at its far corner (L-shaped), rods of 3 m at its corners";
        QTest::newRow("ring")
            << QByteArray(
                   R"("rings": [{"centre": [20, 0], "radius": 5, "count": 8, "depth": 0.6, "diameter": 0.01, "rod": {"length": 3, "diameter": 0.02}, "group": 1}])")
            << "Ring of 8 rods of 3 m, radius 5 m round (20, 0) m, 0.6 m deep, floating group 1";
        QTest::newRow("fence of its own group")
            << QByteArray(
                   R"("fences": [{"distance": 2, "posts": {"spacing": 3, "length": 1.5, "diameter": 0.05}}])")
            << "Fence 2 m outside, posts of 1.5 m at most 3 m apart, floating on its own";
        QTest::newRow("rods at points")
            << QByteArray(
                   R"("rods": [{"at": [[0, 0], [5, 0]], "top": 0.2, "length": 2.4, "diameter": 0.016, "group": 3}])")
            << "2 rods of 2.4 m from 0.2 m deep, floating group 3";
    }
    void parts() {
        QFETCH(QByteArray, parts);
        QFETCH(QString, line);
        const QVector<ReportLine> lines = SystemReport::parts(read(parts), shippedTexts());
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0].text, line);
    }

    // A pass outside the method's range is no pass: it is in amber, as the grid check's.
    void verdictTones_data() {
        QTest::addColumn<tav::Verdict>("verdict");
        QTest::addColumn<ReportLine::Tone>("tone");
        QTest::addColumn<QString>("word");
        QTest::newRow("safe") << tav::Verdict::Safe << ReportLine::Tone::Pass << "pass";
        QTest::newRow("not safe") << tav::Verdict::NotSafe << ReportLine::Tone::Fail << "FAIL";
        QTest::newRow("outside") << tav::Verdict::OutsideMethodRange << ReportLine::Tone::Caution
                                 << "outside the method's range";
    }
    void verdictTones() {
        QFETCH(tav::Verdict, verdict);
        QFETCH(ReportLine::Tone, tone);
        QFETCH(QString, word);
        tav::earthing::EarthingResult result;
        result.touchMax = tav::earthing::TouchMaximum{352.8, {}};
        result.stepMax.voltage = 135.8;
        tav::earthing::SystemSafety safety;
        safety.touch = tav::earthing::JudgedVoltage{352.8, {}, true, 827.3, verdict};
        safety.step = {135.8, {}, true, 2643, tav::Verdict::NotSafe};
        const QVector<ReportLine> lines = SystemReport::verdicts(result, safety, shippedTexts());
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].text,
                 QStringLiteral("Worst touch voltage 352.8 V against the tolerable 827.3 V: ") +
                     word);
        QCOMPARE(lines[0].tone, tone);
        QCOMPARE(lines[1].tone, ReportLine::Tone::Fail);
        // Without criteria, no verdict at all.
        QVERIFY(SystemReport::verdicts(result, std::nullopt, shippedTexts()).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestSystemReport)
#include "tst_systemreport.moc"
