// tav-calc soil-model with --layers, --array, --mn and --readings: what it writes, what it
// refuses and how. The fit itself is checked in tst_layersfit; here the readings come from
// the forward model of tst_layeredsoil, checked there against direct integration.
#include "core/soilmodel/LayeredSoil.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QString err;
};

Run tavCalc(const QStringList &arguments) {
    QProcess process;
    process.start(QStringLiteral(TAV_CALC), QStringList{QStringLiteral("soil-model")} + arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

// 300 over 100 over 600 ohm-m, the layers 2 m and 8 m thick: an H curve no two layers
// explain.
const tav::LayeredSoil kSoil{{300, 100, 600}, {2, 8}};
const double kSpacings[] = {0.5, 0.75, 1, 1.5, 2, 3, 4, 6, 8, 10, 15, 20, 30, 40, 60, 80, 100};

QString joined(const std::vector<double> &values) {
    QStringList out;
    for (double v : values)
        out << QString::number(v, 'g', 17);
    return out.join(QLatin1Char(','));
}

// The readings of the soil: Wenner at a, or Schlumberger at AB/2 = a with MN/2 = a/5.
QStringList readings(bool schlumberger) {
    std::vector<double> spacings, values;
    for (double a : kSpacings) {
        spacings.push_back(a);
        values.push_back(schlumberger ? kSoil.schlumbergerResistivity(a, a / 5)
                                      : kSoil.wennerResistivity(a));
    }
    QStringList arguments{"--spacings", joined(spacings), "--resistivities", joined(values)};
    if (schlumberger) {
        std::vector<double> mn;
        for (double a : kSpacings)
            mn.push_back(a / 5);
        arguments << "--array" << "schlumberger" << "--mn" << joined(mn);
    }
    return arguments;
}

bool within(double value, double expected, double relative) {
    return std::abs(value / expected - 1) <= relative;
}

} // namespace

class TestTavCalcLayers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Three layers given or chosen, either array: the top layer, its thickness and the last
    // resistivity within 3 %, the JSON's shape as documented.
    void threeLayers_data() {
        QTest::addColumn<bool>("schlumberger");
        QTest::addColumn<QString>("layers");
        QTest::newRow("Wenner, 3") << false << "3";
        QTest::newRow("Wenner, auto") << false << "auto";
        QTest::newRow("Schlumberger, 3") << true << "3";
    }
    void threeLayers() {
        QFETCH(bool, schlumberger);
        QFETCH(QString, layers);
        const Run run = tavCalc(readings(schlumberger) +
                                QStringList{"--layers", layers, "--format", "json"});
        QCOMPARE(run.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(run.out).object();
        const QJsonArray l = o.value("layers").toArray();
        QCOMPARE(l.size(), 3);
        QVERIFY(within(l[0].toObject().value("rho").toDouble(), 300, 0.03));
        QVERIFY(within(l[0].toObject().value("thickness").toDouble(), 2, 0.03));
        QVERIFY(within(l[2].toObject().value("rho").toDouble(), 600, 0.03));
        QVERIFY(!l[2].toObject().contains("thickness"));
        QVERIFY(o.value("rms_percent").toDouble() < 0.3);
        const QJsonObject criterion = o.value("criterion").toObject();
        if (layers == QLatin1String("auto")) {
            QCOMPARE(criterion.value("chosen").toInt(), 3);
            QCOMPARE(criterion.value("counts").toArray().size(), 4);
        } else {
            QCOMPARE(criterion.value("given").toInt(), 3);
        }
        QCOMPARE(o.value("array").toString(), schlumberger ? "schlumberger" : "wenner");
        const QJsonObject row = o.value("rows").toArray().first().toObject();
        QCOMPARE(row.contains("mn"), schlumberger);
        // More than two layers: no rho1, rho2 and h that a study would take for two.
        QVERIFY(!o.contains("rho1") && !o.contains("h"));
    }

    // The same readings from a file with a header and decimal commas give the same soil.
    void readingsFile() {
        QTemporaryDir folder;
        const QString path = folder.filePath("sounding.csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("a [m];rho [ohm-m]\n");
        for (double a : kSpacings)
            file.write(QString::number(a, 'g', 17).replace('.', ',').toUtf8() + ";" +
                       QString::number(kSoil.wennerResistivity(a), 'g', 17)
                           .replace('.', ',')
                           .toUtf8() +
                       "\n");
        file.close();
        const Run fromFile = tavCalc({"--readings", path, "--layers", "3", "--format", "json"});
        const Run listed = tavCalc(readings(false) + QStringList{"--layers", "3", "--format", "json"});
        QCOMPARE(fromFile.status, 0);
        QCOMPARE(fromFile.out, listed.out);
    }

    // Two layers asked for are the two-layer fit's answer, with its keys for a study.
    void twoLayersAsToday() {
        const QStringList sounding{"--spacings", "1,2,4,6,9,12,18,24,30", "--resistivities",
                                   "104.3,121.0,163.9,196.5,227.8,247.0,268.4,279.2,285.4",
                                   "--format", "json"};
        const QJsonObject today = QJsonDocument::fromJson(tavCalc(sounding).out).object();
        const QJsonObject two =
            QJsonDocument::fromJson(tavCalc(sounding + QStringList{"--layers", "2"}).out).object();
        for (const char *key : {"rho1", "rho2", "h"})
            QCOMPARE(two.value(key).toDouble(), today.value(key).toDouble());
        QCOMPARE(two.value("layered"), QJsonValue(true));
    }

    void refused_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QStringList wenner = readings(false);
        QTest::newRow("no layers") << (wenner + QStringList{"--layers", "0"}) << 1
                                   << "a layered fit takes 1 to 5 layers, not 0";
        QTest::newRow("six layers") << (wenner + QStringList{"--layers", "6"}) << 1
                                    << "a layered fit takes 1 to 5 layers, not 6";
        QTest::newRow("too few readings")
            << QStringList{"--spacings", "1,2,4,8,16,32,64,100", "--resistivities",
                           "10,12,15,20,30,40,50,55", "--layers", "5"}
            << 1 << "8 readings cannot fit 5 layers: they need at least 10 readings";
        QTest::newRow("MN/2 as long as AB/2")
            << QStringList{"--spacings", "1,2,4,8", "--resistivities", "10,12,15,20", "--array",
                           "schlumberger", "--mn", "0.5,0.5,4,1", "--layers", "1"}
            << 1 << "reading 3: MN/2 of 4 m is not smaller than its AB/2 of 4 m";
        QTest::newRow("an array unknown")
            << (wenner + QStringList{"--array", "dipole"}) << 2 << "wenner or schlumberger";
        QTest::newRow("MN/2 without Schlumberger")
            << (wenner + QStringList{"--mn", "1"}) << 2 << "--mn goes with --array schlumberger";
        QTest::newRow("Schlumberger without MN/2")
            << (wenner + QStringList{"--array", "schlumberger"}) << 2 << "needs --mn";
        QTest::newRow("MN/2 counted wrong")
            << (wenner + QStringList{"--array", "schlumberger", "--mn", "1,2"}) << 2
            << "--mn has 2 values for 17 readings";
        QTest::newRow("a file beside the spacings")
            << (wenner + QStringList{"--readings", "x.csv"}) << 2
            << "--readings takes the place of --spacings";
    }
    void refused() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        const Run run = tavCalc(arguments);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    // A file's line that is not two numbers is named; a named pipe is not waited on.
    void unreadableFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("a word among the numbers")
            << QByteArray("a,rho\n1,100\n2,ninety\n") << "line 3 of the readings";
        QTest::newRow("three columns") << QByteArray("1;100;3\n") << "line 1 of the readings";
    }
    void unreadableFile() {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir folder;
        QFile file(folder.filePath("r.csv"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        const Run run = tavCalc({"--readings", file.fileName(), "--layers", "1"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    }

    // --pdf writes the layered report.
    void pdf() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath("layers.pdf");
        const Run run = tavCalc(readings(false) + QStringList{"--layers", "auto", "--pdf", pdf});
        QCOMPARE(run.status, 0);
        QProcess text;
        text.start(QStandardPaths::findExecutable("pdftotext"), {pdf, "-"});
        text.waitForFinished(30000);
        const QString written = QString::fromUtf8(text.readAllStandardOutput());
        for (const char *piece : {"Soil of horizontal layers", "How the count was chosen",
                                  "3 layers, the fewest the readings support"})
            QVERIFY2(written.contains(QLatin1String(piece)), piece);
    }
};

QTEST_MAIN(TestTavCalcLayers)
#include "tst_tavcalc_layers.moc"
