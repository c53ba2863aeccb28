#pragma once

#include "core/TolerableVoltage.h"
#include "core/earthing/EarthingInput.h"

#include <QString>

#include <optional>
#include <vector>

namespace tav {

// One case of a study: a named variant of its soil, its fault and its criteria, under
// which the study's layout is judged besides the others. What it leaves out is the
// study's own.
struct StudyCase {
    QString name;
    // The soil's layers of the case; none: the study's.
    std::optional<earthing::EarthingSoil> soil;
    // Each layer's resistivity times its factor, from the top (a dry summer: 2 on the top
    // layer, 1 below); empty: as it is.
    std::vector<double> soilScale;
    std::optional<double> current;  // A, the current group 0 takes to earth
    std::optional<double> duration; // s, the fault's
    std::optional<BodyWeight> body;
    // Df: with a network, the network's; with the study's current_basis, the one the case's
    // current is worked out with (fault current x Df x split).
    std::optional<double> decrement;
    // Whether the case gives its own surface layer, and which: none for a season when the
    // crushed rock is waterlogged. It lies where the study's does (safety.surface.area).
    bool surfaceGiven = false;
    std::optional<SurfaceLayer> surface;
    std::optional<Criteria> criteria;
    std::optional<double> footwear; // ohm, EN 50522's R_F1
};

} // namespace tav
