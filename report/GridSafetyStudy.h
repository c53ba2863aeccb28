#pragma once

#include "core/ConductorSizing.h"
#include "core/FaultCurrent.h"
#include "core/GridSafety.h"

#include <optional>
#include <vector>

// A grid checked after IEEE Std 80: the grid and the person on it, the fault that drives
// its current, and the conductor sized for the fault. The soil-safety window and tav-calc
// safety evaluate it the same way.
struct GridSafetyStudy {
    // Its grid current is used unless the fault is given.
    tav::GridSafetyInput grid;
    // IG = Df Sf 3I0, over the grid's fault duration.
    std::optional<tav::FaultCurrentInput> fault;
    std::optional<tav::ConductorSizingInput> conductor;
};

struct GridSafetyOutcome {
    // Of the fault current or the grid; then there is no safety result.
    std::optional<tav::Refusal> refusal;
    std::optional<tav::FaultCurrentResult> fault;
    std::optional<tav::GridSafetyResult> safety;
    std::optional<tav::Refusable<tav::ConductorSize>> conductor;
    // The grid's cautions, then the conductor's.
    std::vector<tav::Caution> cautions;

    static GridSafetyOutcome evaluate(const GridSafetyStudy &study);
};
