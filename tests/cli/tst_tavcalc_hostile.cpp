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

// A grid with count rods at points a metre apart in a row.
QByteArray manyRods(int count) {
    QByteArray at;
    for (int k = 0; k < count; ++k)
        at += (k == 0 ? "[" : ",[") + QByteArray::number(k) + ",20]";
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
        QTest::addColumn<QString>("message");
        // The segment limit comes before the search for overlaps, which looks at pairs.
        QTest::newRow("twenty thousand wires, two the same")
            << parallelWires(20000)
            << "the conductors make 20000 segments, more than the 12000 the solver takes";
        QTest::newRow("two hundred thousand rods")
            << manyRods(200000) << "segments, more than the 12000 the solver takes";
        QTest::newRow("a fence 100 km out")
            << withWire(R"(, "fences": [{"distance": 100000, "posts": {"spacing": 3,
                 "length": 1, "diameter": 0.06}}])")
            << "segments, more than the 12000 the solver takes";
    }

    void refused() {
        QFETCH(QByteArray, document);
        QFETCH(QString, message);
        const Run run = tavCalc({"system", "--input", "-"}, document);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTavCalcHostile)
#include "tst_tavcalc_hostile.moc"
