#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run execute(const QString &program, const QStringList &arguments,
            const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
            const QByteArray &input = QByteArray()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

Run tavCalc(const QStringList &arguments,
            const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment()) {
    return execute(QStringLiteral(TAV_CALC), arguments, environment);
}

QByteArray golden(const char *name) {
    QFile file(QStringLiteral(TAV_TEST_DATA "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList args(const char *line) {
    return QString::fromLatin1(line).split(QLatin1Char(' '));
}

} // namespace

class TestTavCalc : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void verticalJson_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("expected"); // a piece the JSON must hold, verbatim
        QTest::newRow("first row")
            << "vertical --target 10 --rho 100 --format json"
            << R"j({"length":6,"resistance":12.65,"ion_bags":6.07,"active_bags":0.9})j";
        QTest::newRow("selected 15 m")
            << "vertical --target 10 --rho 100 --format json"
            << R"j("selected_length":15,"rods":[{"model":"TAV-VK(6m)","quantity":2.5},{"model":"TAV-VK(9m)","quantity":1.67})j";
        QTest::newRow("2.5 passes over row 4") << "vertical --target 2.5 --rho 100 --format json"
                                               << R"j("selected_length":53)j";
        QTest::newRow("typed 12.65 selects 15 m")
            << "vertical --target 12.65 --rho 100 --format json"
            << R"j("selected_length":15)j";
        QTest::newRow("no row: null and zeros")
            << "vertical --target 1 --rho 100 --format json"
            << R"j("selected_length":null,"rods":[{"model":"TAV-VK(6m)","quantity":0})j";
        QTest::newRow("a 1 um rod: no active bags, 0 and not -0")
            << "vertical --target 10 --rho 100 --diameter 0.001 --format json"
            << R"j({"length":6,"resistance":12.65,"ion_bags":6.97,"active_bags":0})j";
        QTest::newRow("descending range")
            << "vertical --from 100 --to 6 --target 10 --rho 100 --format json"
            << R"j({"length":52,"resistance":2.12)j";
        QTest::newRow("plus sign and exponent")
            << "vertical --target +1e1 --rho 1.0e2 --format json"
            << R"j("selected_length":15)j";
    }

    void verticalJson() {
        QFETCH(QString, arguments);
        QFETCH(QString, expected);
        const Run run = tavCalc(arguments.split(QLatin1Char(' ')));
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains(expected), qPrintable(run.out));
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(document.object().value(QLatin1String("rows")).toArray().size(), 11);
        QCOMPARE(document.object().value(QLatin1String("rods")).toArray().size(), 6);
        QVERIFY(!run.out.contains(QLatin1String("-0,")) && !run.out.contains(QLatin1String("-0}")));
    }

    void verticalText() {
        const Run run = tavCalc(args("vertical --target 10 --rho 100"));
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split(QLatin1Char('\n'));
        QCOMPARE(lines[0].simplified(),
                 QStringLiteral("Length(m) Ohm[O] Ion Cat.(25Kg) Active Cat.(25Kg)"));
        QCOMPARE(lines[1].simplified(), QStringLiteral("6 12.65 6.07 0.9"));
        QCOMPARE(lines[11].simplified(), QStringLiteral("100 1.21 101.18 15.07"));
        QVERIFY(run.out.contains(QLatin1String("Selected length: 15 m")));
        QVERIFY(lines.contains(QStringLiteral("TAV-VK(24m)       0.63")));
        QVERIFY(run.err.isEmpty());
    }

    void failures_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("target 0 and resistivity 0")
            << "vertical --target 0 --rho 0" << 1 << "Input target ground resistance correctly.";
        QTest::newRow("resistivity 0")
            << "vertical --target 5 --rho 0" << 1 << "Input soil resistivity correctly.";
        QTest::newRow("negative target")
            << "vertical --target -5 --rho 100" << 1 << "Input target ground resistance correctly.";
        QTest::newRow("trailing letters") << "vertical --target 10x --rho 100" << 2 << "--target";
        QTest::newRow("fraction for a length")
            << "vertical --from 6.5 --target 1 --rho 1" << 2 << "--from";
        QTest::newRow("length beyond int")
            << "vertical --to 3000000000 --target 1 --rho 1" << 2 << "--to";
        QTest::newRow("beyond single range") << "vertical --target 1 --rho 1e39" << 2 << "--rho";
        QTest::newRow("not finite") << "vertical --target inf --rho 1" << 2 << "--target";
        QTest::newRow("empty value") << "vertical --target  --rho 1" << 2 << "--target";
        QTest::newRow("missing option") << "vertical --target 10" << 2 << "--rho is required";
        QTest::newRow("unknown option") << "vertical --target 10 --rho 1 --depth 2" << 2 << "depth";
        QTest::newRow("unknown format")
            << "vertical --target 10 --rho 1 --format xml" << 2 << "--format";
        QTest::newRow("unknown command") << "sideways" << 2 << "sideways";
        QTest::newRow("no command") << "" << 2 << "no command";
        // What has no physical sense is refused before calculating; the forms calculate it.
        QTest::newRow("lengths from -5")
            << "vertical --from -5 --target 10 --rho 100" << 1
            << "the shortest rod length must be a positive finite number, not -5";
        QTest::newRow("lengths from 0")
            << "vertical --from 0 --to 10 --target 10 --rho 100" << 1 << "the shortest rod length";
        QTest::newRow("negative resistivity")
            << "vertical --target 10 --rho -100" << 1 << "Input soil resistivity correctly.";
        QTest::newRow("zero diameter") << "vertical --target 10 --rho 100 --diameter 0" << 1
                                       << "the rod diameter must be a positive finite number";
        QTest::newRow("diameter 1e38 mm") << "vertical --target 10 --rho 100 --diameter 1e38" << 1
                                          << "is not smaller than the bore of 150 mm it stands in";
        QTest::newRow("horizontal 1e30 m deep")
            << "horizontal --target 10 --rho 100 --depth 1e30" << 1
            << "is not smaller than the shortest rod length 3 m";
        QTest::newRow("horizontal at depth 0")
            << "horizontal --target 10 --rho 100 --depth 0" << 1 << "the burial depth must be";
        QTest::newRow("an option twice")
            << "vertical --target 10 --rho 100 --rho 200" << 2 << "--rho is given more than once";
        QTest::newRow("a default option twice")
            << "vertical --target 10 --rho 100 --from 6 --from 6" << 2 << "--from is given more";
        QTest::newRow("the format twice")
            << "vertical --target 10 --rho 100 --format json --format text" << 2
            << "--format is given more than once";
    }

    void failures() {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        QStringList list = arguments.split(QLatin1Char(' '));
        list.removeAll(QString());
        if (arguments.contains(QLatin1String("--target  ")))
            list.insert(list.indexOf(QStringLiteral("--target")) + 1, QString());
        const Run run = tavCalc(list);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    void wenner_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("expected"); // a piece the JSON must hold, verbatim
        QTest::newRow("row 1 at 10")
            << "wenner --resistances 10 --format json"
            << R"j({"spacing":1,"resistance":10,"resistivity":62.8},{"spacing":2,"resistance":0,"resistivity":0})j";
        QTest::newRow("unrounded mean") << "wenner --resistances 1.01,1.01 --format json"
                                        << R"j("resistivity":12.7},)j"
                                           R"j({"spacing":4)j";
        QTest::newRow("mean 9.51") << "wenner --resistances 1.01,1.01 --format json"
                                   << R"j("average":9.51})j";
        QTest::newRow("negative rows count") << "wenner --resistances -10,10 --format json"
                                             << R"j("average":31.4})j";
        QTest::newRow("zero spacing not counted")
            << "wenner --resistances 0,0,0,0,0,0,0,0,0,0,5 --format json"
            << R"j({"spacing":0,"resistance":5,"resistivity":0}],"average":0})j";
        QTest::newRow("typed spacings")
            << "wenner --resistances 1,1,1,1,1,1,1,1,1,1,1 --spacing1 "
               "36 --spacing2 42 --format json"
            << R"j({"spacing":42,"resistance":1,"resistivity":263.8}],"average":105.05})j";
        QTest::newRow("row 10 with spacing 3")
            << "wenner --resistances 0,0,0,0,0,0,0,0,0,2 --spacing1 3 --format json"
            << R"j({"spacing":3,"resistance":2,"resistivity":37.7})j";
    }

    void wenner() {
        QFETCH(QString, arguments);
        QFETCH(QString, expected);
        const Run run = tavCalc(arguments.split(QLatin1Char(' ')));
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains(expected), qPrintable(run.out));
        const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8());
        QCOMPARE(document.object().value(QLatin1String("rows")).toArray().size(), 11);
        QVERIFY(!run.out.contains(QLatin1String(":-0")));
    }

    void wennerText() {
        const Run run = tavCalc(args("wenner --resistances 10,10"));
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split(QLatin1Char('\n'));
        QCOMPARE(
            lines[0].simplified(),
            QStringLiteral("Probe Spacing [m] Measured R value [ohms] Soil resistivity [ohm-m]"));
        QCOMPARE(lines[2].simplified(), QStringLiteral("2 10 125.6"));
        QVERIFY(lines.contains(QStringLiteral("Calculated average soil resistivity: 94.2 [ohm]")));
    }

    void wennerFailures_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("twelve values") << "wenner --resistances 1,2,3,4,5,6,7,8,9,10,11,12"
                                       << "at most 11";
        QTest::newRow("empty value") << "wenner --resistances 1,,3"
                                     << "--resistances";
        QTest::newRow("letters") << "wenner --resistances 1,2ohm"
                                 << "--resistances";
        QTest::newRow("negative spacing") << "wenner --resistances 1 --spacing1 -3"
                                          << "--spacing1";
        QTest::newRow("fractional spacing") << "wenner --resistances 1 --spacing2 1.5"
                                            << "--spacing2";
        QTest::newRow("no resistances") << "wenner --spacing1 3"
                                        << "--resistances is required";
    }

    void wennerFailures() {
        QFETCH(QString, arguments);
        QFETCH(QString, message);
        const Run run = tavCalc(arguments.split(QLatin1Char(' ')));
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    void helpAndVersion() {
        const Run help = tavCalc({QStringLiteral("--help")});
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.contains(QLatin1String("vertical")));
        QVERIFY(help.out.contains(QLatin1String("wenner")));
        const Run commandHelp = tavCalc(args("vertical --help"));
        QCOMPARE(commandHelp.status, 0);
        QVERIFY(commandHelp.out.startsWith(QLatin1String("Usage: tav-calc vertical")));
        QVERIFY(commandHelp.out.contains(QLatin1String("--diameter")));
        const Run version = tavCalc({QStringLiteral("--version")});
        QCOMPARE(version.status, 0);
        QVERIFY(version.out.startsWith(QLatin1String("tav-calc 1.0")));
    }

    void otherCommands_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // a piece standard output must hold
        QTest::addColumn<QString>("err"); // what standard error must hold; empty: nothing
        QTest::newRow("horizontal, its rods")
            << "horizontal --target 10 --rho 100 --format json" << 0
            << R"j("selected_length":14,"rods":[{"model":"TAV-HN(3m)","quantity":4.67},)j"
            << "";
        QTest::newRow("horizontal warns below 0.3 m and calculates")
            << "horizontal --target 10 --rho 100 --depth 0.29" << 0 << "Selected length"
            << "type data above 30cm.";
        QTest::newRow("horizontal takes no diameter")
            << "horizontal --target 10 --rho 100 --diameter 54" << 2 << ""
            << "diameter";
        QTest::newRow("mesh")
            << "mesh --rho 100 --horizontal-length 20 --vertical-length 10 --depth 0.6 "
               "--horizontal-spacing 5 --vertical-spacing 5 --format json"
            << 0
            << R"j({"inner_conductors_horizontal":3,"inner_conductors_vertical":1,"total_length":110,"resistance":3.82})j"
            << "";
        QTest::newRow("mesh of zero inputs")
            << "mesh --rho 0 --horizontal-length 0 --vertical-length 0 --depth 0 "
               "--horizontal-spacing 0 --vertical-spacing 0 --format json"
            << 1 << ""
            << "the soil resistivity must be a positive finite number, not 0";
        QTest::newRow("mesh on a negative resistivity")
            << "mesh --rho -100 --horizontal-length 20 --vertical-length 10 --depth 0.6 "
               "--horizontal-spacing 5 --vertical-spacing 5"
            << 1 << ""
            << "the soil resistivity must be a positive finite number, not -100";
        QTest::newRow("mesh without a grid")
            << "mesh --rho 100 --horizontal-length 20 --vertical-length 10 --depth 0.6 "
               "--horizontal-spacing 0 --vertical-spacing 5"
            << 1 << ""
            << "the horizontal spacing must be a positive finite number, not 0";
        QTest::newRow("mesh too fine to count")
            << "mesh --rho 100 --horizontal-length 3e38 --vertical-length 10 --depth 0.6 "
               "--horizontal-spacing 1e-30 --vertical-spacing 5"
            << 1 << ""
            << "beyond the range";
        QTest::newRow("mesh, a spacing twice")
            << "mesh --rho 100 --horizontal-length 20 --vertical-length 10 --depth 0.6 "
               "--horizontal-spacing 5 --vertical-spacing 5 --vertical-spacing 2"
            << 2 << ""
            << "--vertical-spacing is given more than once";
        QTest::newRow("mesh needs every value") << "mesh --rho 100" << 2 << ""
                                                << "--horizontal-length is required";
        QTest::newRow("site show")
            << "site show " TAV_TEST_DATA "/worked-example.txt --format json" << 0
            << R"j({"client_company_name":"abc","field_name":"","measurement_date":"2019-03-04","file_number":"7","soil_type":2,"layer_structure":0,"field_position":5,"altitude":"120","meteorological":"Rain","temperature":"12","celsius":1,"fahrenheit":0,"note":"","items_read":15})j"
            << "";
        QTest::newRow("site show as text")
            << "site show " TAV_TEST_DATA "/worked-example.txt" << 0
            << "Soil Type: General soil\nGeological layer structure: Vertical layer\n"
               "Field position: others\n"
            << "";
        QTest::newRow("site show of no file") << "site show /nonexistent/site.txt" << 1 << ""
                                              << "cannot open /nonexistent/site.txt";
    }

    void otherCommands() {
        QFETCH(QString, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run run = tavCalc(arguments.split(QLatin1Char(' ')));
        QCOMPARE(run.status, status);
        QVERIFY2(run.out.contains(out), qPrintable(run.out));
        QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.contains(err), qPrintable(run.err));
    }

    void siteShowOfACutFile() {
        QTemporaryDir dir;
        QFile cut(dir.filePath(QStringLiteral("cut.txt")));
        QFile example(QStringLiteral(TAV_TEST_DATA "/worked-example.txt"));
        QVERIFY(cut.open(QIODevice::WriteOnly) && example.open(QIODevice::ReadOnly));
        cut.write(example.read(42)); // inside the temperature
        cut.close();
        const Run run = tavCalc({QStringLiteral("site"), QStringLiteral("show"), cut.fileName(),
                                 QStringLiteral("--format"), QStringLiteral("json")});
        QCOMPARE(run.status, 1);
        const QJsonObject object = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(object.value(QLatin1String("items_read")).toInt(), 11);
        QCOMPARE(object.value(QLatin1String("meteorological")).toString(), QStringLiteral("Rain"));
        QVERIFY(!object.contains(QLatin1String("temperature")));
        QCOMPARE(object.value(QLatin1String("error")).toString(),
                 QStringLiteral("end of file in item 12, temperature"));
        QVERIFY(run.err.contains(QLatin1String("end of file in item 12, temperature")));
    }

    // Run as a shell runs them, where a file name can be any bytes and standard input
    // anything: in a fresh folder, with $TAV the program, $DATA the test data, and $AS_USER
    // a prefix that runs a command as a user who is not root.
    void siteFromAShell_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");   // a piece that standard output holds
        QTest::addColumn<QString>("err");   // a piece that standard error holds; "": nothing
        QTest::addColumn<QString>("check"); // a shell test afterwards
        const QString latin1 = QStringLiteral("\"$(printf 'caf\\351.tav')\"");
        QTest::newRow("show a name that is not UTF-8")
            << "cp \"$DATA/worked-example.txt\" " + latin1 << "$TAV site show " + latin1 << 0
            << "Client Company Name: abc"
            << ""
            << "true";
        QTest::newRow("write a name that is not UTF-8")
            << ""
            << "echo '{}' | $TAV site write " + latin1 << 0 << ""
            << ""
            << "test -f " + latin1 + " && test \"$(ls | wc -l)\" = 1";
        QTest::newRow("endless standard input") << ""
                                                << "$TAV site write out.tav < /dev/zero" << 2 << ""
                                                << "standard input holds more than 67108864 bytes"
                                                << "test ! -e out.tav";
        QTest::newRow("a folder on standard input") << ""
                                                    << "$TAV site write out.tav < ." << 2 << ""
                                                    << "cannot read standard input: Is a directory"
                                                    << "test ! -e out.tav";
        QTest::newRow("write through a link to a device")
            << "ln -s /dev/null null.tav"
            << "echo '{}' | $TAV site write null.tav" << 1 << ""
            << "could not write null.tav: a character device, not a regular file"
            << "test -L null.tav";
        QTest::newRow("show through a link to a device")
            << "ln -s /dev/null null.tav"
            << "$TAV site show null.tav" << 1 << ""
            << "cannot open null.tav: a character device, not a regular file"
            << "true";
        QTest::newRow("bytes after the last item")
            << "cat \"$DATA/worked-example.txt\" > t.tav && printf extra >> t.tav"
            << "$TAV site show t.tav --format json" << 0
            << R"j("items_read":15,"warning":"bytes after the last item, not read: 5"})j"
            << "t.tav: warning: bytes after the last item, not read: 5"
            << "true";
        QTest::newRow("a read-only file, by its owner")
            << "chmod 777 . && cp \"$DATA/empty-record.txt\" ro.tav && chmod 444 ro.tav && "
               "{ [ -z \"$AS_USER\" ] || chown 65534 ro.tav; }"
            << "echo '{}' | $AS_USER $TAV site write ro.tav" << 1 << ""
            << "could not write ro.tav: Permission denied"
            << "cmp -s ro.tav \"$DATA/empty-record.txt\"";
    }

    void siteFromAShell() {
        QFETCH(QString, setup);
        QFETCH(QString, command);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(QString, check);
        QTemporaryDir dir;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TAV"), QStringLiteral(TAV_CALC));
        environment.insert(QStringLiteral("DATA"), QStringLiteral(TAV_TEST_DATA));
        environment.insert(
            QStringLiteral("AS_USER"),
            ::geteuid() == 0 ? QStringLiteral("setpriv --reuid=65534 --regid=65534 --clear-groups")
                             : QString());
        const auto shell = [&](const QString &line) {
            QProcess process;
            process.setProcessEnvironment(environment);
            process.setWorkingDirectory(dir.path());
            process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), line});
            process.closeWriteChannel();
            process.waitForFinished(30000);
            return Run{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                       QString::fromUtf8(process.readAllStandardError())};
        };
        if (!setup.isEmpty())
            QCOMPARE(shell(setup).status, 0);
        const Run run = shell(command);
        QCOMPARE(run.status, status);
        QVERIFY2(run.out.contains(out), qPrintable(run.out));
        QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.contains(err), qPrintable(run.err));
        QCOMPARE(shell(check).status, 0);
        shell(QStringLiteral("rm -f ./*")); // names QDir cannot remove
    }

    void siteWrite_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QByteArray>("file"); // hex; empty: refused with status 2
        QTest::newRow("what site show printed")
            << QByteArray(
                   R"j({"client_company_name":"abc","field_name":"","measurement_date":"2019-03-04","file_number":"7","soil_type":2,"layer_structure":0,"field_position":5,"altitude":"120","meteorological":"Rain","temperature":"12","celsius":1,"fahrenheit":0,"note":"","items_read":15})j")
            << golden("worked-example.txt").toHex().toUpper();
        QTest::newRow("null date, UTF-8 text, list index -1")
            << QByteArray(R"j({"measurement_date":null,"field_name":"é","soil_type":-1})j")
            << QByteArray("0002C3A9"
                          "FFFFFFFFFFFFFFFFFFFFFFFF"
                          "00"
                          "FFFFFFFF"
                          "00000000"
                          "00000000"
                          "000000"
                          "01000000"
                          "00000000"
                          "00");
        QTest::newRow("unknown key") << QByteArray(R"j({"colour":"red"})j") << QByteArray();
        QTest::newRow("fraction for an index")
            << QByteArray(R"j({"soil_type":1.5})j") << QByteArray();
        QTest::newRow("no such day")
            << QByteArray(R"j({"measurement_date":"2019-02-30"})j") << QByteArray();
    }

    void siteWrite() {
        QFETCH(QByteArray, json);
        QFETCH(QByteArray, file);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("site.txt"));
        const Run run = execute(QStringLiteral(TAV_CALC),
                                {QStringLiteral("site"), QStringLiteral("write"), path},
                                QProcessEnvironment::systemEnvironment(), json);
        QCOMPARE(run.status, file.isEmpty() ? 2 : 0);
        QFile written(path);
        QCOMPARE(written.open(QIODevice::ReadOnly), !file.isEmpty());
        if (!file.isEmpty())
            QCOMPARE(written.readAll().toHex().toUpper(), file);
    }

    void unwritableOutputIsAFailure() {
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(TAV_CALC), args("vertical --target 10 --rho 100"));
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(process.readAllStandardError().contains("cannot write the output"));
    }

    void sameDigitsUnderACommaLocale() {
        // ./dev.sh test names a locale with a decimal comma, found through LOCPATH.
        const QString name = qEnvironmentVariable("TAV_TEST_COMMA_LOCALE");
        if (name.isEmpty())
            QSKIP("TAV_TEST_COMMA_LOCALE names no locale with a decimal comma");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), name);
        // The C library's own word that the locale is in force in that environment.
        const Run locale =
            execute(QStringLiteral("locale"), {QStringLiteral("decimal_point")}, environment);
        QVERIFY2(locale.err.isEmpty(), qPrintable(locale.err));
        QCOMPARE(locale.out.trimmed(), QStringLiteral(","));
        const Run run =
            tavCalc(args("vertical --target 2.6 --rho 100.5 --format json"), environment);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains(QLatin1String(R"j({"length":6,"resistance":12.72,)j")) &&
                     run.out.contains(QLatin1String(R"j("selected_length":43)j")),
                 qPrintable(run.out));
    }
};

QTEST_GUILESS_MAIN(TestTavCalc)
#include "tst_tavcalc.moc"
