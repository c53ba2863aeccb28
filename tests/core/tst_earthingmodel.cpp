// The earthing solver's model: what it refuses, how it cuts conductors, and the image
// series of the two-layer soil against the conditions it must meet.
#include "core/earthing/ConductorLayout.h"
#include "core/earthing/EarthingSolver.h"
#include "core/earthing/InputCheck.h"
#include "core/earthing/LineIntegrals.h"
#include "core/earthing/SoilImages.h"
#include "tests/support/ShippedWording.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <limits>

using namespace tav;
using namespace tav::earthing;

namespace {

using Values = QList<double>;
using Points = QList<QList<double>>;
using Change = std::function<void(EarthingInput &)>;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// A rod and a wire, energised, in a two-layer soil: every refusal row breaks one thing.
EarthingInput validInput() {
    EarthingInput input;
    input.soil = EarthingSoil::twoLayer(100, 300, 5);
    input.current = 10;
    input.conductors = {{{0, 0, 0.5}, {10, 0, 0.5}, 0.01, 0}, {{0, 0, 0.5}, {0, 0, 3.5}, 0.016, 0}};
    return input;
}

// The potential at depth z in the given layer, rho away from a unit point source at depth
// zs, and its derivative in depth, from the images the solver uses.
void potential(const SoilImages &images, int layer, double rho, double z, double zs, double &v,
               double &dz) {
    v = dz = 0;
    for (const Image &image : images.images(layer, images.layerOf(zs))) {
        const double d = z - (image.alpha * zs + image.beta);
        const double r = std::sqrt(rho * rho + d * d);
        v += image.weight / r;
        dz -= image.weight * d / (r * r * r);
    }
}

} // namespace

Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(tav::Error)
Q_DECLARE_METATYPE(tav::Quantity)
Q_DECLARE_METATYPE(tav::Warning)

class TestEarthingModel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A point source's potential meets the conditions that define it: continuous across the
    // interface with its current density, (1/rho) dV/dz, and no current through the
    // surface. A wrong weight or sign of any image breaks one of them.
    void images_data() {
        QTest::addColumn<double>("rho1");
        QTest::addColumn<double>("rho2");
        QTest::addColumn<double>("zs");
        QTest::newRow("K = 0.5, source above") << 100. << 300. << 0.5;
        QTest::newRow("K = 0.5, source below") << 100. << 300. << 7.;
        QTest::newRow("K = -0.9, source above") << 1900. << 100. << 4.5;
        QTest::newRow("K = -0.9, source below") << 1900. << 100. << 5.5;
        QTest::newRow("K = 0.98, source below") << 10. << 990. << 12.;
    }

    void images() {
        QFETCH(double, rho1);
        QFETCH(double, rho2);
        QFETCH(double, zs);
        const double h = 5;
        const bool used[2][2] = {{true, true}, {true, true}};
        const SoilImages images(EarthingSoil::twoLayer(rho1, rho2, h), 50, used, 1e-15, 100000);
        QVERIFY(images.bound() <= 1e-15);
        for (double rho : {0.3, 2., 15.}) {
            double above, dAbove, below, dBelow, surface, dSurface;
            potential(images, 0, rho, h, zs, above, dAbove);
            potential(images, 1, rho, h, zs, below, dBelow);
            potential(images, 0, rho, 0, zs, surface, dSurface);
            QVERIFY2(std::abs(above / below - 1) < 1e-10,
                     qPrintable(QString::number(above / below - 1)));
            const double flux = std::max(std::abs(dAbove / rho1), std::abs(dBelow / rho2));
            QVERIFY(std::abs(dAbove / rho1 - dBelow / rho2) < 1e-9 * flux);
            QVERIFY(std::abs(dSurface) < 1e-12 * surface);
        }
    }

    // Against the integrals summed numerically (Simpson's rule, fine enough for 1e-9),
    // near, far, on the axis and beside it.
    void lineIntegrals_data() {
        QTest::addColumn<Values>("x");
        QTest::addColumn<double>("radius");
        QTest::newRow("beside the middle") << Values{0.5, 0.3, 0} << 0.;
        QTest::newRow("beyond the end, on the axis") << Values{1.7, 0, 0} << 0.;
        QTest::newRow("before the start, near the axis") << Values{-0.2, 1e-3, 0} << 0.;
        QTest::newRow("far away") << Values{300, 200, 100} << 0.;
        QTest::newRow("inside the conductor: at its radius") << Values{0.4, 1e-4, 0} << 0.005;
    }

    void lineIntegrals() {
        QFETCH(Values, x);
        QFETCH(double, radius);
        const Vec3 p = {x[0], x[1], x[2]};
        const double d = std::max(std::hypot(p.y, p.z), radius);
        const auto f = [&](double t) { return 1 / std::hypot(p.x - t, d); };
        const int n = 200000;
        double sum = f(0) + f(1);
        for (int k = 1; k < n; ++k)
            sum += (k % 2 ? 4 : 2) * f(double(k) / n);
        const double expected = sum / (3 * n);
        const double actual = LineIntegrals::pointSegment(p, {0, 0, 0}, {1, 0, 0}, 1, radius);
        QVERIFY2(std::abs(actual / expected - 1) < 1e-9,
                 qPrintable(QString::number(actual / expected - 1)));
        // Two parallel segments: the same rule over the second.
        const auto g = [&](double s) {
            return LineIntegrals::pointSegment({s, d, 0}, {p.x, 0, 0}, {1, 0, 0}, 0.7, 0);
        };
        double outer = g(-0.5) + g(0.5);
        for (int k = 1; k < 200000; ++k)
            outer += (k % 2 ? 4 : 2) * g(-0.5 + double(k) / 200000);
        outer /= 3 * 200000;
        const double both = LineIntegrals::parallelIntervals(-0.5, 0.5, p.x, p.x + 0.7, d);
        QVERIFY2(std::abs(both / outer - 1) < 1e-8, qPrintable(QString::number(both / outer - 1)));
    }

    // Where the conductors are cut: at the interface, at crossings and junctions, into
    // equal pieces of at most the segment length, the two at each end halved.
    void segments_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<int>("count");
        QTest::addColumn<Points>("ends"); // that some segment must end at
        QTest::newRow("a rod through the interface at 5 m")
            << Change([](EarthingInput &in) { in.conductors[1].to.z = 8; }) << 12 + 7 + 5
            << Points{{0, 0, 5}, {0, 0, 8}};
        QTest::newRow("a conductor crossing the wire") << Change([](EarthingInput &in) {
            in.conductors.push_back({{3.5, -2, 0.5}, {3.5, 2, 0.5}, 0.01, 0});
        }) << 6 + 9 + 5 + 4 + 4 << Points{{3.5, 0, 0.5}, {3.5, 2, 0.5}};
        QTest::newRow("a rod down from the wire's middle") << Change([](EarthingInput &in) {
            in.conductors.push_back({{6.3, 0, 0.5}, {6.3, 0, 2.5}, 0.016, 0});
        }) << 9 + 6 + 5 + 4 << Points{{6.3, 0, 0.5}, {6.3, 0, 2.5}};
        QTest::newRow("segments of 0.4 m")
            << Change([](EarthingInput &in) { in.segmentLength = 0.4; }) << 27 + 10
            << Points{{0.4, 0, 0.5}, {0, 0, 3.5}};
        QTest::newRow("Annex H Grid 1: 12 conductors of 70 m, 5 pieces each")
            << Change([](EarthingInput &in) {
                   RectangularGrid grid;
                   grid.sizeX = grid.sizeY = 70;
                   grid.countX = grid.countY = 6;
                   in.conductors = ConductorLayout::grid(grid);
               })
            << 12 * 5 * 16 << Points{{14, 14, 0.5}, {70, 56, 0.5}, {13.5, 0, 0.5}};
    }

    void segments() {
        QFETCH(Change, change);
        QFETCH(int, count);
        QFETCH(Points, ends);
        EarthingInput input = validInput();
        input.search.step = 1;
        change(input);
        const Refusable<EarthingResult> outcome = EarthingSolver::solve(input);
        QVERIFY(!outcome.refused());
        const std::vector<SegmentResult> &segments = outcome.result().segmentCurrents;
        QCOMPARE(int(segments.size()), count);
        for (const SegmentResult &s : segments) {
            const double length =
                std::hypot(s.to.x - s.from.x, s.to.y - s.from.y, s.to.z - s.from.z);
            QVERIFY(length <= input.segmentLength * (1 + 1e-12));
        }
        for (const QList<double> &end : ends) {
            const bool found =
                std::any_of(segments.begin(), segments.end(), [&](const SegmentResult &s) {
                    return std::hypot(s.to.x - end[0], s.to.y - end[1], s.to.z - end[2]) < 1e-12 ||
                           std::hypot(s.from.x - end[0], s.from.y - end[1], s.from.z - end[2]) <
                               1e-12;
                });
            QVERIFY2(found, qPrintable(QString("%1 %2 %3").arg(end[0]).arg(end[1]).arg(end[2])));
        }
    }

    // K = 0.997 under a 1 m top layer: 4000 orders leave about 2e-5, past the tolerance but
    // within what the solver gives with a caution.
    void seriesTruncated() {
        EarthingInput input = validInput();
        input.conductors.pop_back();
        input.soil = EarthingSoil::twoLayer(3, 1997, 1);
        input.search.step = 1;
        const Refusable<EarthingResult> outcome = EarthingSolver::solve(input);
        QVERIFY(!outcome.refused());
        const EarthingResult &r = outcome.result();
        QCOMPARE(r.cautions.size(), std::size_t(1));
        const Caution &caution = r.cautions.front();
        QCOMPARE(caution.warning, Warning::SeriesTruncated);
        QCOMPARE(caution.values.size(), std::size_t(3));
        QVERIFY(caution.values[0] > EarthingSolver::kSeriesTolerance &&
                caution.values[0] < EarthingSolver::kSeriesFloor);
        QCOMPARE(caution.values[1], EarthingSolver::kSeriesTolerance);
        QCOMPARE(caution.values[2], double(EarthingSolver::kMaxOrders));
        QVERIFY(shippedWording().caution(caution).contains(QLatin1String("after 4000 orders")));
        QCOMPARE(r.orders, EarthingSolver::kMaxOrders);
        QVERIFY(std::isfinite(r.resistance) && r.resistance > 0);
    }

    void valid() {
        const Refusable<EarthingResult> outcome = EarthingSolver::solve(validInput());
        QVERIFY(!outcome.refused());
    }

    void refusals_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<Error>("error");
        QTest::addColumn<Quantity>("quantity");
        QTest::addColumn<Values>("values");
        const auto row = [](const char *name, Change change, Error error, Quantity quantity,
                            Values values) {
            QTest::newRow(name) << change << error << quantity << values;
        };
        using E = Error;
        using Q = Quantity;
        row("uniform soil of 0 ohm m",
            [](EarthingInput &in) { in.soil = EarthingSoil::uniform(0); }, E::NotPositive,
            Q::SoilResistivity, {0});
        row("top layer NaN", [](EarthingInput &in) { in.soil.rho1 = kNaN; }, E::NotPositive,
            Q::TopLayerResistivity, {kNaN});
        row("bottom layer negative", [](EarthingInput &in) { in.soil.rho2 = -5; }, E::NotPositive,
            Q::BottomLayerResistivity, {-5});
        row("top layer infinitely thick", [](EarthingInput &in) { in.soil.h = kInf; },
            E::NotPositive, Q::TopLayerThickness, {kInf});
        row("no current", [](EarthingInput &in) { in.current = 0; }, E::NotPositive,
            Q::InjectedCurrent, {0});
        row("current below zero", [](EarthingInput &in) { in.current = -3; }, E::NotPositive,
            Q::InjectedCurrent, {-3});
        row("segment length 0", [](EarthingInput &in) { in.segmentLength = 0; }, E::NotPositive,
            Q::SegmentLength, {0});
        row("search step negative", [](EarthingInput &in) { in.search.step = -1; }, E::NotPositive,
            Q::SearchStep, {-1});
        row("search margin negative", [](EarthingInput &in) { in.search.margin = -1; },
            E::NegativeOrNotFinite, Q::SearchMargin, {-1});
        row("search margin infinite", [](EarthingInput &in) { in.search.margin = kInf; },
            E::NegativeOrNotFinite, Q::SearchMargin, {kInf});
        row("a coordinate NaN", [](EarthingInput &in) { in.conductors[1].to.y = kNaN; },
            E::ConductorNotFinite, Q::None, {2});
        row("a diameter infinite", [](EarthingInput &in) { in.conductors[0].diameter = kInf; },
            E::ConductorNotFinite, Q::None, {1});
        row("zero length", [](EarthingInput &in) { in.conductors[1].to = in.conductors[1].from; },
            E::ConductorZeroLength, Q::None, {2});
        row("above the surface", [](EarthingInput &in) { in.conductors[1].from.z = -0.2; },
            E::ConductorAboveSurface, Q::None, {2, -0.2});
        row("on the surface",
            [](EarthingInput &in) { in.conductors[0].from.z = in.conductors[0].to.z = 0; },
            E::ConductorOnSurface, Q::None, {1});
        row("diameter 0", [](EarthingInput &in) { in.conductors[0].diameter = 0; },
            E::ConductorDiameterNotPositive, Q::None, {1, 0});
        row("diameter negative", [](EarthingInput &in) { in.conductors[1].diameter = -0.01; },
            E::ConductorDiameterNotPositive, Q::None, {2, -0.01});
        row("thicker than long", [](EarthingInput &in) { in.conductors[1].diameter = 3; },
            E::ConductorDiameterNotBelowLength, Q::None, {2, 3, 3});
        row("group below zero", [](EarthingInput &in) { in.conductors[1].group = -1; },
            E::GroupNegative, Q::None, {2, -1});
        row("overlapping",
            [](EarthingInput &in) {
                in.conductors.push_back({{5, 0, 0.5}, {15, 0, 0.5}, 0.01, 0});
            },
            E::ConductorsOverlap, Q::None, {1, 3});
        row("the same conductor twice, reversed and of another group",
            [](EarthingInput &in) {
                in.conductors.push_back({{0, 0, 3.5}, {0, 0, 0.5}, 0.016, 1});
            },
            E::ConductorsOverlap, Q::None, {2, 3});
        // Found through the spatial index: a short wire on a long one's middle, far from
        // either end, with segments ten times the short one's length.
        row("overlapping mid-way along a long wire",
            [](EarthingInput &in) {
                in.segmentLength = 10;
                in.conductors.push_back({{0, 20, 0.5}, {100, 20, 0.5}, 0.01, 0});
                in.conductors.push_back({{55, 20.004, 0.5}, {56, 20.004, 0.5}, 0.01, 0});
            },
            E::ConductorsOverlap, Q::None, {3, 4});
        row("overlapping far from the origin, the first pair named",
            [](EarthingInput &in) {
                for (int k = 0; k < 3; ++k)
                    in.conductors.push_back(
                        {{9000, 50. * k, 1}, {9001, 50. * k, 1}, 0.01, 0});
                in.conductors.push_back({{9000.5, 100, 1}, {9001.5, 100, 1}, 0.01, 0});
                in.conductors.push_back({{9000.5, 0, 1}, {9001.5, 0, 1}, 0.01, 0});
            },
            E::ConductorsOverlap, Q::None, {3, 7});
        row("a conductor beyond 100 km", [](EarthingInput &in) { in.conductors[1].to.y = -1e5 - 1; },
            E::ConductorBeyondReach, Q::None, {2, -100001, 1e5});
        row("a point 1e155 m out", [](EarthingInput &in) { in.points = {{1, 1}, {1e155, 0}}; },
            E::PointBeyondReach, Q::None, {2, 1e155, 1e5});
        row("a current of 5e-324 A", [](EarthingInput &in) { in.current = 5e-324; },
            E::BelowFloor, Q::InjectedCurrent, {5e-324, 1e-3});
        row("a diameter of 5e-324 m", [](EarthingInput &in) { in.conductors[0].diameter = 5e-324; },
            E::ConductorDiameterBelowFloor, Q::None, {1, 5e-324, 1e-4});
        row("a wire whose radius reaches above the surface",
            [](EarthingInput &in) { in.conductors[0].diameter = 1.2; },
            E::ConductorRadiusAboveSurface, Q::None, {1, 0.5, 0.6});
        row("an inclined wire whose radius reaches above the surface",
            [](EarthingInput &in) {
                in.conductors.push_back({{20, 0, 0.5}, {23, 0, 4.5}, 1.8, 0});
            },
            E::ConductorRadiusAboveSurface, Q::None, {3, 0.5, 0.9});
        row("a floating wire across an energised one",
            [](EarthingInput &in) {
                in.conductors.push_back({{5, -1, 0.5}, {5, 1, 0.5}, 0.01, 1});
            },
            E::GroupsTouch, Q::None, {1, 3, 0, 1});
        row("a floating rod touching the energised rod's side",
            [](EarthingInput &in) {
                in.conductors.push_back({{-2, 0.012, 2}, {-2, 0.012, 2.5}, 0.016, 1});
                in.conductors.push_back({{0.012, 0, 2}, {2, 0, 2}, 0.01, 1});
            },
            E::GroupsTouch, Q::None, {2, 4, 0, 1});
        row("no conductor", [](EarthingInput &in) { in.conductors.clear(); },
            E::NoEnergisedConductor, Q::None, {});
        row("none in group 0",
            [](EarthingInput &in) { in.conductors[0].group = in.conductors[1].group = 1; },
            E::NoEnergisedConductor, Q::None, {});
        row("group 1 without conductors", [](EarthingInput &in) { in.conductors[1].group = 2; },
            E::GroupWithoutConductors, Q::None, {1});
        row("a point NaN",
            [](EarthingInput &in) {
                in.points = {{1, 1}, {kNaN, 2}};
            },
            E::PointNotFinite, Q::None, {2});
        row("too many points",
            [](EarthingInput &in) {
                in.points.assign(std::size_t(InputCheck::kMaxPoints) + 1, Point2{1, 1});
            },
            E::TooManyPoints, Q::None,
            {InputCheck::kMaxPoints + 1., double(InputCheck::kMaxPoints)});
        constexpr double most = EarthingSolver::kMaxSegments;
        row("too many segments", [](EarthingInput &in) { in.segmentLength = 4.5e-7; },
            E::TooManySegments, Q::SegmentLength,
            {std::ceil(10 / 4.5e-7) + 2 + std::ceil(3 / 4.5e-7) + 2, most});
        // Counts past every integer type: refused with the count, never cast.
        row("a segment length of 1e-300", [](EarthingInput &in) { in.segmentLength = 1e-300; },
            E::TooManySegments, Q::SegmentLength, {10 / 1e-300 + 3 / 1e-300, most});
        // Beyond the solver's reach, refused before it is cut.
        row("a rod to a depth of 1e20", [](EarthingInput &in) { in.conductors[1].to.z = 1e20; },
            E::ConductorBeyondReach, Q::None, {2, 1e20, 1e5});
        // One segment per conductor, but the tables' reach squared is beyond double
        // precision.
        row("a segment length of 1e200", [](EarthingInput &in) { in.segmentLength = 1e200; },
            E::TooManyTableIntervals, Q::SegmentLength,
            {std::numeric_limits<double>::infinity(), 1e5});
        row("more conductors than segments",
            [](EarthingInput &in) {
                in.conductors.resize(InputCheck::kMaxConductors + 1, in.conductors[0]);
            },
            E::TooManyConductors, Q::None, {InputCheck::kMaxConductors + 1., 12000});
        // Beyond the solver's reach: refused before it is solved, never a verdict.
        row("a conductor at a depth of 1e308",
            [](EarthingInput &in) {
                in.conductors = {{{0, 0, 1e308}, {10, 0, 1e308}, 0.01, 0}};
            },
            E::ConductorBeyondReach, Q::None, {1, 1e308, 1e5});
        // Beyond what double precision resolves the solution is no number: refused there,
        // before any resistance or verdict rests on it.
        row("a resistivity of 1e308",
            [](EarthingInput &in) {
                in.soil = EarthingSoil::uniform(1e308);
                in.current = 1000;
            },
            E::ResultNotFinite, Q::LeakageCurrents, {});
        row("too many search points", [](EarthingInput &in) { in.search.step = 0.005; },
            E::TooManySearchPoints, Q::None, {3201. * 1201., 1e6});
    }

    void refusals() {
        QFETCH(Change, change);
        QFETCH(Error, error);
        QFETCH(Quantity, quantity);
        QFETCH(Values, values);
        EarthingInput input = validInput();
        change(input);
        const Refusable<EarthingResult> outcome = EarthingSolver::solve(input);
        QVERIFY(outcome.refused());
        const Refusal &refusal = outcome.refusal();
        QCOMPARE(refusal.error, error);
        QCOMPARE(refusal.quantity, quantity);
        // Worded from the string table, every value and the quantity filled in.
        const QString said = shippedWording().refusal(refusal);
        QVERIFY2(!said.isEmpty() && !said.contains(QLatin1Char('%')) &&
                     !said.contains(QLatin1String("{quantity}")),
                 qPrintable(said));
        if (error == Error::SeriesDoesNotConverge) {
            QCOMPARE(refusal.values.size(), std::size_t(3));
            QVERIFY(refusal.values[1] > refusal.values[2]);
            return;
        }
        QCOMPARE(refusal.values.size(), std::size_t(values.size()));
        for (int k = 0; k < values.size(); ++k) {
            if (std::isnan(values[k]))
                QVERIFY(std::isnan(refusal.values[std::size_t(k)]));
            else
                QCOMPARE(refusal.values[std::size_t(k)], values[k]);
        }
    }
};

QTEST_APPLESS_MAIN(TestEarthingModel)
#include "tst_earthingmodel.moc"
