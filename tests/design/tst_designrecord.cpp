// The record of a design that a designed document keeps: read and written back as read;
// each bad value refused at its path; the runner-ups chosen from a search's outcome, the
// next cheapest passing first, then the least failing; an edit of the layout since found,
// and what it costs now by the record's prices.
#include "core/design/DesignRecord.h"
#include "document/DesignStudy.h"
#include "document/SystemDocument.h"

#include <QtTest>

namespace {

using Kind = tav::DocumentError::Kind;
using namespace tav::design;

// A 10 m square of four conductors at 0.5 m, as a design of the perimeter alone lays it.
const QByteArray kSquare = R"("conductors": [
    {"from": [0, 0, 0.5], "to": [10, 0, 0.5], "diameter": 0.01},
    {"from": [10, 0, 0.5], "to": [10, 10, 0.5], "diameter": 0.01},
    {"from": [10, 10, 0.5], "to": [0, 10, 0.5], "diameter": 0.01},
    {"from": [0, 10, 0.5], "to": [0, 0, 0.5], "diameter": 0.01}])";

const QByteArray kLayout =
    R"({"lines_x": 2, "lines_y": 2, "spacing_x": "equal", "spacing_y": "equal", "rods": 0})";
const QByteArray kRunnerUp =
    R"({"cost": 150, "layout": {"lines_x": 3, "lines_y": 2, "spacing_x": "equal",
        "spacing_y": "equal", "rods": 4, "rod_length": 2, "surface": false},
        "worst_touch_margin": 0.25, "worst_step_margin": null, "safe": true})";

QByteArray record(const QByteArray &conductorLength = "40",
                  const QByteArray &runnerUps = "[" + kRunnerUp + "]") {
    return R"({"family": {"lines_x": [2, 5], "lines_y": [2, 5], "spacings": ["equal", "compressed"],
                  "rods": [{"length": 2, "counts": [4, 8, 16]}], "surface": true, "layouts": 160},
        "prices": {"conductor_per_m": 3, "rod_per_m": 5, "surface_per_m2": 7},
        "safe": true, "cost": 120, "layout": )" +
           kLayout + R"(, "solves": 6, "runner_ups": )" + runnerUps +
           R"(, "quantities": {"conductor_length": )" + conductorLength +
           R"(, "rod_length": 0, "surface_area": 0}})";
}

QByteArray document(const QByteArray &designed) {
    return R"({"soil": {"rho": 100}, "current": 10, "safety": {"duration": 0.5, "body": 70}, )" +
           kSquare + R"(, "designed": )" + designed + "}";
}

tav::SystemDocument read(const QByteArray &json, tav::DocumentError &error) {
    return tav::SystemDocument::fromJson(json, error);
}

// A record with one member put in place of another: the whole text of the record, the
// given piece replaced.
QByteArray replaced(const QByteArray &what, const QByteArray &with) {
    QByteArray r = record();
    if (!r.contains(what))
        qFatal("no %s in the record", what.constData());
    return r.replace(what, with);
}

Candidate solved(double cost, bool safe, double share, int linesX) {
    Candidate c;
    c.layout.linesX = linesX;
    c.cost.total = cost;
    Judgement j;
    j.safe = safe;
    j.touchShare = share;
    c.judgement = j;
    return c;
}

} // namespace

Q_DECLARE_METATYPE(tav::DocumentError::Kind)

class TestDesignRecord : public QObject {
    Q_OBJECT

private slots:
    void roundTrip() {
        tav::DocumentError error;
        const tav::SystemDocument d = read(document(record()), error);
        QCOMPARE(error.kind, Kind::None);
        QVERIFY(d.designed);
        const DesignRecord &r = *d.designed;
        QCOMPARE(r.family.mostLinesX, 5);
        QCOMPARE(r.family.rods.size(), std::size_t(1));
        QCOMPARE(r.family.rods[0].counts, (std::vector<int>{4, 8, 16}));
        QVERIFY(r.family.compressedSpacing && r.family.surface);
        QCOMPARE(r.prices.surfacePerM2.value_or(0), 7.0);
        QCOMPARE(r.runnerUps.size(), std::size_t(1));
        QCOMPARE(r.runnerUps[0].layout.rodLength.value_or(0), 2.0);
        QVERIFY(!r.runnerUps[0].stepMargin);
        QCOMPARE(r.runnerUps[0].layout.surface, std::optional<bool>(false));
        QVERIFY(!r.layout.surface);
        // A record is of the design's version, and comes back as it went.
        const QByteArray written = d.toJson();
        const tav::SystemDocument again = read(written, error);
        QCOMPARE(error.kind, Kind::None);
        QVERIFY(again.designed == d.designed);
        QCOMPARE(again.version(), 5);
        QCOMPARE(again.toJson(), written);
    }

    void refused_data() {
        QTest::addColumn<QByteArray>("designed");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("path");
        const auto row = [](const char *name, const QByteArray &r, Kind kind, const char *path) {
            QTest::newRow(name) << r << kind << QString::fromLatin1(path);
        };
        row("unknown key", replaced(R"("solves": 6)", R"("solves": 6, "colour": 1)"),
            Kind::UnknownKey, "designed.colour");
        row("not an object", "[]", Kind::NotAnObject, "designed");
        row("lines past the most", replaced("[2, 5]", "[2, 42]"), Kind::DesignedLines,
            "designed.family.lines_x[1]");
        row("fewer than the perimeter", replaced(R"("lines_x": 2,)", R"("lines_x": 1,)"),
            Kind::DesignedLines, "designed.layout.lines_x");
        row("lines not whole", replaced(R"("lines_x": 2,)", R"("lines_x": 2.5,)"),
            Kind::DesignedLines, "designed.layout.lines_x");
        row("range backwards", replaced("[2, 5]", "[5, 2]"), Kind::DesignedLinesOrder,
            "designed.family.lines_x");
        row("range of one", replaced("[2, 5]", "[2]"), Kind::WrongLength,
            "designed.family.lines_x");
        row("spacing unnamed",
            replaced(R"("spacing_y": "equal", "rods": 0)", R"("spacing_y": "tight", "rods": 0)"),
            Kind::DesignedSpacing, "designed.layout.spacing_y");
        row("family's spacing unnamed", replaced(R"(["equal", "compressed"])", R"(["equal", 1])"),
            Kind::DesignedSpacing, "designed.family.spacings[1]");
        row("rod count of 0", replaced("[4, 8, 16]", "[4, 0]"), Kind::CountOutOfRange,
            "designed.family.rods[0].counts[1]");
        row("rod length of 0", replaced(R"("rod_length": 2)", R"("rod_length": 0)"),
            Kind::DesignRodLength, "designed.runner_ups[0].layout.rod_length");
        row("negative cost", replaced(R"("cost": 120)", R"("cost": -1)"), Kind::Negative,
            "designed.cost");
        row("price as text", replaced(R"("rod_per_m": 5)", R"("rod_per_m": "5")"), Kind::NotANumber,
            "designed.prices.rod_per_m");
        row("solves not whole", replaced(R"("solves": 6)", R"("solves": 6.5)"), Kind::NotAnInteger,
            "designed.solves");
        row("margin above 1",
            replaced(R"("worst_touch_margin": 0.25)", R"("worst_touch_margin": 1.5)"),
            Kind::DesignedMargin, "designed.runner_ups[0].worst_touch_margin");
        row("verdict missing", replaced(R"(, "safe": true})", "}"), Kind::MissingKey,
            "designed.runner_ups[0].safe");
        row("verdict as text", replaced(R"("safe": true, "cost")", R"("safe": "yes", "cost")"),
            Kind::NotABoolean, "designed.safe");
        row("six runner-ups", record("40", "[" + QByteArrayList(6, kRunnerUp).join(", ") + "]"),
            Kind::DesignedRunnerUps, "designed.runner_ups");
        row("negative quantity", record("-40"), Kind::Negative,
            "designed.quantities.conductor_length");
    }
    void refused() {
        QFETCH(QByteArray, designed);
        QFETCH(Kind, kind);
        QFETCH(QString, path);
        tav::DocumentError error;
        read(document(designed), error);
        QCOMPARE(error.kind, kind);
        QCOMPARE(error.path, path);
    }

    void runnerUpsChosen() {
        DesignOutcome o;
        o.safe = true;
        o.best = solved(10, true, 0.9, 2);
        // In the order a search might have solved them; linesX tells them apart.
        o.solved = {solved(2, false, 3.0, 3), solved(5, false, 1.5, 4), o.best,
                    solved(30, true, 0.5, 5), solved(8, false, 1.2, 6), solved(20, true, 0.8, 7),
                    solved(40, true, 0.4, 8)};
        DesignBrief brief;
        brief.rodLengths = {3};
        const DesignRecord r = DesignRecord::of(o, brief, FamilyBounds{});
        QCOMPARE(r.cost, 10.0);
        QCOMPARE(r.runnerUps.size(), DesignRecord::kMostRunnerUps);
        // The passing ones by cost, then the failing ones from the least failing; the most
        // failing is the one left out.
        const std::vector<int> lines{7, 5, 8, 6, 4};
        for (std::size_t k = 0; k < lines.size(); ++k)
            QCOMPARE(r.runnerUps[k].layout.linesX, lines[k]);
        QCOMPARE(r.runnerUps[3].touchMargin.value_or(0), 1 - 1.2);
        QVERIFY(!r.runnerUps[3].safe && r.runnerUps[2].safe);
        QVERIFY(!r.layout.surface); // not the design's to choose
    }

    void edited_data() {
        QTest::addColumn<QByteArray>("conductorLength");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<double>("cost");
        // The square's four sides, 40 m, as recorded: unchanged.
        QTest::newRow("as designed") << QByteArray("40") << false << 0.0;
        // Recorded with 30 m: 10 m laid since, at 3 a metre on the designed 120.
        QTest::newRow("a conductor added") << QByteArray("30") << true << 150.0;
        QTest::newRow("a side taken away") << QByteArray("50") << true << 90.0;
    }
    void edited() {
        QFETCH(QByteArray, conductorLength);
        QFETCH(bool, edited);
        QFETCH(double, cost);
        tav::DocumentError error;
        const tav::SystemDocument d = read(document(record(conductorLength)), error);
        QCOMPARE(error.kind, Kind::None);
        const tav::DesignStudy::Edited e = tav::DesignStudy::edited(d);
        QCOMPARE(e.edited, edited);
        if (edited)
            QCOMPARE(e.cost.value_or(-1), cost);
    }
};

QTEST_GUILESS_MAIN(TestDesignRecord)
#include "tst_designrecord.moc"
