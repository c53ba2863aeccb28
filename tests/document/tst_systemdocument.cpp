// The JSON document of an earthing system: read, expanded, written back, refused where it
// is malformed; and the result's JSON.
#include "core/earthing/EarthingSolver.h"
#include "core/earthing/InputCheck.h"
#include "document/SystemDocument.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include "tests/support/ReadDocument.h"

#include <QtTest>

#include <limits>

using namespace tav;
using namespace tav::earthing;

namespace {

using Kind = DocumentError::Kind;

SystemDocument read(const QByteArray &json) {
    return readSoundDocument(json);
}

// count conductors in a row from one part.
struct Run {
    int count;
    PartKind kind;
    int index;
    const char *field;
};

bool same(const Point3 &a, const Point3 &b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

} // namespace

Q_DECLARE_METATYPE(tav::DocumentError::Kind)
Q_DECLARE_METATYPE(Run)

class TestSystemDocument : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The document of the command's description, both soils.
    void example() {
        const SystemDocument d = read(R"({"soil": {"rho1": 300, "rho2": 100, "h": 6.096},
            "current": 1000,
            "conductors": [{"from": [0, 0, 0.5], "to": [70, 0, 0.5], "diameter": 0.0105, "group": 0},
                           {"from": [0, -3, 0.3], "to": [70, -3, 0.3], "diameter": 0.01, "group": 1}],
            "points": [[7, 7], [35, 35]],
            "search": {"step": 0.5, "margin": 3},
            "segment_length": 1.0})");
        QVERIFY(d.soil.layered);
        QCOMPARE(d.soil.rho1, 300.);
        QCOMPARE(d.soil.rho2, 100.);
        QCOMPARE(d.soil.h, 6.096);
        QCOMPARE(d.current, 1000.);
        QCOMPARE(d.conductors.size(), std::size_t(2));
        QVERIFY(same(d.conductors[0].to, {70, 0, 0.5}));
        QCOMPARE(d.conductors[1].group, 1);
        QCOMPARE(d.conductors[1].diameter, 0.01);
        QCOMPARE(d.points.size(), std::size_t(2));
        QCOMPARE(d.points[1].y, 35.);
        QCOMPARE(d.search.step, 0.5);
        const SystemDocument u = read(R"({"soil": {"rho": 100}, "current": 10,
            "conductors": [{"from": [0, 0, 0], "to": [0, 0, 3], "diameter": 0.016}]})");
        QVERIFY(!u.soil.layered);
        QCOMPARE(u.soil.rho1, 100.);
        QCOMPARE(u.conductors[0].group, 0);
        // The defaults of what is left out.
        QCOMPARE(u.search.step, 0.5);
        QCOMPARE(u.search.margin, 3.);
        QCOMPARE(u.segmentLength, 1.);
        QVERIFY(u.points.empty());
    }

    // The fault a current was worked out from stays while it gives that current; once the
    // current is edited it is no longer its origin.
    void currentBasis_data() {
        QTest::addColumn<double>("current");
        QTest::addColumn<bool>("kept");
        // 3I0 = 10 kA, Df = 1.2, Sf = 0.5: 6 kA.
        QTest::newRow("the product") << 6000. << true;
        QTest::newRow("rounded to the ampere") << 6001. << true;
        QTest::newRow("edited since") << 5000. << false;
    }

    void currentBasis() {
        QFETCH(double, current);
        QFETCH(bool, kept);
        const SystemDocument d = read(
            R"({"soil": {"rho": 100}, "conductors": [], "current": )" + QByteArray::number(current) +
            R"(, "current_basis": {"fault_current": 10000, "decrement": 1.2, "split": 0.5}})");
        QCOMPARE(d.currentBasis.has_value(), kept);
        const SystemDocument again = read(d.toJson());
        QCOMPARE(again.currentBasis.has_value(), kept);
        if (kept)
            QCOMPARE(again.currentBasis->split, 0.5);
    }

    // Grids and rods expand into conductors after those given, in this order.
    void expansions() {
        const SystemDocument d = read(R"({"soil": {"rho": 100}, "current": 1,
            "conductors": [{"from": [-5, 0, 0.3], "to": [-5, 10, 0.3], "diameter": 0.01, "group": 1}],
            "grids": [{"origin": [0, 0], "size": [20, 10], "conductors": [3, 2], "depth": 0.5,
                       "diameter": 0.0105, "rods": {"count": 6, "length": 3, "diameter": 0.016}},
                      {"origin": [40, 0], "size": [10, 10], "conductors": [2, 2], "depth": 0.6,
                       "diameter": 0.01, "rods": {"corners": true, "length": 2, "diameter": 0.02}}],
            "rods": [{"at": [[30, 5], [32, 5]], "top": 0.2, "length": 1.5, "diameter": 0.016}]})");
        const EarthingInput in = d.input();
        QCOMPARE(in.conductors.size(), std::size_t(1 + 5 + 6 + 4 + 4 + 2));
        QVERIFY(same(in.conductors[0].from, {-5, 0, 0.3}));
        // The first grid: x at 0, 10, 20 along y, then y at 0 and 10 along x.
        QVERIFY(same(in.conductors[2].from, {10, 0, 0.5}) &&
                same(in.conductors[2].to, {10, 10, 0.5}));
        QVERIFY(same(in.conductors[5].from, {0, 10, 0.5}) &&
                same(in.conductors[5].to, {20, 10, 0.5}));
        // Its six rods every 10 m of its 60 m edge from the origin: (0,0), (10,0), (20,0),
        // (20,10), (10,10), (0,10).
        QVERIFY(same(in.conductors[6].from, {0, 0, 0.5}) && same(in.conductors[6].to, {0, 0, 3.5}));
        QVERIFY(same(in.conductors[9].from, {20, 10, 0.5}));
        QCOMPARE(in.conductors[11].diameter, 0.016);
        // The second grid's corner rods, then the rods at points.
        QVERIFY(same(in.conductors[16].from, {40, 0, 0.6}) &&
                same(in.conductors[16].to, {40, 0, 2.6}));
        QVERIFY(same(in.conductors[20].from, {30, 5, 0.2}) &&
                same(in.conductors[21].to, {32, 5, 1.7}));
    }

    // A document is written as version 1, and one without a version is read as version 1.
    void version() {
        const SystemDocument d = read(R"({"soil": {"rho": 100}, "current": 10})");
        const QJsonObject written = QJsonDocument::fromJson(d.toJson()).object();
        QCOMPARE(written.value("version"), QJsonValue(1));
        QCOMPARE(read(R"({"version": 1, "soil": {"rho": 100}, "current": 10})").toJson(),
                 d.toJson());
    }

    // Written and read back, a document is the same.
    void roundTrip() {
        const QByteArray json = R"({"soil": {"rho1": 300, "rho2": 100.25, "h": 6.096},
            "current": 744.8,
            "conductors": [{"from": [0.1, 0, 0.5], "to": [70, 1e-3, 0.5], "diameter": 0.0105, "group": 2}],
            "grids": [{"origin": [1, 2], "size": [20, 10], "conductors": [3, 2], "depth": 0.5,
                       "diameter": 0.0105, "group": 1, "rods": {"corners": true, "length": 3, "diameter": 0.016}}],
            "rods": [{"at": [[30, 5]], "top": 0.2, "length": 1.5, "diameter": 0.016, "group": 3}],
            "points": [[7.25, 7]], "search": {"step": 0.25, "margin": 0}, "segment_length": 0.5})";
        const SystemDocument a = read(json);
        const SystemDocument b = read(a.toJson());
        QCOMPARE(b.toJson(), a.toJson());
        const EarthingInput x = a.input();
        const EarthingInput y = b.input();
        QCOMPARE(y.conductors.size(), x.conductors.size());
        for (std::size_t k = 0; k < x.conductors.size(); ++k) {
            QVERIFY(same(x.conductors[k].from, y.conductors[k].from));
            QVERIFY(same(x.conductors[k].to, y.conductors[k].to));
            QCOMPARE(y.conductors[k].group, x.conductors[k].group);
        }
        QCOMPARE(y.soil.rho2, 100.25);
        QCOMPARE(y.current, 744.8);
        QCOMPARE(y.search.margin, 0.);
        QCOMPARE(y.segmentLength, 0.5);
        QCOMPARE(y.points[0].x, 7.25);
    }

    // The study's parts come after today's, so a document without them numbers its
    // conductors as before; a fence without a group floats on its own.
    void studyParts() {
        const SystemDocument d = read(R"({"soil": {"rho": 100}, "current": 10,
            "conductors": [{"from": [-5, 0, 0.3], "to": [-5, 10, 0.3], "diameter": 0.01, "group": 4}],
            "rods": [{"at": [[30, 5]], "top": 0.2, "length": 1.5, "diameter": 0.016}],
            "l_grids": [{"origin": [0, 0], "size": [10, 8], "cut": [4, 3], "conductors": [3, 2],
                         "depth": 0.5, "diameter": 0.0105, "rods": {"corners": true, "length": 3, "diameter": 0.016}}],
            "rings": [{"centre": [20, 0], "radius": 2, "count": 4, "depth": 0.6, "diameter": 0.01,
                       "rod": {"length": 2, "diameter": 0.02}, "group": 1}],
            "fences": [{"distance": 1, "posts": {"spacing": 100, "length": 1, "diameter": 0.05}}]})");
        QCOMPARE(d.lGrids.size(), std::size_t(1));
        QCOMPARE(d.lGrids[0].grid.cutY, 3.);
        QCOMPARE(d.fences[0].fence.top, 0.05);
        QVERIFY(!d.fences[0].group);
        const EarthingInput in = d.input();
        QCOMPARE(in.conductors.size(), std::size_t(1 + 1 + 7 + 6 + 8 + 4));
        QCOMPARE(in.conductors[0].group, 4);
        QVERIFY(same(in.conductors[1].from, {30, 5, 0.2}));
        // The L: x = 0, 5, 10 along y (the last one clipped at y = 5), y = 0, 8 along x,
        // then the cut's two edges from its inner corner (6, 5).
        QVERIFY(same(in.conductors[4].to, {10, 5, 0.5}));
        QVERIFY(same(in.conductors[6].to, {6, 8, 0.5}));
        QVERIFY(same(in.conductors[7].from, {6, 5, 0.5}) && same(in.conductors[7].to, {6, 8, 0.5}));
        QVERIFY(same(in.conductors[8].from, {6, 5, 0.5}) &&
                same(in.conductors[8].to, {10, 5, 0.5}));
        // Its corner rods: the fourth at the L's inner corner.
        QVERIFY(same(in.conductors[12].from, {6, 5, 0.5}) &&
                same(in.conductors[12].to, {6, 5, 3.5}));
        // The ring's first side from (22, 0), its first rod there.
        QVERIFY(same(in.conductors[15].from, {22, 0, 0.6}));
        QVERIFY(same(in.conductors[19].from, {22, 0, 0.6}) &&
                same(in.conductors[19].to, {22, 0, 2.6}));
        // The fence round the energised parts, (0, 0) to (30, 8), out by 1 m: the floating
        // ring and conductor do not widen it; its group one above the others'.
        QVERIFY(same(in.conductors[23].from, {-1, -1, 0.05}) &&
                same(in.conductors[23].to, {-1, -1, 1.05}));
        QVERIFY(same(in.conductors[25].from, {31, 9, 0.05}));
        QCOMPARE(in.conductors[26].group, 5);
    }

    // Each expanded conductor names its part and the field that shapes it, counted by
    // hand from the parts' conductors as expansions() and studyParts() count them.
    void sources_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QList<Run>>("runs");
        QTest::newRow("conductors, grids and rods")
            << QByteArray(R"({"soil": {"rho": 100}, "current": 1,
            "conductors": [{"from": [-5, 0, 0.3], "to": [-5, 10, 0.3], "diameter": 0.01}],
            "grids": [{"size": [20, 10], "conductors": [3, 2], "depth": 0.5, "diameter": 0.01,
                       "rods": {"count": 6, "length": 3, "diameter": 0.016}},
                      {"origin": [40, 0], "size": [10, 10], "conductors": [2, 2], "depth": 0.6,
                       "diameter": 0.01, "rods": {"corners": true, "length": 2, "diameter": 0.02}}],
            "rods": [{"at": [[30, 5], [32, 5]], "top": 0.2, "length": 1.5, "diameter": 0.016}]})")
            << QList<Run>{{1, PartKind::Conductor, 0, ""}, {5, PartKind::Grid, 0, ""},
                          {6, PartKind::Grid, 0, "rods"},  {4, PartKind::Grid, 1, ""},
                          {4, PartKind::Grid, 1, "rods"},  {2, PartKind::Rods, 0, ""}};
        QTest::newRow("an L, a ring and a fence")
            << QByteArray(R"({"soil": {"rho": 100}, "current": 10,
            "l_grids": [{"size": [10, 8], "cut": [4, 3], "conductors": [3, 2], "depth": 0.5,
                         "diameter": 0.0105, "rods": {"corners": true, "length": 3, "diameter": 0.016}}],
            "rings": [{"centre": [20, 0], "radius": 2, "count": 4, "depth": 0.6, "diameter": 0.01,
                       "rod": {"length": 2, "diameter": 0.02}},
                      {"centre": [20, 9], "radius": 2, "count": 3, "depth": 0.6, "diameter": 0.01,
                       "rod": {"length": 2, "diameter": 0.02}}],
            "fences": [{"distance": 1, "posts": {"spacing": 100, "length": 1, "diameter": 0.05}}]})")
            << QList<Run>{{7, PartKind::LGrid, 0, ""},     {6, PartKind::LGrid, 0, "rods"},
                          {4, PartKind::Ring, 0, ""},      {4, PartKind::Ring, 0, "rod"},
                          {3, PartKind::Ring, 1, ""},      {3, PartKind::Ring, 1, "rod"},
                          {4, PartKind::Fence, 0, "posts"}};
    }
    void sources() {
        QFETCH(QByteArray, json);
        QFETCH(QList<Run>, runs);
        const SystemDocument d = read(json);
        const std::vector<ConductorSource> sources = d.sources();
        QCOMPARE(sources.size(), d.input().conductors.size());
        std::size_t at = 0;
        for (const Run &run : runs)
            for (int k = 0; k < run.count; ++k, ++at) {
                QVERIFY2(at < sources.size(), "too few");
                QCOMPARE(sources[at].kind, run.kind);
                QCOMPARE(sources[at].index, run.index);
                QCOMPARE(sources[at].field, QString::fromLatin1(run.field));
            }
        QCOMPARE(at, sources.size());
    }

    // Written and read back, every part, the safety criteria and the window's settings
    // come back the same; the window's settings as they were.
    void roundTripStudyParts() {
        const QByteArray json = R"({"soil": {"rho": 100}, "current": 10,
            "l_grids": [{"origin": [1, 2], "size": [10, 8], "cut": [4.5, 3], "conductors": [3, 2],
                         "depth": 0.5, "diameter": 0.0105, "group": 0, "rods": {"count": 5, "length": 3, "diameter": 0.016}}],
            "rings": [{"centre": [20, 0], "radius": 2.5, "count": 7, "depth": 0.6, "diameter": 0.01,
                       "rod": {"length": 2, "diameter": 0.02}, "group": 1}],
            "fences": [{"distance": 1.5, "posts": {"spacing": 2.5, "length": 1, "diameter": 0.05, "top": 0.1}, "group": 2},
                       {"distance": 3, "posts": {"spacing": 3, "length": 1.2, "diameter": 0.04}},
                       {"polyline": [[30, 0], [36, 0], [36, 4]], "closed": true,
                        "posts": {"spacing": 3, "length": 1.2, "diameter": 0.06}, "group": 1}],
            "safety": {"duration": 0.5, "body": 70, "surface": {"rho": 2500, "thickness": 0.102}},
            "study_window": {"zoom": 1.5, "profile": [[0, 0], [10, 10]], "map": "touch", "nested": {"a": [null, true]}}})";
        const SystemDocument a = read(json);
        const SystemDocument b = read(a.toJson());
        QCOMPARE(b.toJson(), a.toJson());
        QCOMPARE(b.studyWindow,
                 QJsonDocument::fromJson(json).object()[QStringLiteral("study_window")].toObject());
        QVERIFY(b.safety);
        QCOMPARE(b.safety->faultDuration, 0.5);
        QCOMPARE(b.safety->body, BodyWeight::Kg70);
        QCOMPARE(b.safety->surface->thickness, 0.102);
        QCOMPARE(b.lGrids[0].rods->count, 5);
        QCOMPARE(b.lGrids[0].grid.cutX, 4.5);
        QCOMPARE(b.rings[0].count, 7);
        QCOMPARE(b.rings[0].rodDiameter, 0.02);
        QCOMPARE(b.fences[0].fence.top, 0.1);
        QCOMPARE(*b.fences[0].group, 2);
        QVERIFY(!b.fences[1].group);
        QCOMPARE(int(b.fences[2].fence.outline.size()), 3);
        QVERIFY(b.fences[2].fence.closed);
        const EarthingInput x = a.input();
        const EarthingInput y = b.input();
        QCOMPARE(y.conductors.size(), x.conductors.size());
        for (std::size_t k = 0; k < x.conductors.size(); ++k) {
            QVERIFY(same(x.conductors[k].from, y.conductors[k].from));
            QVERIFY(same(x.conductors[k].to, y.conductors[k].to));
            QCOMPARE(y.conductors[k].group, x.conductors[k].group);
        }
        // No surface layer is written as null and read as none.
        const SystemDocument bare = read(R"({"soil": {"rho": 100}, "current": 10,
            "safety": {"duration": 1, "surface": null}})");
        QCOMPARE(bare.safety->body, BodyWeight::Kg50);
        QVERIFY(!read(bare.toJson()).safety->surface);
        QVERIFY(read(bare.toJson()).studyWindow.isEmpty());
    }

    void errors_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("expected");
        const QByteArray wire =
            R"("conductors": [{"from": [0, 0, 0.5], "to": [9, 0, 0.5], "diameter": 0.01}])";
        const auto row = [](const char *name, const QByteArray &json, Kind kind, const char *path,
                            int expected = 0) {
            QTest::newRow(name) << json << kind << QString::fromLatin1(path) << expected;
        };
        row("not JSON", "{\"soil\": ", Kind::NotJson, "");
        row("an array", "[1, 2]", Kind::NotAnObject, "");
        row("a key twice", "{\"soil\": {\"rho\": 1}, \"current\": 1, \"current\": 2}",
            Kind::DuplicateKey, "current");
        row("a key twice after a byte order mark",
            "\xEF\xBB\xBF{\"soil\": {\"rho\": 1}, \"current\": 1, \"current\": 2}",
            Kind::DuplicateKey, "current");
        row("a key twice in an array's object",
            "{\"soil\": {\"rho\": 1}, \"current\": 1, \"points\": [], \"conductors\": [{}, "
            "{\"from\": [0, 0, 1], \"a\": {\"b\": 1, \"b\": 1}}]}",
            Kind::DuplicateKey, "conductors[1].a.b");
        row("the same key in two objects", "{\"soil\": {\"rho\": 1, \"x\": {\"rho\": 1}}}",
            Kind::UnknownKey, "soil.x");
        row("layered as text",
            "{\"soil\": {\"rho1\": 1, \"rho2\": 2, \"h\": 1, \"layered\": \"no\"}, "
            "\"current\": 1}",
            Kind::NotABoolean, "soil.layered");
        row("a grid's side beyond reach",
            "{\"soil\": {\"rho\": 1}, \"current\": 1, \"grids\": [{\"size\": [10, 100000.5], "
            "\"conductors\": [2, 2], \"depth\": 0.5, \"diameter\": 0.01}]}",
            Kind::BeyondReach, "grids[0].size[1]", 100000);
        row("a conductor's end beyond reach",
            "{\"soil\": {\"rho\": 1}, \"current\": 1, \"conductors\": [{\"from\": "
            "[-100001, 0, 1], \"to\": [0, 0, 1], \"diameter\": 0.01}]}",
            Kind::BeyondReach, "conductors[0].from[0]", 100000);
        row("a point beyond reach",
            "{\"soil\": {\"rho\": 1}, \"current\": 1, \"points\": [[0, 0], [3, -2e5]]}",
            Kind::BeyondReach, "points[1][1]", 100000);
        row("a point's x beyond reach",
            "{\"soil\": {\"rho\": 1}, \"current\": 1, \"points\": [[0, 0], [-100000.5, 2]]}",
            Kind::BeyondReach, "points[1][0]", 100000);

        row("no soil", "{\"current\": 1, " + wire + "}", Kind::MissingKey, "soil");
        row("no current", "{\"soil\": {\"rho\": 1}, " + wire + "}", Kind::MissingKey, "current");
        row("current a string", "{\"soil\": {\"rho\": 1}, \"current\": \"10\"}", Kind::NotANumber,
            "current");
        row("a misspelt key", "{\"soil\": {\"rho\": 1}, \"current\": 1, \"segment_lenght\": 1}",
            Kind::UnknownKey, "segment_lenght");
        row("both soils", "{\"soil\": {\"rho\": 1, \"rho1\": 2}, \"current\": 1}", Kind::SoilShape,
            "soil");
        row("no soil at all", "{\"soil\": {}, \"current\": 1}", Kind::SoilShape, "soil");
        row("h missing", "{\"soil\": {\"rho1\": 1, \"rho2\": 2}, \"current\": 1}", Kind::MissingKey,
            "soil.h");
        row("a key the soil does not take", "{\"soil\": {\"rho\": 1, \"k\": 0.5}, \"current\": 1}",
            Kind::UnknownKey, "soil.k");
        row("conductors an object", "{\"soil\": {\"rho\": 1}, \"current\": 1, \"conductors\": {}}",
            Kind::NotAnArray, "conductors");
        row("a conductor a number", "{\"soil\": {\"rho\": 1}, \"current\": 1, \"conductors\": [3]}",
            Kind::NotAnObject, "conductors[0]");
        row("two coordinates",
            R"({"soil": {"rho": 1}, "current": 1, "conductors": [{"from": [0, 0, 0.5], "to": [9, 0], "diameter": 0.01}]})",
            Kind::WrongLength, "conductors[0].to", 3);
        row("a coordinate null",
            R"({"soil": {"rho": 1}, "current": 1, "conductors": [{"from": [0, null, 0.5], "to": [9, 0, 1], "diameter": 0.01}]})",
            Kind::NotANumber, "conductors[0].from[1]");
        row("no diameter",
            R"({"soil": {"rho": 1}, "current": 1, "conductors": [{"from": [0, 0, 0.5], "to": [9, 0, 1]}]})",
            Kind::MissingKey, "conductors[0].diameter");
        row("group a fraction",
            R"({"soil": {"rho": 1}, "current": 1, "conductors": [{"from": [0, 0, 0.5], "to": [9, 0, 1], "diameter": 0.01, "group": 0.5}]})",
            Kind::NotAnInteger, "conductors[0].group");
        row("a point of three numbers",
            "{\"soil\": {\"rho\": 1}, \"current\": 1, \"points\": [[1, 2], [1, 2, 3]]}",
            Kind::WrongLength, "points[1]", 2);
        row("search a number", "{\"soil\": {\"rho\": 1}, \"current\": 1, \"search\": 0.5}",
            Kind::NotAnObject, "search");
        row("a grid of no conductors",
            R"({"soil": {"rho": 1}, "current": 1, "grids": [{"size": [10, 10], "conductors": [0, 2], "depth": 0.5, "diameter": 0.01}]})",
            Kind::CountOutOfRange, "grids[0].conductors[0]", 10000);
        row("a grid without its depth",
            R"({"soil": {"rho": 1}, "current": 1, "grids": [{"size": [10, 10], "conductors": [2, 2], "diameter": 0.01}]})",
            Kind::MissingKey, "grids[0].depth");
        row("grid rods without a count",
            R"({"soil": {"rho": 1}, "current": 1, "grids": [{"size": [10, 10], "conductors": [2, 2], "depth": 0.5, "diameter": 0.01, "rods": {"length": 3, "diameter": 0.016}}]})",
            Kind::MissingKey, "grids[0].rods.count");
        row("corners not a boolean",
            R"({"soil": {"rho": 1}, "current": 1, "grids": [{"size": [10, 10], "conductors": [2, 2], "depth": 0.5, "diameter": 0.01, "rods": {"corners": 1, "length": 3, "diameter": 0.016}}]})",
            Kind::NotABoolean, "grids[0].rods.corners");
        row("rods without points",
            R"({"soil": {"rho": 1}, "current": 1, "rods": [{"top": 0.5, "length": 3, "diameter": 0.016}]})",
            Kind::MissingKey, "rods[0].at");
        const QByteArray soil = R"({"soil": {"rho": 1}, "current": 1, )";
        const QByteArray l =
            R"("l_grids": [{"size": [10, 8], "conductors": [2, 2], "depth": 0.5, "diameter": 0.01, )";
        row("a cut wider than the L", soil + l + R"("cut": [10, 3]}]})", Kind::CutTooLarge,
            "l_grids[0].cut");
        row("a cut of nothing", soil + l + R"("cut": [4, 0]}]})", Kind::NotPositive,
            "l_grids[0].cut[1]");
        // Read as a number, refused as a count, and never made an int on the way.
        row("an L of 2e80 conductors",
            soil +
                R"("l_grids": [{"size": [10, 8], "cut": [8, 3], "conductors": [2, 2e80], "depth": 0.5, "diameter": 0.01}]})",
            Kind::CountOutOfRange, "l_grids[0].conductors[1]", 10000);
        row("an L without its cut", soil + l + R"("group": 0}]})", Kind::MissingKey,
            "l_grids[0].cut");
        row("an L's unknown key", soil + l + R"("cut": [4, 3], "cuts": 1}]})", Kind::UnknownKey,
            "l_grids[0].cuts");
        row("an L of too many conductors",
            soil +
                R"("l_grids": [{"size": [10, 8], "conductors": [2, 10001], "cut": [1, 1], "depth": 0.5, "diameter": 0.01}]})",
            Kind::CountOutOfRange, "l_grids[0].conductors[1]", 10000);
        const QByteArray ring =
            R"("rings": [{"centre": [0, 0], "radius": 2, "depth": 0.5, "diameter": 0.01, "rod": {"length": 2, "diameter": 0.02}, )";
        row("a ring of two rods", soil + ring + R"("count": 2}]})", Kind::TooFewRods,
            "rings[0].count", 10000);
        row("a ring of no radius",
            soil + R"("rings": [{"centre": [0, 0], "radius": 0, "count": 4}]})", Kind::NotPositive,
            "rings[0].radius");
        row("a ring rod's unknown key", soil + ring + R"("count": 4, "group": 1, "x": 0}]})",
            Kind::UnknownKey, "rings[0].x");
        row("a fence without posts", soil + R"("fences": [{"distance": 2}]})", Kind::MissingKey,
            "fences[0].posts");
        const QByteArray posts = R"("posts": {"spacing": 3, "length": 1, "diameter": 0.05})";
        row("a fence neither at a distance nor along an outline",
            soil + R"("fences": [{)" + posts + "}]}", Kind::MissingKey, "fences[0].distance");
        row("a fence's outline of one corner",
            soil + R"("fences": [{"polyline": [[0, 0]], )" + posts + "}]}",
            Kind::TooFewOutlineCorners, "fences[0].polyline", 2);
        row("a closed fence's outline of two corners",
            soil + R"("fences": [{"polyline": [[0, 0], [5, 0]], "closed": true, )" + posts + "}]}",
            Kind::TooFewOutlineCorners, "fences[0].polyline", 3);
        row("a fence's outline beside a distance",
            soil + R"("fences": [{"polyline": [[0, 0], [5, 0]], "distance": 2, )" + posts + "}]}",
            Kind::BesideOutline, "fences[0].distance");
        row("a fence closed without an outline",
            soil + R"("fences": [{"distance": 2, "closed": false, )" + posts + "}]}",
            Kind::WithoutOutline, "fences[0].closed");
        row("a fence's outline not closed by a boolean",
            soil + R"("fences": [{"polyline": [[0, 0], [5, 0]], "closed": 1, )" + posts + "}]}",
            Kind::NotABoolean, "fences[0].closed");
        row("a fence's outline point of one coordinate",
            soil + R"("fences": [{"polyline": [[0, 0], [5]], )" + posts + "}]}", Kind::WrongLength,
            "fences[0].polyline[1]", 2);
        row("a fence's posts of no spacing",
            soil +
                R"("fences": [{"distance": 2, "posts": {"spacing": -1, "length": 1, "diameter": 0.05}}]})",
            Kind::NotPositive, "fences[0].posts.spacing");
        row("a fence inside",
            soil +
                R"("fences": [{"distance": -1, "posts": {"spacing": 1, "length": 1, "diameter": 0.05}}]})",
            Kind::NotPositive, "fences[0].distance");
        row("a fence's post height",
            soil +
                R"("fences": [{"distance": 1, "posts": {"spacing": 1, "length": 1, "diameter": 0.05, "height": 2}}]})",
            Kind::UnknownKey, "fences[0].posts.height");
        row("safety of no duration", soil + R"("safety": {"duration": 0}})", Kind::NotPositive,
            "safety.duration");
        row("a body of 60 kg", soil + R"("safety": {"duration": 1, "body": 60}})",
            Kind::NotBodyWeight, "safety.body");
        row("a surface layer without thickness",
            soil + R"("safety": {"duration": 1, "surface": {"rho": 3000}}})", Kind::MissingKey,
            "safety.surface.thickness");
        // A side, a length or a diameter of nothing is refused where it is written, before
        // the solver would find a conductor of no length or no thickness.
        const QByteArray grid = R"("grids": [{"conductors": [2, 2], "depth": 0.5, )";
        row("a grid of no side", soil + grid + R"("size": [0, 10], "diameter": 0.01}]})",
            Kind::NotPositive, "grids[0].size[0]");
        row("a grid's side below nothing", soil + grid + R"("size": [10, -2], "diameter": 0.01}]})",
            Kind::NotPositive, "grids[0].size[1]");
        row("a grid of no diameter", soil + grid + R"("size": [10, 10], "diameter": 0}]})",
            Kind::NotPositive, "grids[0].diameter");
        row("grid rods of no length",
            soil + grid +
                R"("size": [10, 10], "diameter": 0.01, "rods": {"count": 4, "length": 0, "diameter": 0.016}}]})",
            Kind::NotPositive, "grids[0].rods.length");
        row("grid rods of no diameter",
            soil + grid +
                R"("size": [10, 10], "diameter": 0.01, "rods": {"corners": true, "length": 3, "diameter": -0.016}}]})",
            Kind::NotPositive, "grids[0].rods.diameter");
        row("an L of no side",
            soil +
                R"("l_grids": [{"size": [10, 0], "cut": [4, 3], "conductors": [2, 2], "depth": 0.5, "diameter": 0.01}]})",
            Kind::NotPositive, "l_grids[0].size[1]");
        row("a conductor of no diameter",
            soil + R"("conductors": [{"from": [0, 0, 0.5], "to": [9, 0, 0.5], "diameter": 0}]})",
            Kind::NotPositive, "conductors[0].diameter");
        const QByteArray rods = R"("rods": [{"at": [[0, 0]], "top": 0.5, )";
        row("rods of no length", soil + rods + R"("length": 0, "diameter": 0.016}]})",
            Kind::NotPositive, "rods[0].length");
        row("rods of no diameter", soil + rods + R"("length": 3, "diameter": 0}]})",
            Kind::NotPositive, "rods[0].diameter");
        row("a ring of no diameter",
            soil +
                R"("rings": [{"centre": [0, 0], "radius": 2, "count": 4, "depth": 0.5, "diameter": 0, "rod": {"length": 2, "diameter": 0.02}}]})",
            Kind::NotPositive, "rings[0].diameter");
        row("a ring's rods of no length",
            soil +
                R"("rings": [{"centre": [0, 0], "radius": 2, "count": 4, "depth": 0.5, "diameter": 0.01, "rod": {"length": 0, "diameter": 0.02}}]})",
            Kind::NotPositive, "rings[0].rod.length");
        row("a ring's rods of no diameter",
            soil +
                R"("rings": [{"centre": [0, 0], "radius": 2, "count": 4, "depth": 0.5, "diameter": 0.01, "rod": {"length": 2, "diameter": 0}}]})",
            Kind::NotPositive, "rings[0].rod.diameter");
        row("fence posts of no length",
            soil +
                R"("fences": [{"distance": 2, "posts": {"spacing": 3, "length": 0, "diameter": 0.05}}]})",
            Kind::NotPositive, "fences[0].posts.length");
        row("fence posts of no diameter",
            soil +
                R"("fences": [{"distance": 2, "posts": {"spacing": 3, "length": 1, "diameter": 0}}]})",
            Kind::NotPositive, "fences[0].posts.diameter");
        // The version: a whole number from 1; unknown keys are still refused in version 1.
        row("version 0", R"({"version": 0, "soil": {"rho": 1}, "current": 1})", Kind::NotAVersion,
            "version");
        row("version 1.5", R"({"version": 1.5, "soil": {"rho": 1}, "current": 1})",
            Kind::NotAVersion, "version");
        row("version as text", R"({"version": "1", "soil": {"rho": 1}, "current": 1})",
            Kind::NotAVersion, "version");
        row("version 1 with a key it lacks",
            R"({"version": 1, "soil": {"rho": 1}, "current": 1, "cables": []})", Kind::UnknownKey,
            "cables");
        // A newer document is refused as newer, not for the keys its version brought in.
        row("version 6", R"({"version": 6, "soil": {"rho": 1}, "current": 1, "cables": []})",
            Kind::NewerVersion, "", 5);
        row("window settings an array", soil + R"("study_window": [1]})", Kind::NotAnObject,
            "study_window");
        // The report samples the field along the profile line: an end beyond the solver's
        // reach (a line of no finite length) is refused at its path.
        row("profile of infinite length",
            soil + R"("study_window": {"profile": [1e308, 0, -1e308, 0]}})", Kind::BeyondReach,
            "study_window.profile[0]", 100000);
        row("profile ending beyond reach",
            soil + R"("study_window": {"profile": [0, 0, 10, -100001]}})", Kind::BeyondReach,
            "study_window.profile[3]", 100000);
        const auto layers = [](const QByteArray &list) {
            return R"({"soil": {"layers": )" + list + R"(}, "current": 1})";
        };
        row("six layers",
            layers(R"([{"rho": 1, "thickness": 1}, {"rho": 2, "thickness": 1}, {"rho": 3,)"
                   R"( "thickness": 1}, {"rho": 4, "thickness": 1}, {"rho": 5, "thickness": 1},)"
                   R"( {"rho": 6}])"),
            Kind::TooManyLayers, "soil.layers", 6);
        row("no layer", layers("[]"), Kind::NoLayers, "soil.layers");
        row("layers not a list", layers(R"({"rho": 1})"), Kind::NotAnArray, "soil.layers");
        row("a layer of no thickness",
            layers(R"([{"rho": 300, "thickness": 2}, {"rho": 100, "thickness": 0}, {"rho": 600}])"),
            Kind::NotPositive, "soil.layers[1].thickness");
        row("a layer of negative thickness",
            layers(
                R"([{"rho": 300, "thickness": -2}, {"rho": 100, "thickness": 8}, {"rho": 600}])"),
            Kind::NotPositive, "soil.layers[0].thickness");
        row("a layer of no resistivity",
            layers(R"([{"rho": 300, "thickness": 2}, {"rho": 0, "thickness": 8}, {"rho": 600}])"),
            Kind::NotPositive, "soil.layers[1].rho");
        row("a layer of negative resistivity",
            layers(R"([{"rho": 300, "thickness": 2}, {"rho": 100, "thickness": 8}, {"rho": -6}])"),
            Kind::NotPositive, "soil.layers[2].rho");
        row("a resistivity as text",
            layers(
                R"([{"rho": "300", "thickness": 2}, {"rho": 100, "thickness": 8}, {"rho": 600}])"),
            Kind::NotANumber, "soil.layers[0].rho");
        row("a thickness not determined",
            layers(
                R"([{"rho": 300, "thickness": 2}, {"rho": 100, "thickness": null}, {"rho": 6}])"),
            Kind::MissingKey, "soil.layers[1].thickness");
        row("a layer without its thickness",
            layers(R"([{"rho": 300, "thickness": 2}, {"rho": 100}, {"rho": 600}])"),
            Kind::MissingKey, "soil.layers[1].thickness");
        row("the last layer with a thickness",
            layers(R"([{"rho": 300, "thickness": 2}, {"rho": 100, "thickness": 8},)"
                   R"( {"rho": 600, "thickness": 20}])"),
            Kind::LastLayerThickness, "soil.layers[2].thickness");
        row("a key a layer does not take",
            layers(R"([{"rho": 300, "thickness": 2}, {"rho": 100, "h": 8}, {"rho": 600}])"),
            Kind::UnknownKey, "soil.layers[1].h");
        row("layers beside rho",
            R"({"soil": {"rho": 100, "layers": [{"rho": 300, "thickness": 2}, {"rho": 100}]},)"
            R"( "current": 1})",
            Kind::LayersBeside, "soil");
        row("three layers beside rho1, rho2 and h",
            R"({"soil": {"rho1": 300, "rho2": 100, "h": 2, "layers": [{"rho": 300, "thickness": 2},)"
            R"( {"rho": 100, "thickness": 8}, {"rho": 600}]}, "current": 1})",
            Kind::LayersBeside, "soil");
        row("a split factor of 0",
            soil + R"("current_basis": {"fault_current": 1, "split": 0}})", Kind::NotPositive,
            "current_basis.split");
        row("a fault without its current", soil + R"("current_basis": {"split": 1}})",
            Kind::MissingKey, "current_basis.fault_current");
        row("a basis of unknown words",
            soil + R"("current_basis": {"fault_current": 1, "x_r": 3}})", Kind::UnknownKey,
            "current_basis.x_r");
    }

    void errors() {
        QFETCH(QByteArray, json);
        QFETCH(Kind, kind);
        QFETCH(QString, path);
        QFETCH(int, expected);
        DocumentError error;
        SystemDocument::fromJson(json, error);
        QCOMPARE(error.kind, kind);
        QCOMPARE(error.path, path);
        QCOMPARE(error.expected, expected);
        if (kind == Kind::NotJson)
            QCOMPARE(error.offset, 9);
        if (kind == Kind::NewerVersion)
            QCOMPARE(error.found, 6.);
    }

    // A part that would expand past the solver's conductors is refused by its path before
    // anything is expanded, with the conductors up to it: a fence's nanometre spacing would
    // otherwise ask for tens of gigabytes, or wrap an int into a few posts.
    void expansionRefused_data() {
        QTest::addColumn<QByteArray>("parts");
        QTest::addColumn<QString>("part");
        QTest::addColumn<double>("conductors");
        // Round the 10 m wire, 1 m out: a 12 m x 2 m rectangle, (12 + 2) * 2 / spacing posts.
        const auto fence = [](const char *spacing) {
            return QByteArray(R"("fences": [{"distance": 1, "posts": {"spacing": )") + spacing +
                   R"(, "length": 1, "diameter": 0.05}}])";
        };
        QTest::newRow("fence posts every micrometre")
            << fence("1e-6") << "fences[0]" << 1 + 28 / 1e-6;
        QTest::newRow("fence posts every nanometre")
            << fence("1e-9") << "fences[0]" << 1 + 28 / 1e-9;
        QTest::newRow("a ring of 10000 rods")
            << QByteArray(R"("rings": [{"centre": [5, 20], "radius": 2, "count": 10000,
                 "depth": 0.6, "diameter": 0.01, "rod": {"length": 2, "diameter": 0.02}}])")
            << "rings[0]" << 1 + 2 * 10000.;
        QTest::newRow("a second grid past the limit")
            << QByteArray(
                   R"("grids": [{"size": [100, 100], "conductors": [3000, 3000], "depth": 0.5, "diameter": 0.01},
                 {"origin": [200, 0], "size": [100, 100], "conductors": [3000, 3000], "depth": 0.5, "diameter": 0.01}])")
            << "grids[1]" << 1 + 4 * 3000.;
    }
    void expansionRefused() {
        QFETCH(QByteArray, parts);
        QFETCH(QString, part);
        QFETCH(double, conductors);
        const SystemDocument d = read(R"({"soil": {"rho": 100}, "current": 10,
            "conductors": [{"from": [0, 0, 0.5], "to": [10, 0, 0.5], "diameter": 0.01}], )" +
                                      parts + "}");
        const SystemDocument::Expansion e = d.expanded();
        QVERIFY(e.input.refused());
        QCOMPARE(e.refusedPart, part);
        QCOMPARE(e.input.refusal().error, Error::TooManyConductors);
        QCOMPARE(e.input.refusal().values.size(), std::size_t(2));
        QVERIFY2(std::abs(e.input.refusal().values[0] / conductors - 1) < 1e-9,
                 qPrintable(QString::number(e.input.refusal().values[0])));
        QCOMPARE(e.input.refusal().values[1], 12000.);
    }

    // Within the limit, the expansion is input()'s.
    void expansionWithinLimit() {
        const SystemDocument d = read(R"({"soil": {"rho": 100}, "current": 10,
            "conductors": [{"from": [0, 0, 0.5], "to": [10, 0, 0.5], "diameter": 0.01}],
            "fences": [{"distance": 1, "posts": {"spacing": 0.01, "length": 1, "diameter": 0.005}}]})");
        const SystemDocument::Expansion e = d.expanded();
        QVERIFY(!e.input.refused());
        QVERIFY(e.refusedPart.isEmpty());
        QCOMPARE(e.input.result().conductors.size(), std::size_t(1 + 28 / 0.01));
    }

    // The result's JSON holds the result's figures under the keys the command documents.
    void result() {
        const SystemDocument d = read(R"({"soil": {"rho": 100}, "current": 10,
            "conductors": [{"from": [0, 0, 0.5], "to": [6, 0, 0.5], "diameter": 0.01},
                           {"from": [0, -2, 0.5], "to": [6, -2, 0.5], "diameter": 0.01, "group": 1}],
            "points": [[3, 1], [30, 30]], "search": {"step": 1}})");
        const Refusable<EarthingResult> outcome = EarthingSolver::solve(d.input());
        QVERIFY(!outcome.refused());
        const EarthingResult &r = outcome.result();
        QJsonParseError parse;
        const QJsonObject o =
            QJsonDocument::fromJson(SystemDocument::resultJson(r), &parse).object();
        QCOMPARE(parse.error, QJsonParseError::NoError);
        QCOMPARE(o.keys(),
                 (QStringList{"cautions", "gpr", "groups", "image_terms", "operator",
                              "operator_bytes", "points", "resistance", "segments", "step_max",
                              "touch_areas", "touch_max", "touch_points"}));
        QCOMPARE(o["operator"].toString(), QStringLiteral("dense"));
        QCOMPARE(o["operator_bytes"].toDouble(), 8. * r.segments * r.segments);
        QCOMPARE(o["resistance"].toDouble(), r.resistance);
        QCOMPARE(o["gpr"].toDouble(), r.gpr);
        QCOMPARE(o["segments"].toInt(), r.segments);
        QCOMPARE(o["image_terms"].toInt(), 1);
        const QJsonArray groups = o["groups"].toArray();
        QCOMPARE(groups.size(), 2);
        QCOMPARE(groups[1].toObject()["potential"].toDouble(), r.groups[1].potential);
        QCOMPARE(groups[0].toObject()["current"].toDouble(), r.groups[0].current);
        const QJsonArray points = o["points"].toArray();
        QCOMPARE(points.size(), 2);
        QCOMPARE(points[0].toObject()["touch"].toDouble(), r.points[0].touch);
        QCOMPARE(points[0].toObject()["in_touch_area"].toBool(), false);
        QCOMPARE(points[1].toObject()["potential"].toDouble(), r.points[1].potential);
        // A lone straight wire of group 0 covers no ground: no worst touch.
        QVERIFY(!r.touchMax);
        QVERIFY(o["touch_max"].isNull());
        QCOMPARE(o["touch_areas"].toArray().size(), int(r.touchAreas.size()));
        const QJsonObject step = o["step_max"].toObject();
        QCOMPARE(step["voltage"].toDouble(), r.stepMax.voltage);
        QCOMPARE(step["x"].toDouble(), r.stepMax.middle().x);
        QCOMPARE(step["to"].toArray()[1].toDouble(), r.stepMax.to.y);
        QVERIFY(o["cautions"].toArray().isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestSystemDocument)
#include "tst_systemdocument.moc"
