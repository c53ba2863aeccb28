#pragma once

#include <array>

// String ids: the current into the earth from the network, and the accuracy of a solve. Included by
// text/StringIds.h.
namespace StringId {

// 7700-7899: the current into the earth from the network of lines and cables that feeds a
// fault in the station.
namespace Network {
// 7700-7714: the quantities, in the order of Quantity's from SpanCount on.
inline constexpr unsigned kQuantities = 7700;
// 7720-7728: the refusals, in the order of Error's from NotFinite on.
inline constexpr unsigned kRefusals = 7720;
// The document's faults: a refusal at its path (path, the refusal's words); a key beside
// the network, which gives the current (path).
inline constexpr unsigned kRefusedAt = 7730;
inline constexpr unsigned kBesideNetwork = 7731;
// What the network gives: the heading; 3I0 (magnitude, angle in degrees), Z_E (R, X),
// I_E (magnitude, angle), Sf (magnitude, angle), the study's current (Df I_E, Df).
inline constexpr unsigned kHeading = 7740;
inline constexpr unsigned kFaultCurrent = 7741;
inline constexpr unsigned kEarthImpedance = 7742;
inline constexpr unsigned kEarthCurrent = 7743;
inline constexpr unsigned kSplitFactor = 7744;
inline constexpr unsigned kStudyCurrent = 7745;
// 7746-7751: the columns of the table of lines and cables: the kind (line or cable), the
// name, r, the chain impedance, the current leaving along the return conductors, the
// remote station's rise.
inline constexpr unsigned kColumns = 7746;
// A line's or cable's kind, by its place in the table: line, cable.
inline constexpr unsigned kKinds = 7752;
// What stands for a figure a line does not have: its remote rise when endless, its chain
// impedance without earth wires.
inline constexpr unsigned kEndless = 7754;
inline constexpr unsigned kNone = 7755;
// The first towers of a line (its name); 7757-7759 their columns: the tower from the
// station, its potential, the current into its footing.
inline constexpr unsigned kTowers = 7756;
inline constexpr unsigned kTowerColumns = 7757;
// A complex number as R + jX or R - jX (R, |X|), and as its magnitude at its angle
// (magnitude, degrees).
inline constexpr unsigned kComplexPlus = 7760;
inline constexpr unsigned kComplexMinus = 7761;
inline constexpr unsigned kPhasor = 7762;
} // namespace Network

// 7900-8099: the current into the earth from the network in the earthing study's report
// and window.
namespace NetworkReport {
inline constexpr unsigned kHeading = 7900;
// The figures' labels: frequency, earth-return resistivity, the local sources' current,
// 3I0, Z_E, I_E, Sf, the station's rise Z_E I_E, the study's current.
inline constexpr unsigned kFrequency = 7901;
inline constexpr unsigned kEarthReturnRho = 7902;
inline constexpr unsigned kLocalCurrent = 7903;
inline constexpr unsigned kFaultCurrent = 7904;
inline constexpr unsigned kEarthImpedance = 7905;
inline constexpr unsigned kEarthCurrent = 7906;
inline constexpr unsigned kSplitFactor = 7907;
inline constexpr unsigned kStationRise = 7908;
inline constexpr unsigned kStudyCurrent = 7909;
inline constexpr unsigned kHertz = 7910;       // (f)
inline constexpr unsigned kDfTimesIe = 7911;   // (Df |I_E|, Df, |I_E|)
inline constexpr unsigned kCurrentFrom = 7912; // the inputs' current (Df |I_E|, Df, |I_E|, |Sf|)
inline constexpr unsigned kNotNeeded = 7913;   // the resistivity, without conductors by place
inline constexpr unsigned kNamed = 7914;       // a line's or cable's return conductors (name, them)
// The method's "not checked" sentence when the current comes from the network.
inline constexpr unsigned kMethodNotChecked = 7915;
// The table of the lines' and cables' data: its heading, then 7921-7926 its columns: the
// name, the current, the spans, the span or length, the towers' footing resistance, the
// remote station's earth resistance; the heading of their return conductors.
inline constexpr unsigned kDataHeading = 7920;
inline constexpr unsigned kDataColumns = 7921;
inline constexpr unsigned kReturnHeading = 7927;
inline constexpr unsigned kChainColumn = 7928;
// The table of what each does with the current (columns as tav-calc's, StringId::Network).
inline constexpr unsigned kFiguresHeading = 7930;
// A line's footing resistances, each its own (lowest, highest, towers).
inline constexpr unsigned kFootingRange = 7931;
// The return conductors: an earth wire by its place (R, GMR, height, offset); by its
// impedances (Z, Z_m); a sheath or armour by its radius (R, mean radius); the sheath, the
// armour (what follows); the faulted phase's place (height, offset); none.
inline constexpr unsigned kWireByPlace = 7932;
inline constexpr unsigned kByImpedance = 7933;
inline constexpr unsigned kByRadius = 7934;
inline constexpr unsigned kSheath = 7935;
inline constexpr unsigned kArmour = 7936;
inline constexpr unsigned kPhaseAt = 7937;
inline constexpr unsigned kNoReturn = 7938;
inline constexpr unsigned kOhmPerKm = 7939;
// The potential a line carries to its first towers (its name).
inline constexpr unsigned kTowers = 7940;
} // namespace NetworkReport

// 7950-8099: the network in the earthing study window: its group, its fields, the tables
// of lines and cables with their buttons and columns (7961-7972 a line's, 7975-7980 a
// cable's), a cell's label (row, column), a new row's name (its number), the commands,
// and its results beside the others (7998-8002 their table's columns).
namespace NetworkWindow {
inline constexpr unsigned kGroup = 7950;
inline constexpr unsigned kFrequency = 7951;
inline constexpr unsigned kEarthReturnRho = 7952;
inline constexpr unsigned kLocalCurrent = 7953;
inline constexpr unsigned kDecrement = 7954;
inline constexpr unsigned kLines = 7955;
inline constexpr unsigned kCables = 7956;
inline constexpr unsigned kAddLine = 7957;
inline constexpr unsigned kRemoveLine = 7958;
inline constexpr unsigned kAddCable = 7959;
inline constexpr unsigned kRemoveCable = 7960;
inline constexpr unsigned kLineColumns = 7961;
inline constexpr unsigned kCableColumns = 7975;
inline constexpr unsigned kLineCell = 7985;
inline constexpr unsigned kCableCell = 7986;
inline constexpr unsigned kLineName = 7987;
inline constexpr unsigned kCableName = 7988;
inline constexpr unsigned kNetworkOn = 7989;
inline constexpr unsigned kNetworkOff = 7990;
inline constexpr unsigned kLine = 7991;
inline constexpr unsigned kCable = 7992;
inline constexpr unsigned kRhoPlaceholder = 7993;
// An earth wire's cell where the line's wires are given by their impedances per km.
inline constexpr unsigned kGivenPerKm = 7994;
inline constexpr unsigned kSplitFactor = 7995;
inline constexpr unsigned kEarthCurrent = 7996;
inline constexpr unsigned kStudyCurrent = 7997;
inline constexpr unsigned kResultColumns = 7998;
} // namespace NetworkWindow

// 7400-7499: the checks of the solver's own numbers (its intermediate values as
// quantities, 7400-7409; its refusals, 7410-7429) and the bounds of the tolerable
// voltages' inputs (7431-7449; above a bound is InputRefusals::kAboveCeiling).
namespace Accuracy {
inline constexpr unsigned kPotentialCoefficients = 7400;
inline constexpr unsigned kLeakageCurrents = 7401;
inline constexpr unsigned kMetalPotential = 7402;
inline constexpr unsigned kSurfacePotential = 7403;
inline constexpr unsigned kPotentialBeyondMetal = 7410;  // (value, lowest, highest)
inline constexpr unsigned kLayerTooThin = 7411;          // (layer, thickness)
inline constexpr unsigned kSurfaceLayerBelowSoil = 7431; // (rho_s, rho, Cs)
} // namespace Accuracy

} // namespace StringId
