#include "core/soilmodel/LayeredSearch.h"

#include "core/soilmodel/ImageSeries.h"

#include <unsupported/Eigen/LevenbergMarquardt>

#include <algorithm>
#include <cmath>

namespace tav {

namespace {

using Eigen::VectorXd;

constexpr double kMaxContrast = 20.72; // ln 1e9
// Step of the forward differences in ln(rho2/rho1) and ln h.
constexpr double kStep = 1e-7;

double geometricMean(const std::vector<double> &values) {
    double sum = 0;
    for (const double v : values)
        sum += std::log(v);
    return std::exp(sum / values.size());
}

} // namespace

LayeredSearch::LayeredSearch(const std::vector<WennerReading> &readings) {
    for (const WennerReading &r : readings) {
        m_spacings.push_back(r.spacing);
        m_measured.push_back(r.resistivity);
    }
    m_spacingScale = geometricMean(m_spacings);
    m_resistivityScale = geometricMean(m_measured);
    for (double &a : m_spacings)
        a /= m_spacingScale;
    for (double &m : m_measured)
        m /= m_resistivityScale;
    const auto [aMin, aMax] = std::minmax_element(m_spacings.begin(), m_spacings.end());
    const auto [mMin, mMax] = std::minmax_element(m_measured.begin(), m_measured.end());
    m_lower = {std::log(*mMin) - kMaxContrast, -kMaxContrast, std::log(*aMin) - kDepthMargin};
    m_upper = {std::log(*mMax) + kMaxContrast, kMaxContrast, std::log(*aMax) + kDepthMargin};
    const std::size_t first = static_cast<std::size_t>(aMin - m_spacings.begin());
    const std::size_t last = static_cast<std::size_t>(aMax - m_spacings.begin());
    m_endContrast = std::log(m_measured[last] / m_measured[first]);
}

namespace {

// rho_a / rho1 at every spacing.
std::vector<double> apparentShape(const std::vector<double> &spacings, double contrast,
                                  double logDepth) {
    const double h = std::exp(logDepth);
    const double rho2 = std::exp(contrast);
    std::vector<double> shape(spacings.size());
    for (std::size_t i = 0; i < shape.size(); ++i)
        shape[i] = 1 + 4 * ImageSeries::sum(1, rho2, 2 * h / spacings[i]);
    return shape;
}

} // namespace

LayeredSearch::Point LayeredSearch::bestScale(double contrast, double logDepth) const {
    const std::vector<double> shape = apparentShape(m_spacings, contrast, logDepth);
    double sum = 0;
    double squares = 0;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const double g = shape[i] / m_measured[i];
        sum += g;
        squares += g * g;
    }
    if (!(squares > 0) || !std::isfinite(squares))
        return {};
    const double rho1 = sum / squares;
    return {{std::log(rho1), contrast, logDepth}, shape.size() - sum * rho1};
}

struct LayeredSearch::Residuals : Eigen::DenseFunctor<double> {
    const LayeredSearch &s;
    Parameters held; // the parameters that are not searched keep these values
    std::vector<int> free;
    // The shape at the last point evaluated, where Levenberg-Marquardt asks for the
    // Jacobian next once a step is taken.
    Parameters last{};
    std::vector<double> lastShape;

    Residuals(const LayeredSearch &search, const Parameters &start, std::vector<int> searched)
        : DenseFunctor(static_cast<int>(searched.size()),
                       static_cast<int>(search.m_measured.size())),
          s(search), held(start), free(std::move(searched)) {}

    Parameters clamped(const VectorXd &x) const {
        Parameters c = held;
        for (std::size_t i = 0; i < free.size(); ++i) {
            const int k = free[i];
            c[k] = std::clamp(x[static_cast<Eigen::Index>(i)], s.m_lower[k], s.m_upper[k]);
        }
        return c;
    }

    const std::vector<double> &shapeAt(const Parameters &c) {
        if (lastShape.empty() || c[Contrast] != last[Contrast] || c[LogDepth] != last[LogDepth]) {
            lastShape = apparentShape(s.m_spacings, c[Contrast], c[LogDepth]);
            last = c;
        }
        return lastShape;
    }

    int operator()(const VectorXd &x, VectorXd &r) {
        const Parameters c = clamped(x);
        const std::vector<double> &shape = shapeAt(c);
        const double rho1 = std::exp(c[LogRho1]);
        for (std::size_t i = 0; i < shape.size(); ++i)
            r[static_cast<Eigen::Index>(i)] = rho1 * shape[i] / s.m_measured[i] - 1;
        return 0;
    }

    // d/d ln rho1 is exact; the other two by forward differences. Zero beyond the bounds,
    // which stops the search there.
    int df(const VectorXd &x, JacobianType &j) {
        const Parameters c = clamped(x);
        const double rho1 = std::exp(c[LogRho1]);
        const std::vector<double> shape = shapeAt(c);
        for (std::size_t column = 0; column < free.size(); ++column) {
            const int k = free[column];
            const auto col = static_cast<Eigen::Index>(column);
            const bool inside = x[col] == c[k];
            std::vector<double> moved;
            if (k == Contrast)
                moved = apparentShape(s.m_spacings, c[Contrast] + kStep, c[LogDepth]);
            else if (k == LogDepth)
                moved = apparentShape(s.m_spacings, c[Contrast], c[LogDepth] + kStep);
            for (std::size_t i = 0; i < shape.size(); ++i) {
                const double scale = rho1 / s.m_measured[i];
                const double slope =
                    k == LogRho1 ? scale * shape[i] : scale * (moved[i] - shape[i]) / kStep;
                j(static_cast<Eigen::Index>(i), col) = inside ? slope : 0;
            }
        }
        return 0;
    }
};

LayeredSearch::Point LayeredSearch::refineOver(const Point &start, const std::vector<int> &free,
                                               int evaluations) const {
    Residuals residuals(*this, start.p, free);
    Eigen::LevenbergMarquardt<Residuals> lm(residuals);
    // A fit with a parameter held only tells whether its sum of squares is within the
    // profile's tolerance: a few digits.
    const bool held = free.size() < 3;
    lm.setFtol(held ? 1e-6 : 1e-15);
    lm.setXtol(held ? 1e-5 : 1e-13);
    lm.setMaxfev(evaluations);
    VectorXd x(static_cast<Eigen::Index>(free.size()));
    for (std::size_t i = 0; i < free.size(); ++i)
        x[static_cast<Eigen::Index>(i)] = start.p[free[i]];
    lm.minimize(x);
    Point end{residuals.clamped(x), 0};
    VectorXd r(static_cast<Eigen::Index>(m_measured.size()));
    residuals(x, r);
    end.sumOfSquares = r.squaredNorm();
    return std::isfinite(end.sumOfSquares) && end.sumOfSquares < start.sumOfSquares ? end : start;
}

LayeredSearch::Point LayeredSearch::refine(const Point &start, int evaluations) const {
    return refineOver(start, {LogRho1, Contrast, LogDepth}, evaluations);
}

LayeredSearch::Point LayeredSearch::refineHolding(const Point &start, Parameter held,
                                                  int evaluations) const {
    std::vector<int> free;
    for (const int k : {LogRho1, Contrast, LogDepth})
        if (k != held)
            free.push_back(k);
    return refineOver(start, free, evaluations);
}

TwoLayerSoil LayeredSearch::soil(const Parameters &p) const {
    const double rho1 = std::exp(p[LogRho1]);
    return {rho1 * m_resistivityScale, rho1 * std::exp(p[Contrast]) * m_resistivityScale,
            std::exp(p[LogDepth]) * m_spacingScale};
}

} // namespace tav
