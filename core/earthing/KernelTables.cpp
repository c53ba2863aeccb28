#include "core/earthing/KernelTables.h"

#include "core/earthing/HankelProfile.h"
#include "core/earthing/LineIntegrals.h"

#include <algorithm>
#include <cmath>

namespace tav::earthing {

namespace {

struct QuadratureRule {
    int count;
    double nodes[4];
    double weights[4];
};

// Gauss-Legendre on [0, 1]; one point for a range of no length.
const QuadratureRule &rule(int points) {
    static const QuadratureRule rules[5] = {
        {0, {}, {}},
        {1, {0.5}, {1}},
        {2, {0.2113248654051871, 0.7886751345948129}, {0.5, 0.5}},
        {3, {0.1127016653792583, 0.5, 0.8872983346207417}, {5. / 18, 8. / 18, 5. / 18}},
        {4,
         {0.0694318442029737, 0.3300094782075719, 0.6699905217924281, 0.9305681557970263},
         {0.1739274225687269, 0.3260725774312731, 0.3260725774312731, 0.1739274225687269}}};
    return rules[points];
}

// The vertical distance between the observer's depth range and an image's.
double gap(const DepthClass &observer, const DepthClass &source, const Image &image) {
    double b1 = image.alpha * source.top + image.beta;
    double b2 = image.alpha * source.bottom + image.beta;
    if (b1 > b2)
        std::swap(b1, b2);
    return std::max({0., b1 - observer.bottom, observer.top - b2});
}

// The image's range of depths.
void range(const DepthClass &source, const Image &image, double &b1, double &b2) {
    b1 = image.alpha * source.top + image.beta;
    b2 = image.alpha * source.bottom + image.beta;
    if (b1 > b2)
        std::swap(b1, b2);
}

} // namespace

bool KernelTables::samples(const DepthClass &observer, const DepthClass &source, const Image &image,
                           std::vector<Sample> &out) {
    double b1, b2;
    range(source, image, b1, b2);
    if (!observer.vertical && !source.vertical) {
        const double dz = observer.top - b1;
        out.push_back({dz * dz, image.weight});
        return true;
    }
    // Far from the observer, Gauss-Legendre along the vertical ranges is exact to 1e-8
    // with few points and cheaper than the logarithms of the closed forms.
    const double gap = std::max({0., b1 - observer.bottom, observer.top - b2});
    const double longest = std::max(observer.length(), b2 - b1);
    const int points = gap >= 20 * longest  ? 2
                       : gap >= 5 * longest ? 3
                       : gap >= 2 * longest ? 4
                                            : 0;
    if (points == 0)
        return false;
    const QuadratureRule &ro = observer.vertical ? rule(points) : rule(1);
    const QuadratureRule &rs = source.vertical ? rule(points) : rule(1);
    for (int p = 0; p < ro.count; ++p) {
        const double zo = observer.top + ro.nodes[p] * observer.length();
        for (int q = 0; q < rs.count; ++q) {
            const double dz = zo - (b1 + rs.nodes[q] * (b2 - b1));
            out.push_back({dz * dz, image.weight * ro.weights[p] * rs.weights[q]});
        }
    }
    return true;
}

double KernelTables::closedForm(const DepthClass &observer, const DepthClass &source,
                                const Image &image, double rho) {
    double b1, b2;
    range(source, image, b1, b2);
    const Vec3 axis = {0, 0, 1};
    double kernel;
    if (!observer.vertical)
        kernel = LineIntegrals::pointSegment({rho, 0, observer.top}, {0, 0, b1}, axis, b2 - b1, 0) /
                 (b2 - b1);
    else if (!source.vertical)
        kernel = LineIntegrals::pointSegment({rho, 0, b1}, {0, 0, observer.top}, axis,
                                             observer.length(), 0) /
                 observer.length();
    else
        kernel = LineIntegrals::parallelIntervals(observer.top, observer.bottom, b1, b2, rho) /
                 (observer.length() * (b2 - b1));
    return image.weight * kernel;
}

KernelTables::KernelTables(const std::vector<DepthClass> &classes, const SoilImages &images,
                           const KernelSettings &settings, double reach)
    : m_classes(classes), m_images(images), m_settings(settings), m_reach(reach) {
    m_classes.push_back(DepthClass{}); // the surface
    m_count = int(m_classes.size());
    m_pairs.resize(std::size_t(m_count) * m_count);
}

KernelTables::Span KernelTables::span(const KernelSettings &settings, double reach) {
    const double lo = std::max(settings.far() - settings.segmentLength, 1e-3);
    const double hi = std::max(reach, 2 * lo);
    return {lo, hi, settings.far() + settings.segmentLength, settings.vertical() / 32};
}

double KernelTables::intervals(const KernelSettings &settings, double reach) {
    const Span s = span(settings, reach);
    return RadialTable::intervals(s.lo * s.lo, s.hi * s.hi) +
           UniformTable::intervals(s.nearReach, s.step);
}

std::size_t KernelTables::nodes() const {
    std::size_t total = 0;
    for (int a = 0; a < m_count; ++a)
        for (int b = a; b < m_count; ++b)
            if (const auto &t = pair(a, b).tables)
                total += t->all.nodes() + t->rest.nodes();
    return total;
}

HankelProfile KernelTables::smoothProfile(const DepthClass &observer, const DepthClass &source,
                                          double reach) const {
    const LayeredGreen *green = m_images.green();
    if (!green)
        return {};
    const LayeredGreen::Depths z = {observer.top, observer.bottom};
    const LayeredGreen::Depths zs = {source.top, source.bottom};
    const double weight = green->sourceWeight(source.layer);
    LayeredGreen::Scratch scratch;
    HankelProfile profile(
        [&](double lambda) { return weight * green->smoothKernel(lambda, z, zs, scratch); },
        green->nearest(z, zs), reach);
    // Between two ranges of one axis the thin-wire model sees a source's potential at its
    // radius, as it does its images'; the remainder is taken there too, which matters
    // where a layer thinner than the radius lies beside them.
    const double radius = std::max(observer.radius, source.radius);
    if (radius > 0)
        profile.setOrigin(profile.at(radius));
    return profile;
}

bool KernelTables::build(WorkMonitor &monitor) {
    // The pairs to build: every pair of segment classes once, and the surface as an
    // observer of each.
    std::vector<std::pair<int, int>> work;
    const int segmentClasses = m_count - 1;
    // In three layers or more a pair's images are not the other way's mirrored (the
    // surface mirror takes the source layer's resistivity), nor then its rest table.
    const bool oneWay = m_images.green() != nullptr;
    for (int a = 0; a < segmentClasses; ++a)
        for (int b = oneWay ? 0 : a; b < segmentClasses; ++b)
            work.push_back({a, b});
    for (int b = 0; b < segmentClasses; ++b)
        work.push_back({surface(), b});
    const double vertical = m_settings.vertical();
    for (int a = 0; a < m_count; ++a)
        for (int b = 0; b < segmentClasses; ++b)
            for (const Image &image : m_images.images(m_classes[a].layer, m_classes[b].layer))
                if (gap(m_classes[a], m_classes[b], image) < vertical)
                    m_pairs[std::size_t(a) * m_count + b].nearImages.push_back(image);
    m_unresolved.assign(work.size(), 0);
    m_work = work;
    const Span reach = span(m_settings, m_reach);
    const double lo = reach.lo;
    const double hi = reach.hi;
    const double nearReach = reach.nearReach;
    const double step = reach.step;
    return monitor.run(SolveProgress::Stage::Tables, work.size(), [&](std::size_t item, int) {
        const auto [a, b] = work[item];
        const DepthClass &observer = m_classes[a];
        const DepthClass &source = m_classes[b];
        const std::vector<Image> &images = m_images.images(observer.layer, source.layer);
        auto tables = std::make_shared<PairTables>();
        tables->smooth = smoothProfile(observer, source, hi);
        const HankelProfile &smooth = tables->smooth;
        std::vector<Image> rest;
        for (const Image &image : images)
            if (gap(observer, source, image) >= vertical)
                rest.push_back(image);
        // Point kernels 1/sqrt(rho^2 + dz^2) of equal dz merged, the rest in closed form.
        const auto sum = [&](const std::vector<Image> &terms, bool squared) {
            std::vector<Sample> points;
            std::vector<Image> closed;
            for (const Image &image : terms)
                if (!samples(observer, source, image, points))
                    closed.push_back(image);
            std::sort(points.begin(), points.end(),
                      [](const Sample &a, const Sample &b) { return a.dz2 < b.dz2; });
            std::vector<Sample> merged;
            for (const Sample &p : points)
                if (!merged.empty() && p.dz2 <= merged.back().dz2 * (1 + 1e-15))
                    merged.back().weight += p.weight;
                else
                    merged.push_back(p);
            return [&, merged, closed, squared](const std::vector<double> &at,
                                                std::vector<double> &values) {
                values.assign(at.size(), 0.);
                for (std::size_t k = 0; k < at.size(); ++k) {
                    const double rho2 = squared ? at[k] : at[k] * at[k];
                    double v = 0;
                    for (const Sample &p : merged)
                        v += p.weight / std::sqrt(rho2 + p.dz2);
                    const double rho = std::sqrt(rho2);
                    for (const Image &image : closed)
                        v += closedForm(observer, source, image, rho);
                    if (smooth.nodes() > 0)
                        v += smooth.at(rho);
                    values[k] = v;
                }
            };
        };
        if (smooth.nodes() > 0 && !nearTableHolds(observer, source, smooth, step))
            m_unresolved[item] = 1;
        tables->all = RadialTable(lo * lo, hi * hi, sum(images, true));
        tables->rest = UniformTable(nearReach, step, sum(rest, false));
        m_pairs[std::size_t(a) * m_count + b].tables = tables;
        if (a != b && a != surface() && !oneWay)
            m_pairs[std::size_t(b) * m_count + a].tables = tables;
    });
}

// The near table reads the remainder cubically between nodes step apart from 0. A layer
// much thinner than step beside a horizontal range (or the surface) gives a remainder that
// changes within the first step, which the cubic cannot follow: it is read there for the
// horizontal distances between Gauss points, where a vertical range is read only at 0 and
// at the other ranges' distances. Checked between the first nodes against the transform
// itself, to a thousandth of a unit source's potential at that distance.
bool KernelTables::nearTableHolds(const DepthClass &observer, const DepthClass &source,
                                  const HankelProfile &smooth, double step) const {
    if (observer.vertical && source.vertical)
        return true;
    const double v[4] = {smooth.at(0), smooth.at(step), smooth.at(2 * step), smooth.at(3 * step)};
    const double weight = m_images.green()->sourceWeight(source.layer);
    double largest = 0;
    for (const double value : v)
        largest = std::max(largest, std::abs(value));
    for (const double t : {0.25, 0.5, 0.75}) {
        // Lagrange through the nodes 0, 1, 2, 3 at t.
        const double cubic = -(t - 1) * (t - 2) * (t - 3) / 6 * v[0] +
                             t * (t - 2) * (t - 3) / 2 * v[1] - t * (t - 1) * (t - 3) / 2 * v[2] +
                             t * (t - 1) * (t - 2) / 6 * v[3];
        const double truth = smooth.at(t * step);
        const double scale = largest + std::abs(truth) + weight / (t * step);
        if (!(std::abs(cubic - truth) <= 1e-3 * scale))
            return false;
    }
    return true;
}

std::optional<Refusal> KernelTables::refusal() const {
    const LayeredGreen *green = m_images.green();
    for (std::size_t k = 0; k < m_unresolved.size(); ++k) {
        if (!m_unresolved[k])
            continue;
        // The thinnest layer beside either range, which shortens the remainder's paths.
        const int o = m_classes[std::size_t(m_work[k].first)].layer;
        const int s = m_classes[std::size_t(m_work[k].second)].layer;
        const std::vector<double> &h = green->thicknesses();
        int thinnest = -1;
        for (const int centre : {o, s})
            for (int layer = centre - 1; layer <= centre + 1; ++layer)
                if (layer >= 0 && std::size_t(layer) < h.size() &&
                    (thinnest < 0 || h[std::size_t(layer)] < h[std::size_t(thinnest)]))
                    thinnest = layer;
        return Refusal{Error::LayerTooThinBesideConductors,
                       Quantity::None,
                       {double(thinnest + 1), thinnest >= 0 ? h[std::size_t(thinnest)] : 0}};
    }
    return std::nullopt;
}

} // namespace tav::earthing
