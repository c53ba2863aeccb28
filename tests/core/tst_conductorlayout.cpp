// The shapes a document lays out, expanded into conductors: checked against plans worked
// by hand.
#include "core/earthing/ConductorLayout.h"

#include <QLineF>
#include <QtTest>

#include <cmath>

using namespace tav::earthing;

namespace {

using Lines = QList<QLineF>;

LShapedGrid lGrid(double a, double b, double cx, double cy, int nx, int ny) {
    LShapedGrid l;
    l.bounds.sizeX = a;
    l.bounds.sizeY = b;
    l.bounds.countX = nx;
    l.bounds.countY = ny;
    l.cutX = cx;
    l.cutY = cy;
    return l;
}

Lines plan(const std::vector<Conductor> &conductors) {
    Lines lines;
    for (const Conductor &c : conductors)
        lines.append(QLineF(c.from.x, c.from.y, c.to.x, c.to.y));
    return lines;
}

bool near(const QPointF &a, const QPointF &b) {
    return std::abs(a.x() - b.x()) < 1e-12 && std::abs(a.y() - b.y()) < 1e-12;
}

void compareLines(const Lines &actual, const Lines &expected) {
    QCOMPARE(actual.size(), expected.size());
    for (int k = 0; k < actual.size(); ++k)
        QVERIFY2(near(actual[k].p1(), expected[k].p1()) && near(actual[k].p2(), expected[k].p2()),
                 qPrintable(QStringLiteral("line %1").arg(k)));
}

} // namespace

Q_DECLARE_METATYPE(tav::earthing::LShapedGrid)

class TestConductorLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lGridClipped_data() {
        QTest::addColumn<LShapedGrid>("grid");
        QTest::addColumn<Lines>("expected");
        // x = 0, 5, 10 and y = 0, 4, 8; the cut starts at x = 6, y = 5.
        QTest::newRow("conductors off the cut's edges")
            << lGrid(10, 8, 4, 3, 3, 3) << Lines{{0, 0, 0, 8},  {5, 0, 5, 8},  {10, 0, 10, 5},
                                                 {0, 0, 10, 0}, {0, 4, 10, 4}, {0, 8, 6, 8}};
        // The conductors at x = 5 and y = 5 run along the cut's edges: whole.
        QTest::newRow("conductors on the cut's edges")
            << lGrid(10, 10, 5, 5, 3, 3) << Lines{{0, 0, 0, 10}, {5, 0, 5, 10}, {10, 0, 10, 5},
                                                  {0, 0, 10, 0}, {0, 5, 10, 5}, {0, 10, 5, 10}};
        // Sizes in decimals: 0.1 * 3 is not 0.3 in binary, the edge still counts.
        QTest::newRow("edge in decimals") << lGrid(0.3, 0.3, 0.2, 0.2, 4, 1)
                                          << Lines{{0, 0, 0, 0.3},
                                                   {0.1, 0, 0.1, 0.3},
                                                   {0.2, 0, 0.2, 0.1},
                                                   {0.3, 0, 0.3, 0.1},
                                                   {0, 0, 0.3, 0}};
    }
    void lGridClipped() {
        QFETCH(LShapedGrid, grid);
        QFETCH(Lines, expected);
        compareLines(plan(ConductorLayout::lGrid(grid)), expected);
    }

    void lGridRods_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<QPointF>>("expected");
        // Corners (0,0) (10,0) (10,5) (6,5) (6,8) (0,8): perimeter 36.
        QTest::newRow("four along the edge") << 4 << QList<QPointF>{{0, 0}, {9, 0}, {7, 5}, {1, 8}};
        QTest::newRow("six, every 6 m")
            << 6 << QList<QPointF>{{0, 0}, {6, 0}, {10, 2}, {7, 5}, {4, 8}, {0, 6}};
        QTest::newRow("corners") << 0 << QList<QPointF>{{0, 0}, {10, 0}, {10, 5},
                                                        {6, 5}, {6, 8},  {0, 8}};
    }
    void lGridRods() {
        QFETCH(int, count);
        QFETCH(QList<QPointF>, expected);
        const LShapedGrid grid = lGrid(10, 8, 4, 3, 2, 2);
        const std::vector<Point2> at = count > 0 ? ConductorLayout::lPerimeterPoints(grid, count)
                                                 : ConductorLayout::lCornerPoints(grid);
        QCOMPARE(int(at.size()), expected.size());
        for (int k = 0; k < expected.size(); ++k)
            QVERIFY2(near({at[k].x, at[k].y}, expected[k]), qPrintable(QString::number(k)));
    }

    void ring_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("radius");
        QTest::addColumn<double>("side");
        QTest::newRow("square") << 4 << 2. << 2 * std::sqrt(2.);
        QTest::newRow("hexagon") << 6 << 1. << 1.;
        QTest::newRow("triangle") << 3 << 1. << std::sqrt(3.);
    }
    void ring() {
        QFETCH(int, count);
        QFETCH(double, radius);
        QFETCH(double, side);
        RodRing r;
        r.centre = {1, 2};
        r.radius = radius;
        r.count = count;
        r.depth = 0.6;
        r.rodLength = 3;
        r.rodDiameter = 0.016;
        r.group = 2;
        const std::vector<Conductor> c = ConductorLayout::ring(r);
        QCOMPARE(int(c.size()), 2 * count);
        for (int k = 0; k < count; ++k) {
            const Conductor &s = c[k];
            const Conductor &next = c[(k + 1) % count];
            QCOMPARE(s.group, 2);
            QCOMPARE(s.from.z, 0.6);
            QCOMPARE(s.to.z, 0.6);
            QVERIFY(std::abs(std::hypot(s.to.x - s.from.x, s.to.y - s.from.y) - side) < 1e-12);
            // Closed: each side ends where the next begins, at a rod's top.
            QVERIFY(near({s.to.x, s.to.y}, {next.from.x, next.from.y}));
            const Conductor &rod = c[count + k];
            QVERIFY(near({rod.from.x, rod.from.y}, {s.from.x, s.from.y}));
            QCOMPARE(rod.from.z, 0.6);
            QCOMPARE(rod.to.z, 3.6);
            QCOMPARE(rod.diameter, 0.016);
        }
        QVERIFY(near({c[0].from.x, c[0].from.y}, {1 + radius, 2}));
    }

    void fence_data() {
        QTest::addColumn<double>("distance");
        QTest::addColumn<double>("spacing");
        QTest::addColumn<QList<QPointF>>("expected");
        // Energised conductors over (0,0)-(10,4); the floating one at x = 50 is not enclosed.
        QTest::newRow("2 m out, posts at most 5 m apart")
            << 2. << 5.
            << QList<QPointF>{{-2, -2}, {-2 + 14. / 3, -2}, {-2 + 28. / 3, -2}, {12, -2}, {12, 2},
                              {12, 6},  {12 - 14. / 3, 6},  {12 - 28. / 3, 6},  {-2, 6},  {-2, 2}};
        // The spacing divides the sides: no post is added for rounding.
        QTest::newRow("on the bounding rectangle, dividing")
            << 0. << 2. << QList<QPointF>{{0, 0},  {2, 0}, {4, 0}, {6, 0}, {8, 0}, {10, 0}, {10, 2},
                                          {10, 4}, {8, 4}, {6, 4}, {4, 4}, {2, 4}, {0, 4},  {0, 2}};
    }
    void fence() {
        QFETCH(double, distance);
        QFETCH(double, spacing);
        QFETCH(QList<QPointF>, expected);
        const std::vector<Conductor> around = {{{0, 0, 0.5}, {10, 0, 0.5}, 0.01, 0},
                                               {{3, 4, 0.5}, {3, 1, 0.5}, 0.01, 0},
                                               {{50, 0, 0.5}, {60, 0, 0.5}, 0.01, 1}};
        Fence f;
        f.distance = distance;
        f.spacing = spacing;
        f.length = 1.5;
        f.diameter = 0.05;
        f.group = 3;
        const std::vector<Conductor> posts = ConductorLayout::fence(f, around);
        QCOMPARE(int(posts.size()), expected.size());
        for (int k = 0; k < expected.size(); ++k) {
            QVERIFY2(near({posts[k].from.x, posts[k].from.y}, expected[k]),
                     qPrintable(QString::number(k)));
            QCOMPARE(posts[k].from.z, f.top);
            QCOMPARE(posts[k].to.z, f.top + 1.5);
            QCOMPARE(posts[k].group, 3);
        }
    }

    void fenceWithoutEnergised() {
        const std::vector<Conductor> floating = {{{0, 0, 0.5}, {10, 0, 0.5}, 0.01, 1}};
        Fence f;
        f.spacing = 1;
        QVERIFY(ConductorLayout::fence(f, floating).empty());
    }
};

QTEST_APPLESS_MAIN(TestConductorLayout)
#include "tst_conductorlayout.moc"
