#include "core/earthing/PotentialCheck.h"

#include <algorithm>
#include <cmath>

namespace tav::earthing {

PotentialCheck::PotentialCheck(const std::vector<double> &groups) {
    // Floating metal takes no net current: it lies between group 0 and remote earth too.
    const double energised = groups.empty() ? 0 : groups[0];
    m_lowest = std::min(0., energised);
    m_highest = std::max(0., energised);
    const double range = m_highest - m_lowest;
    m_below = m_lowest - kBelow * range;
    m_above = m_highest + kAbove * range;
    take(groups);
}

void PotentialCheck::take(double potential) const {
    int state = Sound;
    if (!std::isfinite(potential) || !std::isfinite(m_above - m_below))
        state = NotFinite;
    else if (potential < m_below || potential > m_above)
        state = Beyond;
    if (state == Sound)
        return;
    int held = m_state.load();
    while (held < state && !m_state.compare_exchange_weak(held, state)) {
    }
    if (held < state)
        m_found.store(potential);
}

void PotentialCheck::take(const std::vector<double> &potentials) const {
    for (const double v : potentials)
        take(v);
}

std::optional<Refusal> PotentialCheck::refusal(Quantity quantity) const {
    switch (m_state.load()) {
    case NotFinite:
        return Refusal{Error::ResultNotFinite, quantity, {}};
    case Beyond:
        return Refusal{
            Error::PotentialBeyondMetal, quantity, {m_found.load(), m_lowest, m_highest}};
    default:
        return std::nullopt;
    }
}

} // namespace tav::earthing
