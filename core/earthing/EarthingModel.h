#pragma once

#include "core/earthing/Coupling.h"
#include "core/earthing/DepthClass.h"
#include "core/earthing/KernelSettings.h"
#include "core/earthing/KernelTables.h"
#include "core/earthing/Segment.h"
#include "core/earthing/SoilImages.h"

#include <memory>
#include <vector>

namespace tav::earthing {

// What a solve builds and the evaluation of potentials after it needs: the segments in
// the solver's order (by depth class), their classes, the image series, the tables and
// the coefficients over them. It stays where it was made, the parts referring to each
// other.
struct EarthingModel {
    std::vector<Segment> segments;
    DepthClasses classes;
    KernelSettings settings;
    std::unique_ptr<SoilImages> images;
    std::unique_ptr<KernelTables> tables;
    std::unique_ptr<Coupling> coupling;

    EarthingModel() = default;
    EarthingModel(const EarthingModel &) = delete;
    EarthingModel &operator=(const EarthingModel &) = delete;
};

} // namespace tav::earthing
