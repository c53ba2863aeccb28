// A sweep of one parameter of a study, every value a full evaluation: over the current the
// resistance stays and the rise and every voltage scale with it; more conductors lower
// the resistance, and a value's point is the study edited by hand and evaluated; a value
// the document refuses stays in its place with the path it is refused at; a parameter
// the study has nothing of, or no parameter at all, is known before any solve.
#include "document/StudySweep.h"
#include "document/SystemStudy.h"
#include "tests/support/ReadDocument.h"

#include <QtTest>

#include <cmath>

using namespace tav;

namespace {

// A 10 m grid in uniform soil, judged for 0.5 s and 70 kg: a few tens of segments.
QByteArray study(const QByteArray &more = {}) {
    return R"({"soil": {"rho": 100}, "current": 1000, "segment_length": 2,
        "grids": [{"size": [10, 10], "conductors": [3, 3], "depth": 0.5, "diameter": 0.01}],
        "safety": {"duration": 0.5, "body": 70)" +
           more + "}}";
}

StudySweepResult swept(const QByteArray &json, const char *path, sweep::SweepRange range) {
    const SweepParameter *parameter = StudySweep::parameter(QLatin1String(path));
    if (parameter == nullptr)
        qFatal("no parameter %s", path);
    const Refusable<StudySweepResult> r =
        StudySweep::run(readSoundDocument(json), *parameter, range);
    if (r.refused())
        qFatal("refused: %d", int(r.refusal().error));
    return r.result();
}

bool near(double a, double b, double tolerance = 1e-9) {
    return std::abs(a - b) <= tolerance * std::abs(b);
}

} // namespace

class TestStudySweep : public QObject {
    Q_OBJECT

private slots:
    // The field is linear in the current: R stays, the GPR and the voltages scale by the
    // current's ratio, the tolerable ones (of the criteria alone) stay, and the margin is
    // what is left of the tolerable voltage.
    void currentScalesTheVoltages() {
        const StudySweepResult r = swept(study(), "current", {500, 2000, 500});
        QCOMPARE(r.points.size(), std::size_t(4));
        const sweep::SweepPoint &first = r.points.front();
        QVERIFY(first.touch && first.touchTolerable && first.stepTolerable && first.verdict);
        for (const sweep::SweepPoint &p : r.points) {
            QVERIFY(!p.refused);
            const double ratio = p.value / first.value;
            QVERIFY(near(p.resistance, first.resistance));
            QVERIFY(near(p.gpr / first.gpr, ratio));
            QVERIFY(near(p.gpr, p.resistance * p.value));
            QVERIFY(near(*p.touch / *first.touch, ratio));
            QVERIFY(near(p.step / first.step, ratio));
            QCOMPARE(*p.touchTolerable, *first.touchTolerable);
            QCOMPARE(*p.touchMargin(), *p.touchTolerable - *p.touch);
        }
        // A quadruple current takes the touch past its limit when the least was within it.
        QCOMPARE(*r.points.front().verdict,
                 *first.touch < *first.touchTolerable ? Verdict::Safe : Verdict::NotSafe);
        QCOMPARE(*r.points.back().verdict, *r.points.back().touch < *first.touchTolerable &&
                                                   r.points.back().step < *first.stepTolerable
                                               ? Verdict::Safe
                                               : Verdict::NotSafe);
    }

    // More conductors each way lower the resistance; the point of 4 each way is the study
    // with its grid set to 4 by hand, evaluated as tav-calc system evaluates it.
    void conductorsLowerTheResistance() {
        const StudySweepResult r = swept(study(), "grid.conductors", {2, 5, 1});
        QCOMPARE(r.points.size(), std::size_t(4));
        for (std::size_t k = 1; k < r.points.size(); ++k)
            QVERIFY(r.points[k].resistance < r.points[k - 1].resistance);
        SystemDocument byHand = readSoundDocument(study());
        byHand.grids[0].grid.countX = byHand.grids[0].grid.countY = 4;
        const Refusable<SystemEvaluation> e = SystemStudy::evaluate(byHand);
        QVERIFY(!e.refused() && e.result().safety && e.result().safety->touch);
        const sweep::SweepPoint &four = r.points[2];
        QCOMPARE(four.value, 4.0);
        QVERIFY(near(four.resistance, e.result().result->resistance, 1e-12));
        QVERIFY(near(*four.touch, e.result().safety->touch->voltage, 1e-12));
        QVERIFY(near(*four.touchTolerable, e.result().safety->touch->tolerable, 1e-12));
        QVERIFY(near(four.step, e.result().safety->step.voltage, 1e-12));
        QCOMPARE(*four.verdict, e.result().safety->overall);
    }

    // A value the document refuses is a refused point at its path, the others solved.
    void refusedValueKept_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("path");
        QTest::addColumn<double>("from");
        QTest::addColumn<DocumentError::Kind>("kind");
        QTest::addColumn<QString>("at");
        QTest::newRow("no conductor")
            << study() << "grid.conductors_x" << 0.0 << DocumentError::Kind::CountOutOfRange
            << "grids[0].conductors[0]";
        QTest::newRow("no depth") << study() << "grid.depth" << 0.0 << DocumentError::Kind::Refused
                                  << "";
        QTest::newRow("no soil") << study() << "soil.scale" << 0.0 << DocumentError::Kind::Refused
                                 << "";
        QTest::newRow("thin layer")
            << study(R"(, "surface": {"rho": 2500, "thickness": 0.1})")
            << "safety.surface.thickness" << 0.0 << DocumentError::Kind::NotPositive
            << "safety.surface.thickness";
    }
    void refusedValueKept() {
        QFETCH(QByteArray, json);
        QFETCH(QString, path);
        QFETCH(double, from);
        QFETCH(DocumentError::Kind, kind);
        QFETCH(QString, at);
        const StudySweepResult r = swept(json, qPrintable(path), {from, from + 1, 1});
        QCOMPARE(r.points.size(), std::size_t(2));
        QVERIFY(r.points[0].refused);
        QCOMPARE(r.reasons[0].kind, kind);
        QCOMPARE(r.reasons[0].path, at);
        QVERIFY(!r.points[1].refused);
        QCOMPARE(r.reasons[1].kind, DocumentError::Kind::None);
        QVERIFY(r.points[1].resistance > 0);
    }

    // What the study has nothing of is known before any solve; so is a name no parameter
    // has.
    void varies_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("varies");
        QTest::newRow("grid") << study() << "grid.conductors_y" << true;
        QTest::newRow("no rods") << study() << "rods.count" << false;
        QTest::newRow("no surface") << study() << "safety.surface.rho" << false;
        QTest::newRow("rods at points") << QByteArray(R"({"soil": {"rho": 100}, "current": 10,
                 "rods": [{"at": [[0, 0]], "top": 0.5, "length": 3, "diameter": 0.016}]})")
                                        << "rods.length" << true;
        QTest::newRow("no grid") << QByteArray(R"({"soil": {"rho": 100}, "current": 10,
                 "rods": [{"at": [[0, 0]], "top": 0.5, "length": 3, "diameter": 0.016}]})")
                                 << "grid.depth" << false;
    }
    void varies() {
        QFETCH(QByteArray, json);
        QFETCH(QString, path);
        QFETCH(bool, varies);
        const SweepParameter *parameter = StudySweep::parameter(path);
        QVERIFY(parameter != nullptr);
        QCOMPARE(StudySweep::varies(readSoundDocument(json), *parameter), varies);
        QVERIFY(StudySweep::parameter(QStringLiteral("grid.conductor_x")) == nullptr);
    }
};

QTEST_GUILESS_MAIN(TestStudySweep)
#include "tst_studysweep.moc"
