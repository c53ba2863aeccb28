#include "core/soilmodel/TwoLayerLeastSquares.h"

#include "core/soilmodel/ImageSeries.h"

#include <unsupported/Eigen/LevenbergMarquardt>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace tav {

namespace {

using Eigen::VectorXd;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// ln(rho2/rho1) of the scan, each with either sign: |K| = 0.10, 0.29, 0.54, 0.80, 0.94, 0.995.
// Without the faint contrasts a thick top layer over a like one is mistaken for a strong
// contrast further down.
constexpr std::array<double, 6> kScanContrast = {0.2, 0.6, 1.2, 2.2, 3.5, 6.0};
constexpr int kScanDepths = 8;
constexpr double kScanMargin = 4.6;    // ln 100: h from a hundredth of the least spacing
constexpr double kMaxContrast = 20.72; // ln 1e9
constexpr double kDepthMargin = 6.91;  // ln 1000
// Step of the forward differences in ln(rho2/rho1) and ln h.
constexpr double kStep = 1e-7;

// The readings scaled to a geometric mean of 1 in spacing and in resistivity, so that
// nothing the fit tries can overflow; parameters are ln rho1, ln(rho2/rho1), ln h.
struct Sounding {
    std::vector<double> spacings;
    std::vector<double> measured;
    double spacingScale = 1;
    double resistivityScale = 1;
    std::array<double, 3> lower{};
    std::array<double, 3> upper{};
};

double geometricMean(const std::vector<double> &values) {
    double sum = 0;
    for (const double v : values)
        sum += std::log(v);
    return std::exp(sum / values.size());
}

Sounding scale(const std::vector<WennerReading> &readings) {
    Sounding s;
    for (const WennerReading &r : readings) {
        s.spacings.push_back(r.spacing);
        s.measured.push_back(r.resistivity);
    }
    s.spacingScale = geometricMean(s.spacings);
    s.resistivityScale = geometricMean(s.measured);
    for (double &a : s.spacings)
        a /= s.spacingScale;
    for (double &m : s.measured)
        m /= s.resistivityScale;
    const auto [aMin, aMax] = std::minmax_element(s.spacings.begin(), s.spacings.end());
    const auto [mMin, mMax] = std::minmax_element(s.measured.begin(), s.measured.end());
    s.lower = {std::log(*mMin) - kMaxContrast, -kMaxContrast, std::log(*aMin) - kDepthMargin};
    s.upper = {std::log(*mMax) + kMaxContrast, kMaxContrast, std::log(*aMax) + kDepthMargin};
    return s;
}

// rho_a / rho1 at every spacing.
std::vector<double> apparentShape(const Sounding &s, double contrast, double logDepth) {
    const double h = std::exp(logDepth);
    const double rho2 = std::exp(contrast);
    std::vector<double> shape(s.spacings.size());
    for (std::size_t i = 0; i < shape.size(); ++i)
        shape[i] = 1 + 4 * ImageSeries::sum(1, rho2, 2 * h / s.spacings[i]);
    return shape;
}

struct Point {
    std::array<double, 3> p{};
    double sumOfSquares = kInfinity;
};

// The best rho1 for a shape has a closed form: the relative errors are rho1 g - 1.
Point bestScale(const Sounding &s, double contrast, double logDepth) {
    const std::vector<double> shape = apparentShape(s, contrast, logDepth);
    double sum = 0;
    double squares = 0;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const double g = shape[i] / s.measured[i];
        sum += g;
        squares += g * g;
    }
    if (!(squares > 0) || !std::isfinite(squares))
        return {};
    const double rho1 = sum / squares;
    return {{std::log(rho1), contrast, logDepth}, shape.size() - sum * rho1};
}

// The best scan point for each sign of K.
std::array<Point, 2> scan(const Sounding &s) {
    std::array<Point, 2> best;
    for (int d = 0; d < kScanDepths; ++d) {
        const double first = s.lower[2] + kDepthMargin - kScanMargin;
        const double last = s.upper[2] - kDepthMargin + kScanMargin;
        const double logDepth = first + (last - first) * d / (kScanDepths - 1);
        for (const double contrast : kScanContrast)
            for (int sign = 0; sign < 2; ++sign) {
                const Point point = bestScale(s, sign == 0 ? contrast : -contrast, logDepth);
                if (point.sumOfSquares < best[sign].sumOfSquares)
                    best[sign] = point;
            }
    }
    return best;
}

struct Residuals : Eigen::DenseFunctor<double> {
    const Sounding &s;
    // The shape at the last point evaluated, where Levenberg-Marquardt asks for the
    // Jacobian next once a step is taken.
    std::array<double, 3> last{};
    std::vector<double> lastShape;

    explicit Residuals(const Sounding &sounding)
        : DenseFunctor(3, static_cast<int>(sounding.measured.size())), s(sounding) {}

    std::array<double, 3> clamped(const VectorXd &p) const {
        std::array<double, 3> c{};
        for (int k = 0; k < 3; ++k)
            c[k] = std::clamp(p[k], s.lower[k], s.upper[k]);
        return c;
    }

    const std::vector<double> &shapeAt(const std::array<double, 3> &c) {
        if (lastShape.empty() || c[1] != last[1] || c[2] != last[2]) {
            lastShape = apparentShape(s, c[1], c[2]);
            last = c;
        }
        return lastShape;
    }

    int operator()(const VectorXd &p, VectorXd &r) {
        const std::array<double, 3> c = clamped(p);
        const std::vector<double> &shape = shapeAt(c);
        const double rho1 = std::exp(c[0]);
        for (std::size_t i = 0; i < shape.size(); ++i)
            r[i] = rho1 * shape[i] / s.measured[i] - 1;
        return 0;
    }

    // d/d ln rho1 is exact; the other two by forward differences. Zero beyond the bounds,
    // which stops the search there.
    int df(const VectorXd &p, JacobianType &j) {
        const std::array<double, 3> c = clamped(p);
        const double rho1 = std::exp(c[0]);
        const std::vector<double> shape = shapeAt(c);
        const std::vector<double> byContrast = apparentShape(s, c[1] + kStep, c[2]);
        const std::vector<double> byDepth = apparentShape(s, c[1], c[2] + kStep);
        for (std::size_t i = 0; i < shape.size(); ++i) {
            const double scale = rho1 / s.measured[i];
            j(i, 0) = p[0] == c[0] ? scale * shape[i] : 0;
            j(i, 1) = p[1] == c[1] ? scale * (byContrast[i] - shape[i]) / kStep : 0;
            j(i, 2) = p[2] == c[2] ? scale * (byDepth[i] - shape[i]) / kStep : 0;
        }
        return 0;
    }
};

Point refine(const Sounding &s, const Point &start) {
    Residuals residuals(s);
    Eigen::LevenbergMarquardt<Residuals> lm(residuals);
    lm.setFtol(1e-15);
    lm.setXtol(1e-13);
    lm.setMaxfev(60);
    VectorXd p(3);
    for (int k = 0; k < 3; ++k)
        p[k] = start.p[k];
    lm.minimize(p);
    Point end{residuals.clamped(p), 0};
    VectorXd r(s.measured.size());
    residuals(p, r);
    end.sumOfSquares = r.squaredNorm();
    return std::isfinite(end.sumOfSquares) && end.sumOfSquares < start.sumOfSquares ? end : start;
}

} // namespace

LayeredFit fitTwoLayers(const std::vector<WennerReading> &readings) {
    const Sounding s = scale(readings);
    Point best;
    for (const Point &start : scan(s)) {
        if (!std::isfinite(start.sumOfSquares))
            continue;
        const Point end = refine(s, start);
        if (end.sumOfSquares < best.sumOfSquares)
            best = end;
    }
    const double rho1 = std::exp(best.p[0]);
    TwoLayerSoil soil{rho1 * s.resistivityScale, rho1 * std::exp(best.p[1]) * s.resistivityScale,
                      std::exp(best.p[2]) * s.spacingScale};
    return {soil, best.sumOfSquares};
}

} // namespace tav
