#pragma once

#include "core/earthing/DepthClass.h"
#include "core/earthing/HankelProfile.h"
#include "core/earthing/KernelSettings.h"
#include "core/earthing/RadialTable.h"
#include "core/earthing/SoilImages.h"
#include "core/earthing/WorkMonitor.h"
#include "core/errors.h"

#include <memory>
#include <optional>
#include <vector>

namespace tav::earthing {

// For an observer class and a source class, the whole image series as a function of the
// square of the horizontal distance (far pairs), and the series without the images that
// come vertically near the observer as a function of the distance (near pairs, which take
// those exact).
struct PairTables {
    RadialTable all;   // of rho^2
    UniformTable rest; // of rho
    HankelProfile smooth; // of rho; in three layers or more what the images leave, in both
};

struct ClassPair {
    std::shared_ptr<const PairTables> tables;
    std::vector<Image> nearImages; // taken exact for near pairs
};

// The tables of every pair of depth classes, and of the surface (an extra observer class)
// with every class. In one or two layers reciprocity makes a pair's tables the same both
// ways; they are built once.
class KernelTables {
public:
    // reach: the largest horizontal distance between an observer and a source, m.
    KernelTables(const std::vector<DepthClass> &classes, const SoilImages &images,
                 const KernelSettings &settings, double reach);
    // False when cancelled. Only when intervals() is within the solver's limit.
    bool build(WorkMonitor &monitor);
    // After build: a pair whose near table cannot follow what the soil's layers give
    // (a layer far thinner than the table's step beside a horizontal conductor), refused
    // with that layer (from 1) and its thickness.
    std::optional<Refusal> refusal() const;

    // The intervals of a pair's tables together, counted before any is built (infinite
    // when the segment length or the reach is beyond the range of double precision).
    static double intervals(const KernelSettings &settings, double reach);

    int surface() const { return m_count - 1; }
    const ClassPair &pair(int observer, int source) const {
        return m_pairs[std::size_t(observer) * m_count + source];
    }
    const DepthClass &depthClass(int c) const { return m_classes[c]; }
    std::size_t nodes() const;

    // The kernel of one image, averaged over the observer's and the source's depth ranges,
    // at the horizontal distance rho, which the tables hold summed over images: as point
    // kernels weight/sqrt(rho^2 + dz^2) where Gauss-Legendre along the ranges is exact to
    // 1e-8 (false otherwise), or in closed form.
    struct Sample {
        double dz2;
        double weight;
    };
    static bool samples(const DepthClass &observer, const DepthClass &source, const Image &image,
                        std::vector<Sample> &out);
    static double closedForm(const DepthClass &observer, const DepthClass &source,
                             const Image &image, double rho);

private:
    // Where a pair's tables reach: the far table on [lo^2, hi^2], the near one on
    // [0, nearReach] by step.
    struct Span {
        double lo;
        double hi;
        double nearReach;
        double step;
    };
    static Span span(const KernelSettings &settings, double reach);
    // In three layers or more, what the images leave of the potential between the two
    // classes, to the distance reach; empty otherwise.
    HankelProfile smoothProfile(const DepthClass &observer, const DepthClass &source,
                                double reach) const;
    bool nearTableHolds(const DepthClass &observer, const DepthClass &source,
                        const HankelProfile &smooth, double step) const;

    std::vector<DepthClass> m_classes; // the segments' classes, then the surface
    int m_count = 0;
    const SoilImages &m_images;
    KernelSettings m_settings;
    double m_reach = 0;
    std::vector<ClassPair> m_pairs;
    std::vector<std::pair<int, int>> m_work; // the pairs built, observer then source
    std::vector<char> m_unresolved;          // per pair built
};

} // namespace tav::earthing
