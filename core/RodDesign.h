#pragma once

#include "core/RowLengths.h"
#include "core/errors.h"

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace tav {

// The record behind the vertical and the horizontal rod form.
struct RodDesignRecord {
    int lengthFrom = 0;
    int lengthTo = 0;
    float targetResistance = 0;
    float rodDiameter = 0;
    float soilResistivity = 0;
    std::array<int, kRodRows> rowLength{};
    std::array<double, kRodRows> rowResistance{};
    std::array<double, kRodRows> ionBags{};
    std::array<double, kRodRows> activeBags{};
    std::vector<float> rodQuantity; // one per rod model, in field order
};

// What tells the two rod forms apart.
struct RodDesignParameters {
    // Earth resistance (ohm) of one row from the soil resistivity (ohm m) and the row
    // length (m).
    std::function<double(float soilResistivity, int length)> resistance;
    double boreArea = 0;              // m^2
    double boreRadius = 0;            // m
    std::vector<int> modelLengths;    // m, in field order
    std::optional<float> burialDepth; // m, of a rod that lies at a depth
};

struct RodDesignOutcome {
    // Error::TargetResistance or Error::SoilResistivity when the inputs are refused.
    std::optional<Refusal> refusal;
    int selectedRow = -1; // the row that meets the target, -1 for none
};

// What has no physical sense in a rod design's inputs, for a caller that refuses it before
// calculating (tav-calc; the forms calculate whatever the design calculates): the form's
// own two refusals first, then a length of the range, the rod diameter or the burial depth
// not positive and finite, a rod not thinner than its bore, a rod that lies deeper than the
// shortest length of the range.
std::optional<Refusal> rodDesignInputRefusal(const RodDesignRecord &record,
                                             const RodDesignParameters &parameters);

// Fills the table and the rod quantities of the record from its five inputs, or
// refuses them (target first) and leaves the record as it was. A row whose resistance
// has no finite value is stored as NaN and never meets the target.
RodDesignOutcome CalculateRodDesign(RodDesignRecord &record, const RodDesignParameters &parameters);

} // namespace tav
