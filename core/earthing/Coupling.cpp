#include "core/earthing/Coupling.h"

#include "core/earthing/ImageIntegrals.h"

#include <cmath>

namespace tav::earthing {

namespace {

// Gauss-Legendre on [0, 1] with three points.
constexpr double kNodes3[3] = {0.1127016653792583, 0.5, 0.8872983346207417};
constexpr double kWeights3[3] = {5. / 18, 8. / 18, 5. / 18};
// And with two, of equal weight.
constexpr double kGauss2[2] = {0.2113248654051871, 0.7886751345948129};

} // namespace

Coupling::Coupling(const std::vector<Segment> &segments, const DepthClasses &classes,
                   const SoilImages &images, const KernelTables &tables,
                   const KernelSettings &settings)
    : m_segments(segments), m_classOf(classes.ofSegment), m_images(images), m_tables(tables),
      m_settings(settings) {
    for (const Segment &s : segments) {
        const Vec3 m = s.middle();
        const bool horizontal = s.kind == SegmentKind::Horizontal;
        const double h = std::hypot(s.u.x, s.u.y);
        m_far.x.push_back(m.x);
        m_far.y.push_back(m.y);
        m_far.ux.push_back(horizontal ? s.u.x / h : 0);
        m_far.uy.push_back(horizontal ? s.u.y / h : 0);
        m_far.k.push_back(horizontal ? s.length * s.length / 24 : 0);
    }
}

Coupling::Samples Coupling::samples(int j) const {
    const Segment &s = m_segments[j];
    Samples samples;
    if (s.kind == SegmentKind::Vertical) {
        samples.count = 1;
        samples.x[0] = s.p.x;
        samples.y[0] = s.p.y;
        samples.w[0] = 1;
        return samples;
    }
    samples.count = 3;
    for (int k = 0; k < 3; ++k) {
        const Vec3 at = s.at(kNodes3[k] * s.length);
        samples.x[k] = at.x;
        samples.y[k] = at.y;
        samples.w[k] = kWeights3[k];
    }
    return samples;
}

Coupling::Samples Coupling::point(const Vec3 &x) {
    Samples observer;
    observer.count = 1;
    observer.x[0] = x.x;
    observer.y[0] = x.y;
    observer.w[0] = 1;
    return observer;
}

double Coupling::segments(int i, int j) const {
    if (m_settings.exact || m_classOf[i] < 0 || m_classOf[j] < 0)
        return exactSegments(i, j);
    const double dx = m_far.x[i] - m_far.x[j];
    const double dy = m_far.y[i] - m_far.y[j];
    const ClassPair &pair = m_tables.pair(m_classOf[i], m_classOf[j]);
    if (dx * dx + dy * dy >= m_settings.far() * m_settings.far())
        return farPair(pair.tables->all, i, j);
    const Segment &a = m_segments[i];
    const Segment &b = m_segments[j];
    double exact = 0;
    for (const Image &image : pair.nearImages)
        exact += image.weight * ImageIntegrals::segmentImage(a, b, image);
    return exact / (a.length * b.length) + tabulated(pair.tables->rest, samples(i), samples(j));
}

double Coupling::point(const Vec3 &x, int j) const {
    if (m_settings.exact || m_classOf[j] < 0)
        return exactPoint(x, j);
    const double dx = x.x - m_far.x[j];
    const double dy = x.y - m_far.y[j];
    const ClassPair &pair = m_tables.pair(m_tables.surface(), m_classOf[j]);
    if (dx * dx + dy * dy >= m_settings.far() * m_settings.far())
        return farPoint(pair.tables->all, x.x, x.y, j);
    const Segment &b = m_segments[j];
    double exact = 0;
    for (const Image &image : pair.nearImages)
        exact += image.weight * ImageIntegrals::pointImage(x, b, image);
    return exact / b.length + tabulated(pair.tables->rest, point(x), samples(j));
}

double Coupling::exactSegments(int i, int j) const {
    const Segment &a = m_segments[i];
    const Segment &b = m_segments[j];
    double sum = 0;
    for (const Image &image : m_images.images(a.layer, b.layer))
        sum += image.weight * ImageIntegrals::segmentImage(a, b, image);
    return sum / (a.length * b.length) + smoothSegments(i, j);
}

double Coupling::exactPoint(const Vec3 &x, int j) const {
    const Segment &b = m_segments[j];
    double sum = 0;
    for (const Image &image : m_images.images(0, b.layer))
        sum += image.weight * ImageIntegrals::pointImage(x, b, image);
    if (!m_images.green())
        return sum / b.length;
    if (m_classOf[j] >= 0)
        return sum / b.length +
               tabulated(m_tables.pair(m_tables.surface(), m_classOf[j]).tables->smooth, point(x),
                         samples(j));
    return sum / b.length + smoothPoints({x}, b);
}

// What the images leave of the potential in three layers or more, from the pair of
// classes' transform where both segments have one (exact over their depths), else by
// Gauss-Legendre with two points along each: smooth over the thinnest layer.
double Coupling::smoothSegments(int i, int j) const {
    if (!m_images.green())
        return 0;
    if (m_classOf[i] >= 0 && m_classOf[j] >= 0)
        return tabulated(m_tables.pair(m_classOf[i], m_classOf[j]).tables->smooth, samples(i),
                         samples(j));
    const std::array<Vec3, 2> observer = gauss(m_segments[i]);
    return smoothPoints({observer[0], observer[1]}, m_segments[j]);
}

std::array<Vec3, 2> Coupling::gauss(const Segment &s) {
    return {s.at(kGauss2[0] * s.length), s.at(kGauss2[1] * s.length)};
}

double Coupling::smoothPoints(std::initializer_list<Vec3> observer, const Segment &b) const {
    const LayeredGreen *green = m_images.green();
    double sum = 0;
    for (const Vec3 &x : observer)
        for (const Vec3 &y : gauss(b))
            sum += green->smooth(std::hypot(x.x - y.x, x.y - y.y), {x.z, x.z}, {y.z, y.z});
    return sum / double(2 * observer.size());
}

} // namespace tav::earthing
