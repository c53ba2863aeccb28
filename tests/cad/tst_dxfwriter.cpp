#include "Drawings.h"
#include "cad/DrawingImport.h"
#include "cad/DxfWriter.h"

#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace tav;
using namespace tav::cad;

namespace {

ImportSettings siteSettings() {
    LayerMapping grid;
    grid.role = LayerRole::Conductor;
    grid.diameter = 0.01;
    LayerMapping rods;
    rods.role = LayerRole::Rod;
    rods.diameter = 0.02;
    rods.rodLength = 3;
    ImportSettings settings;
    settings.layers = {{"GRID", grid}, {"RODS", rods}, {"LOOSE", LayerMapping{}}};
    settings.joinCrossings = true;
    return settings;
}

Refusable<ImportedPlan> importFile(const QString &path, const ImportSettings &settings) {
    const Refusable<DxfDrawing> drawing = DxfDrawing::read(path.toStdString());
    if (drawing.refused())
        return drawing.refusal();
    return DrawingImport(drawing.result(), settings).run();
}

// A plan the way a study would draw it: metres about the study's origin.
DxfPlan samplePlan() {
    DxfPlan plan;
    plan.layers = {{"GRID", 1}, {"RODS", 3}, {"LABELS", 5}};
    plan.lines.push_back({"GRID", {0.001, 0.002, -0.5}, {70, 0, -0.5}});
    plan.circles.push_back({"RODS", {1, 2, -0.5}, 0.008});
    plan.polylines.push_back({"GRID", {{0, 0, -0.5}, {10, 0, -0.6}, {10, 10, -0.7}}, true});
    plan.points.push_back({"RODS", {3, 4, -0.5}});
    plan.texts.push_back({"LABELS", {0, -2, 0}, 0.5, 0, "Grid 70 x 70 m\nmain"});
    return plan;
}

} // namespace

class TestDxfWriter : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void anotherReaderOpensIt();
    void readsBackItsOwn();
    void roundTrip();
    void failedSaveKeepsTheFile();

private:
    QTemporaryDir m_dir;
};

void TestDxfWriter::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY2(drawings::write(m_dir.path()), "ezdxf could not write the drawings");
}

void TestDxfWriter::anotherReaderOpensIt() {
    const QString path = m_dir.filePath(QStringLiteral("ours.dxf"));
    const SiteWriteResult written = DxfWriter(500000, 4000000).write(path.toStdString(), samplePlan());
    QCOMPARE(written.status, SiteWriteStatus::Success);
    const QJsonObject read = drawings::check(path);
    QCOMPARE(read.value("version").toString(), QStringLiteral("AC1009"));
    QCOMPARE(read.value("insunits").toInt(), 6);
    const QJsonObject layers = read.value("layers").toObject();
    QCOMPARE(layers.value("GRID").toInt(), 1);
    QCOMPARE(layers.value("RODS").toInt(), 3);
    QCOMPARE(layers.value("LABELS").toInt(), 5);
    const QJsonObject counts = read.value("counts").toObject();
    QCOMPARE(counts.size(), 5);
    for (const char *type : {"LINE", "CIRCLE", "POLYLINE", "POINT", "TEXT"})
        QCOMPARE(counts.value(QLatin1String(type)).toInt(), 1);
    // Site coordinates keep their millimetres.
    const QJsonArray line = read.value("lines").toArray().at(0).toArray();
    QCOMPARE(line.at(0).toArray().at(0).toDouble(), 500000.001);
    QCOMPARE(line.at(0).toArray().at(1).toDouble(), 4000000.002);
    QCOMPARE(line.at(0).toArray().at(2).toDouble(), -0.5);
    QCOMPARE(line.at(1).toArray().at(0).toDouble(), 500070.0);
    QCOMPARE(line.at(2).toString(), QStringLiteral("GRID"));
    const QJsonArray polyline = read.value("polylines").toArray().at(0).toArray();
    QCOMPARE(polyline.at(0).toArray().size(), 3);
    QCOMPARE(polyline.at(0).toArray().at(2).toArray().at(1).toDouble(), 4000010.0);
    QCOMPARE(polyline.at(0).toArray().at(2).toArray().at(2).toDouble(), -0.7);
    QVERIFY(polyline.at(1).toBool());
    const QJsonArray circle = read.value("circles").toArray().at(0).toArray();
    QCOMPARE(circle.at(1).toDouble(), 0.008);
    const QJsonArray text = read.value("texts").toArray().at(0).toArray();
    QCOMPARE(text.at(0).toString(), QStringLiteral("Grid 70 x 70 m main"));
}

void TestDxfWriter::readsBackItsOwn() {
    const Refusable<DxfDrawing> read = DxfDrawing::fromText(DxfWriter(500000, 4000000).text(samplePlan()));
    QVERIFY(!read.refused());
    const DxfDrawing &drawing = read.result();
    QCOMPARE(drawing.units(), std::optional<DrawingUnit>(DrawingUnit::Metre));
    QCOMPARE(drawing.polylines().size(), std::size_t(2));
    QCOMPARE(drawing.polylines()[0].vertices[0].x, 500000.001);
    QCOMPARE(drawing.polylines()[0].vertices[0].y, 4000000.002);
    QVERIFY(drawing.polylines()[1].closed);
    QCOMPARE(drawing.polylines()[1].vertices[1].z, -0.6);
    QCOMPARE(drawing.points().size(), std::size_t(2));
    const DxfEntityCounts ignored{{{"TEXT", "LABELS"}, 1}};
    QCOMPARE(drawing.ignored(), ignored);
}

void TestDxfWriter::roundTrip() {
    // ezdxf's drawing at site coordinates, imported, written back at the same origin by
    // TAV, read and imported again: the same conductors within a millimetre.
    const Refusable<ImportedPlan> first = importFile(m_dir.filePath("site.dxf"), siteSettings());
    QVERIFY(!first.refused());
    const ImportedPlan &plan = first.result();
    QCOMPARE(plan.conductors.size(), std::size_t(4));
    DxfPlan drawn;
    drawn.layers = {{"GRID", 1}, {"RODS", 3}};
    for (const ImportedConductor &c : plan.conductors)
        drawn.lines.push_back({c.layer, {c.from.x, c.from.y, -c.from.z}, {c.to.x, c.to.y, -c.to.z}});
    for (const ImportedRod &rod : plan.rods)
        drawn.points.push_back({rod.layer, {rod.x, rod.y, -rod.top}});
    const QString path = m_dir.filePath(QStringLiteral("roundtrip.dxf"));
    QCOMPARE(DxfWriter(plan.originX, plan.originY).write(path.toStdString(), drawn).status,
             SiteWriteStatus::Success);
    const Refusable<ImportedPlan> second = importFile(path, siteSettings());
    QVERIFY(!second.refused());
    QCOMPARE(second.result().originX, plan.originX);
    QCOMPARE(second.result().originY, plan.originY);
    QCOMPARE(second.result().conductors.size(), plan.conductors.size());
    QCOMPARE(second.result().mergedDuplicates, std::size_t(0));
    QCOMPARE(second.result().joins, std::size_t(0));
    for (std::size_t i = 0; i < plan.conductors.size(); ++i) {
        const ImportedConductor &a = plan.conductors[i];
        const ImportedConductor &b = second.result().conductors[i];
        QVERIFY(std::hypot(a.from.x - b.from.x, a.from.y - b.from.y, a.from.z - b.from.z) < 1e-3);
        QVERIFY(std::hypot(a.to.x - b.to.x, a.to.y - b.to.y, a.to.z - b.to.z) < 1e-3);
    }
    QCOMPARE(second.result().rods.size(), plan.rods.size());
}

void TestDxfWriter::failedSaveKeepsTheFile() {
    // A folder stands where the drawing would go: refused, the folder as it was.
    const QString path = m_dir.filePath(QStringLiteral("folder.dxf"));
    QVERIFY(QDir().mkpath(path));
    const SiteWriteResult written = DxfWriter(0, 0).write(path.toStdString(), samplePlan());
    QVERIFY(written.status != SiteWriteStatus::Success);
    QVERIFY(QFileInfo(path).isDir());
}

QTEST_GUILESS_MAIN(TestDxfWriter)
#include "tst_dxfwriter.moc"
