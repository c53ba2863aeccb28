// tav-calc split, and system with a network: what the commands do with a network, their
// exit status and their output; the network's figures are the core tests' business, but
// for the closed form of an endless line, which the JSON must carry to the last digit.
#include "tests/support/TavCalcRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <complex>

namespace {

using Complex = std::complex<double>;

using Run = TavCalcRun;

Run tavCalc(const QStringList &arguments, const QByteArray &input = QByteArray()) {
    return runTavCalc(arguments, input);
}

// The network as the request for it gives it.
const QByteArray kNetwork = R"({"frequency": 50, "earth_return_rho": 100, "local_current": 2000,
    "lines": [{"name": "North", "current": 6000, "spans": 25, "span": 300, "tower_resistance": 10,
               "remote_resistance": 0.5,
               "earth_wires": [{"resistance": 0.4, "gmr": 0.004, "height": 30, "offset": 0}],
               "phase": {"height": 22, "offset": 4}},
              {"name": "South", "current": [3800, -900], "spans": null, "span": 300, "tower_resistance": 15,
               "earth_wires": [{"impedance": [0.45, 0.72], "mutual": [0.05, 0.31]}]}],
    "cables": [{"name": "Feeder 1", "current": 1500, "length": 3000, "remote_resistance": 1.0,
                "sheath": {"resistance": 0.3, "mean_radius": 0.03}}]})";

QJsonObject parsed(const Run &run) {
    QJsonParseError parse;
    const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8(), &parse).object();
    if (parse.error != QJsonParseError::NoError)
        qFatal("not JSON: %s", qPrintable(run.out));
    return o;
}

Complex complexAt(const QJsonObject &o, const char *key) {
    const QJsonArray a = o.value(key).toArray();
    return {a[0].toDouble(), a[1].toDouble()};
}

Run split(const QByteArray &network, const QString &earthImpedance, bool asJson = true) {
    QStringList arguments{"split", "--input", "-", "--earth-impedance", earthImpedance};
    if (asJson)
        arguments << "--format"
                  << "json";
    return tavCalc(arguments, network);
}

QByteArray system(const QByteArray &network) {
    return R"({"soil": {"rho": 100}, "network": )" + network +
           R"(, "grids": [{"origin": [0, 0], "size": [10, 10], "conductors": [3, 3],
               "depth": 0.5, "diameter": 0.01}], "search": {"step": 1, "margin": 2}})";
}

} // namespace

class TestTavCalcSplit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void json() {
        const Run run = split(kNetwork, "0.5,0.1");
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        const QJsonObject o = parsed(run);
        QCOMPARE(complexAt(o, "fault_current"), Complex(13300, -900));
        QCOMPARE(complexAt(o, "earth_impedance"), Complex(0.5, 0.1));
        const Complex earthCurrent = complexAt(o, "earth_current");
        QVERIFY(std::abs(complexAt(o, "split_factor") - earthCurrent / Complex(13300, -900)) <
                1e-15);
        QCOMPARE(o.value("earth_current_magnitude").toDouble(), std::abs(earthCurrent));
        QVERIFY(!o.contains("decrement"));
        const QJsonArray lines = o.value("lines").toArray();
        QCOMPARE(lines.size(), 2);
        const QJsonObject north = lines[0].toObject(), south = lines[1].toObject();
        QCOMPARE(north.value("name").toString(), QStringLiteral("North"));
        for (const char *key : {"reduction_factor", "chain_impedance", "wire_current",
                                "tower_potentials", "tower_currents", "remote_rise"})
            QVERIFY2(north.contains(key) && north.contains(QByteArray(key) + "_magnitude"), key);
        QCOMPARE(north.value("tower_potentials").toArray().size(), 5);
        QCOMPARE(north.value("tower_currents_magnitude").toArray().size(), 5);
        // The remote station's rise of an endless line: there is none.
        QVERIFY(south.value("remote_rise").isNull() &&
                south.value("remote_rise_magnitude").isNull());
        const QJsonObject feeder = o.value("cables").toArray()[0].toObject();
        QCOMPARE(feeder.value("name").toString(), QStringLiteral("Feeder 1"));
        QVERIFY(feeder.value("tower_potentials").toArray().isEmpty());
        QVERIFY(feeder.value("remote_rise").isArray());
        // The station's electrode takes what the lines and cables do not take back.
        Complex returned = complexAt(feeder, "wire_current");
        for (const QJsonValue &b : lines)
            returned += complexAt(b.toObject(), "wire_current");
        QVERIFY(std::abs(Complex(11300, -900) - returned - earthCurrent) < 1e-9);
    }

    // An endless line alone, to the last digits: I_E = r I Z_inf / (Z_inf + Z_E).
    void endlessLineToTheDigit() {
        const Run run = split(R"({"frequency": 60, "lines": [{"name": "L", "current": [5000, -1200],
            "spans": null, "span": 350, "tower_resistance": 25,
            "earth_wires": [{"impedance": [2.8, 0.9], "mutual": [0.06, 0.4]}]}]})",
                              "0.3");
        QCOMPARE(run.status, 0);
        const Complex z = Complex(2.8, 0.9) * 0.35, r = 1. - Complex(0.06, 0.4) / Complex(2.8, 0.9);
        const Complex chain = z / 2. + std::sqrt(z * z / 4. + z * 25.);
        const Complex expected = r * Complex(5000, -1200) * chain / (chain + 0.3);
        QVERIFY(std::abs(complexAt(parsed(run), "earth_current") - expected) <
                1e-9 * std::abs(expected));
    }

    void text() {
        const Run run = split(kNetwork, "0.5", false);
        QCOMPARE(run.status, 0);
        for (const char *line : {"Fault current 3I0: 13330.4 at -3.9° A",
                                 "Station's earth impedance Z_E: 0.5 + j0 ohm",
                                 "Current into the earth I_E: ", "Split factor Sf = I_E / 3I0: ",
                                 "North: the first towers from the station", "endless", "Feeder 1"})
            QVERIFY2(run.out.contains(QString::fromUtf8(line)), line);
    }

    void refused_data() {
        QTest::addColumn<QByteArray>("network");
        QTest::addColumn<QString>("earthImpedance");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QByteArray towers = kNetwork;
        towers.replace(R"("tower_resistance": 10)", R"("tower_resistance": [10, 10, 10])");
        QTest::newRow("towers short of the spans")
            << towers << "0.5" << 1
            << "lines[0].tower_resistance: 3 tower footing resistances are given for 24 towers";
        QByteArray rho = kNetwork;
        rho.replace(R"("earth_return_rho": 100, )", "");
        QTest::newRow("no resistivity for Carson's formulas")
            << rho << "0.5" << 1 << "earth_return_rho is missing";
        QByteArray length = kNetwork;
        length.replace(R"("length": 3000)", R"("length": 0)");
        QTest::newRow("a cable of no length")
            << length << "0.5" << 1
            << "cables[0].length: the cable length must be a positive finite number, not 0";
        QTest::newRow("no fault current")
            << QByteArray(R"({"frequency": 50, "local_current": 0})") << "0.5" << 1
            << "the document: the currents of the lines, the cables and the local sources add "
               "up to zero";
        QTest::newRow("not JSON") << QByteArray(R"({"frequency": )") << "0.5" << 1
                                  << "the document is not JSON";
        QTest::newRow("a key twice") << QByteArray(R"({"frequency": 50, "frequency": 60})") << "0.5"
                                     << 1 << "frequency is given twice";
        QTest::newRow("a negative earth impedance")
            << kNetwork << "-1" << 1
            << "the station's earth impedance must be zero or a positive finite number, not -1";
        QTest::newRow("three parts of an impedance")
            << kNetwork << "1,2,3" << 2 << "--earth-impedance takes R or R,X";
        QTest::newRow("an impedance in words") << kNetwork << "low" << 2 << "--earth-impedance";
    }

    void refused() {
        QFETCH(QByteArray, network);
        QFETCH(QString, earthImpedance);
        QFETCH(int, status);
        QFETCH(QString, message);
        const Run run = split(network, earthImpedance);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    // The study takes Df |I_E| to earth and says how the fault shared out, after its
    // resistance and potential rise; Z_E is the resistance it solved.
    void systemWithANetwork() {
        QByteArray network = kNetwork;
        network.replace(R"("local_current": 2000)", R"("local_current": 2000, "decrement": 1.25)");
        const Run run = tavCalc({"system", "--input", "-", "--format", "json"}, system(network));
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        const QJsonObject o = parsed(run);
        const QJsonObject shared = o.value("network").toObject();
        QCOMPARE(shared.value("decrement").toDouble(), 1.25);
        QCOMPARE(complexAt(shared, "earth_impedance"),
                 Complex(o.value("resistance").toDouble(), 0));
        const double current =
            o.value("groups").toArray()[0].toObject().value("current").toDouble();
        QVERIFY(std::abs(current - 1.25 * shared.value("earth_current_magnitude").toDouble()) <
                1e-9 * current);
        QVERIFY(std::abs(o.value("gpr").toDouble() - current * o.value("resistance").toDouble()) <
                1e-9 * current);
        QVERIFY(run.out.indexOf("\"gpr\"") < run.out.indexOf("\"network\""));
        const Run text = tavCalc({"system", "--input", "-"}, system(network));
        QVERIFY(text.out.contains("The study's current to earth, Df |I_E|: "));
        QVERIFY(text.out.contains(", with Df = 1.25"));
    }

    // system --pdf with a network: the report's section on the current into the earth, with
    // the figures the JSON of the same study gives, at the report's four significant digits;
    // its inputs take the current as Df |I_E|.
    void systemReportWithANetwork() {
        QByteArray network = kNetwork;
        network.replace(R"("local_current": 2000)", R"("local_current": 2000, "decrement": 1.25)");
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("study.pdf"));
        const Run run = tavCalc({"system", "--input", "-", "--pdf", pdf}, system(network));
        QCOMPARE(run.status, 0);
        QProcess text;
        text.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                   {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(60000));
        const QString written = QString::fromUtf8(text.readAllStandardOutput())
                                    .replace(QChar(0x00a0), ' ')
                                    .simplified();
        const QJsonObject shared =
            parsed(tavCalc({"system", "--input", "-", "--format", "json"}, system(network)))
                .value("network")
                .toObject();
        const auto shown = [](double v) {
            const int whole = int(std::floor(std::log10(std::abs(v)))) + 1;
            return QString::number(v, 'f', std::max(0, 4 - whole));
        };
        const double earth = shared.value("earth_current_magnitude").toDouble();
        for (const QString &piece :
             {QStringLiteral("What each line and cable does with the fault current"),
              QStringLiteral("Df · |I_E| = 1.25 · %1 A = %2 A")
                  .arg(shown(earth), shown(1.25 * earth)),
              shown(shared.value("split_factor_magnitude").toDouble()) + QStringLiteral(" at "),
              QStringLiteral("North: the potential carried to the first towers from the station"),
              QStringLiteral("Feeder 1: sheath 0.3 Ω/km, mean radius 0.03 m")})
            QVERIFY2(written.contains(piece), qPrintable(piece));
        for (const QJsonValue &line : shared.value("lines").toArray()) {
            const QJsonObject l = line.toObject();
            QVERIFY2(written.contains(shown(l.value("reduction_factor_magnitude").toDouble()) +
                                      QStringLiteral(" at ")),
                     qPrintable(l.value("name").toString()));
        }
    }

    void systemRefusesAtThePath() {
        QByteArray network = kNetwork;
        network.replace(R"("span": 300, "tower_resistance": 10)",
                        R"("span": -300, "tower_resistance": 10)");
        const Run run = tavCalc({"system", "--input", "-"}, system(network));
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("network.lines[0].span: the span length must be a positive "
                                  "finite number, not -300"),
                 qPrintable(run.err));
        const Run beside =
            tavCalc({"system", "--input", "-"},
                    system(kNetwork).replace("{\"soil\"", "{\"current\": 5, \"soil\""));
        QCOMPARE(beside.status, 1);
        QVERIFY2(beside.err.contains("current cannot stand beside network"),
                 qPrintable(beside.err));
    }

    // Without a network the output is as it was: no network, the current as typed.
    void systemWithoutANetwork() {
        const Run run = tavCalc({"system", "--input", "-", "--format", "json"},
                                R"({"soil": {"rho": 100}, "current": 700,
                                    "conductors": [{"from": [0, 0, 0.5], "to": [8, 0, 0.5], "diameter": 0.01}]})");
        QCOMPARE(run.status, 0);
        const QJsonObject o = parsed(run);
        QVERIFY(!o.contains("network"));
        QCOMPARE(o.value("groups").toArray()[0].toObject().value("current").toDouble(), 700.);
    }
};

QTEST_GUILESS_MAIN(TestTavCalcSplit)
#include "tst_tavcalc_split.moc"
