#pragma once

#include <complex>
#include <optional>
#include <string>
#include <vector>

namespace tav::network {

using Complex = std::complex<double>;

// A conductor's place on the towers, m: its height above the ground and its offset across
// the line from the line's axis.
struct Position {
    double height = 0;
    double offset = 0;
};

// A conductor that takes the fault current back along a line or cable: an earth wire, a
// cable's sheath or armour. From its DC resistance and geometric mean radius (a sheath's or
// armour's mean radius) by Carson's formulas, an earth wire at its place on the towers; or
// its impedances per km as a catalogue gives them.
struct ReturnConductor {
    bool given = false;
    double resistance = 0; // ohm/km
    double gmr = 0;        // m
    Position at;           // an earth wire's
    Complex impedance;     // ohm/km, with earth return
    Complex mutual;        // ohm/km, to the faulted phase or the cable's core
};

// An overhead line from the station to a remote source: its earth wires in spans, a tower
// at each inner node, the remote station's earth at the far end; or going on without end.
struct Line {
    std::string name;
    Complex current;          // A, the remote source's share, along the faulted phase
    std::optional<int> spans; // none: endless
    double span = 0;          // m, each span's length
    // ohm: one for every tower, or one per inner tower (spans - 1) from the station out.
    std::vector<double> towerResistance;
    double remoteResistance = 0; // ohm, the remote station's earth; a finite line's
    std::vector<ReturnConductor> earthWires;
    Position phase; // the faulted phase, for earth wires given by their places
};

// A cable from the station to a remote source, its sheath (and armour) bonded to earth at
// both ends: one span, no towers.
struct Cable {
    std::string name;
    Complex current;             // A, along the faulted core
    double length = 0;           // m
    double remoteResistance = 0; // ohm
    ReturnConductor sheath;
    std::optional<ReturnConductor> armour;
};

// What feeds a phase-to-earth fault in the station: the lines and cables that bring the
// remote sources' currents, and the local sources' current, which returns through their
// neutral in the station and never enters the soil.
struct Network {
    double frequency = 50;     // Hz, 50 or 60
    double earthReturnRho = 0; // ohm m, for conductors given by their places and radii
    Complex localCurrent;      // A
    std::vector<Line> lines;
    std::vector<Cable> cables;
};

} // namespace tav::network
