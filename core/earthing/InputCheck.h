#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/errors.h"

#include <optional>

namespace tav::earthing {

// What the solver refuses before it cuts a conductor: the first fault found, soil and
// options first, then the conductors in order, then their groups, the points, the
// segments they would make at the least, and conductors that overlap: whatever looks at
// one item at a time comes before what looks at pairs.
class InputCheck {
public:
    static constexpr int kMaxPoints = 100000;

    static std::optional<Refusal> check(const EarthingInput &input);

private:
    static std::optional<Refusal> checkNumbers(const EarthingInput &input);
    static std::optional<Refusal> checkConductor(const Conductor &c, int number);
    static std::optional<Refusal> checkGroups(const EarthingInput &input);
    static std::optional<Refusal> checkSegments(const EarthingInput &input);
    static std::optional<Refusal> checkOverlaps(const EarthingInput &input);
};

} // namespace tav::earthing
