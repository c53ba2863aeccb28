#pragma once

#include "core/soilmodel/WennerReading.h"
#include "studies/soil/ReadingsSheet.h"

#include <optional>
#include <vector>

// What the soil form keeps of its soil model window between openings: the readings table
// as the window last left it, the count of layers asked for, and the form's own readings
// as last handed to it, so that a window opened again shows the readings edited there and
// tells an edit of the form's readings since.
struct KeptReadings {
    std::optional<ReadingsSheet> sheet;
    std::optional<int> layers;
    std::vector<tav::WennerReading> handed;
};
