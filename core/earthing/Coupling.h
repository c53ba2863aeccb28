#pragma once

#include "core/earthing/DepthClass.h"
#include "core/earthing/KernelSettings.h"
#include "core/earthing/KernelTables.h"
#include "core/earthing/Segment.h"
#include "core/earthing/SoilImages.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace tav::earthing {

// The potential coefficients: the mean potential on segment i, or the potential at a
// point on the surface, per ampere leaking evenly from segment j (Galerkin with constant
// elements, the average potential method). Near pairs are exact in the images that come
// close and tabulated in the rest; far pairs take the table at the middles with the
// midpoint rule's second-order term.
class Coupling {
public:
    Coupling(const std::vector<Segment> &segments, const DepthClasses &classes,
             const SoilImages &images, const KernelTables &tables, const KernelSettings &settings);

    double segments(int i, int j) const;
    double point(const Vec3 &x, int j) const;
    // Every image exact, with nothing tabulated.
    double exactSegments(int i, int j) const;
    double exactPoint(const Vec3 &x, int j) const;

    // What the fast loops need of segment k for the far form: its middle, its horizontal
    // direction and L^2/24 when horizontal (0 otherwise: a vertical segment has no
    // horizontal extent, and the tables average over its depth exactly).
    struct FarData {
        std::vector<double> x, y, ux, uy, k;
    };
    const FarData &farData() const { return m_far; }

    // The far form between two segments, or a point (k = 0) and a segment, whose middles
    // are dx, dy apart. The table holds g(rho^2) = f(rho); the midpoint rule's term for a
    // segment of direction u, k (f'' c^2 + f'/rho (1 - c^2)) with c the cosine between u
    // and the line of the middles, is then k (2 g' + 4 g'' (d.u)^2): no root, no division.
    [[gnu::always_inline]] static inline double farForm(const RadialTable &table, double dx,
                                                        double dy, double ax, double ay, double ka,
                                                        double bx, double by, double kb) {
        const double s = std::max(dx * dx + dy * dy, table.lowest());
        double g, g1, g2;
        table.derivatives(s, g, g1, g2);
        const double pa = dx * ax + dy * ay;
        const double pb = dx * bx + dy * by;
        return g + 2 * g1 * (ka + kb) + 4 * g2 * (ka * pa * pa + kb * pb * pb);
    }
    double farPair(const RadialTable &table, int i, int j) const {
        return farForm(table, m_far.x[i] - m_far.x[j], m_far.y[i] - m_far.y[j], m_far.ux[i],
                       m_far.uy[i], m_far.k[i], m_far.ux[j], m_far.uy[j], m_far.k[j]);
    }
    double farPoint(const RadialTable &table, double x, double y, int j) const {
        return farForm(table, m_far.x[j] - x, m_far.y[j] - y, 0, 0, 0, m_far.ux[j], m_far.uy[j],
                       m_far.k[j]);
    }

    const std::vector<Segment> &segmentList() const { return m_segments; }
    int classOf(int j) const { return m_classOf[j]; }
    const KernelTables &tables() const { return m_tables; }
    const KernelSettings &settings() const { return m_settings; }

private:
    struct Samples {
        int count = 0;
        double x[3] = {};
        double y[3] = {};
        double w[3] = {};
    };
    Samples samples(int j) const;
    static Samples point(const Vec3 &x);
    // A function of the horizontal distance averaged between the two sets of samples.
    template <class Table>
    static double tabulated(const Table &table, const Samples &a, const Samples &b) {
        double sum = 0;
        for (int p = 0; p < a.count; ++p)
            for (int q = 0; q < b.count; ++q) {
                const double dx = a.x[p] - b.x[q];
                const double dy = a.y[p] - b.y[q];
                sum += a.w[p] * b.w[q] * table.at(std::sqrt(dx * dx + dy * dy));
            }
        return sum;
    }
    double smoothSegments(int i, int j) const;
    static std::array<Vec3, 2> gauss(const Segment &s);
    // observer: one point or a segment's two Gauss points.
    double smoothPoints(std::initializer_list<Vec3> observer, const Segment &b) const;

    const std::vector<Segment> &m_segments;
    std::vector<int> m_classOf;
    const SoilImages &m_images;
    const KernelTables &m_tables;
    KernelSettings m_settings;
    FarData m_far;
};

} // namespace tav::earthing
