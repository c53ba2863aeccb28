#include "core/soilmodel/LayersSearch.h"

#include "core/soilmodel/LayeredSensitivity.h"

#include <unsupported/Eigen/LevenbergMarquardt>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace tav {

namespace {

using Eigen::VectorXd;

constexpr double kResistivityMargin = 13.82; // ln 1e6
constexpr double kThicknessMargin = 6.91;    // ln 1000

double logMean(const std::vector<double> &values) {
    double sum = 0;
    for (const double v : values)
        sum += std::log(v);
    return sum / static_cast<double>(values.size());
}

} // namespace

LayersSearch::LayersSearch(const std::vector<SoundingReading> &readings, int layers)
    : m_layers(layers) {
    std::vector<double> spacings;
    std::vector<double> measured;
    for (const SoundingReading &r : readings) {
        spacings.push_back(r.spacing);
        measured.push_back(r.resistivity);
    }
    m_spacingScale = std::exp(logMean(spacings));
    m_resistivityScale = std::exp(logMean(measured));
    for (SoundingReading r : readings) {
        r.spacing /= m_spacingScale;
        r.halfPotentialSpacing /= m_spacingScale;
        r.resistivity /= m_resistivityScale;
        m_scaled.push_back(r);
        m_measured.push_back(r.resistivity);
    }
    std::vector<std::size_t> order(m_scaled.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return m_scaled[a].spacing < m_scaled[b].spacing;
    });
    for (const std::size_t i : order) {
        m_logSpacings.push_back(std::log(m_scaled[i].spacing));
        m_logCurve.push_back(std::log(m_measured[i]));
    }
    const auto [mMin, mMax] = std::minmax_element(m_logCurve.begin(), m_logCurve.end());
    for (int i = 0; i < layers; ++i) {
        m_lower.push_back(*mMin - kResistivityMargin);
        m_upper.push_back(*mMax + kResistivityMargin);
    }
    for (int i = 0; i + 1 < layers; ++i) {
        m_lower.push_back(m_logSpacings.front() - kThicknessMargin);
        m_upper.push_back(m_logSpacings.back() + kThicknessMargin);
    }
}

LayeredSoil LayersSearch::soil(const Parameters &p) const {
    LayeredSoil s;
    for (int i = 0; i < m_layers; ++i)
        s.resistivities.push_back(std::exp(p[static_cast<std::size_t>(i)]) * m_resistivityScale);
    for (int i = 0; i + 1 < m_layers; ++i)
        s.thicknesses.push_back(std::exp(p[static_cast<std::size_t>(thicknessIndex(i))]) *
                                m_spacingScale);
    return s;
}

LayersSearch::Parameters LayersSearch::parametersOf(const LayeredSoil &s) const {
    Parameters p;
    for (const double rho : s.resistivities)
        p.push_back(std::log(rho / m_resistivityScale));
    for (const double h : s.thicknesses)
        p.push_back(std::log(h / m_spacingScale));
    return p;
}

LayeredSoil LayersSearch::scaledSoil(const Parameters &p) const {
    LayeredSoil s;
    for (int i = 0; i < m_layers; ++i)
        s.resistivities.push_back(std::exp(p[static_cast<std::size_t>(i)]));
    for (int i = 0; i + 1 < m_layers; ++i)
        s.thicknesses.push_back(std::exp(p[static_cast<std::size_t>(thicknessIndex(i))]));
    return s;
}

std::vector<double> LayersSearch::model(const Parameters &p) const {
    const LayeredSoil s = scaledSoil(p);
    std::vector<double> m;
    m.reserve(m_scaled.size());
    for (const SoundingReading &r : m_scaled)
        m.push_back(s.apparentResistivity(r));
    return m;
}

double LayersSearch::sumOfSquares(const Parameters &p) const {
    const std::vector<double> m = model(p);
    double sum = 0;
    for (std::size_t i = 0; i < m.size(); ++i) {
        const double e = m[i] / m_measured[i] - 1;
        sum += e * e;
    }
    return std::isfinite(sum) ? sum : std::numeric_limits<double>::infinity();
}

LayersSearch::Point LayersSearch::bestScale(Parameters p) const {
    const std::vector<double> m = model(p);
    double sum = 0;
    double squares = 0;
    for (std::size_t i = 0; i < m.size(); ++i) {
        const double g = m[i] / m_measured[i];
        sum += g;
        squares += g * g;
    }
    if (!(squares > 0) || !std::isfinite(squares))
        return {};
    const double scale = sum / squares;
    const double shift = std::log(scale);
    bool clamped = false;
    for (int i = 0; i < m_layers; ++i) {
        double &rho = p[static_cast<std::size_t>(i)];
        const double moved = std::clamp(rho + shift, m_lower[static_cast<std::size_t>(i)],
                                        m_upper[static_cast<std::size_t>(i)]);
        clamped = clamped || moved != rho + shift;
        rho = moved;
    }
    if (clamped)
        return {p, sumOfSquares(p)};
    double squaresOfErrors = 0;
    for (std::size_t i = 0; i < m.size(); ++i) {
        const double e = scale * (m[i] / m_measured[i]) - 1;
        squaresOfErrors += e * e;
    }
    return {p, squaresOfErrors};
}

struct LayersSearch::Residuals : Eigen::DenseFunctor<double> {
    const LayersSearch &s;
    Parameters base;
    std::vector<int> free;
    const Hold *hold;

    Residuals(const LayersSearch &search, const Parameters &start, std::vector<int> searched,
              const Hold *held)
        : DenseFunctor(static_cast<int>(searched.size()),
                       static_cast<int>(search.m_measured.size())),
          s(search), base(start), free(std::move(searched)), hold(held) {}

    // The full parameters of x, each within its bounds; false where x lies beyond them.
    Parameters full(const VectorXd &x, std::vector<bool> *inside = nullptr) const {
        Parameters p = base;
        for (std::size_t i = 0; i < free.size(); ++i) {
            const auto k = static_cast<std::size_t>(free[i]);
            const double v = x[static_cast<Eigen::Index>(i)];
            p[k] = std::clamp(v, s.m_lower[k], s.m_upper[k]);
            if (inside)
                inside->push_back(p[k] == v);
        }
        if (hold) {
            const auto k = static_cast<std::size_t>(hold->index);
            p[k] = hold->value;
            if (hold->tie >= 0)
                p[k] += hold->sign * p[static_cast<std::size_t>(hold->tie)];
            p[k] = std::clamp(p[k], s.m_lower[k], s.m_upper[k]);
        }
        return p;
    }

    void residuals(const std::vector<double> &m, VectorXd &r) const {
        for (std::size_t i = 0; i < m.size(); ++i)
            r[static_cast<Eigen::Index>(i)] = m[i] / s.m_measured[i] - 1;
    }

    int operator()(const VectorXd &x, VectorXd &r) const {
        residuals(s.model(full(x)), r);
        return 0;
    }

    // From the filter's derivatives of Pekeris' recursion: one pass over the readings
    // instead of one per parameter. Zero beyond the bounds, which stops the search there.
    int df(const VectorXd &x, JacobianType &j) const {
        std::vector<bool> inside;
        const Parameters p = full(x, &inside);
        const LayeredSoil soil = s.scaledSoil(p);
        std::vector<double> gradient;
        for (std::size_t i = 0; i < s.m_scaled.size(); ++i) {
            LayeredSensitivity::apparent(soil, s.m_scaled[i], gradient);
            if (hold && hold->tie >= 0)
                gradient[static_cast<std::size_t>(hold->tie)] +=
                    hold->sign * gradient[static_cast<std::size_t>(hold->index)];
            for (std::size_t c = 0; c < free.size(); ++c)
                j(static_cast<Eigen::Index>(i), static_cast<Eigen::Index>(c)) =
                    inside[c] ? gradient[static_cast<std::size_t>(free[c])] / s.m_measured[i] : 0;
        }
        return 0;
    }
};

LayersSearch::Point LayersSearch::refineOver(const Point &start, const Hold *hold,
                                             int evaluations) const {
    std::vector<int> free;
    for (int k = 0; k < parameters(); ++k)
        if (!hold || k != hold->index)
            free.push_back(k);
    if (free.empty())
        return start;
    Residuals residuals(*this, start.p, free, hold);
    Eigen::LevenbergMarquardt<Residuals> lm(residuals);
    // A fit with a parameter held only tells whether its sum of squares lies within the
    // profile's tolerance: a few digits.
    lm.setFtol(hold ? 1e-6 : 1e-12);
    lm.setXtol(hold ? 1e-5 : 1e-10);
    lm.setMaxfev(evaluations);
    VectorXd x(static_cast<Eigen::Index>(free.size()));
    for (std::size_t i = 0; i < free.size(); ++i)
        x[static_cast<Eigen::Index>(i)] = start.p[static_cast<std::size_t>(free[i])];
    lm.minimize(x);
    const Parameters p = residuals.full(x);
    const Point end{p, sumOfSquares(p)};
    return end.sumOfSquares < start.sumOfSquares ? end : start;
}

LayersSearch::Point LayersSearch::refine(const Point &start, int evaluations) const {
    return refineOver(start, nullptr, evaluations);
}

LayersSearch::Point LayersSearch::refineHolding(const Point &start, const Hold &hold,
                                                int evaluations) const {
    Point held = start;
    Residuals r(*this, start.p, {}, &hold);
    held.p = r.full(VectorXd());
    held.sumOfSquares = sumOfSquares(held.p);
    return refineOver(held, &hold, evaluations);
}

} // namespace tav
