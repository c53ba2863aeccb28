// tav-calc soil-model and safety: options, refusals, exit status and the JSON they write.
// The calculations themselves are checked in tst_soilmodel and tst_gridsafety.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QString err;
};

Run tavCalc(const QString &line) {
    QProcess process;
    process.start(QStringLiteral(TAV_CALC), line.split(QLatin1Char(' ')));
    process.waitForFinished(30000);
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

QJsonObject jsonOf(const Run &run) {
    return QJsonDocument::fromJson(run.out).object();
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
        QTest::newRow("missing duration")
            << "safety --rho 100 --length-x 20 --length-y 10 --spacing 5 --depth 0.5 "
               "--conductor-diameter 0.01 --grid-current 1000"
            << 2 << "--duration is required";
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
