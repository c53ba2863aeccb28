// tav-calc dxf-import and system --dxf on drawings ezdxf writes: the conductors and rods at
// the drawing's coordinates less the origin, the summary, refusals; the imported document
// solved; its drawing written at the site's coordinates and read back by ezdxf, and
// imported again to the same conductors.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <cmath>
#include <vector>

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QString err;
};

Run runProgram(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

Run tavCalc(const QStringList &arguments) {
    return runProgram(QStringLiteral(TAV_CALC), arguments);
}

// As dxf_site.py draws them, in site coordinates (m).
constexpr double kX0 = 500123.4;
constexpr double kY0 = 4000456.7;
// The lower left corner (kX0 - 2, kY0) rounded down to 100 m.
constexpr double kOriginX = 500100;
constexpr double kOriginY = 4000400;
const std::vector<std::array<double, 2>> kOutline{{0, 0},   {30, 0}, {34, 12},
                                                  {28, 25}, {5, 22}, {-2, 10}};
const std::vector<std::array<double, 2>> kRods{{0, 0}, {30, 0}, {28, 25}};

const char *const kMap = R"({"layers": {
    "GRID": {"role": "conductor", "depth": 0.6, "diameter": 0.012, "group": 0},
    "RODS": {"role": "rod", "depth": 0.6, "length": 3, "diameter": 0.016},
    "ANNOT": {"role": "ignored"},
    "PITS": {"role": "rod", "depth": 0.6, "diameter": 0.016}}})";

struct Segment {
    std::array<double, 3> a;
    std::array<double, 3> b;
};

double distance(const std::array<double, 3> &p, const std::array<double, 3> &q) {
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

bool sameSegment(const Segment &s, const Segment &t, double tolerance) {
    return (distance(s.a, t.a) <= tolerance && distance(s.b, t.b) <= tolerance) ||
           (distance(s.a, t.b) <= tolerance && distance(s.b, t.a) <= tolerance);
}

// Every segment of one list matched by one of the other, each used once.
bool sameSegments(const std::vector<Segment> &given, std::vector<Segment> found, double tolerance) {
    if (given.size() != found.size())
        return false;
    for (const Segment &s : given) {
        const auto match = std::find_if(found.begin(), found.end(), [&](const Segment &t) {
            return sameSegment(s, t, tolerance);
        });
        if (match == found.end())
            return false;
        found.erase(match);
    }
    return true;
}

std::array<double, 3> point3(const QJsonValue &value) {
    const QJsonArray a = value.toArray();
    return {a.at(0).toDouble(), a.at(1).toDouble(), a.at(2).toDouble()};
}

std::vector<Segment> conductorsOf(const QJsonObject &document) {
    std::vector<Segment> out;
    for (const QJsonValue &part : document.value("drawings").toArray())
        for (const QJsonValue &c : part.toObject().value("conductors").toArray())
            out.push_back({point3(c.toObject().value("from")), point3(c.toObject().value("to"))});
    return out;
}

// The outline's six sides and the diagonal, at 0.6 m, about the document's origin.
std::vector<Segment> drawnConductors() {
    std::vector<Segment> out;
    const double dx = kX0 - kOriginX;
    const double dy = kY0 - kOriginY;
    for (std::size_t k = 0; k < kOutline.size(); ++k) {
        const auto &p = kOutline[k];
        const auto &q = kOutline[(k + 1) % kOutline.size()];
        out.push_back({{p[0] + dx, p[1] + dy, 0.6}, {q[0] + dx, q[1] + dy, 0.6}});
    }
    out.push_back({{dx, dy, 0.6}, {28 + dx, 25 + dy, 0.6}});
    return out;
}

} // namespace

class TestTavCalcDxf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        const Run written =
            runProgram(QStringLiteral(TAV_PYTHON3),
                       {QStringLiteral(TAV_SITE_SCRIPT), QStringLiteral("write"), m_folder.path()});
        QVERIFY2(written.status == 0, qPrintable(written.err));
        QFile map(path("map.json"));
        QVERIFY(map.open(QIODevice::WriteOnly));
        map.write(kMap);
    }

    void importsTheConductorsAndRodsLessTheOrigin() {
        const Run run = tavCalc({QStringLiteral("dxf-import"), path("site.dxf"),
                                 QStringLiteral("--layers"), path("map.json")});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QJsonObject document = QJsonDocument::fromJson(run.out).object();
        // A new study's soil and current.
        QCOMPARE(document.value("soil").toObject().value("rho").toDouble(), 100.);
        QCOMPARE(document.value("current").toDouble(), 1000.);
        const QJsonObject origin = document.value("site_origin").toObject();
        QCOMPARE(origin.value("x").toDouble(), kOriginX);
        QCOMPARE(origin.value("y").toDouble(), kOriginY);
        const QJsonArray drawings = document.value("drawings").toArray();
        QCOMPARE(drawings.size(), 1);
        const QJsonObject part = drawings.at(0).toObject();
        QCOMPARE(part.value("name").toString(), QStringLiteral("site.dxf"));
        QVERIFY(sameSegments(drawnConductors(), conductorsOf(document), 1e-6));
        for (const QJsonValue &c : part.value("conductors").toArray())
            QCOMPARE(c.toObject().value("diameter").toDouble(), 0.012);
        const QJsonArray rods = part.value("rods").toArray();
        QCOMPARE(rods.size(), 3);
        for (qsizetype k = 0; k < rods.size(); ++k) {
            const QJsonObject rod = rods.at(k).toObject();
            const QJsonArray at = rod.value("at").toArray();
            QVERIFY(std::abs(at.at(0).toDouble() - (kRods[std::size_t(k)][0] + kX0 - kOriginX)) <
                    1e-6);
            QVERIFY(std::abs(at.at(1).toDouble() - (kRods[std::size_t(k)][1] + kY0 - kOriginY)) <
                    1e-6);
            QCOMPARE(rod.value("top").toDouble(), 0.6);
            QCOMPARE(rod.value("length").toDouble(), 3.);
            QCOMPARE(rod.value("diameter").toDouble(), 0.016);
        }
        // The summary beside the document.
        QVERIFY2(run.err.contains(QStringLiteral("Conductors: 7\n")), qPrintable(run.err));
    }

    void summarisesWhatWasTakenAndLeftOut() {
        const Run run =
            tavCalc({QStringLiteral("dxf-import"), path("site.dxf"), QStringLiteral("--layers"),
                     path("map.json"), QStringLiteral("--format"), QStringLiteral("text")});
        QCOMPARE(run.status, 0);
        const QString out = QString::fromUtf8(run.out);
        for (const char *line :
             {"Conductors: 7", "Rods: 3", "Duplicates merged: 0", "Crossings joined: 0",
              "Origin: 500100, 4000400 m",
              "left out: 1 on layer LOOSE: the layer map does not name the layer",
              "left out: 1 on layer PITS: on a rod layer",
              "ignored: 12 TEXT, 3 HATCH on layer ANNOT"})
            QVERIFY2(out.contains(QLatin1String(line)), line);
        QVERIFY(!out.contains(QLatin1Char('{')));
    }

    // A fence layer's closed line becomes a closed fence on its posts, the yard's closed
    // line a touch area (its open one left out, and said why), the rock's outline the
    // surface layer's zone with a layer of a new study's values; a second rock outline
    // leaves both out. What is written reads back as a document.
    void importsFenceYardAndRock() {
        QFile roles(path("roles.json"));
        QVERIFY(roles.open(QIODevice::WriteOnly));
        roles.write(R"({"layers": {
            "GRID": {"role": "conductor", "depth": 0.5, "diameter": 0.01},
            "FENCE": {"role": "fence", "posts": {"spacing": 3, "length": 1.2, "diameter": 0.06},
                      "group": 1},
            "YARD": {"role": "touch_area", "group": 0}, "ROCK": {"role": "surface"}}})");
        roles.close();
        const QStringList args{QStringLiteral("dxf-import"), path("roles.dxf"),
                               QStringLiteral("--layers"),   path("roles.json"),
                               QStringLiteral("--origin"),   QStringLiteral("0,0")};
        const Run run = tavCalc(args);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QJsonObject d = QJsonDocument::fromJson(run.out).object();
        const auto corners = [](const QJsonValue &v) {
            QVector<QPointF> out;
            for (const QJsonValue &p : v.toArray())
                out.append(QPointF(p[0].toDouble(), p[1].toDouble()));
            return out;
        };
        const QJsonArray fences = d.value("fences").toArray();
        QCOMPARE(fences.size(), 1);
        QCOMPARE(corners(fences[0]["polyline"]),
                 (QVector<QPointF>{{-3, -3}, {23, -3}, {26, 10}, {23, 23}, {-3, 23}}));
        QCOMPARE(fences[0]["closed"].toBool(), true);
        QCOMPARE(fences[0]["posts"]["spacing"].toDouble(), 3.);
        QCOMPARE(fences[0]["posts"]["length"].toDouble(), 1.2);
        QCOMPARE(fences[0]["posts"]["diameter"].toDouble(), 0.06);
        QCOMPARE(fences[0]["group"].toInt(), 1);
        const QJsonArray areas = d.value("touch_areas").toArray();
        QCOMPARE(areas.size(), 1);
        QCOMPARE(corners(areas[0]["polygon"]),
                 (QVector<QPointF>{{-1, -1}, {21, -1}, {21, 21}, {-1, 21}}));
        const QJsonObject surface = d.value("safety")["surface"].toObject();
        QCOMPARE(corners(surface.value("area")),
                 (QVector<QPointF>{{-4, -4}, {27, -4}, {27, 24}, {-4, 24}}));
        QVERIFY(surface.value("rho").toDouble() > 0 && surface.value("thickness").toDouble() > 0);
        for (const char *line : {"Fences: 1", "Touch areas: 1", "Crushed rock outline: 1",
                                 "left out: 1 on layer YARD: on a touch area or surface layer "
                                 "but no closed line"})
            QVERIFY2(run.err.contains(QLatin1String(line)), line);
        QFile imported(path("roles-system.json"));
        QVERIFY(imported.open(QIODevice::WriteOnly));
        imported.write(run.out);
        imported.close();
        const Run read = tavCalc({"system", "--input", path("roles-system.json"), "--expand"});
        QVERIFY2(read.status == 0, qPrintable(read.err));

        QStringList twice = args;
        twice[1] = path("rocks.dxf");
        const Run rocks = tavCalc(twice + QStringList{"--format", "text"});
        QCOMPARE(rocks.status, 0);
        QVERIFY2(rocks.out.contains("Crushed rock outline: 0") &&
                     rocks.out.contains("left out: 2 on layer ROCK: one of several crushed rock"),
                 rocks.out.constData());
    }

    void refuses_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("a block inserting itself")
            << QStringList{path("self.dxf")} << 1 << "A block of the drawing inserts itself.";
        QTest::newRow("no unit") << QStringList{path("unitless.dxf")} << 1
                                 << "The drawing does not say in what unit it is drawn";
        QTest::newRow("no file") << QStringList{path("none.dxf")} << 1
                                 << path("none.dxf") + ": The drawing cannot be opened.";
        QTest::newRow("no drawing")
            << QStringList{path("map.json")} << 1 << "The file is not a DXF drawing.";
        QTest::newRow("a unit it does not take")
            << QStringList{path("site.dxf"), "--units", "km"} << 2 << "--units";
        QTest::newRow("an origin of one number")
            << QStringList{path("site.dxf"), "--origin", "12"} << 2 << "--origin";
        QTest::newRow("a role it does not know")
            << QStringList{path("site.dxf"), "--layers",
                           mapFile("role", R"({"layers": {"GRID": {"role": "pipe"}}})")}
            << 1
            << R"(layers.GRID.role must be "conductor", "rod", "fence", "touch_area", "surface" or "ignored")";
        // A fence layer's posts, a touch area's group and the rock's outline, read as strictly.
        QTest::newRow("a fence without posts")
            << QStringList{path("site.dxf"), "--layers",
                           mapFile("noposts", R"({"layers": {"F": {"role": "fence"}}})")}
            << 1 << "layers.F.posts";
        QTest::newRow("posts spaced 0")
            << QStringList{path("site.dxf"), "--layers",
                           mapFile("spacing", R"({"layers": {"F": {"role": "fence", "posts":
                               {"spacing": 0, "length": 1, "diameter": 0.05}}}})")}
            << 1 << "layers.F.posts.spacing must be a number above 0";
        QTest::newRow("posts of an unknown size")
            << QStringList{path("site.dxf"), "--layers",
                           mapFile("postkey", R"({"layers": {"F": {"role": "fence", "posts":
                               {"spacing": 3, "length": 1, "diameter": 0.05, "width": 1}}}})")}
            << 1 << "layers.F.posts.width is not a key";
        QTest::newRow("a touch area's group no integer")
            << QStringList{path("site.dxf"), "--layers",
                           mapFile("group", R"({"layers": {"Y": {"role": "touch_area",
                               "group": 0.5}}})")}
            << 1 << "layers.Y.group";
        QTest::newRow("a rock outline with a depth")
            << QStringList{path("site.dxf"), "--layers",
                           mapFile("rockdepth", R"({"layers": {"R": {"role": "surface",
                               "depth": 0.1}}})")}
            << 1 << "layers.R.depth is not a key";
        QTest::newRow("a diameter of 0")
            << QStringList{path("site.dxf"), "--layers",
                           mapFile("diameter",
                                   R"({"layers": {"GRID": {"role": "conductor", "diameter": 0}}})")}
            << 1 << "layers.GRID.diameter must be a number above 0";
        QTest::newRow("a key the map lacks")
            << QStringList{path("site.dxf"), "--layers", mapFile("key", R"({"layer": {}})")} << 1
            << "layer is not a key";
        // CAD tells no layer names apart by case: two would give one layer two roles.
        QTest::newRow("two names of one layer")
            << QStringList{path("site.dxf"), "--layers",
                           mapFile("case", R"({"layers": {"GRID": {"role": "conductor",
                               "diameter": 0.01}, "grid": {"role": "ignored"}}})")}
            << 1 << "layers.GRID and layers.grid name one layer";
        QTest::newRow("a drawing in miles")
            << QStringList{path("miles.dxf")} << 1
            << "the drawing's $INSUNITS 3 names a unit no site plan is drawn in";
        QTest::newRow("a map no JSON")
            << QStringList{path("site.dxf"), "--layers", mapFile("json", "{")} << 1
            << "the layer map";
    }
    void refuses() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        const Run run = tavCalc(QStringList{QStringLiteral("dxf-import")} + arguments);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }

    // The imported document solves; its drawing, written at the site, is read back by ezdxf
    // and imported again to the same conductors.
    void solvedAndWrittenBack() {
        const Run imported = tavCalc({QStringLiteral("dxf-import"), path("site.dxf"),
                                      QStringLiteral("--layers"), path("map.json")});
        QCOMPARE(imported.status, 0);
        QFile document(path("site.json"));
        QVERIFY(document.open(QIODevice::WriteOnly));
        document.write(imported.out);
        document.close();
        const Run solved = tavCalc({QStringLiteral("system"), QStringLiteral("--input"),
                                    path("site.json"), QStringLiteral("--dxf"), path("out.dxf")});
        QVERIFY2(solved.status == 0, qPrintable(solved.err));
        QVERIFY(solved.out.startsWith("Resistance"));

        const Run read =
            runProgram(QStringLiteral(TAV_PYTHON3), {QStringLiteral(TAV_DRAWINGS_SCRIPT),
                                                     QStringLiteral("check"), path("out.dxf")});
        QVERIFY2(read.status == 0, qPrintable(read.err));
        const QJsonObject drawing = QJsonDocument::fromJson(read.out).object();
        QCOMPARE(drawing.value("insunits").toInt(), 6);
        // The conductors at their site coordinates, drawn 0.6 m down.
        std::vector<Segment> lines;
        std::map<QString, int> linesOn;
        for (const QJsonValue &l : drawing.value("lines").toArray()) {
            const QJsonArray line = l.toArray();
            ++linesOn[line.at(2).toString()];
            lines.push_back({point3(line.at(0)), point3(line.at(1))});
        }
        QCOMPARE(linesOn[QStringLiteral("PART_1_DRAWINGS")], 7);
        std::vector<Segment> atSite;
        for (std::size_t k = 0; k < kOutline.size(); ++k) {
            const auto &p = kOutline[k];
            const auto &q = kOutline[(k + 1) % kOutline.size()];
            atSite.push_back({{p[0] + kX0, p[1] + kY0, -0.6}, {q[0] + kX0, q[1] + kY0, -0.6}});
        }
        atSite.push_back({{kX0, kY0, -0.6}, {28 + kX0, 25 + kY0, -0.6}});
        QVERIFY(sameSegments(atSite, lines, 1e-6));
        // The rods as circles of their radius, at their tops.
        int rods = 0;
        for (const QJsonValue &c : drawing.value("circles").toArray()) {
            const QJsonArray circle = c.toArray();
            QCOMPARE(circle.at(2).toString(), QStringLiteral("PART_1_DRAWINGS_RODS"));
            QCOMPARE(circle.at(1).toDouble(), 0.008);
            QCOMPARE(circle.at(0).toArray().at(2).toDouble(), -0.6);
            ++rods;
        }
        QCOMPARE(rods, 3);
        // The isolines, a layer per level, and the places.
        std::map<QString, int> polylinesOn;
        for (const QJsonValue &p : drawing.value("polylines").toArray())
            ++polylinesOn[p.toArray().at(2).toString()];
        int isolines = 0;
        for (const auto &[layer, count] : polylinesOn)
            if (layer.startsWith(QLatin1String("POTENTIAL_")) ||
                layer.startsWith(QLatin1String("TOUCH_")))
                isolines += layer.endsWith(QLatin1String("V")) ? count : 0;
        QVERIFY(isolines > 0);
        QCOMPARE(polylinesOn[QStringLiteral("RASTER")], 1);
        QVERIFY(polylinesOn[QStringLiteral("TOUCH_AREAS")] >= 1);
        QCOMPARE(drawing.value("counts").toObject().value("POINT").toInt(), 2);
        QStringList texts;
        for (const QJsonValue &t : drawing.value("texts").toArray())
            texts.append(t.toArray().at(0).toString() + QLatin1Char('@') +
                         t.toArray().at(1).toString());
        // Each isoline's value on its layer, as many as it has lines.
        std::map<QString, int> labelsOn;
        for (const QJsonValue &t : drawing.value("texts").toArray()) {
            const QString layer = t.toArray().at(1).toString();
            const QString text = t.toArray().at(0).toString();
            if (!layer.startsWith(QLatin1String("POTENTIAL_")) &&
                !layer.startsWith(QLatin1String("TOUCH_")))
                continue;
            ++labelsOn[layer];
            if (layer != QLatin1String("TOUCH_TOLERABLE"))
                QCOMPARE(text + QLatin1Char('@'),
                         layer.section(QLatin1Char('_'), 1).chopped(1) + QStringLiteral(" V@"));
        }
        for (const auto &[layer, count] : polylinesOn)
            if (layer.endsWith(QLatin1String("V")) || layer == QLatin1String("TOUCH_TOLERABLE"))
                QCOMPARE(labelsOn[layer], count);
        QCOMPARE(texts.filter(QRegularExpression(QStringLiteral("@WORST_"))).size(), 2);
        QVERIFY(texts.filter(QRegularExpression(QStringLiteral("^Touch [0-9.]+ V@WORST_TOUCH$")))
                    .size() == 1);
        QVERIFY(texts.filter(QRegularExpression(QStringLiteral("^Step [0-9.]+ V@WORST_STEP$")))
                    .size() == 1);

        // Imported again with its conductors' layer mapped: the same conductors within 1 mm.
        const Run again = tavCalc(
            {QStringLiteral("dxf-import"), path("out.dxf"), QStringLiteral("--layers"),
             mapFile(
                 "again",
                 R"({"layers": {"PART_1_DRAWINGS": {"role": "conductor", "diameter": 0.012}}})"),
             QStringLiteral("--origin"), QStringLiteral("500100,4000400")});
        QVERIFY2(again.status == 0, qPrintable(again.err));
        const QJsonObject reimported = QJsonDocument::fromJson(again.out).object();
        QVERIFY(sameSegments(drawnConductors(), conductorsOf(reimported), 1e-3));
    }

    // With the new study's criteria (IEEE Std 80, 0.5 s, 70 kg, no surface layer) and half
    // the current, the touch voltage passes its limit inside the touch area: the tolerable
    // contour is drawn on a layer of its own.
    void drawsTheTolerableTouchContour() {
        const Run imported = tavCalc({QStringLiteral("dxf-import"), path("site.dxf"),
                                      QStringLiteral("--layers"), path("map.json")});
        QCOMPARE(imported.status, 0);
        QJsonObject document = QJsonDocument::fromJson(imported.out).object();
        document["current"] = 500;
        const QString input = mapFile("half", QJsonDocument(document).toJson().constData());
        const Run solved = tavCalc({QStringLiteral("system"), QStringLiteral("--input"), input,
                                    QStringLiteral("--format"), QStringLiteral("json"),
                                    QStringLiteral("--dxf"), path("half.dxf")});
        QVERIFY2(solved.status == 0, qPrintable(solved.err));
        const QJsonObject touch =
            QJsonDocument::fromJson(solved.out).object().value("touch_max").toObject();
        QVERIFY(touch.value("voltage").toDouble() > touch.value("tolerable").toDouble());
        const Run read =
            runProgram(QStringLiteral(TAV_PYTHON3), {QStringLiteral(TAV_DRAWINGS_SCRIPT),
                                                     QStringLiteral("check"), path("half.dxf")});
        QCOMPARE(read.status, 0);
        int tolerable = 0;
        for (const QJsonValue &p :
             QJsonDocument::fromJson(read.out).object().value("polylines").toArray())
            tolerable += p.toArray().at(2).toString() == QLatin1String("TOUCH_TOLERABLE");
        QVERIFY(tolerable > 0);
    }

    void writesNoDrawingOverItsInput() {
        const Run run = tavCalc({QStringLiteral("system"), QStringLiteral("--input"),
                                 path("site.json"), QStringLiteral("--dxf"), path("site.json")});
        QCOMPARE(run.status, 2);
    }

private:
    QString path(const char *name) const { return m_folder.filePath(QLatin1String(name)); }
    QString mapFile(const char *name, const char *json) const {
        const QString file = m_folder.filePath(QLatin1String(name) + QStringLiteral(".json"));
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(json);
        return file;
    }

    QTemporaryDir m_folder;
};

QTEST_GUILESS_MAIN(TestTavCalcDxf)
#include "tst_tavcalc_dxf.moc"
