#pragma once

#include "core/earthing/EarthingInput.h"

#include <optional>
#include <vector>

namespace tav::design {

// What a layout costs, per unit.
struct Prices {
    double conductorPerM = 0; // of buried conductor, its trench included
    double rodPerM = 0;       // of rod driven
    // Per m² of the surface layer over the outline; none: the layer is not the design's to
    // choose and stays as the study lays it, at no cost.
    std::optional<double> surfacePerM2;
};

// Where and of what a layout may be made: the outline it fills (a simple polygon, the
// perimeter conductor running along it), the prices, the lengths a rod may have, and the
// depth and diameter of the conductors (the rods' diameter too).
struct DesignBrief {
    std::vector<earthing::Point2> outline;
    Prices prices;
    std::vector<double> rodLengths;
    double depth = 0.5;
    double diameter = 0.01;

    // The ranges a document's design is read within: a grid is buried shallow, and a
    // conductor is thin beside its depth.
    static constexpr double kLeastDepth = 0.1;
    static constexpr double kGreatestDepth = 5;
    static constexpr double kGreatestDiameter = 0.1;
    static constexpr double kGreatestRodLength = 100;
};

} // namespace tav::design
