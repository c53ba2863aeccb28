#pragma once

#include "core/soilmodel/LayeredSoil.h"
#include "core/soilmodel/SoundingReading.h"

#include <limits>
#include <vector>

namespace tav {

// The least-squares problem of N horizontal layers under readings that
// SoundingReadings::refusal accepts: the sum of squared relative errors
// (model - measured)/measured over ln rho_1 .. ln rho_N, then ln h_1 .. ln h_{N-1}. As in
// LayeredSearch, the readings are scaled to a geometric mean of 1 in spacing and in
// resistivity, so that nothing tried can overflow; each resistivity is searched within
// 1e6 beyond the readings' range, each thickness within a factor of 1000 beyond the least
// and the largest spacing.
class LayersSearch {
public:
    using Parameters = std::vector<double>;

    struct Point {
        Parameters p;
        double sumOfSquares = std::numeric_limits<double>::infinity();
    };

    // A parameter held while the others are searched: p[index] = value, or, with a tie,
    // p[index] = value + sign * p[tie], so that a product or quotient of two parameters
    // stays fixed while both move.
    struct Hold {
        int index = 0;
        double value = 0;
        int tie = -1;
        double sign = 0;
    };

    static constexpr int kEvaluations = 80;

    LayersSearch(const std::vector<SoundingReading> &readings, int layers);

    int layers() const { return m_layers; }
    int parameters() const { return 2 * m_layers - 1; }
    std::size_t readings() const { return m_measured.size(); }
    double lower(int k) const { return m_lower[static_cast<std::size_t>(k)]; }
    double upper(int k) const { return m_upper[static_cast<std::size_t>(k)]; }
    // The index of ln rho_i and of ln h_i, i from 0.
    static int rhoIndex(int layer) { return layer; }
    int thicknessIndex(int layer) const { return m_layers + layer; }
    // ln of the readings' spacings (scaled, ascending) and of their resistivities in that
    // order, for seeds drawn from the curve.
    const std::vector<double> &logSpacings() const { return m_logSpacings; }
    const std::vector<double> &logCurve() const { return m_logCurve; }

    // The point of p with every resistivity moved by the one factor that fits best, in
    // closed form: apparent resistivities scale as the resistivities do.
    Point bestScale(Parameters p) const;
    // Levenberg-Marquardt (Eigen's MINPACK port) from start for at most the given
    // evaluations of the residuals; never worse than start.
    Point refine(const Point &start, int evaluations = kEvaluations) const;
    Point refineHolding(const Point &start, const Hold &hold, int evaluations = kEvaluations) const;
    double sumOfSquares(const Parameters &p) const;

    // The soil of the parameters, in ohm m and m; and the parameters of a soil of this
    // count of layers.
    LayeredSoil soil(const Parameters &p) const;
    Parameters parametersOf(const LayeredSoil &soil) const;

    // The scaled model's apparent resistivities, in the readings' order.
    std::vector<double> model(const Parameters &p) const;

private:
    struct Residuals;

    Point refineOver(const Point &start, const Hold *hold, int evaluations) const;
    LayeredSoil scaledSoil(const Parameters &p) const;

    int m_layers = 1;
    std::vector<SoundingReading> m_scaled;
    std::vector<double> m_measured; // scaled
    std::vector<double> m_logSpacings;
    std::vector<double> m_logCurve;
    double m_spacingScale = 1;
    double m_resistivityScale = 1;
    std::vector<double> m_lower;
    std::vector<double> m_upper;
};

} // namespace tav
