// tav-calc system: what the command itself does with its document, its exit status and
// its output; the solver's figures are the core tests' business.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run tavCalc(const QStringList &arguments, const QByteArray &input = QByteArray()) {
    QProcess process;
    process.start(QStringLiteral(TAV_CALC), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Two wires, one of them floating, and two points.
const QByteArray kSystem = R"({"soil": {"rho1": 100, "rho2": 300, "h": 4}, "current": 50,
    "conductors": [{"from": [0, 0, 0.5], "to": [8, 0, 0.5], "diameter": 0.01},
                   {"from": [0, 3, 0.5], "to": [8, 3, 0.5], "diameter": 0.01, "group": 1}],
    "points": [[4, 0], [4, 20]], "search": {"step": 1, "margin": 2}})";

} // namespace

class TestTavCalcSystem : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void json() {
        const Run run = tavCalc({"system", "--input", "-", "--format", "json"}, kSystem);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        QJsonParseError parse;
        const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8(), &parse).object();
        QCOMPARE(parse.error, QJsonParseError::NoError);
        for (const char *key : {"resistance", "gpr", "segments", "image_terms"})
            QVERIFY2(o.value(QLatin1String(key)).isDouble(), key);
        const QJsonArray groups = o.value("groups").toArray();
        QCOMPARE(groups.size(), 2);
        QCOMPARE(groups[0].toObject().value("current").toDouble(), 50.);
        QCOMPARE(groups[1].toObject().value("group").toInt(), 1);
        const QJsonArray points = o.value("points").toArray();
        QCOMPARE(points.size(), 2);
        for (const char *key : {"x", "y", "potential", "touch"})
            QVERIFY2(points[1].toObject().value(QLatin1String(key)).isDouble(), key);
        QCOMPARE(points[0].toObject().value("in_touch_area").toBool(), true);
        QCOMPARE(points[1].toObject().value("in_touch_area").toBool(), false);
        for (const char *key : {"voltage", "x", "y"}) {
            QVERIFY2(o.value("touch_max").toObject().value(QLatin1String(key)).isDouble(), key);
            QVERIFY2(o.value("step_max").toObject().value(QLatin1String(key)).isDouble(), key);
        }
        QVERIFY(o.value("cautions").toArray().isEmpty());
    }

    // The same from a file, as text with units.
    void text() {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("system, with a comma.json")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kSystem);
        file.close();
        const Run run = tavCalc({"system", "--input", file.fileName()});
        QCOMPARE(run.status, 0);
        for (const char *piece : {"Resistance to remote earth: ", " ohm\n", "Ground potential rise",
                                  "Potential [V]", "Current [A]", "Touch [V]",
                                  "Worst touch voltage: ", "Worst step voltage: ", " m to ("})
            QVERIFY2(run.out.contains(QLatin1String(piece)), piece);
        QVERIFY(!run.out.contains(QLatin1String("Caution")));
    }

    // A result that stands with a doubt says so in both forms.
    void caution() {
        const QByteArray doubtful = R"({"soil": {"rho1": 3, "rho2": 1997, "h": 1}, "current": 1,
            "conductors": [{"from": [0, 0, 0.5], "to": [10, 0, 0.5], "diameter": 0.01}],
            "search": {"step": 2}})";
        const Run text = tavCalc({"system", "--input", "-"}, doubtful);
        QCOMPARE(text.status, 0);
        QVERIFY2(text.out.contains(QLatin1String("Caution: the two-layer image series was cut off "
                                                 "after 4000 orders")),
                 qPrintable(text.out));
        const Run json = tavCalc({"system", "--input", "-", "--format", "json"}, doubtful);
        const QJsonArray cautions =
            QJsonDocument::fromJson(json.out.toUtf8()).object().value("cautions").toArray();
        QCOMPARE(cautions.size(), 1);
        QCOMPARE(cautions[0].toObject().value("warning").toString(), QString("series_truncated"));
        QCOMPARE(cautions[0].toObject().value("values").toArray().size(), 3);
    }

    void failures_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QStringList fromInput = {"system", "--input", "-"};
        QTest::newRow("not JSON")
            << fromInput << QByteArray("{\"soil\": {") << 1
            << "the document is not JSON: it cannot be read past character 10";
        QTest::newRow("an array") << fromInput << QByteArray("[]") << 1
                                  << "the document must be an object";
        QTest::newRow("a misspelt key")
            << fromInput << QByteArray(R"({"soil": {"rho": 1}, "current": 1, "searh": {}})") << 1
            << "searh is not a key the document takes";
        QTest::newRow("a coordinate missing")
            << fromInput
            << QByteArray(
                   R"({"soil": {"rho": 1}, "current": 1, "conductors": [{"from": [0, 0], "to": [1, 0, 1], "diameter": 0.01}]})")
            << 1 << "conductors[0].from must be an array of 3 numbers";
        QTest::newRow("refused by the solver")
            << fromInput
            << QByteArray(
                   R"({"soil": {"rho": 1}, "current": 1, "conductors": [{"from": [0, 0, -1], "to": [1, 0, 1], "diameter": 0.01}]})")
            << 1 << "conductor 1 reaches above the surface, to the depth -1 m";
        QTest::newRow("no conductor")
            << fromInput << QByteArray(R"({"soil": {"rho": 1}, "current": 1})") << 1
            << "no conductor is in group 0";
        QTest::newRow("no such file")
            << QStringList{"system", "--input", "/nonexistent/system.json"} << QByteArray() << 1
            << "the file /nonexistent/system.json could not be read: ";
        QTest::newRow("a directory") << QStringList{"system", "--input", "/"} << QByteArray() << 1
                                     << "the file / could not be read: ";
        QTest::newRow("no input") << QStringList{"system"} << QByteArray() << 2
                                  << "--input is required";
        QTest::newRow("an unknown format")
            << QStringList{"system", "--input", "-", "--format", "xml"} << kSystem << 2
            << "--format: 'xml'";
    }

    // Refused: the reason on standard error, nothing on standard output.
    void failures() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QString, message);
        const Run run = tavCalc(arguments, input);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTavCalcSystem)
#include "tst_tavcalc_system.moc"
