// The shapes a document lays out, expanded into conductors: checked against plans worked
// by hand.
#include "core/earthing/ConductorLayout.h"
#include "core/earthing/InputCheck.h"

#include <QLineF>
#include <QtTest>

#include <functional>

#include <algorithm>
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

// Whether p lies on the straight conductor c in plan, ends included.
bool onConductor(const QPointF &p, const Conductor &c) {
    const double dx = c.to.x - c.from.x;
    const double dy = c.to.y - c.from.y;
    const double length = std::hypot(dx, dy);
    const double along = ((p.x() - c.from.x) * dx + (p.y() - c.from.y) * dy) / length;
    const double across = ((p.x() - c.from.x) * dy - (p.y() - c.from.y) * dx) / length;
    return std::abs(across) < 1e-9 && along > -1e-9 && along < length + 1e-9;
}

// The length that two conductors of the plan share along one line: 0 unless they lie on
// one line.
double common(const Conductor &a, const Conductor &b) {
    const double dx = a.to.x - a.from.x;
    const double dy = a.to.y - a.from.y;
    const double length = std::hypot(dx, dy);
    // Each end of b as (along a from its start, off a's line).
    const auto along = [&](const Point3 &p) {
        return ((p.x - a.from.x) * dx + (p.y - a.from.y) * dy) / length;
    };
    const auto off = [&](const Point3 &p) {
        return std::abs((p.x - a.from.x) * dy - (p.y - a.from.y) * dx) / length;
    };
    if (off(b.from) > 1e-9 || off(b.to) > 1e-9)
        return 0;
    const double lo = std::max(0., std::min(along(b.from), along(b.to)));
    const double hi = std::min(length, std::max(along(b.from), along(b.to)));
    return std::max(0., hi - lo);
}

// The length of conductor along the polygon's sides.
double lengthOnEdge(const std::vector<Conductor> &conductors, const QList<QPointF> &corners) {
    double total = 0;
    for (int k = 0; k < corners.size(); ++k) {
        const QPointF &a = corners[k];
        const QPointF &b = corners[(k + 1) % corners.size()];
        for (const Conductor &c : conductors)
            total += common({{a.x(), a.y(), 0}, {b.x(), b.y(), 0}}, c);
    }
    return total;
}

void compareLines(const Lines &actual, const Lines &expected) {
    QCOMPARE(actual.size(), expected.size());
    for (int k = 0; k < actual.size(); ++k)
        QVERIFY2(near(actual[k].p1(), expected[k].p1()) && near(actual[k].p2(), expected[k].p2()),
                 qPrintable(QStringLiteral("line %1").arg(k)));
}

} // namespace

Q_DECLARE_METATYPE(tav::earthing::LShapedGrid)
using Counter = std::function<double()>;
using Expander = std::function<std::size_t()>; // empty: too many to expand
Q_DECLARE_METATYPE(Counter)
Q_DECLARE_METATYPE(Expander)

class TestConductorLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lGridClipped_data() {
        QTest::addColumn<LShapedGrid>("grid");
        QTest::addColumn<Lines>("expected");
        // x = 0, 5, 10 and y = 0, 4, 8; the cut starts at x = 6, y = 5, and its two edges
        // come last.
        QTest::newRow("conductors off the cut's edges")
            << lGrid(10, 8, 4, 3, 3, 3)
            << Lines{{0, 0, 0, 8},  {5, 0, 5, 8}, {10, 0, 10, 5}, {0, 0, 10, 0},
                     {0, 4, 10, 4}, {0, 8, 6, 8}, {6, 5, 6, 8},   {6, 5, 10, 5}};
        // The conductors at x = 5 and y = 5 run along the cut's edges: whole, and the
        // edges are not laid again.
        QTest::newRow("conductors on the cut's edges")
            << lGrid(10, 10, 5, 5, 3, 3) << Lines{{0, 0, 0, 10}, {5, 0, 5, 10}, {10, 0, 10, 5},
                                                  {0, 0, 10, 0}, {0, 5, 10, 5}, {0, 10, 5, 10}};
        // Sizes in decimals: 0.1 * 3 is not 0.3 in binary, the edge at x = 0.1 still counts
        // as the line there; the edge at y = 0.1 has no line of its own.
        QTest::newRow("edge in decimals")
            << lGrid(0.3, 0.3, 0.2, 0.2, 4, 1)
            << Lines{{0, 0, 0, 0.3},     {0.1, 0, 0.1, 0.3}, {0.2, 0, 0.2, 0.1},
                     {0.3, 0, 0.3, 0.1}, {0, 0, 0.3, 0},     {0.1, 0.1, 0.3, 0.1}};
    }
    void lGridClipped() {
        QFETCH(LShapedGrid, grid);
        QFETCH(Lines, expected);
        compareLines(plan(ConductorLayout::lGrid(grid)), expected);
    }

    // The L is closed all round: its six corners on conductors, the conductors along its
    // edge as long as its perimeter, worked by hand, and none laid twice.
    void lGridPerimeter_data() {
        QTest::addColumn<LShapedGrid>("grid");
        QTest::addColumn<double>("perimeter");
        QTest::newRow("lines off the cut's edges") << lGrid(10, 8, 4, 3, 3, 3) << 36.;
        QTest::newRow("lines on the cut's edges") << lGrid(10, 10, 5, 5, 3, 3) << 40.;
        QTest::newRow("outer lines only") << lGrid(10, 8, 4, 3, 2, 2) << 36.;
        QTest::newRow("one edge on a line") << lGrid(30, 20, 15, 7, 7, 3) << 100.;
        QTest::newRow("fine mesh, moved") << lGrid(30, 30, 15, 15, 7, 7) << 120.;
    }
    void lGridPerimeter() {
        QFETCH(LShapedGrid, grid);
        QFETCH(double, perimeter);
        grid.bounds.x0 = 3;
        grid.bounds.y0 = -4;
        const std::vector<Conductor> conductors = ConductorLayout::lGrid(grid);
        QList<QPointF> corners;
        for (const Point2 &p : ConductorLayout::lCornerPoints(grid))
            corners.append({p.x, p.y});
        for (const QPointF &corner : corners)
            QVERIFY2(std::any_of(conductors.begin(), conductors.end(),
                                 [&](const Conductor &c) { return onConductor(corner, c); }),
                     qPrintable(QStringLiteral("corner %1, %2").arg(corner.x()).arg(corner.y())));
        QVERIFY(std::abs(lengthOnEdge(conductors, corners) - perimeter) < 1e-9);
        for (std::size_t i = 0; i < conductors.size(); ++i)
            for (std::size_t j = i + 1; j < conductors.size(); ++j)
                QVERIFY2(common(conductors[i], conductors[j]) < 1e-9,
                         qPrintable(QStringLiteral("%1 and %2").arg(i).arg(j)));
        EarthingInput input;
        input.soil = EarthingSoil::uniform(100);
        input.current = 1;
        input.conductors = conductors;
        QVERIFY(!InputCheck::check(input));
    }

    // Rods along a rectangle's edge: on its corners first, then shared out so that the
    // longest gap is shortest, evenly on each side; worked by hand.
    void perimeterRods_data() {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<QPointF>>("expected");
        // Four and two more on each 60 m side (gaps of 12 m), two on each 40 m side (13.3 m).
        QTest::newRow("16 on 60 x 40")
            << 60. << 40. << 16 << QList<QPointF>{{0, 0},   {12, 0},  {24, 0},       {36, 0},
                                                  {48, 0},  {60, 0},  {60, 40. / 3}, {60, 80. / 3},
                                                  {60, 40}, {48, 40}, {36, 40},      {24, 40},
                                                  {12, 40}, {0, 40},  {0, 80. / 3},  {0, 40. / 3}};
        QTest::newRow("the corners")
            << 7. << 5. << 4 << QList<QPointF>{{0, 0}, {7, 0}, {7, 5}, {0, 5}};
        QTest::newRow("two corners") << 60. << 40. << 2 << QList<QPointF>{{0, 0}, {60, 0}};
        QTest::newRow("none") << 60. << 40. << 0 << QList<QPointF>{};
        // The two more go to the middles of the long sides.
        QTest::newRow("6 on 60 x 40")
            << 60. << 40. << 6
            << QList<QPointF>{{0, 0}, {30, 0}, {60, 0}, {60, 40}, {30, 40}, {0, 40}};
        // On a square the one more goes to the first side.
        QTest::newRow("5 on a square")
            << 10. << 10. << 5 << QList<QPointF>{{0, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}};
    }
    void perimeterRods() {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(int, count);
        QFETCH(QList<QPointF>, expected);
        RectangularGrid grid;
        grid.x0 = 2;
        grid.y0 = -3;
        grid.sizeX = a;
        grid.sizeY = b;
        const std::vector<Point2> at = ConductorLayout::perimeterPoints(grid, count);
        QCOMPARE(int(at.size()), expected.size());
        for (int k = 0; k < expected.size(); ++k)
            QVERIFY2(near({at[k].x - 2, at[k].y + 3}, expected[k]), qPrintable(QString::number(k)));
    }

    void lGridRods_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<QPointF>>("expected");
        // Corners (0,0) (10,0) (10,5) (6,5) (6,8) (0,8): sides of 10, 5, 4, 3, 6 and 8 m.
        QTest::newRow("four: the first corners")
            << 4 << QList<QPointF>{{0, 0}, {10, 0}, {10, 5}, {6, 5}};
        QTest::newRow("six: the corners")
            << 6 << QList<QPointF>{{0, 0}, {10, 0}, {10, 5}, {6, 5}, {6, 8}, {0, 8}};
        // The two more halve the longest sides, of 10 and 8 m.
        QTest::newRow("eight") << 8 << QList<QPointF>{{0, 0}, {5, 0}, {10, 0}, {10, 5},
                                                      {6, 5}, {6, 8}, {0, 8},  {0, 4}};
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

    // A fence along an outline of its own: a post on every corner, each side cut into
    // equal gaps of at most the spacing; an open one ends with a post on its last corner,
    // a closed one goes back to its first without a second post there.
    void fenceOutline_data() {
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QList<QPointF>>("expected");
        // Sides of 6 m (two gaps of 3), 4 m (two of 2) and, closing, 7.2 m (three of 2.4).
        QTest::newRow("open") << false << QList<QPointF>{{0, 0}, {3, 0}, {6, 0}, {6, 2}, {6, 4}};
        QTest::newRow("closed") << true
                                << QList<QPointF>{{0, 0}, {3, 0},          {6, 0},         {6, 2},
                                                  {6, 4}, {4, 4 - 4. / 3}, {2, 4 - 8. / 3}};
    }
    void fenceOutline() {
        QFETCH(bool, closed);
        QFETCH(QList<QPointF>, expected);
        Fence f;
        f.outline = {{0, 0}, {6, 0}, {6, 4}};
        f.closed = closed;
        f.spacing = 3;
        f.length = 1.2;
        f.diameter = 0.06;
        f.group = 2;
        // Nothing energised round it: an outline places the fence by itself.
        const std::vector<Conductor> posts = ConductorLayout::fence(f, {});
        QCOMPARE(int(posts.size()), expected.size());
        QCOMPARE(ConductorLayout::count(f, {}), double(expected.size()));
        for (int k = 0; k < expected.size(); ++k) {
            QVERIFY2(near({posts[k].from.x, posts[k].from.y}, expected[k]),
                     qPrintable(QString::number(k)));
            QCOMPARE(posts[k].to.z - posts[k].from.z, 1.2);
            QCOMPARE(posts[k].group, 2);
        }
    }

    // Each shape counted before it is expanded, against its closed form; where it can be
    // expanded, its expansion holds that many.
    void counts_data() {
        QTest::addColumn<Counter>("count");
        QTest::addColumn<double>("expected");
        QTest::addColumn<Expander>("expand");
        RectangularGrid g;
        g.sizeX = g.sizeY = 10;
        g.countX = 3;
        g.countY = 4;
        QTest::newRow("grid 3 x 4") << Counter([g] { return ConductorLayout::count(g); }) << 7.
                                    << Expander([g] { return ConductorLayout::grid(g).size(); });
        // Lines at 0, 5 and 10 each way; a 5 m cut ends on the middle lines, a 4 m one adds
        // its two edges.
        for (const double cut : {5., 4.}) {
            LShapedGrid l;
            l.bounds = g;
            l.bounds.countY = 3;
            l.cutX = l.cutY = cut;
            QTest::addRow("L grid cut %g m", cut)
                << Counter([l] { return ConductorLayout::count(l); }) << (cut == 5 ? 6. : 8.)
                << Expander([l] { return ConductorLayout::lGrid(l).size(); });
        }
        RodRing r;
        r.radius = 2;
        r.count = 5;
        r.rodLength = 1;
        r.rodDiameter = 0.02;
        QTest::newRow("ring of 5") << Counter([r] { return ConductorLayout::count(r); }) << 10.
                                   << Expander([r] { return ConductorLayout::ring(r).size(); });
        // Round a 10 m wire 1 m out: sides of 12 m and 2 m.
        const std::vector<Conductor> around = {{{0, 0, 0.5}, {10, 0, 0.5}, 0.01, 0}};
        for (const double spacing : {5., 1e-6, 1e-9}) {
            Fence f;
            f.distance = 1;
            f.spacing = spacing;
            f.length = 1;
            f.diameter = 0.05;
            const double expected = spacing == 5 ? 2 * (3 + 1) : 2 * (12 + 2) / spacing;
            Expander expand;
            if (spacing == 5)
                expand = [f, around] { return ConductorLayout::fence(f, around).size(); };
            QTest::addRow("fence every %g m", spacing)
                << Counter([f, around] { return ConductorLayout::count(f, around); }) << expected
                << expand;
        }
    }
    void counts() {
        QFETCH(Counter, count);
        QFETCH(double, expected);
        QFETCH(Expander, expand);
        const double counted = count();
        QVERIFY2(std::abs(counted / expected - 1) < 1e-9, qPrintable(QString::number(counted)));
        if (expand)
            QCOMPARE(double(expand()), counted);
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
