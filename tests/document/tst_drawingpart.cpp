// An imported drawing as a part of the system document, and the site origin: read,
// expanded with the rows they came from, written back whole, refused at the row at fault.
#include "document/PartLeakage.h"
#include "document/SystemDocument.h"
#include "tests/support/ReadDocument.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace tav;
using namespace tav::earthing;

namespace {

using Kind = DocumentError::Kind;

const QByteArray kSoil = R"({"soil": {"rho": 100}, "current": 1000, )";

// Two conductors of an L at 0.6 m and a rod of 3 m at its corner, floating as group 2.
const QByteArray kDrawing = R"("drawings": [{"name": "yard.dxf", "group": 2,
    "conductors": [{"from": [0, 0, 0.6], "to": [12.5, 0, 0.6], "diameter": 0.012},
                   {"from": [12.5, 0, 0.6], "to": [12.5, 7.25, 0.6], "diameter": 0.012}],
    "rods": [{"at": [12.5, 7.25], "top": 0.6, "length": 3, "diameter": 0.016}]}])";

DocumentError refusalOf(const QByteArray &json) {
    DocumentError error;
    SystemDocument::fromJson(json, error);
    return error;
}

QJsonObject written(const SystemDocument &document) {
    return QJsonDocument::fromJson(document.toJson()).object();
}

} // namespace

class TestDrawingPart : public QObject {
    Q_OBJECT

private slots:
    void readsTheRowsAsGiven() {
        const SystemDocument d = readSoundDocument(kSoil + kDrawing + "}");
        QCOMPARE(d.drawings.size(), std::size_t(1));
        const DrawingPart &part = d.drawings[0];
        QCOMPARE(part.name, QStringLiteral("yard.dxf"));
        QCOMPARE(part.group, 2);
        QCOMPARE(part.conductors.size(), std::size_t(2));
        QCOMPARE(part.conductors[1].to.y, 7.25);
        QCOMPARE(part.conductors[1].to.z, 0.6);
        QCOMPARE(part.conductors[0].diameter, 0.012);
        QCOMPARE(part.rods.size(), std::size_t(1));
        QCOMPARE(part.rods[0].at.x, 12.5);
        QCOMPARE(part.rods[0].length, 3.0);
    }

    // The rod stands from its top 3 m down: its bottom at 3.6 m, all of the part's group.
    void expandsWithTheRowOfEachConductor() {
        const SystemDocument d = readSoundDocument(kSoil + kDrawing + "}");
        const EarthingInput input = d.input();
        QCOMPARE(input.conductors.size(), std::size_t(3));
        const Conductor &rod = input.conductors[2];
        QCOMPARE(rod.from.x, 12.5);
        QCOMPARE(rod.to.y, 7.25);
        QCOMPARE(std::min(rod.from.z, rod.to.z), 0.6);
        QCOMPARE(std::max(rod.from.z, rod.to.z), 3.6);
        QCOMPARE(rod.diameter, 0.016);
        for (const Conductor &c : input.conductors)
            QCOMPARE(c.group, 2);
        const std::vector<ConductorSource> sources = d.sources();
        const char *fields[] = {"conductors[0]", "conductors[1]", "rods[0]"};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(sources[std::size_t(k)].kind, PartKind::Drawing);
            QCOMPARE(sources[std::size_t(k)].index, 0);
            QCOMPARE(sources[std::size_t(k)].field, QLatin1String(fields[k]));
        }
        // Its conductors touch: one cluster, one touch area of its group.
        QCOMPARE(input.touchAreas.size(), std::size_t(1));
        QCOMPARE(input.touchAreas[0].group, 2);
    }

    // After the rings and before the fences, which stand round the drawing too.
    void comesBeforeTheFences() {
        const SystemDocument d = readSoundDocument(
            kSoil + kDrawing +
            R"(, "rings": [{"centre": [40, 40], "radius": 2, "count": 3, "depth": 0.5,
                "diameter": 0.01, "rod": {"length": 1, "diameter": 0.016}}],
              "fences": [{"distance": 2, "posts": {"spacing": 5, "length": 1, "diameter": 0.05}}]})");
        const std::vector<ConductorSource> sources = d.sources();
        std::vector<PartKind> order;
        for (const ConductorSource &s : sources)
            if (order.empty() || order.back() != s.kind)
                order.push_back(s.kind);
        const std::vector<PartKind> expected{PartKind::Ring, PartKind::Drawing, PartKind::Fence};
        QCOMPARE(order, expected);
        // The fence's own group: one above the drawing's 2.
        QCOMPARE(d.fenceGroups(), std::vector<int>{3});
    }

    void writesItBackWhole() {
        const QByteArray json =
            kSoil + kDrawing + R"(, "site_origin": {"x": 500100, "y": 4000400.5}})";
        const SystemDocument d = readSoundDocument(json);
        const QJsonObject o = written(d);
        const QJsonObject given = QJsonDocument::fromJson(json).object();
        QCOMPARE(o.value("drawings"), given.value("drawings"));
        QCOMPARE(o.value("site_origin"), given.value("site_origin"));
        QCOMPARE(o.value("version"), QJsonValue(2));
        const SystemDocument again = readSoundDocument(d.toJson());
        QCOMPARE(again.siteOrigin->y, 4000400.5);
        QCOMPARE(again.drawings[0].rods[0].top, 0.6);
    }

    // An older program reads what holds no drawing and no site origin: written as version 1.
    void writesTheLowestVersionThatHoldsIt() {
        const SystemDocument plain = readSoundDocument(kSoil + R"("conductors": []})");
        QCOMPARE(written(plain).value("version"), QJsonValue(1));
        QVERIFY(!written(plain).contains("site_origin"));
        const SystemDocument placed =
            readSoundDocument(kSoil + R"("site_origin": {"x": 0, "y": 0}})");
        QCOMPARE(written(placed).value("version"), QJsonValue(2));
        QCOMPARE(refusalOf(R"({"version": 6, "soil": {"rho": 1}, "current": 1})").kind,
                 Kind::NewerVersion);
    }

    // A drawing without rows, or with empty arrays, is sound and expands into nothing.
    void takesAnEmptyDrawing() {
        const SystemDocument d = readSoundDocument(kSoil + R"("drawings": [{"name": "blank"}]})");
        QCOMPARE(d.drawings[0].group, 0);
        QVERIFY(d.input().conductors.empty());
    }

    void refusesAtTheRow_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("path");
        const auto row = [](const char *name, const char *tail, Kind kind, const char *path) {
            QTest::newRow(name) << kSoil + tail + "}" << kind << QString::fromLatin1(path);
        };
        const char *const c = R"({"from": [0, 0, 0.5], "to": [5, 0, 0.5], "diameter": 0.01})";
        row("drawings not an array", R"("drawings": {})", Kind::NotAnArray, "drawings");
        row("a drawing not an object", R"("drawings": [1])", Kind::NotAnObject, "drawings[0]");
        row("no name", R"("drawings": [{"conductors": []}])", Kind::MissingKey, "drawings[0].name");
        row("a name not text", R"("drawings": [{"name": 4}])", Kind::NotText, "drawings[0].name");
        row("a group not whole", R"("drawings": [{"name": "a", "group": 0.5}])", Kind::NotAnInteger,
            "drawings[0].group");
        row("a key it lacks", R"("drawings": [{"name": "a", "layers": []}])", Kind::UnknownKey,
            "drawings[0].layers");
        row("conductors not an array", R"("drawings": [{"name": "a", "conductors": 3}])",
            Kind::NotAnArray, "drawings[0].conductors");
        QTest::newRow("a conductor of no diameter")
            << kSoil + R"("drawings": [{"name": "a", "conductors": [)" + c + ", " + c + ", " + c +
                   ", " + R"({"from": [0, 0, 0.5], "to": [0, 5, 0.5], "diameter": 0}]}]})"
            << Kind::NotPositive << QStringLiteral("drawings[0].conductors[3].diameter");
        row("a conductor's end of two numbers",
            R"("drawings": [{"name": "a", "conductors": [{"from": [0, 0], "to": [5, 0, 0.5], "diameter": 0.01}]}])",
            Kind::WrongLength, "drawings[0].conductors[0].from");
        row("a conductor without its end",
            R"("drawings": [{"name": "a", "conductors": [{"from": [0, 0, 1], "diameter": 0.01}]}])",
            Kind::MissingKey, "drawings[0].conductors[0].to");
        row("a conductor's group",
            R"("drawings": [{"name": "a", "conductors": [{"from": [0, 0, 1], "to": [1, 0, 1], "diameter": 0.01, "group": 1}]}])",
            Kind::UnknownKey, "drawings[0].conductors[0].group");
        row("a conductor beyond reach",
            R"("drawings": [{"name": "a", "conductors": [{"from": [500123, 0, 1], "to": [1, 0, 1], "diameter": 0.01}]}])",
            Kind::BeyondReach, "drawings[0].conductors[0].from[0]");
        row("a rod of no length",
            R"("drawings": [{"name": "a", "rods": [{"at": [1, 2], "top": 0.5, "length": 0, "diameter": 0.016}]}])",
            Kind::NotPositive, "drawings[0].rods[0].length");
        row("a rod without a top",
            R"("drawings": [{"name": "a", "rods": [{"at": [1, 2], "length": 3, "diameter": 0.016}]}])",
            Kind::MissingKey, "drawings[0].rods[0].top");
        row("a rod's place as text",
            R"("drawings": [{"name": "a", "rods": [{"at": "here", "top": 0.5, "length": 3, "diameter": 0.016}]}])",
            Kind::NotAnArray, "drawings[0].rods[0].at");
        row("site origin not an object", R"("site_origin": [1, 2])", Kind::NotAnObject,
            "site_origin");
        row("site origin without y", R"("site_origin": {"x": 1})", Kind::MissingKey,
            "site_origin.y");
        row("site origin as text", R"("site_origin": {"x": "east", "y": 1})", Kind::NotANumber,
            "site_origin.x");
        row("site origin with z", R"("site_origin": {"x": 1, "y": 2, "z": 3})", Kind::UnknownKey,
            "site_origin.z");
        // A touch area of the drawing's group is of a group the system has.
        row("a touch area of a group none has",
            R"("drawings": [{"name": "a", "group": 4}], "touch_areas": [{"polygon": [[0, 0], [1, 0], [1, 1]], "group": 5}])",
            Kind::UnknownGroup, "touch_areas[0].group");
    }

    void refusesAtTheRow() {
        QFETCH(QByteArray, json);
        QFETCH(Kind, kind);
        QFETCH(QString, path);
        const DocumentError error = refusalOf(json);
        QCOMPARE(error.kind, kind);
        QCOMPARE(error.path, path);
    }

    void takesATouchAreaOfTheDrawingsGroup() {
        const SystemDocument d = readSoundDocument(
            kSoil +
            R"("drawings": [{"name": "a", "group": 4}], "touch_areas": [{"polygon": [[0, 0], [1, 0], [1, 1]], "group": 4}]})");
        QCOMPARE(d.touchAreas.size(), std::size_t(1));
    }

    // One leakage row for a drawing's conductors and one for its rods, as for a grid's.
    void leaksPerDrawingNotPerRow() {
        const SystemDocument d = readSoundDocument(kSoil + kDrawing + "}");
        EarthingResult result;
        result.groups = {{2, 0, 0}};
        const SystemLeakage leakage = SystemLeakage::of(d.sources(), result);
        QCOMPARE(leakage.parts.size(), std::size_t(2));
        QCOMPARE(leakage.parts[0].field, QStringLiteral("conductors"));
        QCOMPARE(leakage.parts[1].field, QStringLiteral("rods"));
        const auto lookup = [](unsigned id) { return QString::number(id) + QStringLiteral(" %1"); };
        QCOMPARE(SystemLeakage::name(leakage.parts[0], lookup), QStringLiteral("6702 1"));
        QCOMPARE(SystemLeakage::name(leakage.parts[1], lookup), QStringLiteral("3236 6702 1"));
        // From the document, by the name the drawing has.
        const SystemLeakage named = SystemLeakage::of(d, result);
        QCOMPARE(SystemLeakage::name(named.parts[0], lookup), QStringLiteral("yard.dxf"));
        QCOMPARE(SystemLeakage::name(named.parts[1], lookup), QStringLiteral("3236 yard.dxf"));
    }
};

QTEST_GUILESS_MAIN(TestDrawingPart)
#include "tst_drawingpart.moc"
