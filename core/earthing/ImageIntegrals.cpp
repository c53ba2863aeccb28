#include "core/earthing/ImageIntegrals.h"

#include "core/earthing/LineIntegrals.h"

#include <algorithm>
#include <cmath>

namespace tav::earthing::ImageIntegrals {

namespace {

// Gauss-Legendre on [0, 1].
constexpr double kNodes4[4] = {0.0694318442029737, 0.3300094782075719, 0.6699905217924281,
                               0.9305681557970263};
constexpr double kWeights4[4] = {0.1739274225687269, 0.3260725774312731, 0.3260725774312731,
                                 0.1739274225687269};
constexpr double kNodes8[8] = {0.0198550717512319, 0.1016667612931866, 0.2372337950418355,
                               0.4082826787521751, 0.5917173212478249, 0.7627662049581645,
                               0.8983332387068134, 0.9801449282487681};
constexpr double kWeights8[8] = {0.0506142681451881, 0.1111905172266872, 0.1568533229389436,
                                 0.1813418916891810, 0.1813418916891810, 0.1568533229389436,
                                 0.1111905172266872, 0.0506142681451881};

// The closest points of two segments: the parameter along a and the distance.
void closest(const Segment &a, const Segment &b, double &s, double &distance) {
    const Vec3 w = a.p - b.p;
    const double c = a.u.dot(b.u);
    const double d = a.u.dot(w);
    const double e = b.u.dot(w);
    const double den = 1 - c * c;
    s = std::clamp(den > 1e-12 ? (c * e - d) / den : 0., 0., a.length);
    const double t = std::clamp(e + c * s, 0., b.length);
    s = std::clamp(c * t - d, 0., a.length);
    distance = (a.at(s) - b.at(t)).norm();
}

template <class F>
double gauss(const double *nodes, const double *weights, int n, double a, double b, const F &f) {
    double sum = 0;
    for (int k = 0; k < n; ++k)
        sum += weights[k] * f(a + (b - a) * nodes[k]);
    return (b - a) * sum;
}

// The integral over [from, from + side] (side may be negative) of a function nearly
// singular at from, in intervals doubling from eps.
template <class F> double graded(double from, double side, double eps, const F &f) {
    const double length = std::abs(side);
    const double direction = side < 0 ? -1 : 1;
    double sum = 0;
    double a = 0;
    double width = eps;
    while (a < length) {
        const double b = std::min(length, a + width);
        sum +=
            gauss(kNodes4, kWeights4, 4, a, b, [&](double s) { return f(from + direction * s); });
        a = b;
        if (a > eps)
            width *= 2;
    }
    return sum;
}

} // namespace

Segment imageOf(const Segment &j, double alpha, double beta) {
    Segment image = j;
    image.p.z = alpha * j.p.z + beta;
    image.q.z = alpha * j.q.z + beta;
    image.u.z = alpha * j.u.z;
    return image;
}

double segmentImage(const Segment &i, const Segment &j, const Image &image) {
    const Segment m = imageOf(j, image.alpha, image.beta);
    const double radius = std::max(i.radius, j.radius);
    const Vec3 cross = i.u.cross(m.u);
    if (cross.dot(cross) < 1e-18) {
        const Vec3 w = m.p - i.p;
        const double t1 = w.dot(i.u);
        const double t2 = (m.q - i.p).dot(i.u);
        const double d = std::max((w - i.u * t1).norm(), radius);
        return LineIntegrals::parallelIntervals(0, i.length, std::min(t1, t2), std::max(t1, t2), d);
    }
    const auto inner = [&](double s) {
        return LineIntegrals::pointSegment(i.at(s), m.p, m.u, m.length, j.radius);
    };
    double s = 0;
    double distance = 0;
    closest(i, m, s, distance);
    if (distance >= 2 * i.length)
        return gauss(kNodes4, kWeights4, 4, 0, i.length, inner);
    if (distance >= 0.5 * i.length)
        return gauss(kNodes8, kWeights8, 8, 0, i.length, inner);
    const double eps = std::max({distance, j.radius, 1e-6 * i.length});
    return graded(s, -s, eps, inner) + graded(s, i.length - s, eps, inner);
}

double pointImage(const Vec3 &x, const Segment &j, const Image &image) {
    const Segment m = imageOf(j, image.alpha, image.beta);
    return LineIntegrals::pointSegment(x, m.p, m.u, m.length, j.radius);
}

} // namespace tav::earthing::ImageIntegrals
