#pragma once

#include "core/errors.h"
#include "core/network/Network.h"

#include <optional>

namespace tav::network {

// Where in a network a refusal lies, for the caller to name it: the line or cable (its
// index from 0), the conductor of it, the field, and the item of a list (a tower's
// resistance, from 0).
struct NetworkPlace {
    enum class Branch { Network, Line, Cable };
    enum class Conductor { None, EarthWire, Phase, Sheath, Armour };
    enum class Field {
        None,
        Frequency,
        EarthReturnRho,
        LocalCurrent,
        Current,
        Spans,
        Span,
        TowerResistance,
        RemoteResistance,
        Length,
        EarthWires,
        Resistance,
        Gmr,
        MeanRadius,
        Height,
        Offset,
        Impedance,
        Mutual,
    };
    Branch branch = Branch::Network;
    int index = -1;
    Conductor conductor = Conductor::None;
    int wire = -1; // an earth wire's index, from 0
    Field field = Field::None;
    int item = -1;
};

struct NetworkFault {
    Refusal refusal;
    NetworkPlace place;
};

// The checks a network must pass before it is solved, each refusing at its place.
class NetworkCheck {
public:
    // More spans than a line takes: far more than any line has, so that a typing error
    // does not take the memory of millions.
    static constexpr int kMaxSpans = 10000;

    static std::optional<NetworkFault> check(const Network &network);
    // The station's earth impedance: finite, of a real part not below 0.
    static std::optional<Refusal> checkEarthImpedance(Complex impedance);

private:
    static std::optional<NetworkFault> checkLine(const Network &network, int index);
    static std::optional<NetworkFault> checkCable(const Network &network, int index);
};

} // namespace tav::network
