// What a case varies besides its soil and current: its decrement factor (with the study's
// current_basis or network), its surface layer (or none) and its criteria; read strictly at
// their paths, written back, applied. A case differing only by these reuses its soil's
// solve unless the surface layer's area splits the search differently, and is judged by its
// own limits, which IEEE Std 80's equations give here independently.
#include "document/CaseStudy.h"
#include "document/DocumentWording.h"
#include "document/StudyCases.h"
#include "document/SystemDocument.h"
#include "tests/support/ReadDocument.h"
#include "tests/support/ShippedWording.h"

#include <QtTest>

#include <cmath>

using namespace tav;
using namespace tav::earthing;

namespace {

using Kind = DocumentError::Kind;

// A 10 m grid in 100 ohm m soil for 0.5 s and 70 kg; current: the document's current keys,
// safety: what goes in its safety after duration and body.
QByteArray study(const QByteArray &current, const QByteArray &safety, const QByteArray &cases) {
    return R"({"soil": {"rho": 100}, )" + current + R"(, "segment_length": 2,
        "grids": [{"size": [10, 10], "conductors": [3, 3], "depth": 0.5, "diameter": 0.01}],
        "touch_points": [{"at": [12, 5], "group": 0}, {"at": [5, 5], "group": 0}],
        "search": {"step": 1, "margin": 3},
        "safety": {"duration": 0.5, "body": 70)" +
           safety + R"(}, "cases": )" + cases + "}";
}

// I_G = 2000 A x Df 1 x Sf 0.5.
const QByteArray kBasis =
    R"("current": 1000, "current_basis": {"fault_current": 2000, "decrement": 1, "split": 0.5})";
const QByteArray kBare = R"("current": 1000)";
const QByteArray kNetwork = R"("network": {"frequency": 50, "local_current": 1500,
    "lines": [{"name": "Line", "current": 2500, "spans": 10, "span": 300, "tower_resistance": 10,
               "remote_resistance": 0.5,
               "earth_wires": [{"resistance": 0.4, "gmr": 0.004, "height": 30, "offset": 0}],
               "phase": {"height": 22, "offset": 4}}]})";

StudyEvaluation evaluated(const QByteArray &json) {
    const Refusable<StudyEvaluation> e = CaseStudy::evaluate(readSoundDocument(json));
    if (e.refused())
        qFatal("refused: %d", int(e.refusal().error));
    return e.result();
}

double relative(double a, double b) {
    return std::abs(a - b) / std::abs(b);
}

// IEEE Std 80-2013 for 70 kg: Eq. 27's Cs, and Eqs. 30 and 32 (Cs 1 and the soil's
// resistivity where no layer lies, Eqs. 29 and 32's bare-soil reading).
struct Limits {
    double touch;
    double step;
};
Limits ieee80(double rhoSoil, double rhoLayer, double thickness, double seconds) {
    const double cs =
        rhoLayer == rhoSoil ? 1 : 1 - 0.09 * (1 - rhoSoil / rhoLayer) / (2 * thickness + 0.09);
    const double k = 0.157 / std::sqrt(seconds);
    return {(1000 + 1.5 * cs * rhoLayer) * k, (1000 + 6 * cs * rhoLayer) * k};
}

} // namespace

class TestCaseKeys : public QObject {
    Q_OBJECT

private slots:
    void refusedAtItsPath_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("path");
        const auto one = [](const QByteArray &current, const QByteArray &c) {
            return study(current, {}, "[{\"name\": \"a\", " + c + "}]");
        };
        QTest::newRow("Df beside a bare current")
            << one(kBare, R"("decrement": 1.2)") << Kind::DecrementWithoutBasis
            << "cases[0].decrement";
        QTest::newRow("Df beside the case's current")
            << one(kBasis, R"("current": 900, "decrement": 1.2)") << Kind::DecrementBesideCurrent
            << "cases[0].decrement";
        QTest::newRow("Df below 1")
            << one(kBasis, R"("decrement": 0.9)") << Kind::Refused << "cases[0].decrement";
        QTest::newRow("network's Df below 1")
            << one(kNetwork, R"("decrement": 0.5)") << Kind::Refused << "cases[0].decrement";
        QTest::newRow("Df not a number")
            << one(kBasis, R"("decrement": "1.2")") << Kind::NotANumber << "cases[0].decrement";
        QTest::newRow("layer's rho") << one(kBare, R"("surface": {"rho": 0, "thickness": 0.1})")
                                     << Kind::NotPositive << "cases[0].surface.rho";
        QTest::newRow("layer's thickness") << one(kBare, R"("surface": {"rho": 3000})")
                                           << Kind::MissingKey << "cases[0].surface.thickness";
        QTest::newRow("layer's area")
            << one(kBare, R"("surface": {"rho": 3000, "thickness": 0.1, "area": []})")
            << Kind::UnknownKey << "cases[0].surface.area";
        QTest::newRow("layer not an object")
            << one(kBare, R"("surface": 3000)") << Kind::NotAnObject << "cases[0].surface";
        QTest::newRow("criteria unknown")
            << one(kBare, R"("criteria": "vde")") << Kind::UnknownCriteria << "cases[0].criteria";
        QTest::newRow("criteria not text")
            << one(kBare, R"("criteria": 80)") << Kind::NotText << "cases[0].criteria";
        QTest::newRow("footwear negative")
            << one(kBare, R"("footwear": -1)") << Kind::Negative << "cases[0].footwear";
        // What only the study's criteria give, a case cannot vary without them.
        for (const char *given :
             {R"("surface": null)", R"("criteria": "ieee80")", R"("footwear": 100)"})
            QTest::newRow(given) << QByteArray(R"({"soil": {"rho": 100}, "current": 10,
                "cases": [{"name": "a", )" + QByteArray(given) +
                                               "}]}")
                                 << Kind::MissingKey << "safety";
    }
    void refusedAtItsPath() {
        QFETCH(QByteArray, json);
        QFETCH(Kind, kind);
        QFETCH(QString, path);
        DocumentError error;
        SystemDocument::fromJson(json, error);
        QCOMPARE(error.kind, kind);
        QCOMPARE(error.path, path);
        // Said in words, at its path.
        const QString words = DocumentWording::error(error, &shippedText);
        QVERIFY2(words.startsWith(path) && !words.contains(QLatin1String("%")), qPrintable(words));
        if (kind == Kind::Refused)
            QVERIFY(error.refusal && error.refusal->error == Error::BelowOne);
    }

    void writtenBackAndApplied() {
        const SystemDocument d =
            readSoundDocument(study(kBasis, R"(, "surface": {"rho": 3000, "thickness": 0.1})",
                                    R"([{"name": "Wet", "surface": null, "decrement": 1.25},
                {"name": "Europe", "surface": {"rho": 2000, "thickness": 0.15},
                 "criteria": "en50522", "footwear": 500}])"));
        const SystemDocument again = readSoundDocument(d.toJson());
        QCOMPARE(again.cases.size(), std::size_t(2));
        const StudyCase &wet = again.cases[0];
        const StudyCase &europe = again.cases[1];
        QCOMPARE(*wet.decrement, 1.25);
        QVERIFY(wet.surfaceGiven && !wet.surface);
        QVERIFY(!wet.criteria && !wet.footwear);
        QVERIFY(europe.surfaceGiven && europe.surface);
        QCOMPARE(europe.surface->resistivity, 2000.0);
        QCOMPARE(europe.surface->thickness, 0.15);
        QVERIFY(*europe.criteria == Criteria::En50522);
        QCOMPARE(*europe.footwear, 500.0);
        QVERIFY(!europe.decrement);
        // The basis's current with the case's Df: 2000 A x 1.25 x 0.5.
        const SystemDocument seenWet = StudyCases::applied(again, wet);
        QCOMPARE(seenWet.current, 1250.0);
        QCOMPARE(seenWet.currentBasis->decrement, 1.25);
        QVERIFY(!seenWet.safety->surface);
        QVERIFY(seenWet.input().surfaceZone.empty());
        const SystemDocument seenEurope = StudyCases::applied(again, europe);
        QCOMPARE(seenEurope.current, 1000.0);
        QCOMPARE(seenEurope.safety->surface->resistivity, 2000.0);
        QVERIFY(seenEurope.safety->criteria == Criteria::En50522);
        QCOMPARE(seenEurope.safety->footwear, 500.0);
        // The study's own criteria stay where a case leaves them.
        QCOMPARE(again.safety->surface->resistivity, 3000.0);
    }

    // The field is linear in the current into the earth: a case of another Df is the
    // other's times Df2 / Df1 everywhere, without a solve of its own.
    void decrementAloneScales_data() {
        QTest::addColumn<QByteArray>("current");
        QTest::newRow("current_basis") << kBasis;
        QTest::newRow("network") << kNetwork;
    }
    void decrementAloneScales() {
        QFETCH(QByteArray, current);
        const StudyEvaluation s = evaluated(
            study(current, {}, R"([{"name": "Fast"}, {"name": "Slow", "decrement": 1.3}])"));
        QCOMPARE(s.solves, 1);
        const SystemEvaluation &fast = s.cases[0].evaluation;
        const SystemEvaluation &slow = s.cases[1].evaluation;
        QVERIFY(relative(slow.result->groups[0].current, 1.3 * fast.result->groups[0].current) <
                1e-12);
        QVERIFY(relative(slow.result->gpr, 1.3 * fast.result->gpr) < 1e-12);
        QVERIFY(relative(slow.result->touchMax->voltage, 1.3 * fast.result->touchMax->voltage) <
                1e-12);
        QVERIFY(relative(slow.result->stepMax.voltage, 1.3 * fast.result->stepMax.voltage) < 1e-12);
        for (std::size_t k = 0; k < slow.safety->points.size(); ++k)
            QVERIFY(relative(slow.safety->points[k].voltage, 1.3 * fast.safety->points[k].voltage) <
                    1e-12);
        QCOMPARE(slow.result->resistance, fast.result->resistance);
        if (current == kBasis) {
            QCOMPARE(slow.result->groups[0].current, 2000 * 1.3 * 0.5);
            return;
        }
        // The network shares out the same I_E for the same Z_E; the study takes Df |I_E|.
        QCOMPARE(slow.decrement, 1.3);
        QCOMPARE(fast.decrement, 1.0);
        QVERIFY(slow.network && fast.network);
        QCOMPARE(slow.network->earthCurrent, fast.network->earthCurrent);
        QVERIFY(relative(slow.result->groups[0].current,
                         1.3 * std::abs(fast.network->earthCurrent)) < 1e-12);
        // A study of the slow case alone solves it to the same figures.
        const Refusable<SystemEvaluation> alone = SystemStudy::evaluate(s.cases[1].document);
        QVERIFY(!alone.refused());
        QVERIFY(relative(alone.result().result->gpr, slow.result->gpr) < 1e-9);
        QVERIFY(relative(alone.result().result->stepMax.voltage, slow.result->stepMax.voltage) <
                1e-9);
    }

    // The study's crushed rock (3000 ohm m, 0.1 m), everywhere or in an area; the wet case's
    // without it, or thinner. Each place is judged by the limits of where it stands: the
    // bare soil's (Cs 1, rho_s the soil's) off the layer.
    void surfaceOfTheCase_data() {
        QTest::addColumn<QByteArray>("area");
        QTest::addColumn<QByteArray>("wet");
        QTest::addColumn<int>("solves");
        QTest::addColumn<double>("thickness"); // the wet case's layer; 0: none
        const QByteArray part = R"(, "area": [[-5, -5], [6, -5], [6, 15], [-5, 15]])";
        QTest::newRow("none, rock everywhere") << QByteArray() << QByteArray("null") << 1 << 0.0;
        // Without the layer the search's places are no longer split by its area.
        QTest::newRow("none, rock in an area") << part << QByteArray("null") << 2 << 0.0;
        QTest::newRow("thinner, rock in an area")
            << part << QByteArray(R"({"rho": 3000, "thickness": 0.05})") << 1 << 0.05;
    }
    void surfaceOfTheCase() {
        QFETCH(QByteArray, area);
        QFETCH(QByteArray, wet);
        QFETCH(int, solves);
        QFETCH(double, thickness);
        const StudyEvaluation s =
            evaluated(study(kBare, R"(, "surface": {"rho": 3000, "thickness": 0.1)" + area + "}",
                            R"([{"name": "Dry"}, {"name": "Wet", "surface": )" + wet + "}]"));
        QCOMPARE(s.solves, solves);
        const SystemSafety &judged = *s.cases[1].evaluation.safety;
        const Limits bare = ieee80(100, 100, 0, 0.5);
        const Limits layer = thickness > 0 ? ieee80(100, 3000, thickness, 0.5) : bare;
        QVERIFY(relative(judged.offLayer.touch, bare.touch) < 1e-12);
        QVERIFY(relative(judged.offLayer.step, bare.step) < 1e-12);
        QVERIFY(relative(judged.onLayer.touch, layer.touch) < 1e-12);
        QVERIFY(relative(judged.onLayer.step, layer.step) < 1e-12);
        std::vector<JudgedVoltage> touches = judged.points;
        touches.insert(touches.end(), judged.areas.begin(), judged.areas.end());
        for (const JudgedVoltage &p : touches)
            QCOMPARE(p.tolerable, p.onLayer ? layer.touch : bare.touch);
        for (const JudgedVoltage &p : judged.steps)
            QCOMPARE(p.tolerable, p.onLayer ? layer.step : bare.step);
        // Without a layer nobody stands on one; with it in an area, both sides are searched.
        QCOMPARE(judged.surfaceLayer, thickness > 0);
        if (!area.isEmpty() && thickness > 0)
            QCOMPARE(judged.steps.size(), std::size_t(2));
        // The places and verdicts a solve of the wet case alone gives.
        const Refusable<SystemEvaluation> alone = SystemStudy::evaluate(s.cases[1].document);
        QVERIFY(!alone.refused());
        const SystemSafety &own = *alone.result().safety;
        QCOMPARE(own.steps.size(), judged.steps.size());
        QCOMPARE(own.areas.size(), judged.areas.size());
        for (std::size_t k = 0; k < own.areas.size(); ++k) {
            QCOMPARE(own.areas[k].onLayer, judged.areas[k].onLayer);
            QVERIFY(relative(own.areas[k].voltage, judged.areas[k].voltage) < 1e-9);
        }
        for (std::size_t k = 0; k < own.steps.size(); ++k)
            QCOMPARE(own.steps[k].onLayer, judged.steps[k].onLayer);
        QCOMPARE(own.overall, judged.overall);
    }
};

QTEST_GUILESS_MAIN(TestCaseKeys)
#include "tst_casekeys.moc"
