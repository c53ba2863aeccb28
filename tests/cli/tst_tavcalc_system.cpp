// tav-calc system: what the command itself does with its document, its exit status and
// its output; the solver's figures are the core tests' business.
#include "tests/support/TavCalcRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineF>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

using Run = TavCalcRun;

Run tavCalc(const QStringList &arguments, const QByteArray &input = QByteArray()) {
    return runTavCalc(arguments, input);
}

// Two wires, one of them floating, and two points.
const QByteArray kSystem = R"({"soil": {"rho1": 100, "rho2": 300, "h": 4}, "current": 50,
    "conductors": [{"from": [0, 0, 0.5], "to": [8, 0, 0.5], "diameter": 0.01},
                   {"from": [0, 3, 0.5], "to": [8, 3, 0.5], "diameter": 0.01, "group": 1}],
    "points": [[4, 0], [4, 20]], "search": {"step": 1, "margin": 2}})";

// An 8 m grid and kSystem's floating wire in soil of 400 ohm m, with the criteria of IEEE
// Std 80-2013's Annex B.1: 0.5 s, 70 kg, 0.102 m of 2500 ohm m crushed rock.
QByteArray withSafety(double current, double duration) {
    return QByteArray(R"({"soil": {"rho": 400}, "current": )") + QByteArray::number(current) +
           R"(, "grids": [{"origin": [0, -10], "size": [8, 8], "conductors": [3, 3],
                   "depth": 0.5, "diameter": 0.01}],
    "conductors": [{"from": [0, 3, 0.5], "to": [8, 3, 0.5], "diameter": 0.01, "group": 1}],
    "search": {"step": 1, "margin": 2},
    "safety": {"duration": )" +
           QByteArray::number(duration) +
           R"(, "body": 70, "surface": {"rho": 2500, "thickness": 0.102}}})";
}

QString pdfText(const QString &pdf, bool layout = false) {
    QProcess text;
    QStringList arguments{pdf, QStringLiteral("-")};
    if (layout)
        arguments.prepend(QStringLiteral("-layout"));
    text.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), arguments);
    text.waitForFinished(30000);
    return QString::fromUtf8(text.readAllStandardOutput());
}

// The pixels of strong colour on the page rendered at 40 dpi: the maps' and curves', where
// the text is black, grey and a few lines of green or red.
// Over every page of the report.
int colouredPixels(const QString &pdf, const QString &folder) {
    QProcess render;
    const QString base = folder + QStringLiteral("/page");
    render.start(QStandardPaths::findExecutable(QStringLiteral("pdftoppm")),
                 {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"), pdf, base});
    render.waitForFinished(30000);
    int coloured = 0;
    for (const QFileInfo &file :
         QDir(folder).entryInfoList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name)) {
        const QImage page(file.filePath());
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                coloured += page.pixelColor(x, y).hsvSaturation() > 100 ? 1 : 0;
    }
    return coloured;
}

// The conductors of an expanded document, as "x1 y1 z1 - x2 y2 z2 @part", rounded to the
// micrometre, sorted: the order within a part is the expansion's own business.
QStringList expandedConductors(const QString &json, const QString &part) {
    QStringList lines;
    const QJsonArray conductors =
        QJsonDocument::fromJson(json.toUtf8()).object().value("conductors").toArray();
    const auto at = [](const QJsonValue &p) {
        QStringList xyz;
        for (const QJsonValue &v : p.toArray())
            xyz.append(QString::number(std::round(v.toDouble() * 1e6) / 1e6 + 0.0));
        return xyz.join(' ');
    };
    for (const QJsonValue &v : conductors) {
        const QJsonObject c = v.toObject();
        if (c.value("part").toString() == part)
            lines.append(at(c.value("from")) + " - " + at(c.value("to")));
    }
    lines.sort();
    return lines;
}

Run expand(const QByteArray &document) {
    return tavCalc({"system", "--input", "-", "--expand"}, document);
}

} // namespace

class TestTavCalcSystem : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void json() {
        const Run run = tavCalc({"system", "--input", "-", "--format", "json"}, kSystem);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        QJsonParseError parse;
        const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8(), &parse).object();
        QCOMPARE(parse.error, QJsonParseError::NoError);
        for (const char *key : {"resistance", "gpr", "segments", "image_terms"})
            QVERIFY2(o.value(QLatin1String(key)).isDouble(), key);
        const QJsonArray groups = o.value("groups").toArray();
        QCOMPARE(groups.size(), 2);
        QCOMPARE(groups[0].toObject().value("current").toDouble(), 50.);
        QCOMPARE(groups[1].toObject().value("group").toInt(), 1);
        const QJsonArray points = o.value("points").toArray();
        QCOMPARE(points.size(), 2);
        for (const char *key : {"x", "y", "potential", "touch"})
            QVERIFY2(points[1].toObject().value(QLatin1String(key)).isDouble(), key);
        // A single straight wire covers no ground: no touch area, no worst touch.
        QCOMPARE(points[0].toObject().value("in_touch_area").toBool(), false);
        QCOMPARE(points[1].toObject().value("in_touch_area").toBool(), false);
        QVERIFY(o.contains("touch_max") && o.value("touch_max").isNull());
        QVERIFY(o.value("touch_areas").toArray().isEmpty());
        QVERIFY(o.value("touch_points").isArray());
        for (const char *key : {"voltage", "x", "y"})
            QVERIFY2(o.value("step_max").toObject().value(QLatin1String(key)).isDouble(), key);
        QVERIFY(o.value("cautions").toArray().isEmpty());
    }

    // The same from a file, as text with units.
    void text() {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("system, with a comma.json")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kSystem);
        file.close();
        const Run run = tavCalc({"system", "--input", file.fileName()});
        QCOMPARE(run.status, 0);
        for (const char *piece : {"Resistance to remote earth: ", " ohm\n", "Ground potential rise",
                                  "Potential [V]", "Current [A]", "Touch [V]",
                                  "Worst touch voltage: ", "Worst step voltage: ", " m to ("})
            QVERIFY2(run.out.contains(QLatin1String(piece)), piece);
        QVERIFY(!run.out.contains(QLatin1String("Caution")));
    }

    // Where the current leaves: the energised wire, alone in group 0, leaks all 50 A over
    // its 8 m; the floating one nets to nothing. Per part and per conductor, in both forms.
    void leakage() {
        const Run run = tavCalc({"system", "--input", "-", "--format", "json"}, kSystem);
        QCOMPARE(run.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8()).object();
        const QJsonArray parts = o.value("leakage").toArray();
        QCOMPARE(parts.size(), 2);
        const QJsonObject energised = parts[0].toObject();
        QCOMPARE(energised.value("part").toString(), QStringLiteral("conductors[0]"));
        QVERIFY(std::abs(energised.value("current").toDouble() - 50) < 1e-6);
        QVERIFY(std::abs(energised.value("share").toDouble() - 1) < 1e-9);
        QVERIFY(std::abs(energised.value("length").toDouble() - 8) < 1e-9);
        QVERIFY(std::abs(energised.value("density").toDouble() - 50. / 8) < 1e-6);
        const QJsonObject floating = parts[1].toObject();
        QCOMPARE(floating.value("part").toString(), QStringLiteral("conductors[1]"));
        QCOMPARE(floating.value("group").toInt(), 1);
        QVERIFY(std::abs(floating.value("current").toDouble()) < 1e-6);
        const QJsonArray conductors = o.value("conductors_leakage").toArray();
        QCOMPARE(conductors.size(), 2);
        for (const char *key : {"current", "length", "density"})
            QVERIFY2(conductors[1].toObject().value(QLatin1String(key)).isDouble(), key);
        // Before the places, as the groups are.
        QVERIFY(run.out.indexOf(QLatin1String("\"leakage\"")) <
                run.out.indexOf(QLatin1String("\"points\"")));

        const Run text = tavCalc({"system", "--input", "-"}, kSystem);
        QCOMPARE(text.status, 0);
        for (const char *piece : {"Current leaking into the soil, per part", "Share [%]",
                                  "Density [A/m]", "Conductor 1", "Conductor 2"})
            QVERIFY2(text.out.contains(QLatin1String(piece)), piece);
    }

    // A result that stands with a doubt says so in both forms.
    void caution() {
        const QByteArray doubtful = R"({"soil": {"rho1": 3, "rho2": 1997, "h": 1}, "current": 1,
            "conductors": [{"from": [0, 0, 0.5], "to": [10, 0, 0.5], "diameter": 0.01}],
            "search": {"step": 2}})";
        const Run text = tavCalc({"system", "--input", "-"}, doubtful);
        QCOMPARE(text.status, 0);
        QVERIFY2(text.out.contains(QLatin1String("Caution: the two-layer image series was cut off "
                                                 "after 4000 orders")),
                 qPrintable(text.out));
        const Run json = tavCalc({"system", "--input", "-", "--format", "json"}, doubtful);
        const QJsonArray cautions =
            QJsonDocument::fromJson(json.out.toUtf8()).object().value("cautions").toArray();
        QCOMPARE(cautions.size(), 1);
        QCOMPARE(cautions[0].toObject().value("warning").toString(), QString("series_truncated"));
        QCOMPARE(cautions[0].toObject().value("values").toArray().size(), 3);
    }

    // With safety criteria, the tolerable voltages of IEEE Std 80's Annex B.1 (Cs 0.74,
    // 838.2 V touch and 2686.6 V step at 70 kg, as the standard works them) and the verdict
    // against the solved worst touch and step, in both forms.
    void safety_data() {
        QTest::addColumn<double>("current");
        QTest::addColumn<double>("duration");
        QTest::addColumn<QString>("touchWord");
        QTest::addColumn<QJsonValue>("touchSafe");
        QTest::newRow("a small current") << 10. << 0.5 << "safe" << QJsonValue(true);
        QTest::newRow("a large current") << 1e5 << 0.5 << "NOT SAFE" << QJsonValue(false);
        QTest::newRow("passing beyond 3 s")
            << 1. << 4. << "outside the method's range" << QJsonValue(QJsonValue::Null);
    }
    void safety() {
        QFETCH(double, current);
        QFETCH(double, duration);
        QFETCH(QString, touchWord);
        QFETCH(QJsonValue, touchSafe);
        const QByteArray document = withSafety(current, duration);
        const Run json = tavCalc({"system", "--input", "-", "--format", "json"}, document);
        QCOMPARE(json.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        const QJsonObject s = o.value("safety").toObject();
        QCOMPARE(s.value("touch_safe"), touchSafe);
        QVERIFY(std::abs(s.value("cs").toDouble() - 0.74) < 0.005);
        // The standard works on with Cs rounded to 0.74: within 0.5 %.
        if (duration == 0.5) {
            QVERIFY2(std::abs(s.value("touch_tolerable").toDouble() / 838.2 - 1) < 0.005,
                     qPrintable(json.out));
            QVERIFY(std::abs(s.value("step_tolerable").toDouble() / 2686.6 - 1) < 0.005);
            QVERIFY(s.value("cautions").toArray().isEmpty());
        } else {
            QCOMPARE(s.value("cautions").toArray().first().toString(),
                     QString("duration_outside_range"));
        }
        const Run text = tavCalc({"system", "--input", "-"}, document);
        QCOMPARE(text.status, 0);
        const QString touchLine =
            text.out.section(QStringLiteral("Tolerable touch voltage: "), 1).section('\n', 0, 0);
        QVERIFY2(touchLine.endsWith(QStringLiteral(": ") + touchWord), qPrintable(text.out));
        QVERIFY(text.out.contains(QStringLiteral("Tolerable step voltage: ")));
        // Without criteria, neither.
        const Run bare = tavCalc({"system", "--input", "-", "--format", "json"}, kSystem);
        QVERIFY(!QJsonDocument::fromJson(bare.out.toUtf8()).object().contains("safety"));
    }

    // Each place says whether it stands on the surface layer, and in a study without one
    // (without criteria there is none) that it stands on none: JSON null, not true.
    void standing_data() {
        QTest::addColumn<QByteArray>("safety");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QJsonValue>("onLayer");
        QTest::newRow("no criteria")
            << QByteArray() << "with no surface layer in the study" << QJsonValue();
        QTest::newRow("criteria without a layer")
            << QByteArray(R"(, "safety": {"duration": 0.5})")
            << "with no surface layer in the study" << QJsonValue();
        QTest::newRow("a layer everywhere")
            << QByteArray(R"(, "safety": {"duration": 0.5, "surface": {"rho": 3000,
                 "thickness": 0.1}})")
            << "on the surface layer" << QJsonValue(true);
    }

    void standing() {
        QFETCH(QByteArray, safety);
        QFETCH(QString, words);
        QFETCH(QJsonValue, onLayer);
        const QByteArray document =
            R"({"soil": {"rho": 100}, "current": 10, "conductors": [
                {"from": [0, 0, 0.5], "to": [10, 0, 0.5], "diameter": 0.01},
                {"from": [0, 0, 0.5], "to": [0, 10, 0.5], "diameter": 0.01}],
                "touch_points": [{"at": [20, 0], "name": "sheath"}])" +
            safety + "}";
        const Run text = tavCalc({"system", "--input", "-"}, document);
        QCOMPARE(text.status, 0);
        for (const QString &place :
             {QStringLiteral("Touch area 1 "), QStringLiteral("Touch point sheath ")}) {
            const QString line = text.out.section(place, 1).section('\n', 0, 0);
            QVERIFY2(line.contains(QStringLiteral(", ") + words), qPrintable(text.out));
        }
        const Run json = tavCalc({"system", "--input", "-", "--format", "json"}, document);
        QCOMPARE(json.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        QJsonArray places = o.value("touch_areas").toArray();
        for (const QJsonValue &v : o.value("touch_points").toArray())
            places.append(v);
        for (const QJsonValue &v : o.value("steps").toArray())
            places.append(v);
        QCOMPARE(places.size(), safety.isEmpty() ? 2 : 3);
        for (const QJsonValue &place : places) {
            QVERIFY(place.toObject().contains("on_surface_layer"));
            QCOMPARE(place.toObject().value("on_surface_layer"), onLayer);
        }
    }

    // The example substation: its grid's area and its fence's band, each judged, and the
    // criteria as read.
    void example() {
        const QString path = QFINDTESTDATA("../../docs/examples/substation-70m.json");
        QVERIFY(!path.isEmpty());
        const Run json = tavCalc({"system", "--input", path, "--format", "json"});
        QCOMPARE(json.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        const QJsonObject touch = o.value("touch_max").toObject();
        for (const char *key : {"voltage", "x", "y", "tolerable"})
            QVERIFY2(touch.value(QLatin1String(key)).isDouble(), key);
        QVERIFY(touch.contains("safe"));
        const QJsonArray areas = o.value("touch_areas").toArray();
        QCOMPARE(areas.size(), 2);
        const QJsonObject grid = areas[0].toObject();
        const QJsonObject fence = areas[1].toObject();
        QCOMPARE(grid.value("kind").toString(), QString("grid"));
        QCOMPARE(grid.value("group").toInt(), 0);
        QCOMPARE(fence.value("kind").toString(), QString("fence"));
        QCOMPARE(fence.value("part").toInt(), 0);
        // The fence floats on a group of its own.
        QCOMPARE(fence.value("group").toInt(), 1);
        for (const QJsonObject &area : {grid, fence}) {
            QVERIFY(area.value("touch_max").toObject().value("voltage").isDouble());
            QVERIFY(area.value("on_surface_layer").isBool());
            QVERIFY(area.value("tolerable").isDouble());
            QVERIFY(area.contains("safe"));
        }
        QVERIFY(o.value("touch_points").toArray().isEmpty());
        QVERIFY(o.value("step_max").toObject().value("tolerable").isDouble());
        const QJsonObject criteria = o.value("criteria").toObject();
        QCOMPARE(criteria.value("name").toString(), QString("ieee80"));
        QCOMPARE(criteria.value("duration").toDouble(), 0.5);
        QCOMPARE(criteria.value("body").toInt(), 70);
        QCOMPARE(criteria.value("surface").toObject().value("rho").toDouble(), 2500.);
        QCOMPARE(criteria.value("surface").toObject().value("zone").toString(),
                 QString("everywhere"));
        for (const char *key :
             {"touch_tolerable", "step_tolerable", "cs", "touch_safe", "step_safe", "cautions"})
            QVERIFY2(o.value("safety").toObject().contains(QLatin1String(key)), key);
        QVERIFY(o.contains("safe"));
        const Run text = tavCalc({"system", "--input", path});
        QCOMPARE(text.status, 0);
        for (const char *piece : {"Touch area 1 (grid 0, group 0): worst touch voltage ",
                                  "Touch area 2 (fence 0, group 1): worst touch voltage ",
                                  "; tolerable ", "Criteria: IEEE Std 80-2013", "Overall: "})
            QVERIFY2(text.out.contains(QLatin1String(piece)), piece);
    }

    // EN 50522 sets no step limit: the step is for information, its verdict null; a touch
    // point is judged by its own line.
    void en50522() {
        const QByteArray document = R"({"soil": {"rho": 400}, "current": 10,
            "grids": [{"size": [8, 8], "conductors": [3, 3], "depth": 0.5, "diameter": 0.01}],
            "touch_points": [{"at": [40, 0], "name": "rail end"}],
            "search": {"step": 1, "margin": 2},
            "safety": {"duration": 0.5, "criteria": "en50522", "footwear": 2000}})";
        const Run json = tavCalc({"system", "--input", "-", "--format", "json"}, document);
        QCOMPARE(json.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        const QJsonObject step = o.value("step_max").toObject();
        QVERIFY(step.contains("tolerable") && step.value("tolerable").isNull());
        QVERIFY(step.contains("safe") && step.value("safe").isNull());
        QCOMPARE(o.value("criteria").toObject().value("name").toString(), QString("en50522"));
        QCOMPARE(o.value("criteria").toObject().value("footwear").toDouble(), 2000.);
        QVERIFY(o.value("criteria").toObject().value("surface").isNull());
        const QJsonArray points = o.value("touch_points").toArray();
        QCOMPARE(points.size(), 1);
        QCOMPARE(points[0].toObject().value("name").toString(), QString("rail end"));
        QCOMPARE(points[0].toObject().value("x").toDouble(), 40.);
        for (const char *key : {"touch", "surface_potential", "tolerable"})
            QVERIFY2(points[0].toObject().value(QLatin1String(key)).isDouble(), key);
        const Run text = tavCalc({"system", "--input", "-"}, document);
        QCOMPARE(text.status, 0);
        for (const char *piece : {"Touch point rail end (group 0) at (40, 0) m: touch voltage ",
                                  "for information", "Criteria: EN 50522"})
            QVERIFY2(text.out.contains(QLatin1String(piece)), qPrintable(text.out));
    }

    // --pdf writes the study's report; a refused document writes none.
    void pdf() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("study.pdf"));
        const Run run = tavCalc({"system", "--input", "-", "--pdf", pdf}, withSafety(1e5, 0.5));
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        const QString written = pdfText(pdf);
        for (const char *piece : {"Earthing system study", "Resistance to remote earth",
                                  "floating group 1", "Tolerable touch voltage", "FAIL"})
            QVERIFY2(written.contains(QLatin1String(piece)), piece);
        // The maps and the profiles in colour, on pages of their own: far more coloured
        // pixels than the verdicts' words give.
        const int coloured = colouredPixels(pdf, folder.path());
        QVERIFY2(coloured > 2000, qPrintable(QString::number(coloured)));
        // The figures a reviewer checks, as the JSON gives them, at four significant digits
        // and never an exponent: R, the segments, the worst touch and step against their
        // limits, the criteria, each part's diameter, each area's verdict.
        const QJsonObject r =
            QJsonDocument::fromJson(tavCalc({"system", "--input", "-", "--format", "json"},
                                            withSafety(1e5, 0.5))
                                        .out.toUtf8())
                .object();
        const auto shown = [](double v) {
            const int whole = int(std::floor(std::log10(std::abs(v)))) + 1;
            return QString::number(v, 'f', std::max(0, 4 - whole));
        };
        const QString layout = pdfText(pdf, true);
        const QJsonObject touch = r.value(QStringLiteral("touch_max")).toObject();
        const QJsonObject step = r.value(QStringLiteral("step_max")).toObject();
        const QJsonObject area = r.value(QStringLiteral("touch_areas")).toArray()[0].toObject();
        const QString figures[] = {
            QStringLiteral("Resistance to remote earth %1 Ω")
                .arg(shown(r.value(QStringLiteral("resistance")).toDouble())),
            QStringLiteral("Segments solved +%1\\b").arg(r.value(QStringLiteral("segments")).toInt()),
            QStringLiteral("Worst touch voltage %1 V against the tolerable %2 V: FAIL")
                .arg(shown(touch.value(QStringLiteral("voltage")).toDouble()),
                     shown(touch.value(QStringLiteral("tolerable")).toDouble())),
            QStringLiteral("Worst step voltage %1 V against the tolerable %2 V: FAIL")
                .arg(shown(step.value(QStringLiteral("voltage")).toDouble()),
                     shown(step.value(QStringLiteral("tolerable")).toDouble())),
            QStringLiteral("Standard +IEEE Std 80-2013"),
            QStringLiteral("Conductor 1 .* 0\\.5 +10 +– +floating group 1"),
            QStringLiteral("Grid 1 .*4 × 4 m +0\\.5 +10 +– +energised"),
            QStringLiteral("Grid 1 +%1 +\\(8, -10\\) +on +%2 +FAIL")
                .arg(shown(area.value(QStringLiteral("touch_max"))
                               .toObject()
                               .value(QStringLiteral("voltage"))
                               .toDouble()),
                     shown(area.value(QStringLiteral("tolerable")).toDouble()))};
        for (const QString &figure : figures)
            QVERIFY2(layout.contains(QRegularExpression(figure)), qPrintable(figure));
        QVERIFY2(!layout.contains(QRegularExpression(QStringLiteral("[0-9]e[-+][0-9]"))),
                 "a number with an exponent");
        const QString refusedPdf = folder.filePath(QStringLiteral("refused.pdf"));
        const Run refused = tavCalc({"system", "--input", "-", "--pdf", refusedPdf},
                                    R"({"soil": {"rho": 1}, "current": 1})");
        QCOMPARE(refused.status, 1);
        QVERIFY(!QFile::exists(refusedPdf));
    }

    // --expand: a 10 m square grid of 2 x 2 conductors is its four sides, as they are
    // written; no grid is left, and the rest of the document comes along.
    void expandGrid() {
        const Run run = expand(R"({"soil": {"rho": 100}, "current": 10,
            "grids": [{"size": [10, 10], "conductors": [2, 2], "depth": 0.5, "diameter": 0.01}],
            "safety": {"duration": 0.5}, "points": [[1, 2]]})");
        QCOMPARE(run.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QVERIFY(!o.contains("grids"));
        QCOMPARE(o.value("conductors").toArray().size(), 4);
        QCOMPARE(expandedConductors(run.out, "grids[0]"),
                 (QStringList{"0 0 0.5 - 0 10 0.5", "0 0 0.5 - 10 0 0.5", "0 10 0.5 - 10 10 0.5",
                              "10 0 0.5 - 10 10 0.5"}));
        QCOMPARE(o.value("conductors").toArray()[0].toObject().value("diameter").toDouble(), 0.01);
        QCOMPARE(o.value("safety").toObject().value("duration").toDouble(), 0.5);
        QCOMPARE(o.value("points").toArray()[0].toArray()[1].toDouble(), 2.);
        QCOMPARE(o.value("soil").toObject().value("rho").toDouble(), 100.);
    }

    // An L of only its outer lines is its six sides: 10 by 8 without 4 by 3.
    void expandLGrid() {
        const Run run = expand(R"({"soil": {"rho": 100}, "current": 10,
            "l_grids": [{"size": [10, 8], "cut": [4, 3], "conductors": [2, 2], "depth": 0.5, "diameter": 0.01}]})");
        QCOMPARE(run.status, 0);
        QCOMPARE(expandedConductors(run.out, "l_grids[0]"),
                 (QStringList{"0 0 0.5 - 0 8 0.5", "0 0 0.5 - 10 0 0.5", "0 8 0.5 - 6 8 0.5",
                              "10 0 0.5 - 10 5 0.5", "6 5 0.5 - 10 5 0.5", "6 5 0.5 - 6 8 0.5"}));
    }

    // A ring of four rods on a circle of 2 m: a square through (2, 0), (0, 2), (-2, 0) and
    // (0, -2), and a rod 3 m down from each corner.
    void expandRing() {
        const Run run = expand(R"({"soil": {"rho": 100}, "current": 10,
            "rings": [{"centre": [0, 0], "radius": 2, "count": 4, "depth": 0.6, "diameter": 0.01,
                       "rod": {"length": 3, "diameter": 0.02}}]})");
        QCOMPARE(run.status, 0);
        QCOMPARE(expandedConductors(run.out, "rings[0]"),
                 (QStringList{"-2 0 0.6 - 0 -2 0.6", "0 -2 0.6 - 2 0 0.6", "0 2 0.6 - -2 0 0.6",
                              "2 0 0.6 - 0 2 0.6"}));
        QCOMPARE(expandedConductors(run.out, "rings[0].rod"),
                 (QStringList{"-2 0 0.6 - -2 0 3.6", "0 -2 0.6 - 0 -2 3.6", "0 2 0.6 - 0 2 3.6",
                              "2 0 0.6 - 2 0 3.6"}));
    }

    // What --expand writes is a document of its own, which solves as the original does.
    void expandedSolvesTheSame() {
        const QByteArray document = R"({"soil": {"rho1": 200, "rho2": 50, "h": 3}, "current": 100,
            "grids": [{"size": [12, 8], "conductors": [3, 2], "depth": 0.5, "diameter": 0.01,
                       "rods": {"count": 6, "length": 2, "diameter": 0.016}}],
            "l_grids": [{"origin": [20, 0], "size": [10, 8], "cut": [4, 3], "conductors": [3, 2],
                         "depth": 0.5, "diameter": 0.01}],
            "rings": [{"centre": [6, 20], "radius": 2, "count": 5, "depth": 0.6, "diameter": 0.01,
                       "rod": {"length": 2, "diameter": 0.02}, "group": 1}],
            "fences": [{"distance": 2, "posts": {"spacing": 10, "length": 1, "diameter": 0.05}}],
            "search": {"step": 2, "margin": 1}, "segment_length": 2})";
        const Run expanded = expand(document);
        QCOMPARE(expanded.status, 0);
        const QStringList json = {"system", "--input", "-", "--format", "json"};
        const Run original = tavCalc(json, document);
        const Run again = tavCalc(json, expanded.out.toUtf8());
        QCOMPARE(original.status, 0);
        QVERIFY2(again.status == 0, qPrintable(again.err));
        const auto resistance = [](const Run &run) {
            return QJsonDocument::fromJson(run.out.toUtf8())
                .object()
                .value("resistance")
                .toDouble();
        };
        QVERIFY(resistance(original) > 0);
        QVERIFY(std::abs(resistance(again) / resistance(original) - 1) < 1e-12);
        // It judges the same places: the L's outline with its cut, the fence's band, each
        // area's worst touch where the original finds it.
        const auto touches = [](const Run &run) {
            const QJsonObject result = QJsonDocument::fromJson(run.out.toUtf8()).object();
            QStringList worst;
            const auto at = [](const QJsonObject &t) {
                return QStringLiteral("%1 V at (%2, %3)")
                    .arg(t.value("voltage").toDouble(), 0, 'g', 12)
                    .arg(t.value("x").toDouble(), 0, 'g', 12)
                    .arg(t.value("y").toDouble(), 0, 'g', 12);
            };
            for (const QJsonValue &area : result.value("touch_areas").toArray())
                worst.append(QStringLiteral("group %1: ").arg(area["group"].toInt()) +
                             at(area["touch_max"].toObject()));
            worst.append(QStringLiteral("worst: ") + at(result.value("touch_max").toObject()));
            return worst;
        };
        QCOMPARE(touches(original).size(), 5); // a grid, an L, a ring, a fence; the worst
        QCOMPARE(touches(again), touches(original));
    }

    // An L of 20 m with a 10 m x 10 m cut-out and a 15 m tail, drawn conductor by conductor:
    // its worst touch lies in the L or within the reach (1 m) of a conductor, not in the
    // cut-out nor beside the tail; --expand writes its area out as a polygon that reads
    // back to the same worst touch.
    void drawnNetwork() {
        QString conductors;
        QVector<QLineF> lines;
        for (int k = 0; k <= 4; ++k) {
            const double at = 5. * k;
            const double far = at <= 10 ? 20 : 10;
            lines << QLineF(at, 0, at, far) << QLineF(0, at, far, at);
        }
        lines << QLineF(20, 0, 35, 0);
        for (const QLineF &l : lines)
            conductors += QStringLiteral(R"(%1{"from": [%2, %3, 0.5], "to": [%4, %5, 0.5],
                                            "diameter": 0.01})")
                              .arg(conductors.isEmpty() ? "" : ", ")
                              .arg(l.x1())
                              .arg(l.y1())
                              .arg(l.x2())
                              .arg(l.y2());
        const QByteArray document = (R"({"soil": {"rho": 100}, "current": 1000,
            "search": {"step": 1}, "segment_length": 2.5, "conductors": [)" +
                                     conductors + "]}")
                                        .toUtf8();
        const QStringList json = {"system", "--input", "-", "--format", "json"};
        const Run original = tavCalc(json, document);
        QVERIFY2(original.status == 0, qPrintable(original.err));
        const QJsonObject worst =
            QJsonDocument::fromJson(original.out.toUtf8()).object().value("touch_max").toObject();
        const QPointF at(worst.value("x").toDouble(), worst.value("y").toDouble());
        const bool inL = at.x() >= 0 && at.x() <= 20 && at.y() >= 0 && at.y() <= 20 &&
                         !(at.x() > 10 && at.y() > 10);
        double toMetal = INFINITY;
        for (const QLineF &l : lines) {
            const QPointF d = l.p2() - l.p1();
            const double t =
                std::clamp(QPointF::dotProduct(at - l.p1(), d) / QPointF::dotProduct(d, d), 0., 1.);
            const QPointF gap = at - (l.p1() + t * d);
            toMetal = std::min(toMetal, std::hypot(gap.x(), gap.y()));
        }
        QVERIFY2(inL || toMetal <= 1 + 1e-6,
                 qPrintable(QStringLiteral("%1, %2").arg(at.x()).arg(at.y())));

        const Run expanded = expand(document);
        QCOMPARE(expanded.status, 0);
        const QJsonArray areas =
            QJsonDocument::fromJson(expanded.out.toUtf8()).object().value("touch_areas").toArray();
        QCOMPARE(areas.size(), 1);
        QVERIFY(areas[0]["polygon"].toArray().size() >= 8); // not the hull's four corners
        const Run again = tavCalc(json, expanded.out.toUtf8());
        QVERIFY2(again.status == 0, qPrintable(again.err));
        QCOMPARE(QJsonDocument::fromJson(again.out.toUtf8()).object().value("touch_max"),
                 QJsonValue(worst));
    }

    void failures_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QStringList fromInput = {"system", "--input", "-"};
        QTest::newRow("not JSON")
            << fromInput << QByteArray("{\"soil\": {") << 1
            << "the document is not JSON: it cannot be read past character 10";
        QTest::newRow("an array") << fromInput << QByteArray("[]") << 1
                                  << "the document must be an object";
        QTest::newRow("a misspelt key")
            << fromInput << QByteArray(R"({"soil": {"rho": 1}, "current": 1, "searh": {}})") << 1
            << "searh is not a key the document takes";
        QTest::newRow("a coordinate missing")
            << fromInput
            << QByteArray(
                   R"({"soil": {"rho": 1}, "current": 1, "conductors": [{"from": [0, 0], "to": [1, 0, 1], "diameter": 0.01}]})")
            << 1 << "conductors[0].from must be an array of 3 numbers";
        QTest::newRow("refused by the solver")
            << fromInput
            << QByteArray(
                   R"({"soil": {"rho": 1}, "current": 1, "conductors": [{"from": [0, 0, -1], "to": [1, 0, 1], "diameter": 0.01}]})")
            << 1 << "conductors[0]: conductor 1 reaches above the surface, to the depth -1 m";
        // A conductor known by its part and row, not only its number among the expanded.
        QTest::newRow("a drawing's row above the surface")
            << fromInput
            << QByteArray(
                   R"({"version": 2, "soil": {"rho": 1}, "current": 1, "rods": [{"at": [[9, 9]], "top": 0.5, "length": 3, "diameter": 0.016}], "drawings": [{"name": "a.dxf", "group": 0, "conductors": [{"from": [0, 0, 0.5], "to": [4, 0, 0.5], "diameter": 0.01}, {"from": [0, 5, 0.5], "to": [4, 5, -0.2], "diameter": 0.01}]}]})")
            << 1 << "drawings[0].conductors[1]: conductor 3 reaches above the surface";
        QTest::newRow("two parts overlapping")
            << fromInput
            << QByteArray(
                   R"({"soil": {"rho": 1}, "current": 1, "conductors": [{"from": [0, 0, 0.5], "to": [4, 0, 0.5], "diameter": 0.01}], "rods": [{"at": [[9, 9]], "top": 0.5, "length": 3, "diameter": 0.016}, {"at": [[9, 9]], "top": 1, "length": 3, "diameter": 0.016}]})")
            << 1 << "rods[0], rods[1]: conductors 2 and 3 overlap";
        QTest::newRow("no conductor")
            << fromInput << QByteArray(R"({"soil": {"rho": 1}, "current": 1})") << 1
            << "no conductor is in group 0";
        QTest::newRow("no such file")
            << QStringList{"system", "--input", "/nonexistent/system.json"} << QByteArray() << 1
            << "the file /nonexistent/system.json could not be read: ";
        QTest::newRow("a directory") << QStringList{"system", "--input", "/"} << QByteArray() << 1
                                     << "the file / could not be read: ";
        QTest::newRow("no input") << QStringList{"system"} << QByteArray() << 2
                                  << "--input is required";
        QTest::newRow("a body of 80 kg")
            << fromInput
            << QByteArray(
                   R"({"soil": {"rho": 1}, "current": 1, "safety": {"duration": 1, "body": 80}})")
            << 1 << "safety.body must be 50 or 70";
        QTest::newRow("a newer document")
            << fromInput << QByteArray(R"({"version": 7, "soil": {"rho": 1}, "current": 1})") << 1
            << "the document is of version 7, newer than this program reads: it reads up to "
               "version 5";
        QTest::newRow("a grid of no side")
            << fromInput
            << QByteArray(
                   R"({"soil": {"rho": 1}, "current": 1, "grids": [{"size": [0, 10], "conductors": [2, 2], "depth": 0.5, "diameter": 0.01}]})")
            << 1 << "grids[0].size[0] must be a number above 0";
        const QByteArray grid =
            R"({"soil": {"rho": 1}, "current": 1, "grids": [{"size": [8, 8], "conductors": [2, 2], "depth": 0.5, "diameter": 0.01}], )";
        QTest::newRow("a touch area crossing itself")
            << fromInput
            << grid + R"("touch_areas": [{"polygon": [[0, 0], [4, 0], [0, 4], [4, 4]]}]})" << 1
            << "touch_areas[0].polygon is a polygon whose edges cross";
        QTest::newRow("a touch area of two corners")
            << fromInput << grid + R"("touch_areas": [{"polygon": [[0, 0], [4, 0]]}]})" << 1
            << "touch_areas[0].polygon must be a polygon of at least three corners";
        QTest::newRow("a touch point of group 7")
            << fromInput << grid + R"("touch_points": [{"at": [1, 1], "group": 7}]})" << 1
            << "touch_points[0].group names a group that no part of the system has";
        QTest::newRow("criteria iec")
            << fromInput << grid + R"("safety": {"duration": 1, "criteria": "iec"}})" << 1
            << "safety.criteria must be \"ieee80\" or \"en50522\"";
        QTest::newRow("footwear -1")
            << fromInput << grid + R"("safety": {"duration": 1, "footwear": -1}})" << 1
            << "safety.footwear must be a number of 0 or more";
        const QByteArray layered =
            R"({"current": 1, "grids": [{"size": [8, 8], "conductors": [2, 2], "depth": 0.5, "diameter": 0.01}], "soil": )";
        QTest::newRow("a layer of no thickness")
            << fromInput
            << layered +
                   R"({"layers": [{"rho": 300, "thickness": 2}, {"rho": 100, "thickness": 0}, {"rho": 600}]}})"
            << 1 << "soil.layers[1].thickness must be a number above 0";
        QTest::newRow("a last layer with a thickness")
            << fromInput
            << layered +
                   R"({"layers": [{"rho": 300, "thickness": 2}, {"rho": 100, "thickness": 8}, {"rho": 600, "thickness": 1}]}})"
            << 1
            << "soil.layers[2].thickness must be left out: the last layer goes down without end";
        QTest::newRow("six layers")
            << fromInput
            << layered +
                   R"({"layers": [{"rho": 1, "thickness": 1}, {"rho": 2, "thickness": 1}, {"rho": 3, "thickness": 1}, {"rho": 4, "thickness": 1}, {"rho": 5, "thickness": 1}, {"rho": 6}]}})"
            << 1 << "soil.layers holds 6 layers: the earthing study takes at most five";
        QTest::newRow("expanded into a report")
            << QStringList{"system", "--input", "-", "--expand", "--pdf", "/tmp/x.pdf"} << kSystem
            << 2 << "--expand writes no report";
        QTest::newRow("an unknown format")
            << QStringList{"system", "--input", "-", "--format", "xml"} << kSystem << 2
            << "--format: 'xml'";
    }

    // Refused: the reason on standard error, nothing on standard output.
    void failures() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QString, message);
        const Run run = tavCalc(arguments, input);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTavCalcSystem)
#include "tst_tavcalc_system.moc"
