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

} // namespace

class TestTavCalcModels : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void soilModelJson_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("piece"); // verbatim in the JSON
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("layered");
        QTest::newRow("resistivities, echoed as given")
            << "--spacings 1,2,4 --resistivities 100,200,400"
            << R"("spacing":1,"measured":100,)" << 3 << true;
        QTest::newRow("resistances times the exact 2 pi")
            << "--spacings 1,2,4 --resistances 1,1,1"
            << R"("measured":6.283185307179586,)" << 3 << true;
        QTest::newRow("the form's rows at 0 skipped")
            << "--wenner-resistances 1,0,1,0,1 --format json"
            << R"("spacing":9,)" << 3 << true;
        QTest::newRow("uniform: no h") << "--spacings 1,2,4,8 --resistivities 50,50,50,50"
                                       << R"("rho1":50,"rho2":50,"h":null,)" << 4 << false;
    }

    void soilModelJson() {
        QFETCH(QString, arguments);
        QFETCH(QString, piece);
        QFETCH(int, rows);
        QFETCH(bool, layered);
        const Run run = tavCalc(QStringLiteral("soil-model --format json ") + arguments);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains(piece.toUtf8()), run.out.constData());
        const QJsonObject json = jsonOf(run);
        for (const char *key : {"rho1", "rho2", "rms_percent"})
            QVERIFY2(json.value(QLatin1String(key)).isDouble(), key);
        QCOMPARE(json.value(QLatin1String("h")).isDouble(), layered);
        QCOMPARE(json.value(QLatin1String("layered")).toBool(!layered), layered);
        const QJsonObject uniform = json.value(QLatin1String("uniform")).toObject();
        QVERIFY(uniform.value(QLatin1String("rho")).isDouble());
        QVERIFY(uniform.value(QLatin1String("rms_percent")).isDouble());
        const QJsonArray table = json.value(QLatin1String("rows")).toArray();
        QCOMPARE(table.size(), rows);
        for (const QJsonValue &row : table)
            for (const char *key : {"spacing", "measured", "model", "error_percent"})
                QVERIFY2(row.toObject().value(QLatin1String(key)).isDouble(), key);
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
        const QString grid = QLatin1String(kGrid);
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
            << grid + " --spacing 3" << 1 << "does not divide the sides 20 m and 10 m";
        QTest::newRow("diameter as deep as the grid")
            << grid + " --conductor-diameter 0.5" << 1 << "not smaller than the burial depth";
        QTest::newRow("zero resistivity") << grid + " --rho 0" << 1 << "soil resistivity";
        QTest::newRow("NaN current") << grid + " --grid-current nan" << 1 << "grid current";
        QTest::newRow("surface without thickness")
            << grid + " --surface-rho 3000" << 2 << "--surface-thickness";
        QTest::newRow("body of 60 kg") << grid + " --body 60" << 2 << "50 or 70";
        QTest::newRow("rods without length") << grid + " --rods 4" << 2 << "--rod-length";
        QTest::newRow("perimeter without rods")
            << grid + " --rods-on-perimeter" << 2 << "go with --rods";
        QTest::newRow("both currents")
            << grid + " --fault-current 3180" << 2 << "either --grid-current or --fault-current";
        QTest::newRow("split factor without the fault")
            << grid + " --split-factor 0.6" << 2 << "--split-factor goes with --fault-current";
        QTest::newRow("X/R without frequency")
            << "safety --rho 100 --length-x 20 --length-y 10 --spacing 5 --depth 0.5 "
               "--conductor-diameter 0.01 --duration 0.5 --fault-current 1000 --x-over-r 10"
            << 2 << "--x-over-r and --frequency go together";
        QTest::newRow("split factor above 1")
            << "safety --rho 100 --length-x 20 --length-y 10 --spacing 5 --depth 0.5 "
               "--conductor-diameter 0.01 --duration 0.5 --fault-current 1000 --split-factor 2"
            << 1 << "must lie above 0 and at most 1, not 2";
        QTest::newRow("site without pdf")
            << grid + " --site survey.txt" << 2 << "--site goes with --pdf";
        QTest::newRow("site not there")
            << grid + " --pdf /tmp/never.pdf --site /nonexistent/survey.txt" << 1
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
