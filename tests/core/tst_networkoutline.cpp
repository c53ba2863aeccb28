// The ground a network of conductors given one by one covers: its meshes and the reach
// round its conductors, against the plan worked out here from the L's inequalities and
// the least distance to its conductors; and where the worst touch of such a network lies.
#include "core/earthing/EarthingSolver.h"
#include "core/earthing/NetworkOutline.h"
#include "core/earthing/PlanPolygon.h"
#include "core/earthing/TouchAreas.h"

#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace tav;
using namespace tav::earthing;

namespace {

constexpr double kReach = 1;

// An L of 30 m with a 15 m x 15 m cut-out, meshes of 5 m at 0.5 m, drawn line by line,
// and a tail of 15 m from its lower right corner along y = 0.
std::vector<Conductor> tailedL() {
    std::vector<Conductor> c;
    const auto line = [&](double x0, double y0, double x1, double y1) {
        c.push_back({{x0, y0, 0.5}, {x1, y1, 0.5}, 0.01, 0});
    };
    for (int k = 0; k <= 6; ++k) {
        const double at = 5. * k;
        const double far = at <= 15 ? 30 : 15;
        line(at, 0, at, far); // the lines along y
        line(0, at, far, at); // and along x
    }
    line(30, 0, 45, 0); // the tail
    return c;
}

bool inL(Point2 p) {
    return p.x >= 0 && p.x <= 30 && p.y >= 0 && p.y <= 30 && !(p.x > 15 && p.y > 15);
}

// The least distance in plan to a conductor, by projection onto each.
double toMetal(const std::vector<Conductor> &c, Point2 p) {
    double least = INFINITY;
    for (const Conductor &k : c) {
        const double dx = k.to.x - k.from.x;
        const double dy = k.to.y - k.from.y;
        const double t = std::clamp(
            ((p.x - k.from.x) * dx + (p.y - k.from.y) * dy) / (dx * dx + dy * dy), 0., 1.);
        least = std::min(least, std::hypot(p.x - k.from.x - t * dx, p.y - k.from.y - t * dy));
    }
    return least;
}

} // namespace

class TestNetworkOutline : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every point of a lattice over the plan, but those within 0.1 m of the true edge, lies
    // in the outline when it lies in the L or within reach of a conductor, and only then:
    // the cut-out and the ground beside the tail are left out.
    void coversTheLAndTheReach() {
        const std::vector<Conductor> c = tailedL();
        const std::vector<Point2> outline = NetworkOutline::of(c, kReach);
        QVERIFY(outline.size() >= 3 && outline.size() <= PlanPolygon::kMostCorners);
        QVERIFY(PlanPolygon::area(outline) > 0);
        QVERIFY(!PlanPolygon::selfCrossing(outline));
        int checked = 0;
        for (double x = -2.03; x < 47; x += 0.37)
            for (double y = -2.03; y < 32; y += 0.37) {
                const Point2 p{x, y};
                const double d = toMetal(c, p);
                if (!inL(p) && std::abs(d - kReach) < 0.1)
                    continue;
                const bool covered = inL(p) || d <= kReach;
                QVERIFY2(PlanPolygon::contains(outline, p) == covered,
                         qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
                ++checked;
            }
        QVERIFY(checked > 10000);
    }

    // Without a reach, the meshes alone: the L's own area, 3 x 15 x 15 m^2, to a quarter of
    // the lattice's step (a 500th of the 45 m extent) along its 120 m perimeter; the tail
    // and the cut-out add nothing.
    void meshesAlone() {
        const std::vector<Point2> outline = NetworkOutline::of(tailedL(), 0);
        const double slack = 120 * 45. / 500 / 4;
        QVERIFY2(std::abs(PlanPolygon::area(outline) - 675) < slack,
                 qPrintable(QString::number(PlanPolygon::area(outline), 'g', 12)));
        QVERIFY(PlanPolygon::contains(outline, {10, 10}));
        QVERIFY(!PlanPolygon::contains(outline, {20, 20}));
        QVERIFY(!PlanPolygon::contains(outline, {40, 0.2}));
    }

    // The worst touch of the drawn L lies in the L or within reach of its conductors, not in
    // the cut-out or beside the tail, where the convex hull of the conductors' ends put it.
    void worstTouchInTheL() {
        EarthingInput input;
        input.soil = EarthingSoil::uniform(100);
        input.current = 1000;
        input.segmentLength = 2.5;
        input.search.step = 1;
        input.conductors = tailedL();
        input.touchAreas = TouchAreas::ofClusters(input.conductors, input.search.reach);
        QCOMPARE(int(input.touchAreas.size()), 1);
        const Refusable<EarthingResult> drawn = EarthingSolver::solve(input);
        QVERIFY(!drawn.refused() && drawn.result().touchMax);
        const Point2 at = drawn.result().touchMax->at;
        const double reach = input.search.reach + 1e-6;
        QVERIFY2(inL(at) || toMetal(input.conductors, at) <= reach,
                 qPrintable(QStringLiteral("%1, %2").arg(at.x).arg(at.y)));

        // The hull's triangle beside the tail and the cut-out are open ground it would count.
        TouchArea hull;
        hull.kind = TouchAreaKind::Conductors;
        hull.outline = {{0, 0}, {45, 0}, {15, 30}, {0, 30}};
        input.touchAreas = {hull};
        const Refusable<EarthingResult> hulled = EarthingSolver::solve(input);
        QVERIFY(!hulled.refused() && hulled.result().touchMax);
        const Point2 h = hulled.result().touchMax->at;
        QVERIFY2(!inL(h) && toMetal(input.conductors, h) > reach,
                 qPrintable(QStringLiteral("%1, %2").arg(h.x).arg(h.y)));
    }
};

QTEST_APPLESS_MAIN(TestNetworkOutline)
#include "tst_networkoutline.moc"
