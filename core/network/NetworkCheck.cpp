#include "core/network/NetworkCheck.h"

#include "core/network/Carson.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace tav::network {

namespace {

using Field = NetworkPlace::Field;
using Conductor = NetworkPlace::Conductor;

bool positive(double value) {
    return std::isfinite(value) && value > 0;
}

bool finite(Complex value) {
    return std::isfinite(value.real()) && std::isfinite(value.imag());
}

NetworkFault fault(Error error, Quantity quantity, std::vector<double> values, NetworkPlace place) {
    return {Refusal{error, quantity, std::move(values)}, place};
}

std::optional<NetworkFault> notPositive(double value, Quantity quantity, NetworkPlace place) {
    if (positive(value))
        return std::nullopt;
    return fault(Error::NotPositive, quantity, {value}, place);
}

std::optional<NetworkFault> notFinite(Complex value, Quantity quantity, NetworkPlace place) {
    if (finite(value))
        return std::nullopt;
    return fault(Error::NotFinite, quantity,
                 {std::isfinite(value.real()) ? value.imag() : value.real()}, place);
}

// A return conductor given by its impedances per km: a self impedance of positive real
// part, both finite.
std::optional<NetworkFault> checkGiven(const ReturnConductor &c, NetworkPlace place) {
    place.field = Field::Impedance;
    if (!positive(c.impedance.real()))
        return fault(Error::NotPositive, Quantity::SelfImpedance, {c.impedance.real()}, place);
    if (auto f = notFinite(c.impedance, Quantity::SelfImpedance, place))
        return f;
    place.field = Field::Mutual;
    return notFinite(c.mutual, Quantity::MutualImpedance, place);
}

// A conductor given by its resistance and radius: both positive.
std::optional<NetworkFault> checkRadius(const ReturnConductor &c, NetworkPlace place,
                                        Field radius) {
    place.field = Field::Resistance;
    if (auto f = notPositive(c.resistance, Quantity::WireResistance, place))
        return f;
    place.field = radius;
    return notPositive(c.gmr, Quantity::GeometricMeanRadius, place);
}

std::optional<NetworkFault> checkPosition(const Position &at, NetworkPlace place) {
    place.field = Field::Height;
    if (auto f = notPositive(at.height, Quantity::ConductorHeight, place))
        return f;
    place.field = Field::Offset;
    if (!std::isfinite(at.offset))
        return fault(Error::NotFinite, Quantity::ConductorOffset, {at.offset}, place);
    return std::nullopt;
}

bool hasGeometry(const Network &network) {
    for (const Line &line : network.lines)
        for (const ReturnConductor &wire : line.earthWires)
            if (!wire.given)
                return true;
    for (const Cable &cable : network.cables)
        if (!cable.sheath.given || (cable.armour && !cable.armour->given))
            return true;
    return false;
}

} // namespace

std::optional<NetworkFault> NetworkCheck::check(const Network &network) {
    if (!(network.frequency == 50 || network.frequency == 60))
        return fault(Error::NotPowerFrequency, Quantity::Frequency, {network.frequency},
                     {NetworkPlace::Branch::Network, -1, Conductor::None, -1, Field::Frequency});
    if (hasGeometry(network))
        if (auto f = notPositive(
                network.earthReturnRho, Quantity::EarthReturnResistivity,
                {NetworkPlace::Branch::Network, -1, Conductor::None, -1, Field::EarthReturnRho}))
            return f;
    if (auto f = notFinite(
            network.localCurrent, Quantity::SourceCurrent,
            {NetworkPlace::Branch::Network, -1, Conductor::None, -1, Field::LocalCurrent}))
        return f;
    Complex total = network.localCurrent;
    for (std::size_t k = 0; k < network.lines.size(); ++k) {
        if (auto f = checkLine(network, int(k)))
            return f;
        total += network.lines[k].current;
    }
    for (std::size_t k = 0; k < network.cables.size(); ++k) {
        if (auto f = checkCable(network, int(k)))
            return f;
        total += network.cables[k].current;
    }
    if (total == Complex(0))
        return fault(Error::NoFaultCurrent, Quantity::None, {}, {});
    return std::nullopt;
}

std::optional<NetworkFault> NetworkCheck::checkLine(const Network &network, int index) {
    const Line &line = network.lines[std::size_t(index)];
    NetworkPlace at{NetworkPlace::Branch::Line, index, Conductor::None, -1, Field::Current};
    if (auto f = notFinite(line.current, Quantity::SourceCurrent, at))
        return f;
    // Without earth wires the line takes nothing back: its towers do not matter.
    if (line.earthWires.empty())
        return std::nullopt;
    at.field = Field::Spans;
    if (line.spans && *line.spans < 1)
        return fault(Error::NotPositive, Quantity::SpanCount, {double(*line.spans)}, at);
    if (line.spans && *line.spans > kMaxSpans)
        return fault(Error::TooManySpans, Quantity::SpanCount, {double(*line.spans), kMaxSpans},
                     at);
    at.field = Field::Span;
    if (auto f = notPositive(line.span, Quantity::SpanLength, at))
        return f;
    at.field = Field::TowerResistance;
    const std::size_t given = line.towerResistance.size();
    if (!line.spans && given != 1)
        return fault(Error::EndlessTowerList, Quantity::TowerResistance, {double(given)}, at);
    const std::size_t towers = line.spans ? std::size_t(*line.spans - 1) : 1;
    if (given != towers && given != 1)
        return fault(Error::TowerCountMismatch, Quantity::TowerResistance,
                     {double(given), double(towers)}, at);
    for (std::size_t k = 0; k < given; ++k) {
        at.item = given > 1 ? int(k) : -1;
        if (auto f = notPositive(line.towerResistance[k], Quantity::TowerResistance, at))
            return f;
    }
    at.item = -1;
    at.field = Field::RemoteResistance;
    if (line.spans)
        if (auto f = notPositive(line.remoteResistance, Quantity::RemoteResistance, at))
            return f;
    const std::vector<ReturnConductor> &wires = line.earthWires;
    for (std::size_t k = 0; k < wires.size(); ++k) {
        const NetworkPlace wire{NetworkPlace::Branch::Line, index, Conductor::EarthWire, int(k),
                                Field::None};
        if (wires[k].given && wires.size() > 1)
            return fault(Error::GivenImpedanceNotAlone, Quantity::None, {}, wire);
        if (auto f = wires[k].given ? checkGiven(wires[k], wire)
                                    : checkRadius(wires[k], wire, Field::Gmr))
            return f;
        if (!wires[k].given)
            if (auto f = checkPosition(wires[k].at, wire))
                return f;
    }
    if (wires[0].given)
        return std::nullopt;
    const NetworkPlace phase{NetworkPlace::Branch::Line, index, Conductor::Phase, -1, Field::None};
    if (auto f = checkPosition(line.phase, phase))
        return f;
    // A wire's radius below its distance to the phase and to every other wire: else the
    // logarithms of Carson's mutuals lose their sense.
    for (std::size_t k = 0; k < wires.size(); ++k) {
        double nearest = Carson::distance(wires[k].at, line.phase);
        for (std::size_t j = 0; j < wires.size(); ++j)
            if (j != k)
                nearest = std::min(nearest, Carson::distance(wires[k].at, wires[j].at));
        if (!(wires[k].gmr < nearest))
            return fault(
                Error::RadiusNotBelowDistance, Quantity::GeometricMeanRadius,
                {wires[k].gmr, nearest},
                {NetworkPlace::Branch::Line, index, Conductor::EarthWire, int(k), Field::Gmr});
    }
    return std::nullopt;
}

std::optional<NetworkFault> NetworkCheck::checkCable(const Network &network, int index) {
    const Cable &cable = network.cables[std::size_t(index)];
    NetworkPlace at{NetworkPlace::Branch::Cable, index, Conductor::None, -1, Field::Current};
    if (auto f = notFinite(cable.current, Quantity::SourceCurrent, at))
        return f;
    at.field = Field::Length;
    if (auto f = notPositive(cable.length, Quantity::CableLength, at))
        return f;
    at.field = Field::RemoteResistance;
    if (auto f = notPositive(cable.remoteResistance, Quantity::RemoteResistance, at))
        return f;
    const NetworkPlace sheath{NetworkPlace::Branch::Cable, index, Conductor::Sheath, -1,
                              Field::None};
    if (auto f = cable.sheath.given ? checkGiven(cable.sheath, sheath)
                                    : checkRadius(cable.sheath, sheath, Field::MeanRadius))
        return f;
    if (!cable.armour)
        return std::nullopt;
    NetworkPlace armour = sheath;
    armour.conductor = Conductor::Armour;
    if (cable.sheath.given || cable.armour->given)
        return fault(Error::GivenImpedanceNotAlone, Quantity::None, {}, armour);
    if (auto f = checkRadius(*cable.armour, armour, Field::MeanRadius))
        return f;
    armour.field = Field::MeanRadius;
    if (!(cable.armour->gmr > cable.sheath.gmr))
        return fault(Error::ArmourNotOutsideSheath, Quantity::None,
                     {cable.armour->gmr, cable.sheath.gmr}, armour);
    return std::nullopt;
}

std::optional<Refusal> NetworkCheck::checkEarthImpedance(Complex impedance) {
    if (!std::isfinite(impedance.real()) || impedance.real() < 0)
        return Refusal{Error::NegativeOrNotFinite, Quantity::EarthImpedance, {impedance.real()}};
    if (!std::isfinite(impedance.imag()))
        return Refusal{Error::NotFinite, Quantity::EarthImpedance, {impedance.imag()}};
    return std::nullopt;
}

} // namespace tav::network
