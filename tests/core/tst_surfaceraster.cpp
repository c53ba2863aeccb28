// The surface raster of a large system is summed by boxes (the far segments of a box at
// its interpolation nodes): it must still be the potential at each point, which the test
// sums here plainly, every point against every segment.
#include "core/earthing/ConductorLayout.h"
#include "core/earthing/EarthingSolver.h"
#include "core/earthing/SurfaceField.h"
#include "core/earthing/TouchAreas.h"

#include <QtTest>

#include <cmath>

using namespace tav;
using namespace tav::earthing;

namespace {

// A 40 m grid of 6 x 6 conductors with eight rods of 3 m on its edge, a fine raster over it.
EarthingInput rasterCase(int layers, double tilt) {
    EarthingInput input;
    input.soil = layers == 1 ? EarthingSoil::uniform(100) : EarthingSoil::twoLayer(300, 80, 2);
    input.current = 1000;
    RectangularGrid grid;
    grid.sizeX = grid.sizeY = 40;
    grid.countX = grid.countY = 6;
    input.conductors = ConductorLayout::grid(grid);
    for (const Conductor &rod :
         ConductorLayout::rods(ConductorLayout::perimeterPoints(grid, 8), 0.5, 3, 0.016, 0))
        input.conductors.push_back(rod);
    input.conductors[2].to.z += tilt;
    input.touchAreas = TouchAreas::ofClusters(input.conductors, input.search.reach);
    input.search.step = 0.4;
    return input;
}

// The potential at the surface point (x, y) in uniform soil of resistivity rho, by the
// closed form of each segment's line source and its image above the surface, which meet
// there: rho I / (2 pi L) ln((b + r_b) / (a + r_a)), a and b the ends' abscissae along
// the segment, r_a and r_b their distances.
double closedForm(const EarthingResult &r, double rho, double x, double y) {
    double v = 0;
    for (const SegmentResult &s : r.segmentCurrents) {
        const double ux = s.to.x - s.from.x, uy = s.to.y - s.from.y, uz = s.to.z - s.from.z;
        const double length = std::sqrt(ux * ux + uy * uy + uz * uz);
        const double px = s.from.x - x, py = s.from.y - y, pz = s.from.z;
        const double a = (px * ux + py * uy + pz * uz) / length;
        const double b = a + length;
        const double ra = std::sqrt(px * px + py * py + pz * pz);
        const double d2 = std::max(ra * ra - a * a, 0.);
        const double rb = std::sqrt(d2 + b * b);
        // a + r, or d^2 / (r - a) where a + r would cancel.
        const double fa = a >= 0 ? a + ra : d2 / (ra - a);
        const double fb = b >= 0 ? b + rb : d2 / (rb - b);
        v += rho * s.current / (2 * M_PI * length) * std::log(fb / fa);
    }
    return v;
}

} // namespace

class TestSurfaceRaster : public QObject {
    Q_OBJECT

private slots:
    // Against the point-by-point sum of the same coefficients (potential()) to 1e-7 of
    // the GPR, in uniform soil, with an inclined conductor among the rest and in two
    // layers; in uniform soil against the closed form too, to 1e-5 of the GPR, which is as
    // close as the solver's far forms and tables come to it wherever the raster is summed
    // (docs/CALCULATIONS.md).
    void asThePointsSummedPlainly_data() {
        QTest::addColumn<int>("layers");
        QTest::addColumn<double>("tilt"); // m over a conductor
        QTest::newRow("uniform") << 1 << 0.;
        QTest::newRow("two layers") << 2 << 0.;
        QTest::newRow("uniform, one conductor tilted by 1 mm") << 1 << 1e-3;
    }

    void asThePointsSummedPlainly() {
        QFETCH(int, layers);
        QFETCH(double, tilt);
        const Refusable<EarthingResult> solved = EarthingSolver::solve(rasterCase(layers, tilt));
        QVERIFY(!solved.refused());
        const EarthingResult &r = solved.result();
        // Twice the pairs from which the boxes are taken.
        QVERIFY(double(r.raster.size()) * r.segments > 8e6);
        double worst = 0;
        double worstClosed = 0;
        for (int j = 0; j < r.raster.ny; ++j)
            for (int i = 0; i < r.raster.nx; ++i) {
                const double x = r.raster.x(i), y = r.raster.y(j);
                const double v = r.rasterPotential[std::size_t(j) * r.raster.nx + i];
                worst = std::max(worst, std::abs(v - r.field->potential(x, y)));
                if (layers == 1)
                    worstClosed = std::max(worstClosed, std::abs(v - closedForm(r, 100, x, y)));
            }
        QVERIFY2(worst <= 1e-7 * r.gpr, qPrintable(QString::number(worst / r.gpr)));
        QVERIFY2(worstClosed <= 1e-5 * r.gpr, qPrintable(QString::number(worstClosed / r.gpr)));
    }
};

QTEST_APPLESS_MAIN(TestSurfaceRaster)
#include "tst_surfaceraster.moc"
