#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/errors.h"

#include <optional>

namespace tav::earthing {

// What the solver refuses before it cuts a conductor: the first fault found, soil and
// options first, then the conductors in order, then their groups, the points, the
// segments they would make at the least, conductors that overlap and conductors of two
// groups that touch: whatever looks at one item at a time comes before what looks at
// pairs.
class InputCheck {
public:
    static constexpr int kMaxPoints = 100000;
    // Every conductor makes a segment at least: more than the solver's segments are
    // refused before the checks that look at every pair of them.
    static constexpr std::size_t kMaxConductors = 12000;
    // No coordinate of a conductor or a point lies farther from the origin, in m: no
    // earthing system spans more, and a point far out would change the solution through
    // the extent its tables cover.
    static constexpr double kMaxReach = 1e5;
    // The thinnest conductor, in m: a wire thinner has no thin-wire kernel worth solving.
    static constexpr double kMinDiameter = 1e-4;
    // The least current injected, in A: below it the potentials vanish in rounding.
    static constexpr double kMinCurrent = 1e-3;
    // The most current injected, in A: ten mega-amperes is beyond any fault, and the
    // potentials and their squares stay far inside a double.
    static constexpr double kMaxCurrent = 1e7;

    static std::optional<Refusal> check(const EarthingInput &input);

private:
    static std::optional<Refusal> checkNumbers(const EarthingInput &input);
    static std::optional<Refusal> checkLayers(const EarthingSoil &soil);
    static std::optional<Refusal> checkConductor(const Conductor &c, int number);
    static std::optional<Refusal> checkThickness(const Conductor &c, int number, double length);
    static std::optional<Refusal> checkGroups(const EarthingInput &input);
    static std::optional<Refusal> checkTouchPlaces(const EarthingInput &input);
    static std::optional<Refusal> checkPoints(const EarthingInput &input);
    static std::optional<Refusal> checkSegments(const EarthingInput &input);
    // The two searches of pairs: overlaps, then conductors of two groups that touch.
    static std::optional<Refusal> checkPairs(const EarthingInput &input);
};

} // namespace tav::earthing
