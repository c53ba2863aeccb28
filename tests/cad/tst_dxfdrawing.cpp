#include "Drawings.h"
#include "cad/DxfDrawing.h"
#include "tests/support/ShippedWording.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace tav;
using namespace tav::cad;

Q_DECLARE_METATYPE(tav::Error)

namespace {

const DxfPolyline *polylineOn(const DxfDrawing &drawing, const std::string &layer) {
    for (const DxfPolyline &polyline : drawing.polylines())
        if (polyline.layer == layer)
            return &polyline;
    return nullptr;
}

std::vector<DxfPoint> pointsOn(const DxfDrawing &drawing, const std::string &layer) {
    std::vector<DxfPoint> points;
    for (const DxfPoint &point : drawing.points())
        if (point.layer == layer)
            points.push_back(point);
    return points;
}

bool near(const DxfVertex &v, double x, double y, double z = 0) {
    return std::fabs(v.x - x) < 1e-9 && std::fabs(v.y - y) < 1e-9 && std::fabs(v.z - z) < 1e-9;
}

} // namespace

class TestDxfDrawing : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void kinds_data();
    void kinds();
    void bulge_data();
    void bulge();
    void nestedBlocks();
    void blocksAsSymbols();
    void offPlaneAndPaperSpace();
    void hostile_data();
    void hostile();
    void nearlyStraightBulge();
    void brokenNumber();

private:
    QString file(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    Refusable<DxfDrawing> read(const char *name, bool expand = false) const {
        DxfReadOptions options;
        options.expandBlocks = expand;
        return DxfDrawing::read(file(name).toStdString(), options);
    }

    QTemporaryDir m_dir;
};

void TestDxfDrawing::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY2(drawings::write(m_dir.path()), "ezdxf could not write the drawings");
    // Hostile files of TAV's own making.
    QFile notDxf(file("notdxf.dxf"));
    QVERIFY(notDxf.open(QIODevice::WriteOnly));
    notDxf.write("Grid of substation 7\nconductors 10 x 10\n");
    notDxf.close();
    QFile empty(file("empty.dxf"));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QFile binary(file("binary.dxf"));
    QVERIFY(binary.open(QIODevice::WriteOnly));
    binary.write(QByteArray("AutoCAD Binary DXF\r\n\x1a\x00", 22) + QByteArray(64, '\x01'));
    binary.close();
    QFile whole(file("kinds_R2018.dxf"));
    QVERIFY(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    QFile truncated(file("truncated.dxf"));
    QVERIFY(truncated.open(QIODevice::WriteOnly));
    truncated.write(bytes.left(bytes.size() / 2));
    truncated.close();
    // 200 MB of nothing: a sparse file, no disk taken.
    QFile huge(file("huge.dxf"));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(qint64(200) << 20));
    huge.close();
    // An empty block placed 30 000 x 30 000 times: nothing to draw, but 9e8 rod symbols.
    QFile array(file("array.dxf"));
    QVERIFY(array.open(QIODevice::WriteOnly));
    array.write("0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nEMPTY\n10\n0\n20\n0\n0\nENDBLK\n0\nENDSEC\n"
                "0\nSECTION\n2\nENTITIES\n0\nINSERT\n2\nEMPTY\n10\n0\n20\n0\n70\n30000\n71\n30000\n"
                "0\nENDSEC\n0\nEOF\n");
    array.close();
    // A million and one POINTs, written a block at a time.
    QFile many(file("million.dxf"));
    QVERIFY(many.open(QIODevice::WriteOnly));
    many.write("  0\nSECTION\n  2\nENTITIES\n");
    const QByteArray point("  0\nPOINT\n  8\n0\n 10\n1.5\n 20\n2.5\n 30\n0.0\n");
    const QByteArray thousand = point.repeated(1000);
    for (int i = 0; i < 1000; ++i)
        many.write(thousand);
    many.write(point);
    many.write("  0\nENDSEC\n  0\nEOF\n");
    many.close();
}

void TestDxfDrawing::kinds_data() {
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("modern"); // R2000 on: LWPOLYLINE, HATCH, SPLINE, MTEXT, $INSUNITS
    QTest::newRow("R12") << "R12" << false;
    QTest::newRow("R2000") << "R2000" << true;
    QTest::newRow("R2010") << "R2010" << true;
    QTest::newRow("R2018") << "R2018" << true;
}

void TestDxfDrawing::kinds() {
    QFETCH(QString, version);
    QFETCH(bool, modern);
    const Refusable<DxfDrawing> read =
        DxfDrawing::read(file("kinds_").toStdString() + version.toStdString() + ".dxf");
    QVERIFY(!read.refused());
    const DxfDrawing &drawing = read.result();
    QCOMPARE(drawing.insunitsCode().has_value(), modern);
    if (modern)
        QCOMPARE(*drawing.insunitsCode(), 6);

    const DxfPolyline *line = polylineOn(drawing, "LINE");
    QVERIFY(line);
    QCOMPARE(line->vertices.size(), std::size_t(2));
    QVERIFY(near(line->vertices[0], 0, 0, -0.5));
    QVERIFY(near(line->vertices[1], 10, 0, -0.5));
    const DxfPolyline *lw = polylineOn(drawing, "LWPOLYLINE");
    QCOMPARE(lw != nullptr, modern);
    if (lw) {
        QVERIFY(lw->closed);
        QCOMPARE(lw->vertices.size(), std::size_t(3));
        QVERIFY(near(lw->vertices[2], 10, 30));
    }
    const DxfPolyline *flat = polylineOn(drawing, "POLYLINE2D");
    QVERIFY(flat);
    QVERIFY(!flat->closed);
    QCOMPARE(flat->vertices.size(), std::size_t(3));
    QVERIFY(near(flat->vertices[1], 5, 45));
    const DxfPolyline *solid = polylineOn(drawing, "POLYLINE3D");
    QVERIFY(solid);
    QCOMPARE(solid->vertices.size(), std::size_t(3));
    QVERIFY(near(solid->vertices[0], 0, 60, -1));
    QVERIFY(near(solid->vertices[2], 10, 60, -3));

    const std::vector<DxfPoint> point = pointsOn(drawing, "POINT");
    QCOMPARE(point.size(), std::size_t(1));
    QCOMPARE(point[0].kind, DxfPointKind::Point);
    QVERIFY(near(point[0].at, 1, 2, -0.5));
    const std::vector<DxfPoint> circle = pointsOn(drawing, "CIRCLE");
    QCOMPARE(circle.size(), std::size_t(1));
    QCOMPARE(circle[0].kind, DxfPointKind::Circle);
    QVERIFY(near(circle[0].at, 3, 4));
    QCOMPARE(circle[0].radius, 0.1);
    const std::vector<DxfPoint> insert = pointsOn(drawing, "INSERT");
    QCOMPARE(insert.size(), std::size_t(1)); // its block is a rod symbol, not expanded
    QCOMPARE(insert[0].kind, DxfPointKind::Insert);
    QVERIFY(near(insert[0].at, 50, 50));

    DxfEntityCounts ignored{{{"TEXT", "TEXT"}, 1}, {{"3DFACE", "3DFACE"}, 1}};
    if (modern) {
        ignored[{"HATCH", "HATCH"}] = 1;
        ignored[{"SPLINE", "SPLINE"}] = 1;
        ignored[{"MTEXT", "MTEXT"}] = 1;
    }
    QCOMPARE(drawing.ignored(), ignored);
}

void TestDxfDrawing::bulge_data() {
    QTest::addColumn<double>("maxChord");
    QTest::newRow("0.5 m") << 0.5;
    QTest::newRow("1 m") << 1.0;
    QTest::newRow("0.1 m") << 0.1;
    QTest::newRow("3 m") << 3.0;
    QTest::newRow("longer than the diameter") << 20.0;
}

void TestDxfDrawing::bulge() {
    QFETCH(double, maxChord);
    // A half circle of radius r = 5 (bulge 1) from (0, 0) to (10, 0), counterclockwise: a
    // chord c subtends 2 asin(c / 2r), so pi takes ceil(pi / (2 asin(c / 2r))) chords, and
    // one chord (the diameter) once c reaches 2r.
    const double r = 5;
    const int chords = maxChord >= 2 * r ? 1 : int(std::ceil(M_PI / (2 * std::asin(maxChord / (2 * r)))));
    DxfReadOptions options;
    options.maxChord = maxChord;
    const Refusable<DxfDrawing> read = DxfDrawing::read(file("bulge.dxf").toStdString(), options);
    QVERIFY(!read.refused());
    const DxfPolyline *ring = polylineOn(read.result(), "RING");
    QVERIFY(ring);
    QCOMPARE(int(ring->vertices.size()), chords + 1);
    QVERIFY(near(ring->vertices.front(), 0, 0));
    QVERIFY(near(ring->vertices.back(), 10, 0));
    for (std::size_t i = 0; i < ring->vertices.size(); ++i) {
        const DxfVertex &v = ring->vertices[i];
        QVERIFY(std::fabs(std::hypot(v.x - 5, v.y) - r) < 1e-9);
        // Counterclockwise from (0, 0) about (5, 0) runs below the x axis.
        QVERIFY(v.y <= 1e-9);
        if (i > 0) {
            const DxfVertex &u = ring->vertices[i - 1];
            QVERIFY(std::hypot(v.x - u.x, v.y - u.y) <= maxChord + 1e-12);
        }
    }
}

void TestDxfDrawing::nestedBlocks() {
    // OUTER, based at (1, 1), placed at (100, 100) scaled by 2 and turned 30 degrees: a
    // point p of it lands at (100, 100) + R30 (2 (p - (1, 1))). INNER is placed in OUTER
    // at (2, 0) turned 90 degrees, so its line (0, 0)-(1, 0) is OUTER's (2, 0)-(2, 1):
    // (1, -1) and (1, 0) from the base, doubled (2, -2) and (2, 0), turned
    // (sqrt3 + 1, 1 - sqrt3) and (sqrt3, 1).
    const double s3 = std::sqrt(3.0);
    const Refusable<DxfDrawing> read = this->read("nested.dxf", true);
    QVERIFY(!read.refused());
    const DxfDrawing &drawing = read.result();
    const DxfPolyline *line = polylineOn(drawing, "NEST"); // layer 0 within takes the INSERT's
    QVERIFY(line);
    QCOMPARE(drawing.polylines().size(), std::size_t(1));
    QVERIFY(near(line->vertices[0], 101 + s3, 101 - s3));
    QVERIFY(near(line->vertices[1], 100 + s3, 101));
    const std::vector<DxfPoint> nest = pointsOn(drawing, "NEST");
    QCOMPARE(nest.size(), std::size_t(4));
    QCOMPARE(nest[0].kind, DxfPointKind::Insert); // OUTER itself
    QVERIFY(near(nest[0].at, 100, 100));
    QCOMPARE(nest[1].kind, DxfPointKind::Insert); // INNER, at OUTER's (2, 0)
    QVERIFY(near(nest[1].at, 101 + s3, 101 - s3));
    QCOMPARE(nest[2].kind, DxfPointKind::Point); // INNER's (1, 0)
    QVERIFY(near(nest[2].at, 100 + s3, 101));
    // OUTER's circle at its (0, 0): (-1, -1) doubled and turned, its radius doubled.
    QCOMPARE(nest[3].kind, DxfPointKind::Circle);
    QVERIFY(near(nest[3].at, 101 - s3, 99 - s3));
    QVERIFY(std::fabs(nest[3].radius - 0.4) < 1e-12);
    QCOMPARE(drawing.ignored().at({"TEXT", "NEST"}), std::size_t(1));

    // ROD in 2 rows of 3 columns, 4 and 5 apart, turned 90 degrees at (10, 20): column c
    // and row r at (10 - 4 r, 20 + 5 c), each with the circle at its insertion point.
    std::vector<DxfPoint> array;
    for (const DxfPoint &point : pointsOn(drawing, "ARRAY"))
        if (point.kind == DxfPointKind::Insert)
            array.push_back(point);
    QCOMPARE(array.size(), std::size_t(6));
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column)
            QVERIFY(near(array[std::size_t(row * 3 + column)].at, 10 - 4 * row, 20 + 5 * column));
}

void TestDxfDrawing::blocksAsSymbols() {
    const Refusable<DxfDrawing> read = this->read("nested.dxf", false);
    QVERIFY(!read.refused());
    QVERIFY(read.result().polylines().empty());
    const std::vector<DxfPoint> nest = pointsOn(read.result(), "NEST");
    QCOMPARE(nest.size(), std::size_t(1));
    QVERIFY(near(nest[0].at, 100, 100));
    QCOMPARE(pointsOn(read.result(), "ARRAY").size(), std::size_t(6));
    QVERIFY(read.result().ignored().empty());
}

void TestDxfDrawing::offPlaneAndPaperSpace() {
    // A circle drawn in a plane facing down (extrusion -Z) would land mirrored: it is
    // counted, not placed; a LINE's coordinates are the world's whatever its extrusion; a
    // paper space entity is a sheet, not the site.
    const std::string text = "0\nSECTION\n2\nENTITIES\n"
                             "0\nCIRCLE\n8\nRODS\n10\n1\n20\n2\n30\n0\n40\n0.1\n210\n0\n220\n0\n230\n-1\n"
                             "0\nLINE\n8\nGRID\n10\n0\n20\n0\n30\n0\n11\n5\n21\n0\n31\n0\n230\n-1\n"
                             "0\nLINE\n8\nSHEET\n67\n1\n10\n0\n20\n0\n11\n1\n21\n1\n"
                             "0\nENDSEC\n0\nEOF\n";
    const Refusable<DxfDrawing> read = DxfDrawing::fromText(text);
    QVERIFY(!read.refused());
    QVERIFY(read.result().points().empty());
    QCOMPARE(read.result().polylines().size(), std::size_t(1));
    QCOMPARE(read.result().polylines()[0].layer, std::string("GRID"));
    const DxfEntityCounts ignored{{{"CIRCLE", "RODS"}, 1}};
    QCOMPARE(read.result().ignored(), ignored);
}

void TestDxfDrawing::hostile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("expand");
    QTest::addColumn<tav::Error>("error");
    QTest::addColumn<QList<double>>("values");
    QTest::newRow("not a DXF") << "notdxf.dxf" << false << Error::DrawingNotDxf << QList<double>{};
    QTest::newRow("empty") << "empty.dxf" << false << Error::DrawingNotDxf << QList<double>{};
    QTest::newRow("binary") << "binary.dxf" << false << Error::DrawingBinaryDxf << QList<double>{};
    QTest::newRow("missing") << "missing.dxf" << false << Error::DrawingCannotOpen << QList<double>{};
    QTest::newRow("200 MB") << "huge.dxf" << false << Error::DrawingTooLarge
                            << QList<double>{200.0 * 1024 * 1024, 64.0 * 1024 * 1024};
    QTest::newRow("a million and one") << "million.dxf" << false << Error::DrawingTooManyEntities
                                       << QList<double>{1000001, 1e6};
    // 40 x 50 placements of the INSERT, each a rod symbol and 1000 POINTs.
    QTest::newRow("expanded past the cap") << "wide.dxf" << true << Error::DrawingTooManyEntities
                                           << QList<double>{40 * 50 * 1001.0, 1e6};
    QTest::newRow("an array of 9e8") << "array.dxf" << false << Error::DrawingTooManyEntities
                                     << QList<double>{30000.0 * 30000, 1e6};
    QTest::newRow("an array of 9e8, expanded") << "array.dxf" << true << Error::DrawingTooManyEntities
                                               << QList<double>{30000.0 * 30000, 1e6};
    QTest::newRow("itself") << "self.dxf" << false << Error::DrawingBlockCycle << QList<double>{};
    QTest::newRow("itself, expanded") << "self.dxf" << true << Error::DrawingBlockCycle << QList<double>{};
    QTest::newRow("10 000 deep") << "deep.dxf" << true << Error::DrawingBlocksTooDeep
                                 << QList<double>{16};
}

void TestDxfDrawing::hostile() {
    QFETCH(QString, name);
    QFETCH(bool, expand);
    QFETCH(tav::Error, error);
    QFETCH(QList<double>, values);
    const Refusable<DxfDrawing> read = this->read(name.toLatin1().constData(), expand);
    QVERIFY(read.refused());
    QCOMPARE(read.refusal().error, error);
    QCOMPARE(QList<double>(read.refusal().values.begin(), read.refusal().values.end()), values);
    // Worded from the string table, every value filled in.
    const QString said = shippedWording().refusal(read.refusal());
    QVERIFY(said.endsWith(QLatin1Char('.')));
    QVERIFY2(!said.contains(QLatin1Char('%')), qPrintable(said));
}

void TestDxfDrawing::nearlyStraightBulge() {
    // A bulge of 1e-300 would put its arc's centre beyond any double: it is a straight line.
    const Refusable<DxfDrawing> read = DxfDrawing::fromText(
        "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n8\nGRID\n90\n2\n70\n0\n"
        "10\n0\n20\n0\n42\n1e-300\n10\n10\n20\n0\n0\nENDSEC\n0\nEOF\n");
    QVERIFY(!read.refused());
    QCOMPARE(read.result().polylines().size(), std::size_t(1));
    const std::vector<DxfVertex> &vertices = read.result().polylines()[0].vertices;
    QCOMPARE(vertices.size(), std::size_t(2));
    QVERIFY(near(vertices[1], 10, 0));
}

void TestDxfDrawing::brokenNumber() {
    const Refusable<DxfDrawing> truncated = read("truncated.dxf");
    QVERIFY(truncated.refused());
    QCOMPARE(truncated.refusal().error, Error::DrawingUnreadable);
    // Line 7 holds the code whose value is no number.
    const Refusable<DxfDrawing> read =
        DxfDrawing::fromText("0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nabc\n20\n0\n0\nENDSEC\n0\nEOF\n");
    QVERIFY(read.refused());
    QCOMPARE(read.refusal().error, Error::DrawingUnreadable);
    QCOMPARE(read.refusal().values, std::vector<double>{7});
}

QTEST_GUILESS_MAIN(TestDxfDrawing)
#include "tst_dxfdrawing.moc"
