// The report of a study of cases: the governing case's report, with a table of the cases
// and the verdict over all of them naming the governing case, and each case's places in
// place of the governing case's alone.
#include "document/CaseStudy.h"
#include "report/PlaceTable.h"
#include "report/SystemReport.h"
#include "tests/support/ReadDocument.h"
#include "tests/support/ShippedTexts.h"
#include "tests/support/ShippedWording.h"
#include "text/StringIds.h"

#include <QtTest>

using namespace tav;

class TestCasesReport : public QObject {
    Q_OBJECT

private slots:
    void casesAndTheirPlaces() {
        const SystemDocument d = readSoundDocument(
            R"({"soil": {"rho": 100}, "current": 1000, "segment_length": 2,
            "grids": [{"size": [10, 10], "conductors": [3, 3], "depth": 0.5, "diameter": 0.01}],
            "safety": {"duration": 0.5, "body": 70},
            "cases": [{"name": "Wet"}, {"name": "Dry", "soil_scale": [4]}]})");
        const Refusable<StudyEvaluation> study = CaseStudy::evaluate(d);
        QVERIFY(!study.refused());
        const StudyEvaluation &s = study.result();
        const Report report = SystemReport::report(s, StudyHeader(), shippedTexts());
        const QString placesHeading =
            PlaceTable::block(*s.cases[0].evaluation.result, s.cases[0].evaluation.safety,
                              shippedTexts())
                .heading;
        QStringList headings;
        const ReportBlock *cases = nullptr;
        for (const ReportBlock &block : report.blocks) {
            headings.append(block.heading);
            if (block.heading == QLatin1String("Cases"))
                cases = &block;
        }
        QVERIFY(!headings.contains(placesHeading));
        QVERIFY(headings.contains(QStringLiteral("Places, case Wet")));
        QVERIFY(headings.contains(QStringLiteral("Places, case Dry")));
        QVERIFY(cases != nullptr);
        QCOMPARE(cases->rows.size(), 2);
        QCOMPARE(cases->rows[0].first(), QStringLiteral("Wet"));
        QCOMPARE(cases->rows[1].first(), QStringLiteral("Dry"));
        QCOMPARE(cases->rows[0].size(), cases->header.size());
        QCOMPARE(cases->lines.size(), 1);
        QVERIFY(cases->lines[0].text.endsWith(QStringLiteral(": Dry")));
        QVERIFY(cases->lines[0].tone == ReportLine::Tone::Fail);
        // The table before the places, after the governing case's summary.
        QVERIFY(headings.indexOf(QStringLiteral("Cases")) <
                headings.indexOf(QStringLiteral("Places, case Wet")));
    }

    // The governing case's maps alone, or on request every case's, each under its name.
    void allMapsOnRequest() {
        const SystemDocument d = readSoundDocument(
            R"({"soil": {"rho": 100}, "current": 1000, "segment_length": 5,
            "grids": [{"size": [10, 10], "conductors": [2, 2], "depth": 0.5, "diameter": 0.01}],
            "search": {"step": 2, "margin": 2}, "safety": {"duration": 0.5, "body": 70},
            "cases": [{"name": "Wet"}, {"name": "Dry", "soil_scale": [4]}]})");
        const Refusable<StudyEvaluation> study = CaseStudy::evaluate(d);
        QVERIFY(!study.refused());
        const QStringList maps{shippedText(StringId::SystemReport::kMapPotential),
                               shippedText(StringId::SystemReport::kMapTouch),
                               shippedText(StringId::SystemReport::kMapStep)};
        const auto headings = [&](bool all) {
            SystemReport::Options options;
            options.allMaps = all;
            QStringList found;
            for (const ReportBlock &block :
                 SystemReport::report(study.result(), StudyHeader(), shippedTexts(), options)
                     .blocks)
                if (block.picture)
                    found.append(block.heading);
            return found;
        };
        const QStringList governing = headings(false);
        for (const QString &map : maps)
            QCOMPARE(governing.count(map), 1);
        const QStringList all = headings(true);
        QCOMPARE(all.size(), governing.size() + maps.size());
        for (const QString &name : {QStringLiteral("Wet"), QStringLiteral("Dry")})
            for (const QString &map : maps) {
                QVERIFY(!all.contains(map));
                QCOMPARE(all.count(QStringLiteral("Case %1: %2").arg(name, map)), 1);
            }
        // In the cases' order, where the governing case's maps stood.
        QCOMPARE(all.indexOf(QStringLiteral("Case Wet: ") + maps[0]), governing.indexOf(maps[0]));
    }
};

QTEST_APPLESS_MAIN(TestCasesReport)
#include "tst_casesreport.moc"
