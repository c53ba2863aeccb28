// tav-calc system against hostile documents: each is refused with status 1 and a message
// that names where it went wrong, or answered as its sound twin is, and none of them
// makes the command hang or crash.
#include <QProcess>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run tavCalc(const QStringList &arguments, const QByteArray &input) {
    QProcess process;
    process.start(QStringLiteral(TAV_CALC), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
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
