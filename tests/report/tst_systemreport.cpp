// The earthing system study's report: each part in words, and the verdict's tone.
#include "core/earthing/EarthingSolver.h"
#include "core/network/NetworkSolver.h"
#include "document/PartLeakage.h"
#include "document/SystemDocument.h"
#include "report/LeakageTable.h"
#include "report/PlaceTable.h"
#include "report/SystemParts.h"
#include "report/SystemReport.h"
#include "report/TitleBlock.h"
#include "tests/support/ShippedTexts.h"
#include "text/StringIds.h"

#include <QRegularExpression>
#include <QtTest>

#include <cmath>
#include <complex>

namespace {

tav::SystemDocument read(const QByteArray &parts) {
    tav::DocumentError error;
    const tav::SystemDocument d = tav::SystemDocument::fromJson(
        R"({"soil": {"rho": 100}, "current": 10, )" + parts + "}", error);
    if (error.kind != tav::DocumentError::Kind::None)
        qFatal("%s: %s", parts.constData(), qPrintable(error.path));
    return d;
}

// The lines and cables of the network's own example, with a line whose towers each have
// their own footing and two earth wires, and a cable with an armour.
const QByteArray kNetwork = R"({"frequency": 50, "earth_return_rho": 100, "local_current": 2000,
    "lines": [{"name": "North", "current": 6000, "spans": 25, "span": 300, "tower_resistance": 10,
               "remote_resistance": 0.5,
               "earth_wires": [{"resistance": 0.4, "gmr": 0.004, "height": 30, "offset": 0}],
               "phase": {"height": 22, "offset": 4}},
              {"name": "South", "current": [3800, -900], "spans": null, "span": 300, "tower_resistance": 15,
               "earth_wires": [{"impedance": [0.45, 0.72], "mutual": [0.05, 0.31]}]}],
    "cables": [{"name": "Feeder 1", "current": 1500, "length": 3000, "remote_resistance": 1.0,
                "sheath": {"resistance": 0.3, "mean_radius": 0.03}}]})";
const QByteArray kTwoWires = R"({"frequency": 60, "decrement": 1.25,
    "lines": [{"name": "East", "current": [2500, 400], "spans": 4, "span": 250,
               "tower_resistance": [8, 20, 12], "remote_resistance": 2,
               "earth_wires": [{"resistance": 0.6, "gmr": 0.005, "height": 28, "offset": -3},
                               {"resistance": 0.6, "gmr": 0.005, "height": 28, "offset": 3}],
               "phase": {"height": 20, "offset": 5}}],
    "cables": [{"name": "Feeder 2", "current": 900, "length": 800, "remote_resistance": 0.7,
                "sheath": {"resistance": 0.9, "mean_radius": 0.02},
                "armour": {"resistance": 0.5, "mean_radius": 0.025}}]})";

// "1234 at -5.6°": the magnitude and the angle, each to the digits the report gives (4
// significant, a tenth of a degree).
bool showsPhasor(const QString &shown, std::complex<double> z) {
    static const QRegularExpression form(QStringLiteral("^(\\S+) at (\\S+)°$"));
    const QRegularExpressionMatch m = form.match(shown);
    if (!m.hasMatch())
        return false;
    const double magnitude = m.captured(1).toDouble();
    const double angle = m.captured(2).toDouble();
    if (std::abs(magnitude - std::abs(z)) > 5.01e-4 * std::abs(z))
        return false;
    if (std::abs(z) == 0)
        return true;
    const double off = std::remainder(angle - std::arg(z) * 180 / M_PI, 360.0);
    return std::abs(off) <= 0.0501;
}

const ReportBlock *blockHeaded(const Report &report, const QString &heading) {
    for (const ReportBlock &b : report.blocks)
        if (b.heading == heading)
            return &b;
    return nullptr;
}

QString pairValue(const ReportBlock &block, unsigned labelId) {
    for (const auto &p : block.pairs)
        if (p.first == shippedText(labelId))
            return p.second;
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(ReportLine::Tone)
Q_DECLARE_METATYPE(tav::Verdict)

class TestSystemReport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each place's own tolerable touch voltage: where the surface layer lies in a zone, the
    // layer's with the places judged on it and the bare soil's with those off it; one value
    // where every place stands on the same ground. The step's likewise, without places.
    void tolerablePerPlace_data() {
        QTest::addColumn<bool>("zone");
        QTest::addColumn<bool>("stepLimited");
        QTest::addColumn<QString>("touch");
        QTest::addColumn<QString>("step");
        QTest::newRow("layer in a zone")
            << true << true
            << "827.3 V on the surface layer (Grid 1); 321.9 V off it (Fence 1, "
               "Cable end)"
            << "2643 V on the surface layer; 621.7 V off it";
        QTest::newRow("layer everywhere") << false << true << "827.3 V"
                                          << "2643 V";
        QTest::newRow("EN 50522, no step limit")
            << true << false
            << "827.3 V on the surface layer (Grid 1); 321.9 V off it (Fence 1, "
               "Cable end)"
            << "no limit";
    }
    void tolerablePerPlace() {
        QFETCH(bool, zone);
        QFETCH(bool, stepLimited);
        QFETCH(QString, touch);
        QFETCH(QString, step);
        using namespace tav::earthing;
        EarthingResult result;
        result.touchAreas = {{TouchAreaKind::Grid, {}, 0, 0, 0},
                             {TouchAreaKind::Fence, {}, 1, 1, 0}};
        result.areas.resize(2);
        result.touchPoints = {{{40, -3}, 0, "Cable end"}};
        result.touched.resize(1);
        if (zone)
            result.surfaceZone = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
        SystemSafety safety;
        safety.onLayer.touch = 827.3;
        safety.offLayer.touch = zone ? 321.9 : 827.3;
        safety.onLayer.step = 2643;
        safety.offLayer.step = zone ? 621.7 : 2643;
        safety.onLayer.stepLimited = safety.offLayer.stepLimited = stepLimited;
        safety.areas = {{500, {5, 5}, true, 827.3, tav::Verdict::Safe},
                        {400, {12, 5}, !zone, 321.9, tav::Verdict::NotSafe}};
        safety.points = {{100, {40, -3}, !zone, 321.9, tav::Verdict::Safe}};
        QString shownTouch, shownStep;
        for (const auto &[name, value] :
             SystemReport::resultPairs(result, safety, shippedTexts())) {
            if (name == QLatin1String("Tolerable touch voltage"))
                shownTouch = value;
            if (name == QLatin1String("Tolerable step voltage"))
                shownStep = value;
        }
        QCOMPARE(shownTouch, touch);
        QCOMPARE(shownStep, step);
    }

    // A reviewer checks each part's figures: sizes, the mesh the count gives, depth, every
    // diameter in millimetres, the rods, the group; one row per part.
    void partsTable_data() {
        QTest::addColumn<QByteArray>("parts");
        QTest::addColumn<QStringList>("row");
        QTest::newRow("grid with edge rods")
            << QByteArray(
                   R"("grids": [{"origin": [5, -2], "size": [60, 40], "conductors": [7, 5], "depth": 0.6, "diameter": 0.0105, "rods": {"count": 12, "length": 3, "diameter": 0.016}}])")
            << QStringList{"Grid 1",
                           "60 × 40 m from (5, -2)",
                           "7 × 5, meshes 10 × 10 m",
                           "0.6",
                           "10.5",
                           "12 × 3 m, ⌀ 16 mm",
                           "energised"};
        QTest::newRow("floating ring")
            << QByteArray(
                   R"("grids": [{"size": [10, 10], "conductors": [2, 2], "depth": 0.5, "diameter": 0.01}], "rings": [{"centre": [30, 0], "radius": 4, "count": 6, "depth": 0.8, "diameter": 0.012, "rod": {"length": 2.4, "diameter": 0.02}, "group": 1}])")
            << QStringList{"Ring 1",
                           "radius 4 m round (30, 0)",
                           "6",
                           "0.8",
                           "12",
                           "6 × 2.4 m, ⌀ 20 mm",
                           "floating group 1"};
        // The box its conductors and rods lie in, its depths and diameters from least to most.
        QTest::newRow("imported drawing")
            << QByteArray(
                   R"("version": 2, "drawings": [{"name": "yard.dxf", "group": 1, "conductors": [{"from": [0, 0, 0.5], "to": [3, 4, 0.8], "diameter": 0.01}, {"from": [3, 4, 0.8], "to": [3, 4, 2.5], "diameter": 0.012}], "rods": [{"at": [9, 9], "top": 0.6, "length": 3, "diameter": 0.016}, {"at": [1, 9], "top": 0.6, "length": 2.4, "diameter": 0.016}]}])")
            << QStringList{"yard.dxf",
                           "9 × 9 m from (0, 0)",
                           "2",
                           "0.5–0.8",
                           "10–12",
                           "2 × 2.4–3 m, ⌀ 16 mm",
                           "floating group 1"};
    }
    void partsTable() {
        QFETCH(QByteArray, parts);
        QFETCH(QStringList, row);
        const ReportBlock block = SystemParts::table(read(parts), shippedTexts());
        QCOMPARE(block.header.size(), row.size());
        QCOMPARE(block.rows.last(), row);
    }

    // The soil and the current name where they came from when the project says so.
    void inputsTraced_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("soil");
        QTest::addColumn<QString>("current");
        QTest::newRow("as given") << QByteArray(R"({"soil": {"rho": 100}, "current": 6000})")
                                  << "uniform, 100 Ω·m"
                                  << "I_G = 6000 A, as given";
        QTest::newRow("fitted, from a fault")
            << QByteArray(R"({"soil": {"rho1": 300, "rho2": 90, "h": 2.5, "readings": 11, )"
                          R"("rms_percent": 3.214}, "current": 6000, "current_basis": )"
                          R"({"fault_current": 10000, "decrement": 1.2, "split": 0.5}})")
            << "300 Ω·m over 90 Ω·m from 2.5 m down; fitted to 11 readings, RMS error 3.2 %"
            << "I_G = 3I0 · Df · Sf = 10000 A · 1.2 · 0.5 = 6000 A";
        // Each layer down to its bottom: 2 m, then 2 + 8 = 10 m, the last below.
        QTest::newRow("three layers")
            << QByteArray(R"({"soil": {"layers": [{"rho": 300, "thickness": 2}, {"rho": 100, )"
                          R"("thickness": 8}, {"rho": 600}]}, "current": 6000})")
            << "3 layers: 300 Ω·m to 2 m, 100 Ω·m to 10 m, 600 Ω·m below"
            << "I_G = 6000 A, as given";
        QTest::newRow("five layers, fitted")
            << QByteArray(R"({"soil": {"layers": [{"rho": 50, "thickness": 0.5}, {"rho": 400, )"
                          R"("thickness": 1.5}, {"rho": 80, "thickness": 3}, {"rho": 1200, )"
                          R"("thickness": 5}, {"rho": 30}], "readings": 14, "rms_percent": 2.04}, )"
                          R"("current": 6000})")
            << "5 layers: 50 Ω·m to 0.5 m, 400 Ω·m to 2 m, 80 Ω·m to 5 m, 1200 Ω·m to 10 m, "
               "30 Ω·m below; fitted to 14 readings, RMS error 2.0 %"
            << "I_G = 6000 A, as given";
        // With its sounding, the array it was read with.
        QTest::newRow("fitted to a Schlumberger sounding")
            << QByteArray(R"({"soil": {"rho": 80, "rms_percent": 1.5, "array": "schlumberger", )"
                          R"("rows": [{"spacing": 2, "mn": 0.5, "measured": 104}, {"spacing": 10, )"
                          R"("mn": 1, "measured": 160.5}]}, "current": 6000})")
            << "uniform, 80 Ω·m; fitted to 2 Schlumberger readings, RMS error 1.5 %"
            << "I_G = 6000 A, as given";
        QTest::newRow("fitted to a Wenner sounding")
            << QByteArray(R"({"soil": {"rho": 80, "rms_percent": 1.5, "array": "wenner", )"
                          R"("rows": [{"spacing": 2, "measured": 104}, {"spacing": 4, )"
                          R"("measured": 121}]}, "current": 6000})")
            << "uniform, 80 Ω·m; fitted to 2 Wenner readings, RMS error 1.5 %"
            << "I_G = 6000 A, as given";
    }
    void inputsTraced() {
        QFETCH(QByteArray, json);
        QFETCH(QString, soil);
        QFETCH(QString, current);
        tav::DocumentError error;
        const SystemReport::Pairs pairs =
            SystemReport::inputs(tav::SystemDocument::fromJson(json, error), shippedTexts());
        QCOMPARE(pairs.at(0).second, soil);
        QCOMPARE(pairs.at(1).second, current);
    }

    // The sounding kept with the soil is printed whole: its array and a row per reading in
    // the soil model window's columns; none without one.
    void soundingPrinted_data() {
        QTest::addColumn<QByteArray>("soil");
        QTest::addColumn<QString>("array");
        QTest::addColumn<QStringList>("header");
        QTest::addColumn<QVector<QStringList>>("rows");
        QTest::newRow("Schlumberger")
            << QByteArray(R"({"rho": 80, "rms_percent": 1.5, "array": "schlumberger", "rows": [)"
                          R"({"spacing": 2, "mn": 0.5, "measured": 104}, {"spacing": 10, "mn": 1, )"
                          R"("measured": 160.5}]})")
            << "Schlumberger" << QStringList{"AB/2 [m]", "MN/2 [m]", "ρa [Ω·m]"}
            << QVector<QStringList>{{"2", "0.5", "104"}, {"10", "1", "160.5"}};
        QTest::newRow("Wenner")
            << QByteArray(R"({"rho": 80, "rms_percent": 1.5, "array": "wenner", "rows": [)"
                          R"({"spacing": 1.5, "measured": 99.25}]})")
            << "Wenner" << QStringList{"Spacing a [m]", "ρa [Ω·m]"}
            << QVector<QStringList>{{"1.5", "99.25"}};
        QTest::newRow("a count only")
            << QByteArray(R"({"rho": 80, "readings": 4, "rms_percent": 1.5})") << QString()
            << QStringList() << QVector<QStringList>();
    }
    void soundingPrinted() {
        QFETCH(QByteArray, soil);
        QFETCH(QString, array);
        QFETCH(QStringList, header);
        QFETCH(QVector<QStringList>, rows);
        tav::DocumentError error;
        const tav::SystemDocument d =
            tav::SystemDocument::fromJson(R"({"soil": )" + soil + R"(, "current": 10})", error);
        QCOMPARE(error.kind, tav::DocumentError::Kind::None);
        const std::optional<ReportBlock> block = SystemReport::sounding(d, shippedTexts());
        QCOMPARE(block.has_value(), !array.isEmpty());
        if (!block)
            return;
        QCOMPARE(block->pairs.value(0).second, array);
        QCOMPARE(block->header, header);
        QCOMPARE(block->rows, rows);
    }

    // A given touch area's corners and the surface layer's, in their order, under the
    // inputs; none for a layer everywhere.
    void cornersListed_data() {
        QTest::addColumn<QByteArray>("area");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("in a zone")
            << QByteArray(R"(, "area": [[-1.5, -1.5], [26.5, -1.5], [26.5, 26.5]])")
            << QStringList{"Touch area given: 4 corners, 48.4375 m², the metal energised",
                           "Its corners (m): (2.5, 2.5), (10.25, 2.5), (10.25, 8.75), (2.5, 8.75)",
                           "The surface layer's corners (m): (-1.5, -1.5), (26.5, -1.5), "
                           "(26.5, 26.5)"};
        QTest::newRow("everywhere")
            << QByteArray()
            << QStringList{"Touch area given: 4 corners, 48.4375 m², the metal energised",
                           "Its corners (m): (2.5, 2.5), (10.25, 2.5), (10.25, 8.75), (2.5, 8.75)"};
    }
    void cornersListed() {
        QFETCH(QByteArray, area);
        QFETCH(QStringList, lines);
        const tav::SystemDocument d = read(
            R"("rods": [{"at": [[0, 0]], "top": 0.5, "length": 3, "diameter": 0.02}], )"
            R"("touch_areas": [{"polygon": [[2.5, 2.5], [10.25, 2.5], [10.25, 8.75], [2.5, 8.75]]}], )"
            R"("safety": {"duration": 0.5, "surface": {"rho": 3000, "thickness": 0.1)" +
            area + "}}");
        const Report report = SystemReport::report(d, tav::earthing::EarthingResult(), std::nullopt,
                                                   StudyHeader(), shippedTexts());
        QStringList shown;
        for (const ReportBlock &block : report.blocks)
            if (block.heading == QLatin1String("Inputs"))
                for (const ReportLine &line : block.lines)
                    shown.append(QString(line.text).replace(QChar(0x00a0), QLatin1Char(' ')));
        QCOMPARE(shown.mid(shown.size() - lines.size()), lines);
    }

    // The title block takes the client, the field and the file number from the field
    // information, blank without it; the report starts with it.
    void titleBlockFilled() {
        StudyHeader header;
        QCOMPARE(TitleBlock::filled(header).client, QString());
        tav::SiteInformation site;
        site.clientCompanyName = "  Northern  Grid ";
        site.fieldName = "Substation 7";
        site.fileNumber = "E-114";
        header.site = site;
        const TitleBlock::Filled f = TitleBlock::filled(header);
        QCOMPARE(f.client, QStringLiteral("Northern Grid"));
        QCOMPARE(f.field, QStringLiteral("Substation 7"));
        QCOMPARE(f.fileNumber, QStringLiteral("E-114"));
        const Report report = SystemReport::report(
            read(R"("rods": [{"at": [[0, 0]], "top": 0.5, "length": 3, "diameter": 0.02}])"),
            tav::earthing::EarthingResult(), std::nullopt, header, shippedTexts());
        QCOMPARE(report.blocks.first().heading, QStringLiteral("Revision and approval"));
        QVERIFY(report.blocks.first().picture);
    }

    // The appendix holds every conductor once, where it runs, and the currents add up to
    // what was injected; a system of single conductors needs none.
    void leakageAppendix_data() {
        QTest::addColumn<QByteArray>("parts");
        QTest::addColumn<bool>("given");
        QTest::newRow("grid and rods")
            << QByteArray(R"("grids": [{"size": [20, 10], "conductors": [3, 2], "depth": 0.5, )"
                          R"("diameter": 0.01, "rods": {"corners": true, "length": 3, )"
                          R"("diameter": 0.016}}])")
            << true;
        QTest::newRow("two wires")
            << QByteArray(R"("conductors": [{"from": [0, 0, 0.5], "to": [10, 0, 0.5], )"
                          R"("diameter": 0.01}, {"from": [0, 5, 0.5], "to": [10, 5, 0.5], )"
                          R"("diameter": 0.01}])")
            << false;
    }
    void leakageAppendix() {
        QFETCH(QByteArray, parts);
        QFETCH(bool, given);
        const tav::SystemDocument d = read(parts);
        const auto solved = tav::earthing::EarthingSolver::solve(d.input());
        QVERIFY(!solved.refused());
        const auto leakage = tav::SystemLeakage::of(d, solved.result());
        const auto block = LeakageTable::appendix(d, leakage, shippedTexts());
        QCOMPARE(block.has_value(), given);
        if (!given)
            return;
        QVERIFY(block->newPage);
        QCOMPARE(block->rows.size(), qsizetype(d.input().conductors.size()));
        // The grid's first conductor runs along y at x = 0, 0.5 m down; the rods last.
        QCOMPARE(block->rows.first().mid(1, 3),
                 QStringList({"Grid 1", "(0, 0, 0.5)", "(0, 10, 0.5)"}));
        QCOMPARE(block->rows.last().at(1), QStringLiteral("Grid 1 rods"));
        double sum = 0;
        for (const QStringList &row : block->rows)
            sum += row.at(4).toDouble();
        // Each current shown to four digits: the sum within their rounding of the 10 A.
        QVERIFY2(std::abs(sum - 10) < 1e-3 * block->rows.size(), qPrintable(QString::number(sum)));
    }

    // The window's profile line when the project keeps one, else along x through the worst
    // touch across the plan.
    void profileLine_data() {
        QTest::addColumn<QByteArray>("window");
        QTest::addColumn<QLineF>("line");
        QTest::newRow("none kept") << QByteArray() << QLineF(-5, 4, 25, 4);
        QTest::newRow("kept") << QByteArray(R"("profile": [1, 2, 3, 4.5])") << QLineF(1, 2, 3, 4.5);
        QTest::newRow("of no length")
            << QByteArray(R"("profile": [1, 2, 1, 2])") << QLineF(-5, 4, 25, 4);
        QTest::newRow("not four numbers")
            << QByteArray(R"("profile": [1, 2, 3])") << QLineF(-5, 4, 25, 4);
        QTest::newRow("a text among them")
            << QByteArray(R"("profile": [1, 2, "3", 4])") << QLineF(-5, 4, 25, 4);
    }
    void profileLine() {
        QFETCH(QByteArray, window);
        QFETCH(QLineF, line);
        const tav::SystemDocument d =
            read(R"("rods": [{"at": [[0, 0]], "top": 0.5, "length": 3, "diameter": 0.02}],
                    "study_window": {)" +
                 window + "}");
        tav::earthing::EarthingResult result;
        result.touchMax = tav::earthing::TouchMaximum{0, {7, 4}};
        QCOMPARE(SystemReport::profileLine(d, result, QRectF(-5, -5, 30, 20)), line);
    }

    // Each profile is headed by what it is: the line drawn on the plan when there is one,
    // else across the middle of the plan along x, and at 45 degrees through the worst touch.
    void profileHeadings_data() {
        QTest::addColumn<QByteArray>("window");
        QTest::addColumn<QStringList>("headings");
        QTest::newRow("none drawn")
            << QByteArray()
            << QStringList{"Profile along x through the middle of the plan",
                           "Profile at 45° through the worst touch voltage"};
        QTest::newRow("drawn") << QByteArray(R"("profile": [1, 2, 3, 4.5])")
                               << QStringList{"Profile along the line drawn on the plan"};
    }
    void profileHeadings() {
        QFETCH(QByteArray, window);
        QFETCH(QStringList, headings);
        const tav::SystemDocument d =
            read(R"("rods": [{"at": [[0, 0]], "top": 0.5, "length": 3, "diameter": 0.02}],
                    "study_window": {)" +
                 window + "}");
        tav::earthing::EarthingResult result;
        result.touchMax = tav::earthing::TouchMaximum{0, {0.5, 0.5}};
        QStringList shown;
        for (const ReportBlock &block :
             SystemReport::pictures(d, result, std::nullopt, shippedTexts()))
            shown.append(block.heading);
        QCOMPARE(shown, headings);
    }

    void parts_data() {
        QTest::addColumn<QByteArray>("parts");
        QTest::addColumn<QString>("line");
        QTest::newRow("grid with rods on its edge")
            << QByteArray(
                   R"("grids": [{"size": [70, 70], "conductors": [6, 6], "depth": 0.5, "diameter": 0.01, "rods": {"count": 20, "length": 7.5, "diameter": 0.016}}])")
            << "Grid 70 m × 70 m from (0, 0) m, 6 × 6 conductors, 0.5 m deep, energised, 20 rods "
               "of 7.5 m along its edge";
        QTest::newRow("floating L with corner rods")
            << QByteArray(
                   R"("l_grids": [{"origin": [1, 2], "size": [10, 8], "cut": [4, 3], "conductors": [3, 2], "depth": 0.5, "diameter": 0.01, "group": 2, "rods": {"corners": true, "length": 3, "diameter": 0.016}}])")
            << "Grid 10 m × 8 m from (1, 2) m, 3 × 2 conductors, 0.5 m deep, floating group 2, "
               "less 4 m × 3 m at its far corner (L-shaped), rods of 3 m at its corners";
        QTest::newRow("ring")
            << QByteArray(
                   R"("rings": [{"centre": [20, 0], "radius": 5, "count": 8, "depth": 0.6, "diameter": 0.01, "rod": {"length": 3, "diameter": 0.02}, "group": 1}])")
            << "Ring of 8 rods of 3 m, radius 5 m round (20, 0) m, 0.6 m deep, floating group 1";
        QTest::newRow("fence of its own group")
            << QByteArray(
                   R"("fences": [{"distance": 2, "posts": {"spacing": 3, "length": 1.5, "diameter": 0.05}}])")
            << "Fence 2 m outside, posts of 1.5 m at most 3 m apart, floating on its own";
        // 5 m (a 3-4-5 run) and 2 m down: 7 m.
        QTest::newRow("imported drawing")
            << QByteArray(
                   R"("version": 2, "drawings": [{"name": "yard.dxf", "group": 1, "conductors": [{"from": [0, 0, 0.5], "to": [3, 4, 0.5], "diameter": 0.01}, {"from": [3, 4, 0.5], "to": [3, 4, 2.5], "diameter": 0.01}], "rods": [{"at": [9, 9], "top": 0.5, "length": 3, "diameter": 0.016}]}])")
            << "Imported drawing \"yard.dxf\": conductors 2 (7 m), rods 1, the metal floating "
               "group 1";
        QTest::newRow("rods at points")
            << QByteArray(
                   R"("rods": [{"at": [[0, 0], [5, 0]], "top": 0.2, "length": 2.4, "diameter": 0.016, "group": 3}])")
            << "2 rods of 2.4 m from 0.2 m deep, floating group 3";
    }
    void parts() {
        QFETCH(QByteArray, parts);
        QFETCH(QString, line);
        const QVector<ReportLine> lines = SystemReport::parts(read(parts), shippedTexts());
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0].text, line);
    }

    // A pass outside the method's range is no pass: it is in amber, as the grid check's.
    void verdictTones_data() {
        QTest::addColumn<tav::Verdict>("verdict");
        QTest::addColumn<ReportLine::Tone>("tone");
        QTest::addColumn<QString>("word");
        QTest::newRow("safe") << tav::Verdict::Safe << ReportLine::Tone::Pass << "pass";
        QTest::newRow("not safe") << tav::Verdict::NotSafe << ReportLine::Tone::Fail << "FAIL";
        QTest::newRow("outside") << tav::Verdict::OutsideMethodRange << ReportLine::Tone::Caution
                                 << "outside the method's range";
    }
    void verdictTones() {
        QFETCH(tav::Verdict, verdict);
        QFETCH(ReportLine::Tone, tone);
        QFETCH(QString, word);
        tav::earthing::EarthingResult result;
        result.touchMax = tav::earthing::TouchMaximum{352.8, {}};
        result.stepMax.voltage = 135.8;
        tav::earthing::SystemSafety safety;
        safety.touch = tav::earthing::JudgedVoltage{352.8, {}, true, 827.3, verdict};
        safety.step = {135.8, {}, true, 2643, tav::Verdict::NotSafe};
        const QVector<ReportLine> lines = SystemReport::verdicts(result, safety, shippedTexts());
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].text,
                 QStringLiteral("Worst touch voltage 352.8 V against the tolerable 827.3 V: ") +
                     word);
        QCOMPARE(lines[0].tone, tone);
        QCOMPARE(lines[1].tone, ReportLine::Tone::Fail);
        // Without criteria, no verdict at all.
        QVERIFY(SystemReport::verdicts(result, std::nullopt, shippedTexts()).isEmpty());
    }

    // Whose criteria, and of the person only what they use: IEEE Std 80's body weight,
    // EN 50522's footwear; where the layer lies: everywhere, or the polygon's corners and
    // area (a 10 m by 10 m square: 100 m², a right triangle of legs 6 and 4: 12 m²).
    void criteriaInputs_data() {
        QTest::addColumn<QByteArray>("safety");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("IEEE 80 everywhere")
            << QByteArray(
                   R"({"duration": 0.5, "body": 70, "surface": {"rho": 3000, "thickness": 0.1}})")
            << QStringList{"Criteria: IEEE Std 80-2013", "Body weight: 70 kg",
                           "Where the surface layer lies: everywhere", "Fault duration: 0.5 s"}
            << QStringList{"Footwear"};
        QTest::newRow("EN 50522 in a square")
            << QByteArray(
                   R"({"duration": 0.5, "criteria": "en50522", "footwear": 2000, "surface": {"rho": 3000, "thickness": 0.1, "area": [[0, 0], [10, 0], [10, 10], [0, 10]]}})")
            << QStringList{"Criteria: EN 50522:2010", "Footwear resistance R_F1: 2000 Ω",
                           "Where the surface layer lies: a polygon of 4 corners, 100 m²"}
            << QStringList{"Body weight"};
        QTest::newRow("triangle, corners clockwise")
            << QByteArray(
                   R"({"duration": 1, "surface": {"rho": 3000, "thickness": 0.1, "area": [[0, 0], [0, 4], [6, 0]]}})")
            << QStringList{"Where the surface layer lies: a polygon of 3 corners, 12 m²"}
            << QStringList{"Footwear"};
        QTest::newRow("no surface layer: no zone")
            << QByteArray(R"({"duration": 1})") << QStringList{"Surface layer: none"}
            << QStringList{"Where the surface layer lies"};
    }
    void criteriaInputs() {
        QFETCH(QByteArray, safety);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, absent);
        const auto pairs = SystemReport::inputs(
            read(
                R"("rods": [{"at": [[0, 0]], "top": 0.5, "length": 3, "diameter": 0.02}], "safety": )" +
                safety),
            shippedTexts());
        QStringList shown;
        for (const auto &p : pairs)
            shown.append(p.first + QStringLiteral(": ") + p.second);
        for (const QString &line : expected)
            QVERIFY2(shown.contains(line), qPrintable(shown.join(QLatin1Char('\n'))));
        for (const QString &name : absent)
            for (const QString &line : shown)
                QVERIFY2(!line.startsWith(name), qPrintable(line));
    }

    // A study that knows where its 0, 0 lies on site says so, and gives its worst places on
    // site too, to the centimetre however large the coordinates.
    void siteCoordinates() {
        const tav::SystemDocument d = read(
            R"("version": 2, "site_origin": {"x": 512300.5, "y": 4381200}, "rods": [{"at": [[0, 0]], "top": 0.5, "length": 3, "diameter": 0.02}])");
        QStringList shown;
        for (const auto &p : SystemReport::inputs(d, shippedTexts()))
            shown.append(p.first + QStringLiteral(": ") + p.second);
        QVERIFY2(shown.contains(QStringLiteral(
                     "Site coordinates of the study's 0, 0: (512300.5, 4381200) m")),
                 qPrintable(shown.join(QLatin1Char('\n'))));
        tav::earthing::EarthingResult result;
        result.touchMax = tav::earthing::TouchMaximum{194.7, {148.86, 92.22}};
        result.stepMax.from = {-1, -2};
        result.stepMax.to = {1, 2};
        QString touch;
        for (const auto &p : SystemReport::resultPairs(result, std::nullopt, shippedTexts(),
                                                        d.siteOrigin))
            if (p.first.startsWith(QLatin1String("Worst touch")))
                touch = p.second;
        QCOMPARE(touch, QStringLiteral("194.7 V at (148.86, 92.22) m (on site (512449.36, "
                                       "4381292.22) m)"));
        // Without it, the places as they were.
        for (const auto &p : SystemReport::resultPairs(result, std::nullopt, shippedTexts()))
            QVERIFY2(!p.second.contains(QLatin1String("on site")), qPrintable(p.second));
    }

    // One row per touch area, named by its kind and its number among its kind's parts, per
    // touch point by its name, and the step, the voltages to four figures as the report's; EN
    // 50522's step is for information, with no tolerable voltage. The overall verdict is the
    // criteria's, in its tone.
    void placeRows() {
        using namespace tav::earthing;
        EarthingResult result;
        result.touchAreas = {{TouchAreaKind::Grid, {}, 0, 0, 0},
                             {TouchAreaKind::Fence, {}, 1, 1, 0},
                             {TouchAreaKind::Given, {}, 0, 0, 1},
                             {TouchAreaKind::Ring, {}, 0, 0, 0}};
        result.areas.resize(4);
        result.touchPoints = {{{40, -3}, 0, "Cable end"}, {{41, 2}, 0, ""}};
        result.touched.resize(2);
        SystemSafety safety;
        safety.areas = {
            {412.345, {3.5, 4.25}, true, 600.5, tav::Verdict::Safe},
            {95.5, {-2, 71.004}, false, 80.25, tav::Verdict::NotSafe},
            {10, {1, 1}, true, 600.5, tav::Verdict::OutsideMethodRange},
            {-std::numeric_limits<double>::infinity(), {}, true, 0, tav::Verdict::Safe}};
        safety.points = {{120, {40, -3}, false, 80.25, tav::Verdict::NotSafe},
                         {5, {41, 2}, true, 600.5, tav::Verdict::Safe}};
        safety.step = {210.5, {12, 0.5}, true, 0, tav::Verdict::NoLimit};
        safety.overall = tav::Verdict::NotSafe;
        safety.surfaceLayer = true;
        const ReportBlock block = PlaceTable::block(result, safety, shippedTexts());
        QCOMPARE(block.header, (QStringList{"Place", "Voltage (V)", "At (x, y) (m)", "Layer",
                                            "Tolerable (V)", "Verdict"}));
        const QVector<QStringList> expected{
            {"Grid 1", "412.3", "(3.5, 4.25)", "on", "600.5", "pass"},
            {"Fence 1", "95.50", "(-2, 71)", "off", "80.25", "FAIL"},
            {"Touch area 2", "10.00", "(1, 1)", "on", "600.5", "outside the method's range"},
            {"Ring 1", "no ground within reach", "", "", "", ""},
            {"Cable end", "120.0", "(40, -3)", "off", "80.25", "FAIL"},
            {"Touch point 2", "5.000", "(41, 2)", "on", "600.5", "pass"},
            {"Step", "210.5", "(12, 0.5)", "on", "no limit", "for information"}};
        QCOMPARE(block.rows, expected);
        // In a study without a surface layer no place stands on one, nor off it.
        safety.surfaceLayer = false;
        for (const QStringList &row : PlaceTable::block(result, safety, shippedTexts()).rows)
            if (!row[3].isEmpty())
                QCOMPARE(row[3], QStringLiteral("none"));
        for (const QStringList &row : PlaceTable::block(result, std::nullopt, shippedTexts()).rows)
            if (!row[3].isEmpty())
                QCOMPARE(row[3], QStringLiteral("none"));
        const std::optional<ReportLine> overall = SystemReport::overall(safety, shippedTexts());
        QVERIFY(overall);
        QCOMPARE(overall->text, QStringLiteral("Overall: FAIL"));
        QCOMPARE(overall->tone, ReportLine::Tone::Fail);
        QVERIFY(!SystemReport::overall(std::nullopt, shippedTexts()));
        // The step's own line says it has no limit rather than compare it with none.
        result.stepMax.voltage = 210.5;
        const QVector<ReportLine> lines = SystemReport::verdicts(result, safety, shippedTexts());
        QCOMPARE(lines.last().text,
                 QStringLiteral("Worst step voltage 210.5 V: for information, EN 50522 sets no "
                                "step limit"));
    }

    // The section on the current into the earth says what the study's own solve of the
    // network gives, to the digits shown: 3I0, I_E, Sf, each line's and cable's reduction
    // factor, return current and remote rise, each line's first towers; the data as typed;
    // and the inputs' current is Df |I_E|. A station fed by its local sources alone has the
    // figures and no tables.
    void networkSectionHoldsTheSolve_data() {
        QTest::addColumn<QByteArray>("network");
        QTest::newRow("lines, endless line, cable") << kNetwork;
        QTest::newRow("two earth wires, towers apart, armour") << kTwoWires;
        QTest::newRow("local sources alone")
            << QByteArray(R"({"frequency": 50, "local_current": 1200, "lines": [], "cables": []})");
    }
    void networkSectionHoldsTheSolve() {
        QFETCH(QByteArray, network);
        namespace Ids = StringId::NetworkReport;
        tav::DocumentError error;
        const tav::SystemDocument d = tav::SystemDocument::fromJson(
            R"({"soil": {"rho": 100}, "rods": [{"at": [[0, 0]], "top": 0.5, "length": 3, )"
            R"("diameter": 0.02}], "network": )" +
                network + "}",
            error);
        QVERIFY2(error.kind == tav::DocumentError::Kind::None, qPrintable(error.path));
        const auto solved = tav::network::NetworkSolver::solve(d.network->model, {0.8, 0.1});
        QVERIFY(!solved.refused());
        const tav::network::NetworkResult &r = solved.result();
        const Report report = SystemReport::report(d, tav::earthing::EarthingResult(), std::nullopt,
                                                   StudyHeader(), shippedTexts(), r);
        const ReportBlock *section = blockHeaded(report, shippedText(Ids::kHeading));
        QVERIFY(section);
        QVERIFY(showsPhasor(pairValue(*section, Ids::kFaultCurrent), r.faultCurrent));
        QVERIFY(showsPhasor(pairValue(*section, Ids::kEarthCurrent), r.earthCurrent));
        QVERIFY(showsPhasor(pairValue(*section, Ids::kSplitFactor), r.splitFactor));
        QVERIFY(showsPhasor(pairValue(*section, Ids::kStationRise),
                            std::complex<double>(0.8, 0.1) * r.earthCurrent));
        // The inputs' current: I_G = Df · |I_E| = ... = x A.
        const ReportBlock *inputs = blockHeaded(report, QStringLiteral("Inputs"));
        QVERIFY(inputs);
        const QString current = pairValue(*inputs, StringId::SystemReport::kCurrent);
        const QRegularExpressionMatch taken =
            QRegularExpression(QStringLiteral("= ([0-9.]+) A,")).match(current);
        QVERIFY2(taken.hasMatch(), qPrintable(current));
        const double expected = d.network->decrement * std::abs(r.earthCurrent);
        QVERIFY2(std::abs(taken.captured(1).toDouble() - expected) <= 5.01e-4 * expected,
                 qPrintable(current));

        const ReportBlock *data = blockHeaded(report, shippedText(Ids::kDataHeading));
        const ReportBlock *figures = blockHeaded(report, shippedText(Ids::kFiguresHeading));
        const tav::network::Network &n = d.network->model;
        if (n.lines.empty() && n.cables.empty()) {
            QVERIFY(!data && !figures);
            return;
        }
        QVERIFY(data && figures);
        // The method no longer says the current was taken as given.
        const ReportBlock *method =
            blockHeaded(report, shippedText(StringId::SystemReport::kMethodHeading));
        QVERIFY(method);
        QVERIFY(std::none_of(method->lines.begin(), method->lines.end(), [](const ReportLine &l) {
            return l.text == shippedText(StringId::SystemReport::kMethod4);
        }));
        QCOMPARE(data->rows.size(), qsizetype(n.lines.size() + n.cables.size()));
        QCOMPARE(figures->rows.size(), data->rows.size());
        for (std::size_t k = 0; k < n.lines.size(); ++k) {
            const QStringList &row = data->rows[qsizetype(k)];
            QCOMPARE(row[1], QString::fromStdString(n.lines[k].name));
            QCOMPARE(row[3], n.lines[k].spans ? QString::number(*n.lines[k].spans)
                                              : QStringLiteral("endless"));
            QCOMPARE(row[4].toDouble(), n.lines[k].span);
        }
        const auto branches = [&](qsizetype at, const tav::network::BranchResult &b) {
            const QStringList &row = figures->rows[at];
            QCOMPARE(row[1], QString::fromStdString(b.name));
            QVERIFY2(showsPhasor(row[2], b.reductionFactor), qPrintable(row[2]));
            QVERIFY2(showsPhasor(row[4], b.returnCurrent), qPrintable(row[4]));
            if (b.remoteRise)
                QVERIFY2(showsPhasor(row[5], *b.remoteRise), qPrintable(row[5]));
            else
                QCOMPARE(row[5], QStringLiteral("endless"));
        };
        for (std::size_t k = 0; k < r.lines.size(); ++k)
            branches(qsizetype(k), r.lines[k]);
        for (std::size_t k = 0; k < r.cables.size(); ++k)
            branches(qsizetype(r.lines.size() + k), r.cables[k]);
        // The potential each line carries to its first towers, tower by tower.
        for (const tav::network::BranchResult &b : r.lines) {
            const ReportBlock *towers =
                blockHeaded(report, shippedText(Ids::kTowers).arg(QString::fromStdString(b.name)));
            QVERIFY(towers);
            QVERIFY(!b.towerPotentials.empty());
            QCOMPARE(towers->rows.size(), qsizetype(b.towerPotentials.size()));
            for (std::size_t t = 0; t < b.towerPotentials.size(); ++t)
                QVERIFY2(showsPhasor(towers->rows[qsizetype(t)][1], b.towerPotentials[t]),
                         qPrintable(towers->rows[qsizetype(t)][1]));
        }
    }
};

QTEST_APPLESS_MAIN(TestSystemReport)
#include "tst_systemreport.moc"
