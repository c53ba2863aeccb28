// tav-calc system against hostile documents: each is refused with status 1 and a message
// that names where it went wrong, or answered as its sound twin is, and none of them
// makes the command hang or crash.
#include "tests/support/TavCalcRun.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include <cmath>

namespace {

using Run = TavCalcRun;

Run tavCalc(const QStringList &arguments, const QByteArray &input) {
    return runTavCalc(arguments, input);
}

const QByteArray kHead = R"({"soil": {"rho": 100}, "current": 10, )";

// A wire and a rod at its end, the rest of the document given.
QByteArray withWire(const QByteArray &rest) {
    return kHead + R"("conductors": [{"from": [0, 0, 0.5], "to": [10, 0, 0.5], "diameter": 0.01},
                       {"from": [0, 0, 0.5], "to": [0, 0, 3.5], "diameter": 0.016}])" +
           rest + "}";
}

// count parallel wires a metre long and a metre apart, the first two the same wire.
QByteArray parallelWires(int count) {
    QByteArray conductors;
    for (int k = 0; k < count; ++k) {
        const QByteArray y = QByteArray::number(k == 0 ? 0 : k - 1);
        conductors += (k == 0 ? "" : ",") + QByteArray(R"({"from": [0, )") + y +
                      R"(, 0.5], "to": [1, )" + y + R"(, 0.5], "diameter": 0.01})";
    }
    return kHead + R"("conductors": [)" + conductors + "]}";
}

// A polygon of count corners round a circle of 30 m about (5, 0), as JSON.
QByteArray circlePolygon(int count) {
    QByteArray corners;
    for (int k = 0; k < count; ++k) {
        const double a = 2 * M_PI * k / count;
        corners += (k == 0 ? "[" : ",[") + QByteArray::number(5 + 30 * std::cos(a), 'g', 17) + "," +
                   QByteArray::number(30 * std::sin(a), 'g', 17) + "]";
    }
    return "[" + corners + "]";
}

// The readings of a rising sounding at count spacings, a metre apart from 1 m.
QStringList sounding(int count) {
    QStringList spacings;
    QStringList values;
    for (int k = 1; k <= count; ++k) {
        spacings << QString::number(k);
        values << QString::number(100 + k);
    }
    return {"--spacings", spacings.join(','), "--resistivities", values.join(',')};
}

// A grid with count rods at points 0.4 m apart in a row.
QByteArray manyRods(int count) {
    QByteArray at;
    for (int k = 0; k < count; ++k)
        at += (k == 0 ? "[" : ",[") + QByteArray::number(k * 0.4) + ",20]";
    return kHead + R"("grids": [{"size": [10, 10], "conductors": [2, 2], "depth": 0.5,
        "diameter": 0.01}], "rods": [{"at": [)" +
           at + R"(], "top": 0.5, "length": 3, "diameter": 0.016}]})";
}

} // namespace

class TestTavCalcHostile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refused_data() {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QStringList>("message"); // all of these
        // The segment limit comes before the search for overlaps, which looks at pairs.
        QTest::newRow("twenty thousand wires, two the same")
            << parallelWires(20000)
            << QStringList{"conductors[12000]: 12001 conductors are more than the 12000 the "
                           "solver takes"};
        QTest::newRow("two hundred thousand rods")
            << manyRods(200000)
            << QStringList{"rods[0]: 200004 conductors are more than the 12000 the solver takes"};
        QTest::newRow("a fence 40 km out")
            << withWire(R"(, "fences": [{"distance": 40000, "posts": {"spacing": 3,
                 "length": 1, "diameter": 0.06}}])")
            << QStringList{"fences[0]:", "conductors are more than the 12000 the solver takes"};
        // Beyond what the solver takes, the limit named.
        // The reader refuses a length or coordinate beyond the solver's reach at its path.
        QTest::newRow("a point 1e155 m out")
            << withWire(R"(, "points": [[1, 1], [1e155, 0]])")
            << QStringList{"points[1][0] must lie between -100000 and 100000 m"};
        QTest::newRow("a conductor 100.001 km down")
            << kHead + R"("conductors": [{"from": [0, 0, 0.5], "to": [0, 0, 100001],
                 "diameter": 0.01}]})"
            << QStringList{"conductors[0].to[2] must lie between -100000 and 100000 m"};
        QTest::newRow("a grid of 1e308 m")
            << kHead + R"("grids": [{"size": [1e308, 10], "conductors": [3, 3], "depth": 0.5,
                 "diameter": 0.01}]})"
            << QStringList{"grids[0].size[0] must lie between -100000 and 100000 m"};
        QTest::newRow("rods at a place 1e200 m out")
            << withWire(R"(, "rods": [{"at": [[5, 5], [5, -1e200]], "top": 0.5, "length": 1,
                 "diameter": 0.016}])")
            << QStringList{"rods[0].at[1][1] must lie between -100000 and 100000 m"};
        // The reader words what the parser found, and reads strictly what it kept.
        QTest::newRow("a number beyond a double")
            << QByteArray(R"({"soil": {"rho": 100}, "current": 1e999})")
            << QStringList{"the document is not JSON: it cannot be read past character ",
                           "too large for a double"};
        QTest::newRow("nesting 1100 deep")
            << QByteArray(1100, '[') + QByteArray(1100, ']')
            << QStringList{"nest deeper than 1024"};
        QTest::newRow("a key twice at the top")
            << QByteArray(R"({"soil": {"rho": 100}, "current": 10, "current": 20})")
            << QStringList{"current is given twice"};
        QTest::newRow("a key twice in a part")
            << withWire(R"(, "points": [], "rods": [{"at": [[5, 5]], "top": 0.5, "length": 1,
                 "diameter": 0.016, "length": 2}])")
            << QStringList{"rods[0].length is given twice"};
        QTest::newRow("a key twice, once escaped")
            << QByteArray(R"({"soil": {"rho": 100, "\u0072ho": 200}, "current": 10})")
            << QStringList{"soil.rho is given twice"};
        QTest::newRow("layered as text")
            << QByteArray(R"({"soil": {"rho1": 100, "rho2": 200, "h": 2, "layered": "no"},
                 "current": 10})")
            << QStringList{"soil.layered must be true or false"};
        QTest::newRow("a diameter of 5e-324 m")
            << kHead + R"("conductors": [{"from": [0, 0, 0.5], "to": [10, 0, 0.5],
                 "diameter": 5e-324}]})"
            << QStringList{"conductor 1: the diameter ", " is below 0.0001 m, the thinnest"};
        QTest::newRow("a current of 5e-324 A")
            << QByteArray(R"({"soil": {"rho": 100}, "current": 5e-324, "conductors": [
                 {"from": [0, 0, 0.5], "to": [10, 0, 0.5], "diameter": 0.01}]})")
            << QStringList{"current", " is below 0.001, the least the solver takes"};
        QTest::newRow("a wire thicker than it lies deep")
            << kHead + R"("conductors": [{"from": [0, 0, 0.5], "to": [2, 0, 0.5],
                 "diameter": 1.5}]})"
            << QStringList{"conductor 1 reaches above the surface: its axis lies 0.5 m deep, "
                           "less than its radius of 0.75 m"};
        // A current beyond any fault would carry the potentials past what a double holds.
        QTest::newRow("a current of 1e308 A")
            << QByteArray(R"({"soil": {"rho": 100}, "current": 1e308, "conductors": [
                 {"from": [0, 0, 0.5], "to": [10, 0, 0.5], "diameter": 0.01}]})")
            << QStringList{"current", " is above ", "the most TAV takes"};
        // Every edge is tested against every other, and every raster point against each.
        QTest::newRow("a touch area of 5000 corners")
            << withWire(R"(, "touch_areas": [{"polygon": )" + circlePolygon(5000) + "}]")
            << QStringList{"touch_areas[0].polygon has more corners than the 4096"};
        QTest::newRow("a surface layer's zone of 5000 corners")
            << withWire(R"(, "safety": {"duration": 0.5, "surface": {"rho": 3000,
                 "thickness": 0.1, "area": )" +
                        circlePolygon(5000) + "}}")
            << QStringList{"has more corners than the 4096"};
        QTest::newRow("a floating wire across the energised one")
            << withWire(R"(, "rods": [{"at": [[5, 0]], "top": 0.2, "length": 1,
                 "diameter": 0.016, "group": 1}])")
            << QStringList{"conductors 1 and 3 touch, but are of groups 0 and 1"};
    }

    void refused() {
        QFETCH(QByteArray, document);
        QFETCH(QStringList, message);
        const Run run = tavCalc({"system", "--input", "-"}, document);
        QCOMPARE(run.status, 1);
        for (const QString &words : message)
            QVERIFY2(run.err.contains(words), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    // What is no document to read: each refused with its reason, none read without end.
    void unreadable_data() {
        QTest::addColumn<QString>("script"); // $0 is tav-calc, $1 a folder of the test's own
        QTest::addColumn<QString>("message");
        QTest::newRow("standard input closed")
            << R"("$0" system --input - <&-)" << "standard input is closed";
        QTest::newRow("a named pipe")
            << R"(mkfifo "$1/fifo" && "$0" system --input "$1/fifo")"
            << "could not be read: a named pipe, not a regular file";
        QTest::newRow("a device without end")
            << R"("$0" system --input /dev/zero)"
            << "the file /dev/zero could not be read: a character device, not a regular file";
        QTest::newRow("a file beyond 64 MiB")
            << R"(truncate -s 65M "$1/big.json" && "$0" system --input "$1/big.json")"
            << "it holds more than 67108864 bytes, more than any system document";
        QTest::newRow("standard input beyond 64 MiB")
            << R"(head -c 67108865 /dev/zero | tr '\0' ' ' | "$0" system --input -)"
            << "standard input holds more than 67108864 bytes";
        // Each file said to be more than any of its own kind.
        QTest::newRow("a file of readings beyond 64 MiB")
            << R"(truncate -s 65M "$1/big.csv" && "$0" soil-model --readings "$1/big.csv")"
            << "it holds more than 67108864 bytes, more than any file of readings";
        QTest::newRow("a layer map beyond 64 MiB")
            << R"(truncate -s 65M "$1/map.json" && "$0" dxf-import "$1/x.dxf" --layers "$1/map.json")"
            << "it holds more than 67108864 bytes, more than any layer map";
        // A million readings are refused at once, the file counted rather than read.
        QTest::newRow("a million readings")
            << R"(seq 1000000 | sed 's/$/,100/' > "$1/many.csv" && "$0" soil-model --readings "$1/many.csv")"
            << "1000000 readings are more than the 500 a sounding is fitted from";
    }

    void unreadable() {
        QFETCH(QString, script);
        QFETCH(QString, message);
        QTemporaryDir folder;
        QProcess shell;
        shell.start(QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"), script, QStringLiteral(TAV_CALC), folder.path()});
        shell.waitForFinished(120000);
        const QString err = QString::fromUtf8(shell.readAllStandardError());
        QCOMPARE(shell.exitCode(), 1);
        QVERIFY2(err.contains(message), qPrintable(err));
        QVERIFY(shell.readAllStandardOutput().isEmpty());
    }

    // A sounding that cannot be fitted as given, each said in its own words: MN/2 as MN/2
    // (not as the resistivity a resistance would make of it, nor as a probe spacing), too
    // few readings for the layers asked for, more than a sounding has.
    void soundings_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QStringList schlumberger{"--array",       "schlumberger", "--spacings", "2,4,8,16,32",
                                       "--resistances", "10,5,2,1,0.5", "--mn"};
        QTest::newRow("MN/2 of 0") << schlumberger + QStringList{"0"}
                                   << "reading 1: MN/2 of 0 m is not a positive finite number";
        QTest::newRow("MN/2 of -1") << schlumberger + QStringList{"-1"}
                                    << "reading 1: MN/2 of -1 m is not a positive finite number";
        QTest::newRow("MN/2 not a number")
            << schlumberger + QStringList{"nan"}
            << "reading 1: MN/2 of NaN m is not a positive finite number";
        QTest::newRow("five layers from two readings")
            << QStringList{"--layers", "5", "--spacings", "2,4", "--resistivities", "100,90"}
            << "2 readings cannot fit 5 layers: they need at least 10 readings";
        QTest::newRow("the count chosen from two readings")
            << QStringList{"--layers", "auto", "--spacings", "2,4", "--resistivities", "100,90"}
            << "a sounding is fitted from three readings at least, not 2";
        QTest::newRow("501 readings, two layers")
            << sounding(501) << "501 readings are more than the 500";
        QTest::newRow("501 readings, five layers")
            << sounding(501) + QStringList{"--layers", "5"} << "501 readings are more than the 500";
    }

    void soundings() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Run run = tavCalc(QStringList{"soil-model"} + arguments, QByteArray());
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    // One soil, written as two layers or as three whose top two are alike, is one soil: a
    // contrast of 10^4, beyond what the two-layer image series sums, is solved as the
    // three are, to the same resistance.
    void contrastSolvedAlike_data() {
        QTest::addColumn<double>("contrast");
        QTest::newRow("10^2") << 1e2;
        QTest::newRow("10^4") << 1e4;
    }

    void contrastSolvedAlike() {
        QFETCH(double, contrast);
        const QByteArray bottom = QByteArray::number(contrast, 'g', 17);
        const QByteArray rest = R"(, "current": 10, "conductors": [
            {"from": [0, 0, 0.5], "to": [10, 0, 0.5], "diameter": 0.01}]})";
        const Run two =
            tavCalc({"system", "--input", "-", "--format", "json"},
                    R"({"soil": {"rho1": 1, "rho2": )" + bottom + R"(, "h": 2})" + rest);
        const Run three =
            tavCalc({"system", "--input", "-", "--format", "json"},
                    R"({"soil": {"layers": [{"rho": 1, "thickness": 1}, {"rho": 1, "thickness": 1},
                     {"rho": )" +
                        bottom + "}]}" + rest);
        QVERIFY2(two.status == 0, qPrintable(two.err));
        QVERIFY2(three.status == 0, qPrintable(three.err));
        const double r2 =
            QJsonDocument::fromJson(two.out.toUtf8()).object().value("resistance").toDouble();
        const double r3 =
            QJsonDocument::fromJson(three.out.toUtf8()).object().value("resistance").toDouble();
        QVERIFY2(r2 > 0 && std::abs(r2 - r3) <= 0.01 * r3,
                 qPrintable(QString::number(r2) + " " + QString::number(r3)));
    }

    // A study the machine has room for is refused, not aborted, when the process's own
    // address space is less: the estimate counts the limit, and says so in its figures. An
    // allocation that fails all the same (the report drawn in 150 MB) ends in words with
    // status 1, not with an abort; where the memory does suffice, the report is written.
    void addressSpaceLimit_data() {
        QTest::addColumn<QString>("limit"); // KiB
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("mayPass");
        QTest::newRow("a 600 m grid at 0.5 m in 1 GB")
            << "1000000" << QStringList{"--input", "$1/grid.json"} << false;
        QTest::newRow("the example's report in 150 MB")
            << "150000"
            << QStringList{"--input", QFINDTESTDATA("../../docs/examples/substation-70m.json"),
                           "--pdf", "$1/report.pdf"}
            << true;
    }

    void addressSpaceLimit() {
#ifdef TAV_SANITIZED
        QSKIP("the sanitizers' shadow memory takes more address space than any limit");
#endif
        QFETCH(QString, limit);
        QFETCH(QStringList, arguments);
        QFETCH(bool, mayPass);
        // Conductors 10 m apart over 600 m, cut into segments of 0.5 m: some 160 000.
        const QByteArray document =
            R"({"soil": {"rho": 100}, "current": 1000, "segment_length": 0.5, "search": {"step": 1},
                "grids": [{"size": [600, 600], "conductors": [60, 60], "depth": 0.5,
                "diameter": 0.01}]})";
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("grid.json")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(document) == document.size());
        file.close();
        QString command = "ulimit -v " + limit + " && \"$0\" system";
        for (const QString &argument : arguments)
            command += " \"" + QString(argument).replace("$1", folder.path()) + "\"";
        QProcess shell;
        shell.start(QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"), command, QStringLiteral(TAV_CALC)});
        shell.waitForFinished(120000);
        const QString err = QString::fromUtf8(shell.readAllStandardError());
        QCOMPARE(shell.exitStatus(), QProcess::NormalExit);
        if (mayPass && shell.exitCode() == 0)
            return;
        QVERIFY2(shell.exitCode() == 1, qPrintable(err));
        QVERIFY2(err.contains(QStringLiteral("GB of memory")) ||
                     err.contains(QStringLiteral("out of memory")),
                 qPrintable(err));
    }

    // No file the command writes is one it reads, nor the other file it writes: by file
    // identity, whatever the spelling, a link or standard input, and by folder and name
    // where neither exists yet.
    void clashingFiles_data() {
        QTest::addColumn<QString>("script"); // $0 is tav-calc, $1 a folder with in.json
        QTest::addColumn<QString>("message");
        const QString drawingOver = "--dxf would write over ";
        QTest::newRow("the input by another spelling")
            << R"(cd "$1" && "$0" system --input in.json --dxf ./in.json)" << drawingOver;
        QTest::newRow("the input through a link")
            << R"(ln -s in.json "$1/in.dxf" && "$0" system --input "$1/in.json" --dxf "$1/in.dxf")"
            << drawingOver;
        QTest::newRow("the input as standard input")
            << R"("$0" system --input - --dxf "$1/in.json" < "$1/in.json")" << drawingOver;
        QTest::newRow("the field information")
            << R"("$0" system --input "$1/in.json" --pdf "$1/out.pdf" --site "$1/site.txt" --dxf "$1/site.txt")"
            << drawingOver;
        QTest::newRow("the report, neither written yet")
            << R"(mkdir "$1/sub" && "$0" system --input "$1/in.json" --dxf "$1/out" --pdf "$1/sub/../out")"
            << "--dxf and --pdf name one file";
        QTest::newRow("the report through a link to nothing yet")
            << R"(ln -s out.pdf "$1/out.dxf" && "$0" system --input "$1/in.json" --dxf "$1/out.dxf" --pdf "$1/out.pdf")"
            << "--dxf and --pdf name one file";
    }

    void clashingFiles() {
        QFETCH(QString, script);
        QFETCH(QString, message);
        QTemporaryDir folder;
        const QByteArray document = withWire("");
        const QByteArray site = "site information\n";
        const auto write = [&](const char *name, const QByteArray &bytes) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        };
        write("in.json", document);
        write("site.txt", site);
        QProcess shell;
        shell.start(QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"), script, QStringLiteral(TAV_CALC), folder.path()});
        shell.waitForFinished(120000);
        const QString err = QString::fromUtf8(shell.readAllStandardError());
        QCOMPARE(shell.exitCode(), 2);
        QVERIFY2(err.contains(message), qPrintable(err));
        const auto bytes = [&](const char *name) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QCOMPARE(bytes("in.json"), document);
        QCOMPARE(bytes("site.txt"), site);
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("out"))));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("out.pdf"))));
    }
};

QTEST_GUILESS_MAIN(TestTavCalcHostile)
#include "tst_tavcalc_hostile.moc"
