// tav-calc tolerable, and tav-calc safety's --criteria: IEEE Std 80-2013's tolerable voltages
// or EN 50522:2010's permissible touch voltage, as the command line gives and writes them.
// The numbers are checked in tst_tolerablevoltage; here the options, the output and the
// refusals.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include <cmath>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run tavCalc(const QString &line) {
    QProcess process;
    process.start(QStringLiteral(TAV_CALC), line.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QJsonObject jsonOf(const Run &run) {
    return QJsonDocument::fromJson(run.out.toUtf8()).object();
}

bool near(double actual, double expected, double relative = 1e-9) {
    return std::abs(actual - expected) <= relative * std::abs(expected);
}

// EN 50522 at 0.5 s: U_Tp 220 V; I_B = 220 / 1235 ohm, the body impedance of
// IEC/TS 60479-1 Table 1 at 220 V (50 %, hand to hand).
const double kBodyCurrentAt05 = 220. / 1235;

// IEEE Std 80-2013 Annex B.1's grid and fault; its person of 70 kg is IEEE Std 80's alone.
const char kAnnexB1[] = "safety --rho 400 --length-x 70 --length-y 70 --spacing 7 --depth 0.5 "
                        "--conductor-diameter 0.01 --grid-current 1908 --duration 0.5 "
                        "--surface-rho 2500 --surface-thickness 0.102";

} // namespace

class TestTavCalcTolerable : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // B.1's person: Cs of Eq. 27 and Eqs. 32 and 33 worked here.
    void ieee80AnnexB() {
        const Run run = tavCalc(
            QStringLiteral("tolerable --duration 0.5 --body 70 --soil-rho 400 --surface-rho 2500 "
                           "--surface-thickness 0.102 --format json"));
        QCOMPARE(run.status, 0);
        const QJsonObject json = jsonOf(run);
        const double cs = 1 - 0.09 * (1 - 400. / 2500) / (2 * 0.102 + 0.09);
        const double k = 0.157 / std::sqrt(0.5);
        QCOMPARE(json.value(QLatin1String("criteria")).toString(), QStringLiteral("ieee80"));
        QVERIFY(near(json.value(QLatin1String("cs")).toDouble(), cs));
        QVERIFY(near(json.value(QLatin1String("touch")).toDouble(), (1000 + 1.5 * cs * 2500) * k));
        QVERIFY(near(json.value(QLatin1String("step")).toDouble(), (1000 + 6 * cs * 2500) * k));
        QCOMPARE(json.value(QLatin1String("body")).toInt(), 70);
        QVERIFY(!json.contains(QLatin1String("warnings")));
    }

    // Only the soil: rho_s = rho and Cs = 1; 50 kg, 1 s: (1000 + 1.5 x 400) 0.116 and
    // (1000 + 6 x 400) 0.116.
    void ieee80BareSoil() {
        const Run run = tavCalc(QStringLiteral("tolerable --duration 1 --soil-rho 400"));
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains(QStringLiteral("Cs: 1\n")), qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("Tolerable touch voltage: 185.6 V")),
                 qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("Tolerable step voltage: 394.4 V")),
                 qPrintable(run.out));
        const QJsonObject json = jsonOf(tavCalc(QStringLiteral(
            "tolerable --duration 1 --soil-rho 400 --criteria ieee80 --format json")));
        QVERIFY(near(json.value(QLatin1String("touch")).toDouble(), 1600 * 0.116));
        QVERIFY(near(json.value(QLatin1String("step")).toDouble(), 3400 * 0.116));
    }

    void en50522_data() {
        QTest::addColumn<QString>("options");
        QTest::addColumn<double>("touch");
        QTest::newRow("bare feet, no ground: U_Tp") << "--footwear 0" << 220.;
        QTest::newRow("shoes, no ground") << "" << 220 + 1000 * kBodyCurrentAt05;
        QTest::newRow("shoes on 100 ohm m") << "--soil-rho 100" << 220 + 1150 * kBodyCurrentAt05;
        QTest::newRow("bare feet on 3000 ohm m rock over 100")
            << "--footwear 0 --soil-rho 100 --surface-rho 3000 --surface-thickness 0.1"
            << 220 + 4500 * kBodyCurrentAt05;
    }

    void en50522() {
        QFETCH(QString, options);
        QFETCH(double, touch);
        const Run run = tavCalc(QStringLiteral("tolerable --criteria en50522 --duration 0.5 ") +
                                options + QStringLiteral(" --format json"));
        QCOMPARE(run.status, 0);
        const QJsonObject json = jsonOf(run);
        QCOMPARE(json.value(QLatin1String("criteria")).toString(), QStringLiteral("en50522"));
        QVERIFY2(near(json.value(QLatin1String("touch")).toDouble(), touch), qPrintable(run.out));
        QVERIFY(json.value(QLatin1String("step")).isNull());
        QVERIFY(json.contains(QLatin1String("step")));
        QVERIFY(near(json.value(QLatin1String("permissible_touch")).toDouble(), 220));
        QVERIFY(near(json.value(QLatin1String("body_current")).toDouble(), kBodyCurrentAt05));
        const Run text =
            tavCalc(QStringLiteral("tolerable --criteria en50522 --duration 0.5 ") + options);
        QCOMPARE(text.status, 0);
        QVERIFY2(text.out.contains(QStringLiteral("Step voltage: no limit (EN 50522)")),
                 qPrintable(text.out));
    }

    // Beyond EN 50522's table its end value stands, with a warning naming the range.
    void en50522OutsideTable() {
        const Run run = tavCalc(QStringLiteral(
            "tolerable --criteria en50522 --duration 20 --footwear 0 --format json"));
        QCOMPARE(run.status, 0);
        const QJsonObject json = jsonOf(run);
        QVERIFY(near(json.value(QLatin1String("touch")).toDouble(), 85));
        QVERIFY2(run.out.contains(QStringLiteral("20 s lies outside 0.05 s to 10 s")),
                 qPrintable(run.out));
    }

    // A usage error names its option and ends with status 2, as every tav-calc usage error
    // does; a value the calculation refuses ends with status 1.
    void refused_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown criteria")
            << "tolerable --duration 1 --soil-rho 100 --criteria en50523" << 2 << "--criteria";
        QTest::newRow("negative footwear")
            << "tolerable --duration 1 --criteria en50522 --footwear -1" << 1
            << "the footwear resistance R_F1 must be zero or a positive finite number, not -1";
        QTest::newRow("60 kg") << "tolerable --duration 1 --soil-rho 100 --body 60" << 2
                               << "--body";
        QTest::newRow("no duration") << "tolerable --soil-rho 100" << 2 << "--duration is required";
        QTest::newRow("IEEE 80 without soil") << "tolerable --duration 1" << 2 << "--soil-rho";
        QTest::newRow("IEEE 80 with the surface only")
            << "tolerable --duration 1 --surface-rho 3000 --surface-thickness 0.1" << 2
            << "--soil-rho";
        // An option that would change nothing is no option of the criteria asked for: IEEE Std
        // 80's body weight under EN 50522.
        QTest::newRow("a body weight under EN 50522")
            << "tolerable --duration 1 --criteria en50522 --body 70" << 2 << "--body";
        QTest::newRow("safety: a body weight under EN 50522")
            << QString::fromLatin1(kAnnexB1) + " --body 70 --criteria en50522" << 2 << "--body";
        QTest::newRow("footwear under IEEE 80")
            << "tolerable --duration 1 --soil-rho 100 --footwear 500" << 2 << "--footwear";
        QTest::newRow("surface without thickness")
            << "tolerable --duration 1 --soil-rho 100 --surface-rho 3000" << 2
            << "--surface-thickness";
        QTest::newRow("zero duration")
            << "tolerable --duration 0 --criteria en50522" << 1 << "fault duration";
        // Beyond any soil's, rock's or boot's the tolerable voltages hold no limit any more.
        QTest::newRow("soil beyond the bound") << "tolerable --duration 0.5 --soil-rho 1e308" << 1
                                               << "the soil resistivity 1e+308 is above 10000000";
        QTest::newRow("surface layer beyond the bound")
            << "tolerable --duration 0.5 --soil-rho 100 --surface-rho 1e300 --surface-thickness 0.1"
            << 1 << "surface layer's resistivity 1e+300 is above 10000000";
        QTest::newRow("footwear beyond the bound")
            << "tolerable --duration 0.5 --criteria en50522 --footwear 1e300" << 1
            << "footwear resistance R_F1 1e+300 is above 1000000";
        QTest::newRow("safety: unknown criteria")
            << QString::fromLatin1(kAnnexB1) + " --criteria iec" << 2 << "--criteria";
        QTest::newRow("safety: negative footwear")
            << QString::fromLatin1(kAnnexB1) + " --criteria en50522 --footwear -5" << 1
            << "footwear resistance R_F1";
    }

    void refused() {
        QFETCH(QString, line);
        QFETCH(int, status);
        QFETCH(QString, message);
        const Run run = tavCalc(line);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    // B.1's grid held against EN 50522: Em and Es as under IEEE Std 80, the touch limit
    // U_vTp = 220 + (1000 + 1.5 x 2500) I_B, and the step without a limit.
    void safetyAgainstEn50522() {
        const Run ieee =
            tavCalc(QString::fromLatin1(kAnnexB1) + QStringLiteral(" --body 70 --format json"));
        QCOMPARE(ieee.status, 0);
        const Run run = tavCalc(QString::fromLatin1(kAnnexB1) +
                                QStringLiteral(" --criteria en50522 --format json"));
        QCOMPARE(run.status, 0);
        const QJsonObject was = jsonOf(ieee);
        const QJsonObject json = jsonOf(run);
        QCOMPARE(json.value(QLatin1String("Em")), was.value(QLatin1String("Em")));
        QCOMPARE(json.value(QLatin1String("Es")), was.value(QLatin1String("Es")));
        QVERIFY(near(json.value(QLatin1String("touch_tolerable")).toDouble(),
                     220 + 4750 * kBodyCurrentAt05));
        QVERIFY(json.value(QLatin1String("step_tolerable")).isNull());
        QCOMPARE(json.value(QLatin1String("touch_safe")).toBool(false), true);
        QCOMPARE(was.value(QLatin1String("touch_safe")).toBool(true), false);
        QVERIFY(json.value(QLatin1String("step_safe")).isNull());
        QCOMPARE(json.value(QLatin1String("criteria")).toString(), QStringLiteral("en50522"));
        QVERIFY(!was.contains(QLatin1String("criteria")));
        const Run text =
            tavCalc(QString::fromLatin1(kAnnexB1) + QStringLiteral(" --criteria en50522"));
        QCOMPARE(text.status, 0);
        QVERIFY2(text.out.contains(QStringLiteral("V: no limit (EN 50522)\n")),
                 qPrintable(text.out));
        QVERIFY2(text.out.contains(QStringLiteral("U_vTp of 1066.15 V: safe")),
                 qPrintable(text.out));
    }

    // The usage text lists the command.
    void listed() {
        const Run run = tavCalc(QStringLiteral("--help"));
        QVERIFY2(run.out.contains(QStringLiteral("\n  tolerable ")), qPrintable(run.out));
    }
};

QTEST_GUILESS_MAIN(TestTavCalcTolerable)
#include "tst_tavcalc_tolerable.moc"
