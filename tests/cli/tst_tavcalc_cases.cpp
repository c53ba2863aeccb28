// tav-calc system with the document's cases: a study of one case that changes nothing
// writes what the study without cases writes, the cases and the envelope added after;
// two soils name the governing case and each place's worst; a case refused at its path.
#include "tests/support/TavCalcRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include <cmath>

namespace {

using Run = TavCalcRun;

Run tavCalc(const QByteArray &input, const QString &format) {
    return runTavCalc({QStringLiteral("system"), QStringLiteral("--input"), QStringLiteral("-"),
                       QStringLiteral("--format"), format},
                      input);
}

QByteArray study(const QByteArray &cases) {
    return R"({"soil": {"rho": 100}, "current": 1000, "segment_length": 2,
        "grids": [{"size": [10, 10], "conductors": [3, 3], "depth": 0.5, "diameter": 0.01}],
        "touch_points": [{"name": "gate", "at": [12, 5], "group": 0}],
        "safety": {"duration": 0.5, "body": 70})" +
           (cases.isEmpty() ? QByteArray() : ", \"cases\": " + cases) + "}";
}

QJsonObject parsed(const Run &run) {
    QJsonParseError parse;
    const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8(), &parse).object();
    if (parse.error != QJsonParseError::NoError)
        qFatal("not JSON: %s", qPrintable(run.out + run.err));
    return o;
}

double voltage(const QJsonValue &place) {
    return place.toObject().value(QStringLiteral("voltage")).toDouble();
}

} // namespace

class TestTavCalcCases : public QObject {
    Q_OBJECT

private slots:
    void oneCaseAsBefore() {
        const Run plain = tavCalc(study({}), QStringLiteral("json"));
        const Run one = tavCalc(study(R"([{"name": "Only"}])"), QStringLiteral("json"));
        QCOMPARE(one.status, plain.status);
        QVERIFY(!parsed(plain).contains(QStringLiteral("cases")));
        // Every member the study without cases writes, to the digit, then the cases'.
        const QString before = plain.out.left(plain.out.lastIndexOf(QLatin1Char('}')));
        QVERIFY(one.out.startsWith(before));
        const QJsonObject o = parsed(one);
        QCOMPARE(o.value(QStringLiteral("solves")).toInt(), 1);
        QCOMPARE(o.value(QStringLiteral("governing_case")).toString(), QStringLiteral("Only"));
    }

    // In uniform soil four times as resistive every voltage is four times as high, and
    // the tolerable ones grow less: the dry case is every place's worst.
    void envelopeOfTwoSoils() {
        const Run run = tavCalc(study(R"([{"name": "Wet"}, {"name": "Dry", "soil_scale": [4]},
            {"name": "More current", "current": 1200}])"),
                                QStringLiteral("json"));
        const QJsonObject o = parsed(run);
        QCOMPARE(o.value(QStringLiteral("solves")).toInt(), 2);
        QCOMPARE(o.value(QStringLiteral("governing_case")).toString(), QStringLiteral("Dry"));
        const QJsonArray cases = o.value(QStringLiteral("cases")).toArray();
        QCOMPARE(cases.size(), 3);
        const QJsonObject wet = cases[0].toObject();
        const QJsonObject dry = cases[1].toObject();
        QCOMPARE(cases[2].toObject().value(QStringLiteral("solve")).toInt(), 0);
        const double wetTouch = voltage(wet.value(QStringLiteral("touch")));
        QVERIFY(std::abs(voltage(dry.value(QStringLiteral("touch"))) / wetTouch - 4) < 1e-9);
        const QJsonObject envelope = o.value(QStringLiteral("envelope")).toObject();
        const QJsonObject gate =
            envelope.value(QStringLiteral("touch_points")).toArray()[0].toObject();
        QCOMPARE(gate.value(QStringLiteral("case")).toString(), QStringLiteral("Dry"));
        QCOMPARE(envelope.value(QStringLiteral("safe")), QJsonValue(false));
        // The result written in full is the governing case's.
        QCOMPARE(o.value(QStringLiteral("resistance")).toDouble(),
                 dry.value(QStringLiteral("resistance")).toDouble());
        const Run text = tavCalc(study(R"([{"name": "Wet"}, {"name": "Dry", "soil_scale": [4]}])"),
                                 QStringLiteral("text"));
        QCOMPARE(text.status, run.status);
        QVERIFY(text.out.contains(QStringLiteral("case Dry")));
    }

    void refusedAtItsPath() {
        const Run run = tavCalc(study(R"([{"name": "a"}, {"name": "a"}])"), QStringLiteral("json"));
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(QStringLiteral("cases[1].name")), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTavCalcCases)
#include "tst_tavcalc_cases.moc"
