// tav-calc system with the document's cases: a study of one case that changes nothing
// writes what the study without cases writes, the cases and the envelope added after;
// two soils name the governing case and each place's worst; a case refused at its path.
#include "tests/support/TavCalcRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

using Run = TavCalcRun;

Run tavCalc(const QByteArray &input, const QString &format, const QStringList &more = {}) {
    return runTavCalc(QStringList{QStringLiteral("system"), QStringLiteral("--input"),
                                  QStringLiteral("-"), QStringLiteral("--format"), format} +
                          more,
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

int pdfPages(const QString &pdf) {
    QProcess info;
    info.start(QStandardPaths::findExecutable(QStringLiteral("pdfinfo")), {pdf});
    info.waitForFinished(30000);
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    const qsizetype at = text.indexOf(QStringLiteral("Pages:"));
    return at < 0 ? -1 : text.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
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

    void refusedAtItsPath_data() {
        QTest::addColumn<QByteArray>("cases");
        QTest::addColumn<QString>("path");
        QTest::newRow("name twice")
            << QByteArray(R"([{"name": "a"}, {"name": "a"}])") << QStringLiteral("cases[1].name");
        // The study's current is the current into the earth: no Df to apply.
        QTest::newRow("Df of a bare current")
            << QByteArray(R"([{"name": "a"}, {"name": "b", "decrement": 1.2}])")
            << QStringLiteral("cases[1].decrement");
    }
    void refusedAtItsPath() {
        QFETCH(QByteArray, cases);
        QFETCH(QString, path);
        const Run run = tavCalc(study(cases), QStringLiteral("json"));
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(path), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    // The crushed rock waterlogged in the wet case, which governs: its step stands on the
    // bare soil, the dry case's on the rock, and the envelope says which is which.
    void stepSidesOfACaseWithoutTheLayer() {
        QByteArray json = study(R"([{"name": "Dry"}, {"name": "Wet", "surface": null}])");
        json.replace(R"("body": 70})",
                     R"("body": 70, "surface": {"rho": 3000, "thickness": 0.1}})");
        const Run run = tavCalc(json, QStringLiteral("text"));
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains(QStringLiteral("Governing case: Wet")), qPrintable(run.out));
        const QString envelope = run.out.mid(run.out.lastIndexOf(QStringLiteral("Envelope")));
        QVERIFY2(envelope.contains(QRegularExpression(
                     QStringLiteral("Step on the surface layer: [^\n]*case Dry"))),
                 qPrintable(envelope));
        QVERIFY(envelope.contains(
            QRegularExpression(QStringLiteral("Step off the surface layer: [^\n]*case Wet"))));
    }

    // Every case's maps on request: three more pictures for the second case, more pages.
    void allMaps() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray cases = study(R"([{"name": "Wet"}, {"name": "Dry", "soil_scale": [4]}])");
        const QString governing = dir.filePath(QStringLiteral("governing.pdf"));
        const QString all = dir.filePath(QStringLiteral("all.pdf"));
        QCOMPARE(
            tavCalc(cases, QStringLiteral("text"), {QStringLiteral("--pdf"), governing}).status, 0);
        QCOMPARE(tavCalc(cases, QStringLiteral("text"),
                         {QStringLiteral("--pdf"), all, QStringLiteral("--all-maps")})
                     .status,
                 0);
        QVERIFY(pdfPages(governing) > 0);
        QVERIFY2(pdfPages(all) > pdfPages(governing), qPrintable(QString::number(pdfPages(all))));
        // A report's option, not the solve's.
        const Run alone = tavCalc(cases, QStringLiteral("text"), {QStringLiteral("--all-maps")});
        QCOMPARE(alone.status, 2);
        QVERIFY(alone.err.contains(QStringLiteral("--pdf")));
    }
};

QTEST_GUILESS_MAIN(TestTavCalcCases)
#include "tst_tavcalc_cases.moc"
