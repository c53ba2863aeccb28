#pragma once

#include "core/errors.h"

#include <atomic>
#include <optional>
#include <vector>

namespace tav::earthing {

// What every potential a solve gives must be before a verdict rests on it: a number, and
// within the range the physics allows. The soil holds no source but the metal, so that
// its potential has no maximum or minimum inside it (the maximum principle of
// div(grad V / rho) = 0, which holds however the resistivity changes from layer to
// layer): every potential in the soil and on its surface lies between the lowest and the
// highest of the groups' potentials and remote earth's 0. A value beyond them by more
// than the solution's own accuracy was not computed faithfully.
//
// The values are taken as they are computed, on every core; the first fault is kept.
class PotentialCheck {
public:
    // The shares of the range a potential may pass its ends by. Below remote earth only by
    // the tables' rounding; above the energised metal by what the segments' even leakage
    // gives where a conductor comes to the surface (a rod from the surface cut into one
    // segment stands 5 % above its mean potential at its top).
    static constexpr double kBelow = 1e-3;
    static constexpr double kAbove = 0.1;

    // The groups' potentials (V), group 0 first: the range is what remote earth and group
    // 0, the only one taking current, span; the groups are checked against it themselves.
    explicit PotentialCheck(const std::vector<double> &groups);
    PotentialCheck(const PotentialCheck &) = delete;
    PotentialCheck &operator=(const PotentialCheck &) = delete;

    void take(double potential) const;
    void take(const std::vector<double> &potentials) const;

    // The first fault: a potential without a finite value (Quantity::SurfacePotential
    // not finite), or one beyond the range (its value, the lowest and highest allowed);
    // about the quantity given.
    std::optional<Refusal> refusal(Quantity quantity) const;

    double lowest() const { return m_lowest; }
    double highest() const { return m_highest; }

private:
    enum State : int { Sound = 0, Beyond = 1, NotFinite = 2 };

    double m_lowest = 0;
    double m_highest = 0;
    double m_below = 0; // the least and greatest taken
    double m_above = 0;
    mutable std::atomic<int> m_state{Sound};
    mutable std::atomic<double> m_found{0};
};

} // namespace tav::earthing
