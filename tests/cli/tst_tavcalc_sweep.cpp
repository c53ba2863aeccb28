// tav-calc sweep: the JSON and CSV of a sweep (a row per value, a refused value kept with
// why), the current's sweep with the rise its ratio apart, and what is refused with
// status 1 at its path: an unknown parameter, one the study has nothing of, a range of a
// zero or wrong-signed step, bounds that are not numbers, too many values, a count by
// halves; a --vary of no shape is refused likewise, a format it does not write with 2.
#include <QJsonArray>
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

const QByteArray kStudy = R"({"soil": {"rho": 100}, "current": 1000, "segment_length": 2,
    "grids": [{"size": [10, 10], "conductors": [3, 3], "depth": 0.5, "diameter": 0.01}],
    "safety": {"duration": 0.5, "body": 70}})";

Run sweep(const QString &vary, const QString &format = QStringLiteral("json")) {
    QProcess process;
    process.start(QStringLiteral(TAV_CALC),
                  {QStringLiteral("sweep"), QStringLiteral("--input"), QStringLiteral("-"),
                   QStringLiteral("--vary"), vary, QStringLiteral("--format"), format});
    process.write(kStudy);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestTavCalcSweep : public QObject {
    Q_OBJECT

private slots:
    // A row per value; the count 0 refused at its path and kept in its place.
    void jsonRows() {
        const Run run = sweep(QStringLiteral("grid.conductors_x=0:2:1"));
        QCOMPARE(run.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(o.value(QStringLiteral("parameter")).toString(),
                 QStringLiteral("grid.conductors_x"));
        const QJsonArray points = o.value(QStringLiteral("points")).toArray();
        QCOMPARE(points.size(), 3);
        QVERIFY(points[0]
                    .toObject()
                    .value(QStringLiteral("refused"))
                    .toString()
                    .contains(QStringLiteral("grids[0].conductors[0]")));
        for (int k = 1; k < 3; ++k) {
            const QJsonObject p = points[k].toObject();
            QCOMPARE(p.value(QStringLiteral("value")).toDouble(), double(k));
            QVERIFY(p.value(QStringLiteral("refused")).isNull());
            QCOMPARE(p.value(QStringLiteral("touch_margin")).toDouble(),
                     p.value(QStringLiteral("touch_tolerable")).toDouble() -
                         p.value(QStringLiteral("touch")).toDouble());
            QVERIFY(p.value(QStringLiteral("safe")).isBool());
        }
    }

    // The CSV's header and a line per value; the rise twice as high at twice the current.
    void csvRows() {
        const Run run = sweep(QStringLiteral("current=500:1000:500"), QStringLiteral("csv"));
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.trimmed().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 3);
        const QStringList header = lines[0].split(QLatin1Char(','));
        QCOMPARE(header.size(), 11);
        QCOMPARE(header[2], QStringLiteral("gpr"));
        const QStringList half = lines[1].split(QLatin1Char(','));
        const QStringList whole = lines[2].split(QLatin1Char(','));
        QCOMPARE(whole.size(), 11);
        QVERIFY(std::abs(whole[2].toDouble() / half[2].toDouble() - 2) < 1e-9);
        QCOMPARE(whole[1].toDouble(), half[1].toDouble());
    }

    void refused_data() {
        QTest::addColumn<QString>("vary");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("names");
        QTest::newRow("unknown") << "grid.spacing=1:2:1" << 1 << "grid.spacing";
        QTest::newRow("nothing of it") << "rods.count=4:8:4" << 1 << "rods.count";
        QTest::newRow("zero step") << "current=1:5:0" << 1 << "current";
        QTest::newRow("wrong sign") << "grid.depth=0.5:1:-0.1" << 1 << "grid.depth";
        QTest::newRow("not a number") << "current=1:ten:1" << 1 << "ten";
        QTest::newRow("too many") << "current=1:1000:1" << 1 << "200";
        QTest::newRow("count by halves") << "grid.conductors=2:4:0.5" << 1 << "grid.conductors";
        QTest::newRow("no shape") << "current=1:5" << 1 << "PATH=FROM:TO:STEP";
    }
    void refused() {
        QFETCH(QString, vary);
        QFETCH(int, status);
        QFETCH(QString, names);
        const Run run = sweep(vary);
        QCOMPARE(run.status, status);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(names), qPrintable(run.err));
    }

    void formatNotWritten() {
        QCOMPARE(sweep(QStringLiteral("current=1:2:1"), QStringLiteral("xml")).status, 2);
    }
};

QTEST_GUILESS_MAIN(TestTavCalcSweep)
#include "tst_tavcalc_sweep.moc"
