#pragma once

#include "core/soilmodel/TwoLayerSoil.h"
#include "core/soilmodel/WennerReading.h"

#include <array>
#include <limits>
#include <vector>

namespace tav {

// The least-squares problem of a two-layer soil under Wenner readings that
// WennerReadings::refusal accepts: the sum of squared relative errors
// (model - measured)/measured over the parameters ln rho1, ln(rho2/rho1) and ln h. The
// readings are scaled to a geometric mean of 1 in spacing and in resistivity, so that
// nothing tried can overflow; each parameter is searched within bounds: rho2/rho1 within
// 1e9 either way, h within a factor of 1000 beyond the least and the largest spacing.
class LayeredSearch {
public:
    enum Parameter { LogRho1 = 0, Contrast = 1, LogDepth = 2 };
    using Parameters = std::array<double, 3>;

    struct Point {
        Parameters p{};
        double sumOfSquares = std::numeric_limits<double>::infinity();
    };

    // ln 1000: how far beyond the readings' spacings (in ln h) the depth is searched.
    static constexpr double kDepthMargin = 6.91;

    explicit LayeredSearch(const std::vector<WennerReading> &readings);

    std::size_t readings() const { return m_measured.size(); }
    double lower(Parameter k) const { return m_lower[k]; }
    double upper(Parameter k) const { return m_upper[k]; }
    // ln(rho_last / rho_first), of the readings in spacing order.
    double endContrast() const { return m_endContrast; }

    // The point of this contrast and depth with its best rho1, which has a closed form:
    // the relative errors are rho1 g - 1.
    Point bestScale(double contrast, double logDepth) const;
    // Levenberg-Marquardt (Eigen's MINPACK port) from start, over every parameter or with
    // one held at start's value, for at most the given evaluations of the residuals.
    // Never worse than start.
    static constexpr int kEvaluations = 60;
    Point refine(const Point &start, int evaluations = kEvaluations) const;
    Point refineHolding(const Point &start, Parameter held, int evaluations = kEvaluations) const;

    // The soil of the parameters, in ohm m and m.
    TwoLayerSoil soil(const Parameters &p) const;

private:
    struct Residuals;

    Point refineOver(const Point &start, const std::vector<int> &free, int evaluations) const;

    std::vector<double> m_spacings; // scaled
    std::vector<double> m_measured; // scaled
    double m_spacingScale = 1;
    double m_resistivityScale = 1;
    double m_endContrast = 0;
    Parameters m_lower{};
    Parameters m_upper{};
};

} // namespace tav
