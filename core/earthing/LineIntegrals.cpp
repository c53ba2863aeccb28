#include "core/earthing/LineIntegrals.h"

#include <algorithm>
#include <cmath>

namespace tav::earthing::LineIntegrals {

namespace {

// The second antiderivative of 1/sqrt(w^2 + d^2): w asinh(w/d) - sqrt(w^2 + d^2).
double antiderivative(double w, double d) {
    return w * std::asinh(w / d) - std::sqrt(w * w + d * d);
}

// The same for d = 0 without its term -|w| ln d, which cancels between the four corners
// of two intervals without a common inner point.
double antiderivativeOnAxis(double w) {
    const double a = std::abs(w);
    return a > 0 ? a * std::log(2 * a) - a : 0;
}

} // namespace

double pointSegment(const Vec3 &x, const Vec3 &p, const Vec3 &u, double L, double radius) {
    const Vec3 w = x - p;
    const double xi = w.dot(u);
    const Vec3 c = w.cross(u);
    const double d2 = std::max(c.dot(c), radius * radius);
    const double eta = L - xi;
    const double r1 = std::sqrt(xi * xi + d2);
    const double r2 = std::sqrt(eta * eta + d2);
    // r1 + r2 - L = (r1 - xi) + (r2 - eta), each part written without cancellation.
    const double a = xi >= 0 ? d2 / (r1 + xi) : r1 - xi;
    const double b = eta >= 0 ? d2 / (r2 + eta) : r2 - eta;
    return std::log((r1 + r2 + L) / (a + b));
}

double parallelIntervals(double s1, double s2, double t1, double t2, double d) {
    const double w[4] = {s2 - t1, s2 - t2, s1 - t1, s1 - t2};
    const double sign[4] = {1, -1, -1, 1};
    const double scale = std::max({std::abs(w[0]), std::abs(w[1]), std::abs(w[2]), std::abs(w[3])});
    double sum = 0;
    if (d > 1e-12 * scale) {
        for (int k = 0; k < 4; ++k)
            sum += sign[k] * antiderivative(w[k], d);
    } else {
        for (int k = 0; k < 4; ++k)
            sum += sign[k] * antiderivativeOnAxis(w[k]);
    }
    return sum;
}

} // namespace tav::earthing::LineIntegrals
