// tav-calc design: a site where the perimeter alone passes is answered by it (exit 0), at
// its perimeter's length by the price; one whose current no copper inside the outline
// carries safely says so (exit 1) with the least failing layout and what limits it; a
// document refused at its path; the best layout's document written by --output, with the
// record of how it was found, which tav-calc system echoes; a stage
// emitted as documents, solved by tav-calc system, collected back to the same answer.
#include "tests/support/TavCalcRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Run = TavCalcRun;

Run tavCalc(const QStringList &arguments, const QByteArray &input) {
    return runTavCalc(arguments, input);
}

Run design(const QByteArray &input, const QStringList &more = {}) {
    return tavCalc(
        QStringList{QStringLiteral("design"), QStringLiteral("--input"), QStringLiteral("-")} +
            more,
        input);
}

// A 10 m square outline in 100 ohm m, criteria of 0.5 s and 70 kg, the current given.
QByteArray site(double current, const QByteArray &rodLengths = "[2]") {
    return R"({"soil": {"rho": 100}, "current": )" + QByteArray::number(current) +
           R"(, "segment_length": 2.5, "search": {"step": 1, "margin": 2},
        "safety": {"duration": 0.5, "body": 70},
        "design": {"outline": [[0, 0], [10, 0], [10, 10], [0, 10]],
                   "prices": {"conductor_per_m": 3, "rod_per_m": 5},
                   "rod_lengths": )" +
           rodLengths + "}}";
}

QJsonObject parsed(const Run &run) {
    QJsonParseError parse;
    const QJsonObject o = QJsonDocument::fromJson(run.bytes, &parse).object();
    if (parse.error != QJsonParseError::NoError)
        qFatal("not JSON: %s %s", run.bytes.constData(), qPrintable(run.err));
    return o;
}

} // namespace

class TestTavCalcDesign : public QObject {
    Q_OBJECT

private slots:
    void answered_data() {
        QTest::addColumn<double>("current");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("safe");
        // 10 A raises the perimeter a few tens of volts, far below any tolerable touch.
        QTest::newRow("perimeter passes") << 10.0 << 0 << true;
        // 100 kA raises it by some hundreds of kilovolts.
        QTest::newRow("nothing passes") << 1e5 << 1 << false;
    }
    void answered() {
        QFETCH(double, current);
        QFETCH(int, status);
        QFETCH(bool, safe);
        const Run run = design(site(current), {QStringLiteral("--format"), QStringLiteral("json")});
        QCOMPARE(run.status, status);
        const QJsonObject o = parsed(run);
        QCOMPARE(o.value("safe").toBool(!safe), safe);
        QVERIFY(o.value("document").toObject().contains("conductors"));
        QVERIFY(o.value("solves").toInt() >= 1);
        const QJsonArray candidates = o.value("candidates").toArray();
        QVERIFY(!candidates.isEmpty());
        for (const char *key : {"cost", "worst_touch_margin", "worst_step_margin", "safe"})
            QVERIFY2(candidates[0].toObject().contains(key), key);
        if (safe) {
            // The cheapest layout of all, the perimeter alone: 40 m at 3 a metre.
            QCOMPARE(o.value("cost").toDouble(), 120.0);
            QCOMPARE(o.value("document").toObject().value("conductors").toArray().size(), 4);
            QVERIFY(o.value("limits").toArray().isEmpty());
        } else {
            QVERIFY(candidates.last().toObject().value("worst_touch_margin").toDouble() < 0);
            QVERIFY(!o.value("limits").toArray().isEmpty());
        }
    }

    void refused_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("said");
        QTest::newRow("no rod length") << site(10, "[]") << "design.rod_lengths";
        QTest::newRow("a rod length of 0") << site(10, "[2, 0]") << "design.rod_lengths[1]";
        QTest::newRow("no design") << QByteArray(R"({"soil": {"rho": 100}, "current": 10,
                "safety": {"duration": 0.5, "body": 70}})")
                                   << "\"design\"";
    }
    void refused() {
        QFETCH(QByteArray, input);
        QFETCH(QString, said);
        const Run run = design(input);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QVERIFY(run.bytes.isEmpty());
    }

    void bestWritten() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("best.json"));
        const Run run = design(site(10), {QStringLiteral("--output"), path});
        QCOMPARE(run.status, 0);
        QVERIFY(run.bytes.contains("120"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject best = QJsonDocument::fromJson(file.readAll()).object();
        QCOMPARE(best.value("conductors").toArray().size(), 4);
        QVERIFY(!best.contains("design"));
    }

    // The best layout's document keeps how it was found, in the values this test gave, and
    // tav-calc system echoes it.
    void recordKept() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("best.json"));
        QCOMPARE(design(site(10), {QStringLiteral("--output"), path}).status, 0);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject best = QJsonDocument::fromJson(file.readAll()).object();
        const QJsonObject record = best.value("designed").toObject();
        QCOMPARE(record.value("prices").toObject(),
                 (QJsonObject{{"conductor_per_m", 3}, {"rod_per_m", 5}}));
        const QJsonObject family = record.value("family").toObject();
        const QJsonArray rods = family.value("rods").toArray();
        QCOMPARE(rods.size(), 1);
        QCOMPARE(rods[0].toObject().value("length").toDouble(), 2.0);
        // 10 m each way at the least spacing of 2.5 m: up to 5 lines, the perimeter's 2 first.
        QCOMPARE(family.value("lines_x").toArray(), (QJsonArray{2, 5}));
        QCOMPARE(family.value("surface").toBool(true), false);
        QCOMPARE(record.value("cost").toDouble(), 120.0); // the perimeter's 40 m at 3
        QVERIFY(record.value("solves").toInt() >= 1);
        const QStringList system{QStringLiteral("system"), QStringLiteral("--input"), path};
        const Run json =
            tavCalc(system + QStringList{QStringLiteral("--format"), QStringLiteral("json")}, {});
        QCOMPARE(json.status, 0);
        QCOMPARE(parsed(json).value("designed").toObject(), record);
        const Run text = tavCalc(system, {});
        QCOMPARE(text.status, 0);
        QVERIFY2(text.bytes.startsWith("Designed automatically: cost 120;"), text.bytes.constData());
    }

    void stagesElsewhere() {
        QTemporaryDir dir;
        const QStringList json{QStringLiteral("--format"), QStringLiteral("json")};
        const QStringList stage{QStringLiteral("--stage"), QStringLiteral("2")};
        const Run emitted =
            design(site(10), QStringList{QStringLiteral("--emit"), dir.path()} + stage + json);
        QCOMPARE(emitted.status, 0);
        const QJsonArray pending = parsed(emitted).value("pending").toArray();
        QCOMPARE(pending.size(), 2);
        // A result that is not tav-calc system's is refused, named.
        const QString first = pending[0].toString();
        const QString firstResult = first.chopped(5) + QStringLiteral(".result.json");
        QFile bad(firstResult);
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("{}");
        bad.close();
        const QStringList collect = QStringList{QStringLiteral("--collect"), dir.path()} + stage;
        const Run refused = design(site(10), collect + json);
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.err.contains(QStringLiteral(".result.json")), qPrintable(refused.err));
        for (const QJsonValue &document : pending) {
            const Run solved =
                tavCalc({QStringLiteral("system"), QStringLiteral("--input"), document.toString(),
                         QStringLiteral("--format"), QStringLiteral("json")},
                        {});
            QCOMPARE(solved.status, 0);
            QFile result(document.toString().chopped(5) + QStringLiteral(".result.json"));
            QVERIFY(result.open(QIODevice::WriteOnly));
            result.write(solved.bytes);
        }
        const Run collected = design(site(10), collect + json);
        QCOMPARE(collected.status, 0);
        const QJsonObject o = parsed(collected);
        QVERIFY(o.value("safe").toBool());
        QCOMPARE(o.value("cost").toDouble(), 120.0);
    }
};

QTEST_GUILESS_MAIN(TestTavCalcDesign)
#include "tst_tavcalc_design.moc"
