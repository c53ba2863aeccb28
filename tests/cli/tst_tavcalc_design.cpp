// tav-calc design: a site where the perimeter alone passes is answered by it (exit 0), at
// its perimeter's length by the price; one whose current no copper inside the outline
// carries safely says so (exit 1) with the least failing layout and what limits it; a
// document refused at its path; the best layout's document written by --output.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QString err;
};

Run design(const QByteArray &input, const QStringList &more = {}) {
    QProcess process;
    process.start(
        QStringLiteral(TAV_CALC),
        QStringList{QStringLiteral("design"), QStringLiteral("--input"), QStringLiteral("-")} +
            more);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(100000);
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
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
    const QJsonObject o = QJsonDocument::fromJson(run.out, &parse).object();
    if (parse.error != QJsonParseError::NoError)
        qFatal("not JSON: %s %s", run.out.constData(), qPrintable(run.err));
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
        QVERIFY(run.out.isEmpty());
    }

    void bestWritten() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("best.json"));
        const Run run = design(site(10), {QStringLiteral("--output"), path});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("120"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject best = QJsonDocument::fromJson(file.readAll()).object();
        QCOMPARE(best.value("conductors").toArray().size(), 4);
        QVERIFY(!best.contains("design"));
    }
};

QTEST_GUILESS_MAIN(TestTavCalcDesign)
#include "tst_tavcalc_design.moc"
