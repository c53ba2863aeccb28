// tav-calc soil-model and safety: options, refusals, exit status and the JSON they write.
// The calculations themselves are checked in tst_soilmodel and tst_gridsafety.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QString err;
};

Run tavCalc(const QString &line,
            const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TAV_CALC), line.split(QLatin1Char(' ')));
    process.waitForFinished(30000);
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

QJsonObject jsonOf(const Run &run) {
    return QJsonDocument::fromJson(run.out).object();
}

int pdfPages(const QString &pdf) {
    QProcess info;
    info.start(QStandardPaths::findExecutable(QStringLiteral("pdfinfo")), {pdf});
    info.waitForFinished(30000);
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    const qsizetype at = text.indexOf(QStringLiteral("Pages:"));
    return at < 0 ? -1 : text.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

const char kGrid[] = "safety --rho 100 --length-x 20 --length-y 10 --spacing 5 --depth 0.5 "
                     "--conductor-diameter 0.01 --grid-current 1000 --duration 0.5";

// kGrid with the options of changes in place of its own, the others after them: an option
// given twice is refused.
QString grid(const QString &changes) {
    QStringList line = QString::fromLatin1(kGrid).split(QLatin1Char(' '));
    const QStringList given = changes.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < given.size(); ++i) {
        const bool valued = i + 1 < given.size() && !given[i + 1].startsWith(QLatin1String("--"));
        const qsizetype at = line.indexOf(given[i]);
        if (at >= 0 && valued)
            line[at + 1] = given[i + 1];
        else
            line << given.mid(i, valued ? 2 : 1);
        i += valued ? 1 : 0;
    }
    return line.join(QLatin1Char(' '));
}

} // namespace

class TestTavCalcModels : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void soilModelJson_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("piece"); // verbatim in the JSON
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("layered");
        QTest::addColumn<QStringList>("numbers"); // keys with a number
        QTest::addColumn<QStringList>("nulls");   // keys with null
        QTest::addColumn<QString>("warning");     // in "warning"; empty: no such key
        const QStringList all = {"rho1", "rho2", "h"};
        const QString thin = "the top layer is too thin";
        QTest::newRow("resistivities, echoed as given")
            << "--spacings 1,2,4 --resistivities 100,200,400"
            << R"("spacing":1,"measured":100,)" << 3 << true
            << QStringList{"rho2_at_least", "h_at_most"} << all << thin;
        QTest::newRow("resistances times the exact 2 pi")
            << "--spacings 1,2,4 --resistances 1,1,1"
            << R"("measured":6.283185307179586,)" << 3 << true
            << QStringList{"rho2_at_least", "h_at_most"} << all << thin;
        QTest::newRow("the form's rows at 0 skipped")
            << "--wenner-resistances 1,0,1,0,1"
            << R"("spacing":9,)" << 3 << true << QStringList{"rho2_at_least"} << all << thin;
        QTest::newRow("uniform: no h") << "--spacings 1,2,4,8 --resistivities 50,50,50,50"
                                       << R"("rho1":50,"rho2":50,"h":null,)" << 4 << false
                                       << QStringList{"rho1", "rho2"} << QStringList{"h"} << "";
        QTest::newRow("100 over 300 from 2 m: determined")
            << "--wenner-resistances 16.6,9.63,6.52,5.21,4.03,3.28,2.37,1.85,1.51"
            << R"("spacing":30,"measured":284.628)" << 9 << true << all << QStringList{} << "";
        QTest::newRow("10 over 10000 from 10 m, noisy: rho2 a bound")
            << "--spacings 1,2,4,6,9,12,18,24,30 --resistivities "
               "10.11,9.97,10.72,11.28,14.14,17.13,25.52,32.52,41.83"
            << R"("layered":true,"rho2_at_least":)" << 9 << true
            << QStringList{"rho1", "h", "rho2_at_least"} << QStringList{"rho2"}
            << "the readings do not determine the bottom layer's resistivity, only that it is at "
               "least";
        QTest::newRow("no model fits")
            << "--spacings 1,2,4,8 --resistivities 1,100,10000,1000000"
            << R"("layered":false)" << 4 << false << QStringList{"rho1", "rho2"} << QStringList{"h"}
            << "neither a uniform soil nor two layers explain the readings";
    }

    void soilModelJson() {
        QFETCH(QString, arguments);
        QFETCH(QString, piece);
        QFETCH(int, rows);
        QFETCH(bool, layered);
        QFETCH(QStringList, numbers);
        QFETCH(QStringList, nulls);
        QFETCH(QString, warning);
        const Run run = tavCalc(QStringLiteral("soil-model --format json ") + arguments);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains(piece.toUtf8()), run.out.constData());
        const QJsonObject json = jsonOf(run);
        for (const QString &key : numbers)
            QVERIFY2(json.value(key).isDouble(), qPrintable(key));
        for (const QString &key : nulls)
            QVERIFY2(json.value(key).isNull(), qPrintable(key));
        QVERIFY(json.value(QLatin1String("rms_percent")).isDouble());
        QCOMPARE(json.value(QLatin1String("layered")).toBool(!layered), layered);
        QCOMPARE(json.contains(QLatin1String("warning")), !warning.isEmpty());
        QVERIFY2(json.value(QLatin1String("warning")).toString().contains(warning),
                 run.out.constData());
        const QJsonObject uniform = json.value(QLatin1String("uniform")).toObject();
        QVERIFY(uniform.value(QLatin1String("rho")).isDouble());
        QVERIFY(uniform.value(QLatin1String("rms_percent")).isDouble());
        const QJsonArray table = json.value(QLatin1String("rows")).toArray();
        QCOMPARE(table.size(), rows);
        for (const QJsonValue &row : table)
            for (const char *key : {"spacing", "measured", "model", "error_percent"})
                QVERIFY2(row.toObject().value(QLatin1String(key)).isDouble(), key);
    }

    // The text says what the readings leave open, and never that a uniform soil does as
    // well as two layers when neither explains them.
    void soilModelText_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QStringList>("unsaid");
        const QString asWell = "A uniform soil explains the readings as well as any two layers.";
        QTest::newRow("no model fits")
            << "--spacings 1,2,4,8 --resistivities 1,100,10000,1000000"
            << QStringList{"Warning: neither a uniform soil nor two layers explain the readings: "
                           "the better model leaves an RMS error of 86.3 %.",
                           "Uniform soil: 1.01 ohm-m"}
            << QStringList{asWell, "Two-layer soil"};
        QTest::newRow("uniform") << "--spacings 1,2,4,8 --resistivities 50,50,50,50"
                                 << QStringList{asWell} << QStringList{"Warning"};
        QTest::newRow("rho2 a bound")
            << "--spacings 1,2,4,6,9,12,18,24,30 --resistivities "
               "10.11,9.97,10.72,11.28,14.14,17.13,25.52,32.52,41.83"
            << QStringList{" ohm-m over rho2 at least ",
                           "\nWarning: the readings do not determine the bottom layer's "
                           "resistivity, only that it is at least "}
            << QStringList{asWell};
        QTest::newRow("help: the accepted ranges")
            << "--help"
            << QStringList{"spacings from 0.01 to 10000 m",
                           "resistivities (given or 2 pi a R) from 0.001 to 100000000 ohm-m"}
            << QStringList{};
        QTest::newRow("eleven equal resistances")
            << "--wenner-resistances 1,1,1,1,1,1,1,1,1,1,1 --spacing1 36 --spacing2 42"
            << QStringList{"Two-layer soil: rho1 not determined over rho2 at least ",
                           "the top layer at most ", "Warning: the top layer is too thin"}
            << QStringList{asWell};
    }

    void soilModelText() {
        QFETCH(QString, arguments);
        QFETCH(QStringList, said);
        QFETCH(QStringList, unsaid);
        const Run run = tavCalc(QStringLiteral("soil-model ") + arguments);
        QCOMPARE(run.status, 0);
        const QString out = QString::fromUtf8(run.out);
        for (const QString &text : said)
            QVERIFY2(out.contains(text), qPrintable(out));
        for (const QString &text : unsaid)
            QVERIFY2(!out.contains(text), qPrintable(out));
    }

    // Beyond the equations' range: the numbers, the warnings, and no safe verdict.
    void safetyWarnings_data() {
        QTest::addColumn<QString>("changes");
        QTest::addColumn<QStringList>("warnings"); // pieces, one per warning, in order
        QTest::addColumn<QString>("verdicts");     // touch_safe, step_safe, gpr_below_touch
        QTest::addColumn<QString>("line");         // in the text
        QTest::newRow("within range") << "" << QStringList{} << "false false false"
                                      << "V: NOT SAFE\n";
        QTest::newRow("100 A: safe") << "--grid-current 100" << QStringList{} << "true true false"
                                     << "V: safe\n";
        QTest::newRow("10 A: no further check")
            << "--grid-current 10" << QStringList{} << "true true true"
            << "The ground potential rise is below the tolerable touch voltage: no further check";
        QTest::newRow("1e-320 s") << "--duration 1e-320"
                                  << QStringList{"the fault duration 9.99988867182683e-321 s"}
                                  << "null null null"
                                  << "V: outside the method's range\n";
        QTest::newRow("1e6 s: not safe")
            << "--duration 1e6"
            << QStringList{"the fault duration 1000000 s lies outside 0.03 s to 3 s"}
            << "false false false"
            << "V: NOT SAFE\n";
        QTest::newRow("a million rods")
            << "--rods 1000000 --rod-length 3"
            << QStringList{"1000000 ground rods are more than the 15 junctions"}
            << "null null false"
            << "\nWarning: 1000000 ground rods are more than the 15";
        QTest::newRow("low current, shallow: no all-clear")
            << "--grid-current 10 --depth 0.2"
            << QStringList{"the burial depth 0.2 m lies outside 0.25 m to 2.5 m"}
            << "null null null"
            << "Warning: the burial depth 0.2 m";
        QTest::newRow("three at once")
            << "--length-x 10 --length-y 10 --spacing 2 --depth 3 --conductor-diameter 0.8"
            << QStringList{"the conductor spacing 2 m is below 2.5 m", "the burial depth 3 m",
                           "the conductor diameter 0.8 m is not below a quarter"}
            << "false false false"
            << "Warning: the conductor spacing 2 m";
    }

    void safetyWarnings() {
        QFETCH(QString, changes);
        QFETCH(QStringList, warnings);
        QFETCH(QString, verdicts);
        QFETCH(QString, line);
        const Run run = tavCalc(grid(changes + QStringLiteral(" --format json")));
        QCOMPARE(run.status, 0);
        const QJsonObject json = jsonOf(run);
        const QJsonArray said = json.value(QLatin1String("warnings")).toArray();
        QCOMPARE(json.contains(QLatin1String("warnings")), !warnings.isEmpty());
        QCOMPARE(said.size(), warnings.size());
        for (qsizetype i = 0; i < warnings.size(); ++i)
            QVERIFY2(said[i].toString().contains(warnings[i]), qPrintable(said[i].toString()));
        QStringList flags;
        for (const char *key : {"touch_safe", "step_safe", "gpr_below_touch"}) {
            const QJsonValue value = json.value(QLatin1String(key));
            flags << (value.isNull() ? "null" : value.toBool() ? "true" : "false");
        }
        QCOMPARE(flags.join(QLatin1Char(' ')), verdicts);
        QVERIFY(json.value(QLatin1String("Em")).isDouble() &&
                json.value(QLatin1String("Es")).isDouble());
        const Run text = tavCalc(grid(changes));
        QCOMPARE(text.status, 0);
        QVERIFY2(text.out.contains(line.toUtf8()), text.out.constData());
        if (!warnings.isEmpty())
            QVERIFY(!text.out.contains("no further check is needed"));
    }

    void safetyJson() {
        const Run run = tavCalc(QLatin1String(kGrid) +
                                QStringLiteral(" --rods 4 --rod-length 3 --rods-on-perimeter "
                                               "--format json"));
        QCOMPARE(run.status, 0);
        // 5 conductors 10 m long and 3 of 20 m; rods on the perimeter: Kii = 1; no surface layer.
        QVERIFY2(run.out.contains(R"("Kii":1,"Kh":1.224744871391589,"LC":110,)"),
                 run.out.constData());
        const QJsonObject json = jsonOf(run);
        for (const char *key : {"n", "Km", "Ki", "Ks", "Kii", "Kh", "LC", "LM", "LS", "Rg", "GPR",
                                "Em", "Es", "Cs", "touch_tolerable", "step_tolerable"})
            QVERIFY2(json.value(QLatin1String(key)).isDouble(), key);
        for (const char *key : {"touch_safe", "step_safe", "gpr_below_touch"})
            QVERIFY2(json.value(QLatin1String(key)).isBool(), key);
        QCOMPARE(json.value(QLatin1String("Cs")).toDouble(), 1.);
        QCOMPARE(json.size(), 19);
    }

    // Annex B.1: 3I0 = 3180 A, Sf = 0.6; X/R 40 at 60 Hz over 0.5 s gives Df 1.101 (Table 10).
    void faultCurrent_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<double>("df");
        QTest::addColumn<double>("current");
        QTest::newRow("symmetrical") << "--fault-current 3180 --split-factor 0.6" << 1. << 1908.;
        QTest::newRow("Sf defaults to 1") << "--fault-current 1908" << 1. << 1908.;
        QTest::newRow("X/R 40 at 60 Hz")
            << "--fault-current 3180 --split-factor 0.6 --x-over-r 40 --frequency 60" << 1.101
            << 1908 * 1.101;
        QTest::newRow("Df as known")
            << "--fault-current 3180 --split-factor 0.6 --decrement-factor 1.2" << 1.2
            << 1908 * 1.2;
    }

    void faultCurrent() {
        QFETCH(QString, fault);
        QFETCH(double, df);
        QFETCH(double, current);
        const QString grid =
            QString::fromLatin1(kGrid).section(QStringLiteral(" --grid-current"), 0, 0) +
            QStringLiteral(" --duration 0.5 --format json ");
        const Run run = tavCalc(grid + fault);
        QCOMPARE(run.status, 0);
        const QJsonObject json = jsonOf(run);
        QCOMPARE(json.size(), 21);
        QVERIFY(std::abs(json.value(QLatin1String("decrement_factor")).toDouble() - df) < 6e-4);
        QVERIFY(std::abs(json.value(QLatin1String("grid_current")).toDouble() - current) <
                6e-4 * current);
        // The same voltages as with the grid current given.
        const Run given =
            tavCalc(QString::fromLatin1(kGrid).section(QStringLiteral("--grid-current"), 0, 0) +
                    QStringLiteral("--grid-current ") +
                    QString::number(json.value(QLatin1String("grid_current")).toDouble(), 'g', 17) +
                    QStringLiteral(" --duration 0.5 --format json"));
        QCOMPARE(jsonOf(given).value(QLatin1String("Em")), json.value(QLatin1String("Em")));
    }

    void conductorJson() {
        const Run run = tavCalc(QStringLiteral(
            "conductor --material hard-drawn-copper --current 6814 --duration 0.5 --format json"));
        QCOMPARE(run.status, 0);
        const QJsonObject json = jsonOf(run);
        QCOMPARE(json.size(), 4);
        QVERIFY(std::abs(json.value(QLatin1String("area_kcmil")).toDouble() - 34.02) < 0.05);
        QVERIFY(std::abs(json.value(QLatin1String("area_mm2")).toDouble() - 17.24) < 0.01);
        QVERIFY(std::abs(json.value(QLatin1String("diameter_mm")).toDouble() - 4.686) < 0.001);
        QVERIFY(std::abs(json.value(QLatin1String("kf")).toDouble() - 7.06) < 0.01);
        // At 250 °C for a bolted joint, Table 2's 11.78.
        const Run bolted = tavCalc(QStringLiteral(
            "conductor --material hard-drawn-copper --current 1000 --duration 1 --max-temperature "
            "250 --format json"));
        QVERIFY(std::abs(jsonOf(bolted).value(QLatin1String("kf")).toDouble() - 11.78) < 0.01);
        QVERIFY(tavCalc(QStringLiteral("conductor --help")).out.contains("stainless-steel-304"));
    }

    // --pdf writes the window's report, one page, and leaves the output as it was; it needs
    // no display whatever the environment names.
    void pdfReports_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("title");
        QTest::newRow("soil-model")
            << "soil-model --wenner-resistances 16.6,9.63,6.52,5.21,4.03,3.28,2.37,1.85,1.51"
            << "Two-layer soil model";
        QTest::newRow("safety") << QString::fromLatin1(kGrid) << "Grid safety (IEEE Std 80)";
    }

    void pdfReports() {
        QFETCH(QString, arguments);
        QFETCH(QString, title);
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("report.pdf"));
        QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
        noDisplay.remove(QStringLiteral("DISPLAY"));
        noDisplay.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        const Run plain = tavCalc(arguments);
        const Run run = tavCalc(arguments + QStringLiteral(" --pdf ") + pdf, noDisplay);
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, plain.out);
        QCOMPARE(pdfPages(pdf), 1);
        QProcess text;
        text.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                   {pdf, QStringLiteral("-")});
        text.waitForFinished(30000);
        const QString written = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY(written.contains(title));
        QVERIFY(!written.contains(QStringLiteral("Field information")));
        // Headed by a field information file's items.
        const Run headed = tavCalc(arguments + QStringLiteral(" --pdf ") + pdf +
                                   QStringLiteral(" --site " TAV_TEST_DATA "/worked-example.txt"));
        QCOMPARE(headed.status, 0);
        text.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                   {pdf, QStringLiteral("-")});
        text.waitForFinished(30000);
        const QString withSite = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(withSite.contains(QStringLiteral("Client")) &&
                     withSite.contains(QStringLiteral("abc")) &&
                     withSite.contains(QStringLiteral("2019-03-04")),
                 qPrintable(withSite));
        // A file that cannot be written is a failure, and nothing else is written.
        const Run failed =
            tavCalc(arguments + QStringLiteral(" --pdf ") + pdf + QStringLiteral("/x.pdf"));
        QCOMPARE(failed.status, 1);
        QVERIFY2(failed.err.contains(QStringLiteral("The report ") + pdf +
                                     QStringLiteral("/x.pdf could not be written")),
                 qPrintable(failed.err));
        QVERIFY(failed.out.isEmpty());
    }

    void failures_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("two readings")
            << "soil-model --spacings 1,2 --resistivities 1,2" << 1 << "not 2";
        QTest::newRow("zero spacing")
            << "soil-model --spacings 1,0,4 --resistivities 1,2,3" << 1 << "reading 2";
        QTest::newRow("negative resistance")
            << "soil-model --spacings 1,2,4 --resistances 1,-2,3" << 1 << "reading 2";
        QTest::newRow("infinite resistivity")
            << "soil-model --spacings 1,2,4 --resistivities 1,inf,3" << 1 << "reading 2";
        QTest::newRow("one spacing twice")
            << "soil-model --spacings 1,2,2 --resistivities 1,2,3" << 1 << "readings 2 and 3";
        QTest::newRow("form: two rows left")
            << "soil-model --wenner-resistances 1,0,0,0,1" << 1 << "not 2";
        QTest::newRow("counts differ")
            << "soil-model --spacings 1,2,4 --resistivities 1,2" << 2 << "--resistivities";
        QTest::newRow("both kinds of value")
            << "soil-model --spacings 1,2,4 --resistivities 1,2,3 --resistances 1,2,3" << 2
            << "either";
        QTest::newRow("no readings") << "soil-model" << 2 << "--spacings";
        QTest::newRow("form with spacings")
            << "soil-model --wenner-resistances 1,2,3 --spacings 1,2,3" << 2 << "--spacings";
        QTest::newRow("twelve form rows")
            << "soil-model --wenner-resistances 1,1,1,1,1,1,1,1,1,1,1,1" << 2 << "at most 11";
        QTest::newRow("spacing1 without the form")
            << "soil-model --spacings 1,2,4 --resistivities 1,2,3 --spacing1 5" << 2
            << "--spacing1";
        QTest::newRow("letters") << "soil-model --spacings 1,2x,4 --resistivities 1,2,3" << 2
                                 << "--spacings: '2x'";
        QTest::newRow("spacing not dividing")
            << grid("--spacing 3") << 1 << "does not divide the sides 20 m and 10 m";
        QTest::newRow("diameter as deep as the grid")
            << grid("--conductor-diameter 0.5") << 1 << "not smaller than the burial depth";
        QTest::newRow("zero resistivity") << grid("--rho 0") << 1 << "soil resistivity";
        QTest::newRow("NaN current") << grid("--grid-current nan") << 1 << "grid current";
        QTest::newRow("surface without thickness")
            << grid("--surface-rho 3000") << 2 << "--surface-thickness";
        QTest::newRow("body of 60 kg") << grid("--body 60") << 2 << "50 or 70";
        QTest::newRow("rods without length") << grid("--rods 4") << 2 << "--rod-length";
        QTest::newRow("perimeter without rods")
            << grid("--rods-on-perimeter") << 2 << "go with --rods";
        QTest::newRow("both currents")
            << grid("--fault-current 3180") << 2 << "either --grid-current or --fault-current";
        QTest::newRow("split factor without the fault")
            << grid("--split-factor 0.6") << 2 << "--split-factor goes with --fault-current";
        QTest::newRow("X/R without frequency")
            << "safety --rho 100 --length-x 20 --length-y 10 --spacing 5 --depth 0.5 "
               "--conductor-diameter 0.01 --duration 0.5 --fault-current 1000 --x-over-r 10"
            << 2 << "--x-over-r and --frequency go together";
        QTest::newRow("split factor above 1")
            << "safety --rho 100 --length-x 20 --length-y 10 --spacing 5 --depth 0.5 "
               "--conductor-diameter 0.01 --duration 0.5 --fault-current 1000 --split-factor 2"
            << 1 << "must lie above 0 and at most 1, not 2";
        QTest::newRow("site without pdf")
            << grid("--site survey.txt") << 2 << "--site goes with --pdf";
        QTest::newRow("site not there")
            << grid("--pdf /tmp/never.pdf --site /nonexistent/survey.txt") << 1
            << "cannot read /nonexistent/survey.txt";
        QTest::newRow("unknown material")
            << "conductor --material gold --current 1000 --duration 1" << 2 << "'gold' is none of";
        QTest::newRow("conductor without duration")
            << "conductor --material annealed-copper --current 1000" << 2
            << "--duration is required";
        QTest::newRow("maximum below ambient") << "conductor --material annealed-copper --current "
                                                  "1000 --duration 1 --max-temperature 30"
                                               << 1 << "not above the ambient temperature 40";
        QTest::newRow("missing duration")
            << "safety --rho 100 --length-x 20 --length-y 10 --spacing 5 --depth 0.5 "
               "--conductor-diameter 0.01 --grid-current 1000"
            << 2 << "--duration is required";
        QTest::newRow("no current")
            << "safety --rho 100 --length-x 20 --length-y 10 --spacing 5 --depth 0.5 "
               "--conductor-diameter 0.01 --duration 0.5"
            << 2 << "either --grid-current or --fault-current";
        QTest::newRow("resistivity 1e200")
            << "soil-model --spacings 1,2,3 --resistivities 1e200,1e-200,1" << 1
            << "reading 1: the resistivity 1e+200 ohm-m lies outside the accepted 0.001 ohm-m to "
               "100000000 ohm-m";
        QTest::newRow("resistivity 1e-320")
            << "soil-model --spacings 1,2,4 --resistivities 1,1e-320,2" << 1
            << "reading 2: the resistivity";
        QTest::newRow("spacing 2e9 m")
            << "soil-model --spacings 1,2,2e9 --resistivities 1,2,3" << 1
            << "reading 3: the probe spacing 2000000000 m lies outside the accepted 0.01 m to "
               "10000 m";
        QTest::newRow("spacings twice")
            << "soil-model --spacings 1,2,4 --resistivities 1,2,3 --spacings 1,2,4" << 2
            << "--spacings is given more than once";
        QTest::newRow("a negative mesh factor")
            << "safety --rho 100 --length-x 100 --length-y 100 --spacing 0.5 --depth 0.5 "
               "--conductor-diameter 0.01 --grid-current 1908 --duration 0.5"
            << 1
            << "the mesh factor Km comes out at -0.00702063114398354, which has no physical sense";
        QTest::newRow("rho twice")
            << kGrid + QStringLiteral(" --rho 200") << 2 << "--rho is given more than once";
        QTest::newRow("body twice") << kGrid + QStringLiteral(" --body 70 --body 50") << 2
                                    << "--body is given more than once";
        QTest::newRow("rod length without rods")
            << grid("--rod-length 3") << 2 << "--rod-length and --rods-on-perimeter go with --rods";
        QTest::newRow("rod length with no rods")
            << grid("--rods 0 --rod-length 3") << 2 << "go with --rods of 1 or more";
        QTest::newRow("perimeter with no rods")
            << grid("--rods 0 --rods-on-perimeter") << 2 << "go with --rods of 1 or more";
    }

    void failures() {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        const Run run = tavCalc(arguments);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTavCalcModels)
#include "tst_tavcalc_models.moc"
