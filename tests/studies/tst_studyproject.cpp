// The study as its window keeps it: parts found from the document's paths and the solver's
// conductor numbers, floating groups kept without gaps, files that cannot be a study
// refused, and the grid check's grid handed on.
#include "core/GridSafety.h"
#include "document/SystemDocument.h"
#include "studies/earthing/StudyProject.h"
#include "tests/support/AnnexB1.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

using Kind = StudyPart::Kind;
using ErrorKind = tav::DocumentError::Kind;

namespace {

QJsonObject grid(int countX, int countY, double side) {
    return {{QStringLiteral("size"), QJsonArray{side, side}},
            {QStringLiteral("conductors"), QJsonArray{countX, countY}},
            {QStringLiteral("depth"), 0.5},
            {QStringLiteral("diameter"), 0.01}};
}

// A conductor, grids of 2 + 2 and 3 + 3 conductors, three rods, a ring of six and a fence,
// in the document's order.
StudyProject mixed() {
    StudyProject p = StudyProject::made();
    p.parts = {{Kind::Conductor,
                {{QStringLiteral("from"), QJsonArray{0, 50, 0.5}},
                 {QStringLiteral("to"), QJsonArray{5, 50, 0.5}},
                 {QStringLiteral("diameter"), 0.01}}},
               {Kind::Grid, grid(2, 2, 10)},
               {Kind::Grid, grid(3, 3, 10)},
               {Kind::Rods,
                {{QStringLiteral("at"),
                  QJsonArray{QJsonArray{20, 0}, QJsonArray{25, 0}, QJsonArray{30, 0}}},
                 {QStringLiteral("top"), 0.5},
                 {QStringLiteral("length"), 3},
                 {QStringLiteral("diameter"), 0.016}}},
               StudyPart::made(Kind::Ring),
               StudyPart::made(Kind::Fence)};
    p.parts[4].json[QStringLiteral("centre")] = QJsonArray{50, 0};
    return p;
}

// A touch area, a square at x, on a group.
StudyPart areaAt(double x, int group) {
    StudyPart area = StudyPart::made(Kind::TouchArea);
    area.json[QStringLiteral("polygon")] =
        QJsonArray{QJsonArray{x, 0}, QJsonArray{x + 1, 0}, QJsonArray{x + 1, 1}, QJsonArray{x, 1}};
    area.json[QStringLiteral("group")] = group;
    return area;
}

// A part's object without its group: the same metal, whatever its group's number.
QJsonObject metal(const StudyPart &part) {
    QJsonObject o = part.json;
    o.remove(QStringLiteral("group"));
    return o;
}

// The group of the metal as the document's reader numbers it, found in p as given.
int readGroup(const StudyProject &p, const StudyPart &given) {
    int index = -1;
    int ofKind = 0;
    for (const StudyPart &part : p.parts) {
        if (part.kind != given.kind)
            continue;
        if (metal(part) == metal(given))
            index = ofKind;
        ++ofKind;
    }
    tav::DocumentError error;
    const tav::SystemDocument d = tav::SystemDocument::fromJson(p.toJson(), error);
    if (error.kind != ErrorKind::None || index < 0)
        return -100;
    switch (given.kind) {
    case Kind::Grid:
        return d.grids[std::size_t(index)].grid.group;
    case Kind::Rods:
        return d.rods[std::size_t(index)].group;
    case Kind::Ring:
        return d.rings[std::size_t(index)].group;
    case Kind::Fence:
        return d.fenceGroups()[std::size_t(index)];
    default:
        return -100;
    }
}

QVector<int> groups(const StudyProject &p) {
    QVector<int> g;
    for (const StudyPart &part : p.parts)
        g.append(part.group());
    return g;
}

} // namespace

class TestStudyProject : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A sounding's layers start a study over them: one or two in their forms, three or
    // more as the soil's list, which the document reads back as those layers.
    void overSoilOfLayers_data() {
        QTest::addColumn<QVector<double>>("rho");
        QTest::addColumn<QVector<double>>("thickness");
        QTest::addColumn<QByteArray>("soil");
        QTest::newRow("one") << QVector<double>{120} << QVector<double>{}
                             << QByteArray(R"({"rho": 120, "readings": 6, "rms_percent": 1.5})");
        QTest::newRow("two")
            << QVector<double>{300, 100} << QVector<double>{2}
            << QByteArray(
                   R"({"rho1": 300, "rho2": 100, "h": 2, "readings": 6, "rms_percent": 1.5})");
        QTest::newRow("three")
            << QVector<double>{300, 100, 600} << QVector<double>{2, 8}
            << QByteArray(
                   R"({"layers": [{"rho": 300, "thickness": 2}, {"rho": 100, "thickness": 8},)"
                   R"( {"rho": 600}], "readings": 6, "rms_percent": 1.5})");
    }
    void overSoilOfLayers() {
        QFETCH(QVector<double>, rho);
        QFETCH(QVector<double>, thickness);
        QFETCH(QByteArray, soil);
        const StudyProject p =
            StudyProject::overSoil({rho.begin(), rho.end()}, {thickness.begin(), thickness.end()},
                                   tav::InputOrigin::Soil{6, 1.5, std::nullopt});
        QCOMPARE(p.rest.value(QStringLiteral("soil")).toObject(),
                 QJsonDocument::fromJson(soil).object());
        QVERIFY(p.notice.isEmpty());
        tav::DocumentError error;
        const tav::SystemDocument d = tav::SystemDocument::fromJson(p.toJson(), error);
        QCOMPARE(error.kind, ErrorKind::None);
        QCOMPARE(d.soil.layerCount(), int(rho.size()));
        QCOMPARE(d.soil.resistivity(int(rho.size()) - 1), rho.last());
    }

    void partAt_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("part");
        QTest::addColumn<QString>("inner");
        QTest::newRow("the conductor's depth") << "conductors[0].from[2]" << 0 << "from[2]";
        QTest::newRow("first grid's field") << "grids[0].depth" << 1 << "depth";
        QTest::newRow("second grid's rods") << "grids[1].rods.count" << 2 << "rods.count";
        QTest::newRow("a number of a pair") << "grids[1].size[0]" << 2 << "size[0]";
        QTest::newRow("a rod's place") << "rods[0].at[2]" << 3 << "at[2]";
        QTest::newRow("the part itself") << "rings[0]" << 4 << "";
        QTest::newRow("the fence") << "fences[0].posts.spacing" << 5 << "posts.spacing";
        QTest::newRow("beyond the grids") << "grids[2].depth" << -1 << "";
        QTest::newRow("no part's") << "soil.rho" << -1 << "";
        QTest::newRow("a kind with none") << "l_grids[0]" << -1 << "";
    }
    void partAt() {
        QFETCH(QString, path);
        QFETCH(int, part);
        QFETCH(QString, inner);
        const auto at = mixed().partAt(path);
        QCOMPARE(at ? at->first : -1, part);
        if (at)
            QCOMPARE(at->second, inner);
    }

    // The solver's numbers run through the conductor, the grids (4, then 6 conductors), the
    // three rods, the ring's six rods and six sides, then the fence's posts.
    void partOfConductor_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("part");
        QTest::newRow("the conductor") << 1 << 0;
        QTest::newRow("first grid's first") << 2 << 1;
        QTest::newRow("first grid's last") << 5 << 1;
        QTest::newRow("second grid's first") << 6 << 2;
        QTest::newRow("second grid's last") << 11 << 2;
        QTest::newRow("a rod") << 12 << 3;
        QTest::newRow("last rod") << 14 << 3;
        QTest::newRow("ring's first") << 15 << 4;
        QTest::newRow("ring's last") << 26 << 4;
        QTest::newRow("fence") << 27 << 5;
        QTest::newRow("none") << 100000 << -1;
        QTest::newRow("zero") << 0 << -1;
    }
    void partOfConductor() {
        QFETCH(int, number);
        QFETCH(int, part);
        const StudyProject p = mixed();
        tav::DocumentError error;
        const auto sources = tav::SystemDocument::fromJson(p.toJson(), error).sources();
        QCOMPARE(int(error.kind), int(ErrorKind::None));
        const bool among = number >= 1 && std::size_t(number) <= sources.size();
        QCOMPARE(among ? p.partOf(sources[std::size_t(number) - 1]) : -1, part);
    }

    void floatingGroupsRunWithoutGaps() {
        StudyProject p = mixed();
        p.setFloating(1, true);
        p.setFloating(3, true);
        p.setFloating(4, true);
        QCOMPARE(groups(p), (QVector<int>{0, 1, 0, 2, 3, -1})); // the fence: a group of its own
        p.remove(3);
        QCOMPARE(groups(p), (QVector<int>{0, 1, 0, 2, -1}));
        p.setFloating(1, false);
        QCOMPARE(groups(p), (QVector<int>{0, 0, 0, 1, -1}));
        p.setFloating(4, false);
        QCOMPARE(groups(p), (QVector<int>{0, 0, 0, 1, 0}));
        p.setFloating(4, true);
        QVERIFY(!p.parts[4].json.contains(QStringLiteral("group")));
        // And the solver takes it: no group without conductors.
        tav::DocumentError error;
        const auto d = tav::SystemDocument::fromJson(p.toJson(), error);
        QCOMPARE(int(error.kind), int(ErrorKind::None));
    }

    // A touch area stays on the metal it stood on when parts are removed, moved, floated or
    // energised, whatever the groups' numbers become; one on a removed part's group alone
    // goes with it.
    void touchAreasKeepToTheirMetal_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("to");   // a move's place, a float's choice (1 floats)
        QTest::addColumn<int>("gone"); // the part whose area goes with it, or -1
        // The second grid, the rods and the ring float; two fences without a group.
        QTest::newRow("the conductor of group 0 removed") << "remove" << 0 << 0 << -1;
        QTest::newRow("the floating grid removed") << "remove" << 2 << 0 << 2;
        QTest::newRow("the rods removed") << "remove" << 3 << 0 << 3;
        QTest::newRow("the first fence removed") << "remove" << 5 << 0 << 5;
        QTest::newRow("the second fence moved up") << "move" << 6 << 5 << -1;
        QTest::newRow("the ring energised") << "float" << 4 << 0 << -1;
        QTest::newRow("the first grid floated") << "float" << 1 << 1 << -1;
        QTest::newRow("the first fence energised") << "float" << 5 << 0 << -1;
    }

    void touchAreasKeepToTheirMetal() {
        QFETCH(QString, edit);
        QFETCH(int, part);
        QFETCH(int, to);
        QFETCH(int, gone);
        StudyProject p = mixed();
        p.parts[2].json[QStringLiteral("group")] = 1;
        p.parts[3].json[QStringLiteral("group")] = 2;
        p.parts[4].json[QStringLiteral("group")] = 3;
        StudyPart second = StudyPart::made(Kind::Fence);
        second.json[QStringLiteral("distance")] = 6;
        p.parts.append(second);
        // An area on each floating part's group: the fences' are 4 and 5.
        const QVector<StudyPart> metals = p.parts.mid(2);
        for (int k = 0; k < metals.size(); ++k)
            p.parts.append(areaAt(100 * k, readGroup(p, metals[k])));
        QCOMPARE(readGroup(p, metals[3]), 4);
        if (edit == QLatin1String("remove")) {
            QCOMPARE(p.placesOn(part).size(), gone >= 0 ? 1 : 0);
            p.remove(part);
        }
        if (edit == QLatin1String("move"))
            p.move(part, to);
        if (edit == QLatin1String("float"))
            p.setFloating(part, to == 1);
        QVector<StudyPart> areas;
        for (const StudyPart &each : std::as_const(p.parts))
            if (each.kind == Kind::TouchArea)
                areas.append(each);
        QCOMPARE(areas.size(), metals.size() - (gone >= 0 ? 1 : 0));
        for (const StudyPart &area : std::as_const(areas)) {
            const int k = int(area.json.value(QStringLiteral("polygon"))[0][0].toDouble() / 100);
            QVERIFY2(k != gone - 2, "the area of the part removed stays");
            QCOMPARE(area.group(), readGroup(p, metals[k]));
        }
    }

    void insertKeepsTheDocumentsOrder() {
        StudyProject p = mixed();
        QCOMPARE(p.insert(StudyPart::made(Kind::Grid)), 3);
        QCOMPARE(p.insert(StudyPart::made(Kind::LGrid)), 5);
        QCOMPARE(p.insert(StudyPart::made(Kind::Fence)), 8);
        QCOMPARE(p.insert(StudyPart::made(Kind::Conductor)), 1);
    }

    void refusedFiles_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("path");
        QTest::newRow("no JSON") << QByteArray("{\"soil\": ") << int(ErrorKind::NotJson) << "";
        QTest::newRow("an array") << QByteArray("[1, 2]") << int(ErrorKind::NotAnObject) << "";
        QTest::newRow("grids not an array")
            << QByteArray("{\"grids\": 3}") << int(ErrorKind::NotAnArray) << "grids";
        QTest::newRow("a fence not an object")
            << QByteArray("{\"fences\": [{}, 7]}") << int(ErrorKind::NotAnObject) << "fences[1]";
        QTest::newRow("a newer version")
            << QByteArray("{\"version\": 6, \"grids\": []}") << int(ErrorKind::NewerVersion) << "";
    }
    void refusedFiles() {
        QFETCH(QByteArray, json);
        QFETCH(int, kind);
        QFETCH(QString, path);
        tav::DocumentError error;
        QVERIFY(!StudyProject::fromJson(json, error));
        QCOMPARE(int(error.kind), kind);
        QCOMPARE(error.path, path);
    }

    // A study the document's reader would refuse still opens, to be mended in the window.
    void unsoundValuesStillOpen() {
        tav::DocumentError error;
        const auto p = StudyProject::fromJson(
            R"({"soil": {"rho": "abc"}, "current": 10, "rings": [{"radius": -1}],
                "grids": [{"depth": true}], "search": {"step": 1}})",
            error);
        QVERIFY(p);
        QCOMPARE(p->parts.size(), 2);
        QCOMPARE(p->parts[0].kind, Kind::Grid); // the document's order, not the file's
        QCOMPARE(p->parts[1].kind, Kind::Ring);
        QCOMPARE(p->rest.value(QStringLiteral("search")).toObject().value(QStringLiteral("step")),
                 QJsonValue(1));
    }

    // IEEE 80 Annex B.1's grid: 70 m square at 7 m, 20 rods of 7.5 m on its edge.
    void gridCheckHandedOn() {
        tav::GridSafetyInput in = annexB1();
        in.rods = {20, 7.5, true};
        const StudyProject p = StudyProject::ofGridCheck(in);
        tav::DocumentError error;
        const auto d = tav::SystemDocument::fromJson(p.toJson(), error);
        QCOMPARE(int(error.kind), int(ErrorKind::None));
        QCOMPARE(d.grids.size(), std::size_t(1));
        QCOMPARE(d.grids[0].grid.countX, 11);
        QCOMPARE(d.grids[0].grid.countY, 11);
        QCOMPARE(d.grids[0].rods->count, 20);
        QCOMPARE(d.grids[0].rods->length, 7.5);
        QCOMPARE(d.current, 1908.0);
        QCOMPARE(d.soil.rho1, 400.0);
        QVERIFY(d.safety && d.safety->surface);
        QCOMPARE(d.safety->surface->thickness, 0.102);
        QCOMPARE(d.safety->body, tav::BodyWeight::Kg70);
        // 11 + 11 conductors and 20 rods.
        QCOMPARE(d.input().conductors.size(), std::size_t(42));
    }
};

QTEST_GUILESS_MAIN(TestStudyProject)
#include "tst_studyproject.moc"
