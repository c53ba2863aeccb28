// A designed study's report: a Design section after the inputs (that the layout was
// designed, the designed layout, its cost and the solves), the family searched and the
// prices, the runner-up layouts with their cost and margins, and a caution once the layout
// was edited since; no such section for a study that was not designed.
#include "report/SystemReport.h"
#include "tests/support/ReadDocument.h"
#include "tests/support/ShippedTexts.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

// Four sides of a 10 m square, 40 m, with a record written by hand: 40 m recorded (as
// designed) or 30 m (10 m laid since).
QByteArray designed(const QByteArray &recordedLength) {
    return R"({"soil": {"rho": 100}, "current": 10, "safety": {"duration": 0.5, "body": 70},
        "conductors": [
            {"from": [0, 0, 0.5], "to": [10, 0, 0.5], "diameter": 0.01},
            {"from": [10, 0, 0.5], "to": [10, 10, 0.5], "diameter": 0.01},
            {"from": [10, 10, 0.5], "to": [0, 10, 0.5], "diameter": 0.01},
            {"from": [0, 10, 0.5], "to": [0, 0, 0.5], "diameter": 0.01}],
        "designed": {
            "family": {"lines_x": [2, 5], "lines_y": [2, 4], "spacings": ["equal", "compressed"],
                       "rods": [{"length": 2, "counts": [4, 8]}], "surface": false,
                       "layouts": 96},
            "prices": {"conductor_per_m": 3, "rod_per_m": 5},
            "safe": true, "cost": 120,
            "layout": {"lines_x": 2, "lines_y": 2, "spacing_x": "equal", "spacing_y": "equal",
                       "rods": 0},
            "solves": 7,
            "runner_ups": [
                {"cost": 162.5, "layout": {"lines_x": 3, "lines_y": 2, "spacing_x": "equal",
                 "spacing_y": "equal", "rods": 4, "rod_length": 2},
                 "worst_touch_margin": 0.25, "worst_step_margin": null, "safe": true},
                {"cost": 90, "layout": {"lines_x": 4, "lines_y": 4, "spacing_x": "compressed",
                 "spacing_y": "compressed", "rods": 0},
                 "worst_touch_margin": -0.5, "worst_step_margin": 0.75, "safe": false}],
            "quantities": {"conductor_length": )" +
           recordedLength + R"(, "rod_length": 0, "surface_area": 0}}})";
}

Report reportOf(const QByteArray &json) {
    return SystemReport::report(readSoundDocument(json), tav::earthing::EarthingResult(),
                                std::nullopt, StudyHeader(), shippedTexts());
}

const ReportBlock *block(const Report &report, const QString &heading) {
    for (const ReportBlock &b : report.blocks)
        if (b.heading == heading)
            return &b;
    return nullptr;
}

QString pair(const ReportBlock &b, const QString &name) {
    for (const auto &p : b.pairs)
        if (p.first == name)
            return p.second;
    return QString();
}

} // namespace

class TestDesignReport : public QObject {
    Q_OBJECT

private slots:
    void designSection() {
        const Report report = reportOf(designed("40"));
        const ReportBlock *design = block(report, QStringLiteral("Design"));
        QVERIFY(design != nullptr);
        const qsizetype at = design - report.blocks.constData();
        QVERIFY(at > 0);
        QCOMPARE(report.blocks[at - 1].heading, QStringLiteral("Inputs"));
        QCOMPARE(design->lines.size(), 3); // as designed: no word of an edit
        QVERIFY(design->lines[0].text.contains(QStringLiteral("designed automatically")));
        QCOMPARE(design->lines[1].text,
                 QStringLiteral("Designed layout: 2 × 2 conductors, evenly spaced; no rods"));
        QCOMPARE(design->lines[2].text,
                 QStringLiteral("Designed cost: 120 by the prices below; solves: 7"));
        const ReportBlock *family = block(report, QStringLiteral("Family searched and prices"));
        QVERIFY(family != nullptr);
        QCOMPARE(pair(*family, QStringLiteral("Conductors across x")),
                 QStringLiteral("from 2 to 5"));
        QCOMPARE(pair(*family, QStringLiteral("Conductors across y")),
                 QStringLiteral("from 2 to 4"));
        QCOMPARE(pair(*family, QStringLiteral("Rods on the perimeter")),
                 QStringLiteral("none, or 4, 8 of 2 m"));
        QCOMPARE(pair(*family, QStringLiteral("Conductor per m, trench included")),
                 QStringLiteral("3"));
        QCOMPARE(pair(*family, QStringLiteral("Rod per m")), QStringLiteral("5"));
        QCOMPARE(pair(*family, QStringLiteral("Surface layer per m²")),
                 QStringLiteral("not priced"));
        QCOMPARE(pair(*family, QStringLiteral("Layouts in the family")), QStringLiteral("96"));

        const ReportBlock *runnerUps = block(report, QStringLiteral("Runner-up layouts"));
        QVERIFY(runnerUps != nullptr);
        QCOMPARE(runnerUps->rows.size(), 2);
        const QStringList first = runnerUps->rows[0];
        QCOMPARE(first.size(), runnerUps->header.size());
        QCOMPARE(first[0], QStringLiteral("162.5"));
        QVERIFY2(first[1].startsWith(QStringLiteral("3 × 2 conductors")), qPrintable(first[1]));
        QVERIFY2(first[1].contains(QStringLiteral("4 rods of 2 m")), qPrintable(first[1]));
        // Margins in per cent of the tolerable voltage; none where no limit was set.
        QCOMPARE(first[2], QStringLiteral("25"));
        QCOMPARE(first[3], QStringLiteral("-"));
        const QStringList second = runnerUps->rows[1];
        QCOMPARE(second[2], QStringLiteral("-50"));
        QCOMPARE(second[3], QStringLiteral("75"));
        QVERIFY(second[1].contains(QStringLiteral("closer toward the edges")));
        QVERIFY(first[4] != second[4]); // passing beside failing
        // The copied text says it too.
        QVERIFY(report.toText().contains(QStringLiteral("Runner-up layouts")));
    }

    void editedSince() {
        const Report report = reportOf(designed("30"));
        const ReportBlock *design = block(report, QStringLiteral("Design"));
        QVERIFY(design != nullptr);
        QCOMPARE(design->lines.size(), 4);
        QVERIFY(design->lines[3].tone == ReportLine::Tone::Caution);
        // 10 m more than recorded at 3 a metre on the designed 120.
        QVERIFY2(design->lines[3].text.contains(QStringLiteral("cost 150 ")),
                 qPrintable(design->lines[3].text));
    }

    void notDesigned() {
        QJsonObject o = QJsonDocument::fromJson(designed("40")).object();
        o.remove(QStringLiteral("designed"));
        const Report report = reportOf(QJsonDocument(o).toJson());
        QVERIFY(block(report, QStringLiteral("Inputs")) != nullptr);
        QVERIFY(block(report, QStringLiteral("Design")) == nullptr);
        QVERIFY(block(report, QStringLiteral("Family searched and prices")) == nullptr);
        QVERIFY(block(report, QStringLiteral("Runner-up layouts")) == nullptr);
    }
};

QTEST_GUILESS_MAIN(TestDesignReport)
#include "tst_designreport.moc"
