#pragma once

#include "core/RowLengths.h"

#include <array>
#include <functional>
#include <vector>

namespace tav {

// Ids of the language module's messages that refuse a rod design.
inline constexpr unsigned kMsgTargetResistance = 123;
inline constexpr unsigned kMsgSoilResistivity = 124;

// The record behind the vertical and the horizontal rod form.
struct RodDesignRecord {
    int m_nLengthFrom = 0;
    int m_nLengthTo = 0;
    float m_fTargetResistance = 0;
    float m_fRodDiameter = 0;
    float m_fSoilResistivity = 0;
    std::array<int, kRodRows> m_nRowLength{};
    std::array<double, kRodRows> m_dRowResistance{};
    std::array<double, kRodRows> m_dIonBags{};
    std::array<double, kRodRows> m_dActiveBags{};
    std::vector<float> m_fRodQuantity; // one per rod model, in field order
};

// What tells the two rod forms apart.
struct RodDesignParameters {
    // Earth resistance (ohm) of one row from the soil resistivity (ohm m) and the row
    // length (m).
    std::function<double(float soilResistivity, int length)> resistance;
    double boreArea = 0;           // m^2
    std::vector<int> modelLengths; // m, in field order
};

struct RodDesignOutcome {
    unsigned refusal = 0; // 0, or the id of the message that refuses the inputs
    int selectedRow = -1; // the row that meets the target, -1 for none
};

// Fills the table and the rod quantities of the record from its five inputs, or
// refuses them (target first) and leaves the record as it was. A row whose resistance
// has no finite value is stored as NaN and never meets the target.
RodDesignOutcome CalculateRodDesign(RodDesignRecord &record, const RodDesignParameters &parameters);

} // namespace tav
