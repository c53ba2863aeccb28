#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/errors.h"

#include <optional>

namespace tav::earthing {

// What the solver refuses before it cuts a conductor: the first fault found, soil and
// options first, then the conductors in order, then their groups, the points, and
// conductors that overlap.
class InputCheck {
public:
    static constexpr int kMaxPoints = 100000;
    // Every conductor makes a segment at least: more than the solver's segments are
    // refused before the checks that look at every pair of them.
    static constexpr std::size_t kMaxConductors = 12000;

    static std::optional<Refusal> check(const EarthingInput &input);

private:
    static std::optional<Refusal> checkNumbers(const EarthingInput &input);
    static std::optional<Refusal> checkConductor(const Conductor &c, int number);
    static std::optional<Refusal> checkGroups(const EarthingInput &input);
    static std::optional<Refusal> checkOverlaps(const EarthingInput &input);
};

} // namespace tav::earthing
