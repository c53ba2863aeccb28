// The cases of a study: read strictly at their paths and written back; evaluated with one
// solve per distinct soil, a case differing only in its current scaled from another's
// solve; the envelope, each place's worst case, named; a study of one case that changes
// nothing answers as the study without cases does.
#include "core/earthing/ScaledResult.h"
#include "document/CaseStudy.h"
#include "document/StudyCases.h"
#include "document/SystemDocument.h"
#include "tests/support/ReadDocument.h"

#include <QtTest>

#include <cmath>

using namespace tav;
using namespace tav::earthing;

namespace {

using Kind = DocumentError::Kind;

// A 10 m grid in uniform soil, judged for 0.5 s and 70 kg.
QByteArray study(const QByteArray &cases) {
    return R"({"soil": {"rho": 100}, "current": 1000, "segment_length": 2,
        "grids": [{"size": [10, 10], "conductors": [3, 3], "depth": 0.5, "diameter": 0.01}],
        "touch_points": [{"at": [12, 5], "group": 0}],
        "safety": {"duration": 0.5, "body": 70})" +
           (cases.isEmpty() ? QByteArray() : ", \"cases\": " + cases) + "}";
}

StudyEvaluation evaluated(const QByteArray &json) {
    const Refusable<StudyEvaluation> e = CaseStudy::evaluate(readSoundDocument(json));
    if (e.refused())
        qFatal("refused: %d", int(e.refusal().error));
    return e.result();
}

double relative(double a, double b) {
    return std::abs(a - b) / std::abs(b);
}

} // namespace

class TestStudyCases : public QObject {
    Q_OBJECT

private slots:
    void refusedAtItsPath_data() {
        QTest::addColumn<QByteArray>("cases");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("path");
        QTest::newRow("none") << QByteArray("[]") << Kind::CaseCount << "cases";
        QTest::newRow("not an array") << QByteArray("{}") << Kind::NotAnArray << "cases";
        QTest::newRow("no name") << QByteArray(R"([{"current": 5}])") << Kind::MissingKey
                                 << "cases[0].name";
        QTest::newRow("blank name")
            << QByteArray(R"([{"name": "  "}])") << Kind::EmptyName << "cases[0].name";
        QTest::newRow("name twice") << QByteArray(R"([{"name": "a"}, {"name": "a"}])")
                                    << Kind::NameTaken << "cases[1].name";
        QTest::newRow("unknown key")
            << QByteArray(R"([{"name": "a", "wet": 1}])") << Kind::UnknownKey << "cases[0].wet";
        QTest::newRow("soil of no shape")
            << QByteArray(R"([{"name": "a", "soil": {"rho": 1, "h": 2}}])") << Kind::SoilShape
            << "cases[0].soil";
        QTest::newRow("soil's layer")
            << QByteArray(
                   R"([{"name": "a", "soil": {"layers": [{"rho": 1, "thickness": 2}, {"rho": -2}]}}])")
            << Kind::NotPositive << "cases[0].soil.layers[1].rho";
        QTest::newRow("scale of more layers")
            << QByteArray(R"([{"name": "a", "soil_scale": [2, 1]}])") << Kind::WrongLength
            << "cases[0].soil_scale";
        QTest::newRow("scale not positive") << QByteArray(R"([{"name": "a", "soil_scale": [0]}])")
                                            << Kind::NotPositive << "cases[0].soil_scale[0]";
        QTest::newRow("current not positive") << QByteArray(R"([{"name": "a", "current": -1}])")
                                              << Kind::NotPositive << "cases[0].current";
        QTest::newRow("duration zero") << QByteArray(R"([{"name": "a", "duration": 0}])")
                                       << Kind::NotPositive << "cases[0].duration";
        QTest::newRow("body") << QByteArray(R"([{"name": "a", "body": 60}])") << Kind::NotBodyWeight
                              << "cases[0].body";
    }
    void refusedAtItsPath() {
        QFETCH(QByteArray, cases);
        QFETCH(Kind, kind);
        QFETCH(QString, path);
        DocumentError error;
        SystemDocument::fromJson(study(cases), error);
        QCOMPARE(error.kind, kind);
        QCOMPARE(error.path, path);
    }

    // Criteria a case varies must be the study's to vary.
    void durationWithoutCriteria() {
        DocumentError error;
        SystemDocument::fromJson(
            R"({"soil": {"rho": 100}, "current": 10, "cases": [{"name": "a", "duration": 1}]})",
            error);
        QCOMPARE(error.kind, Kind::MissingKey);
        QCOMPARE(error.path, QStringLiteral("safety"));
    }

    void writtenBackAsRead() {
        const SystemDocument d = readSoundDocument(study(
            R"([{"name": "Winter", "soil": {"rho1": 50, "rho2": 200, "h": 1.5}},
                {"name": "Summer", "soil_scale": [3], "current": 800, "duration": 0.3,
                 "body": 50}])"));
        QCOMPARE(d.version(), 4);
        const SystemDocument again = readSoundDocument(d.toJson());
        QCOMPARE(again.cases.size(), std::size_t(2));
        const StudyCase &winter = again.cases[0];
        const StudyCase &summer = again.cases[1];
        QCOMPARE(winter.name, QStringLiteral("Winter"));
        QVERIFY(winter.soil && winter.soil->layered);
        QCOMPARE(winter.soil->rho2, 200.0);
        QCOMPARE(winter.soil->h, 1.5);
        QCOMPARE(summer.soilScale, std::vector<double>{3});
        QCOMPARE(*summer.current, 800.0);
        QCOMPARE(*summer.duration, 0.3);
        QVERIFY(*summer.body == BodyWeight::Kg50);
        QVERIFY(!summer.soil);
        // The study's soil, three times as resistive, with the case's current and criteria.
        const SystemDocument seen = StudyCases::applied(again, summer);
        QCOMPARE(seen.soil.rho1, 300.0);
        QCOMPARE(seen.current, 800.0);
        QCOMPARE(seen.safety->faultDuration, 0.3);
        QVERIFY(seen.cases.empty());
    }

    // A study of one case that changes nothing is the study without cases, to the digit.
    void oneCaseAsBefore() {
        const Refusable<SystemEvaluation> plain =
            SystemStudy::evaluate(readSoundDocument(study({})));
        QVERIFY(!plain.refused());
        const StudyEvaluation one = evaluated(study(R"([{"name": "Only"}])"));
        QCOMPARE(one.solves, 1);
        const SystemEvaluation &e = one.governing().evaluation;
        const EarthingResult &a = *plain.result().result;
        QCOMPARE(e.result->resistance, a.resistance);
        QCOMPARE(e.result->gpr, a.gpr);
        QCOMPARE(e.result->touchMax->voltage, a.touchMax->voltage);
        QCOMPARE(e.result->stepMax.voltage, a.stepMax.voltage);
        QCOMPARE(e.safety->overall, plain.result().safety->overall);
        QCOMPARE(one.envelope->areas[0].judged.voltage, plain.result().safety->areas[0].voltage);
        QCOMPARE(one.envelope->points[0].judged.voltage, plain.result().safety->points[0].voltage);
    }

    // Two soils: two solves. In uniform soil every voltage is proportional to the
    // resistivity, so that the drier case's places are the wetter's times the factor; with
    // tolerable voltages growing more slowly than that, the dry case governs every place.
    void envelopeOfTwoSoils() {
        const StudyEvaluation s =
            evaluated(study(R"([{"name": "Wet"}, {"name": "Dry", "soil_scale": [4]}])"));
        QCOMPARE(s.solves, 2);
        const EarthingResult &wet = *s.cases[0].evaluation.result;
        const EarthingResult &dry = *s.cases[1].evaluation.result;
        QVERIFY(relative(dry.gpr, 4 * wet.gpr) < 1e-9);
        QVERIFY(s.envelope);
        QCOMPARE(s.envelope->governing, 1);
        QCOMPARE(s.governing().name, QStringLiteral("Dry"));
        QCOMPARE(s.envelope->points.size(), std::size_t(1));
        for (const EnvelopeEntry &e : s.envelope->areas) {
            QCOMPARE(e.caseIndex, 1);
            QVERIFY(relative(e.judged.voltage, 4 * wet.areas[0].worst().voltage) < 1e-9);
        }
        QCOMPARE(s.envelope->step->caseIndex, 1);
        QVERIFY(relative(s.envelope->step->judged.voltage, 4 * wet.stepMax.voltage) < 1e-9);
    }

    // The same soil under a shorter fault with more current: no second solve, the first's
    // result scaled (as a solve of its own gives it, to rounding); each case judged by its
    // own criteria, the place going to the case nearer its limit.
    void currentAloneCostsNoSolve() {
        const StudyEvaluation s = evaluated(
            study(R"([{"name": "Long"}, {"name": "Short", "current": 1500, "duration": 0.1}])"));
        QCOMPARE(s.solves, 1);
        QCOMPARE(s.cases[1].solve, 0);
        const SystemEvaluation &shortFault = s.cases[1].evaluation;
        const Refusable<SystemEvaluation> alone = SystemStudy::evaluate(StudyCases::applied(
            readSoundDocument(study({})), readSoundDocument(study(R"([{"name": "Short",
                "current": 1500, "duration": 0.1}])"))
                                              .cases[0]));
        QVERIFY(!alone.refused());
        const EarthingResult &a = *alone.result().result;
        QVERIFY(relative(shortFault.result->gpr, a.gpr) < 1e-9);
        QVERIFY(relative(shortFault.result->touchMax->voltage, a.touchMax->voltage) < 1e-9);
        QVERIFY(relative(shortFault.result->stepMax.voltage, a.stepMax.voltage) < 1e-9);
        QVERIFY(relative(shortFault.result->field->potential(3, 4), a.field->potential(3, 4)) <
                1e-9);
        QCOMPARE(shortFault.result->groups[0].current, 1500.0);
        // Share of the limit: the voltage grows by 1.5, the limit by sqrt(0.5 / 0.1) = 2.24.
        const double longShare = s.cases[0].evaluation.safety->points[0].voltage /
                                 s.cases[0].evaluation.safety->points[0].tolerable;
        const double shortShare =
            shortFault.safety->points[0].voltage / shortFault.safety->points[0].tolerable;
        QVERIFY(relative(shortShare, longShare * 1.5 / std::sqrt(5.0)) < 1e-9);
        QCOMPARE(s.envelope->points[0].caseIndex, 0);
        QCOMPARE(s.envelope->governing, 0);
    }
};

QTEST_GUILESS_MAIN(TestStudyCases)
#include "tst_studycases.moc"
