#pragma once

#include "core/TolerableVoltage.h"
#include "core/errors.h"

#include <optional>
#include <vector>

namespace tav {

// Where IEEE Std 80-2013's simplified mesh and step voltage equations hold (n <= 25,
// 0.25 m <= h <= 2.5 m, d < 0.25 h, D >= 2.5 m), and the range of fault durations of
// Dalziel's body-current equation behind the tolerable voltages.
inline constexpr double kGreatestGeometricFactor = 25;
inline constexpr double kLeastConductorSpacing = 2.5; // m
inline constexpr double kLeastBurialDepth = 0.25;     // m
inline constexpr double kGreatestBurialDepth = 2.5;   // m
inline constexpr double kGreatestDiameterToDepth = 0.25;
inline constexpr double kLeastFaultDuration = 0.03; // s
inline constexpr double kGreatestFaultDuration = 3; // s

struct GroundRods {
    int count = 0;
    double length = 0;        // m, of one rod
    bool onPerimeter = false; // on the perimeter or at the corners
};

// A rectangular grid of equally spaced conductors buried in uniform soil.
struct GridSafetyInput {
    double soilResistivity = 0;   // ohm m
    double lengthX = 0;           // m
    double lengthY = 0;           // m
    double spacing = 0;           // m, between conductors, both ways
    double depth = 0;             // m, of burial
    double conductorDiameter = 0; // m
    double gridCurrent = 0;       // A, the part of the fault current the grid takes to earth
    double faultDuration = 0;     // s
    std::optional<SurfaceLayer> surface;
    BodyWeight body = BodyWeight::Kg50;
    GroundRods rods;
    // Whose limits the mesh and step voltages are held against; Em and Es stay IEEE Std
    // 80's either way.
    Criteria criteria = Criteria::Ieee80;
    double footwear = 1000; // ohm, EN 50522's R_F1
};

// IEEE Std 80-2013's quantities, named as there.
struct GridSafetyResult {
    double conductorsAlongY = 0; // nx, the conductors that run along y
    double conductorsAlongX = 0; // ny
    double n = 0;
    double Km = 0;
    double Ki = 0;
    double Ks = 0;
    double Kii = 0;
    double Kh = 0;
    double LC = 0; // m, of grid conductor
    double LM = 0; // m, effective for the mesh voltage
    double LS = 0; // m, effective for the step voltage
    double LT = 0; // m, of conductor and rods
    double Rg = 0; // ohm
    double GPR = 0;
    double Em = 0; // V, mesh voltage
    double Es = 0; // V, step voltage
    double Cs = 0;
    double touchTolerable = 0; // V
    double stepTolerable = 0;  // V
    bool touchSafe = false;
    bool stepSafe = false;
    // Below the tolerable touch voltage the grid is safe without the other checks.
    bool gprBelowTouch = false;
    // Where the inputs lie outside the range the standard's equations hold for: the
    // numbers stand, but a safe verdict is then no answer (verdict()).
    std::vector<Caution> cautions;
    Criteria criteria = Criteria::Ieee80; // whose limits these are
    // EN 50522 sets no step voltage: stepTolerable is then 0 and stepSafe true.
    bool stepLimited = true;
    double permissibleTouch = 0; // V, EN 50522's U_Tp (IEEE 80: touchTolerable)
    double bodyCurrent = 0;      // A, EN 50522's I_B
};

// NoLimit: the criteria set none (EN 50522's step), the value is for information.
enum class Verdict { Safe, NotSafe, OutsideMethodRange, NoLimit };

// What a comparison of the result (touchSafe, stepSafe, gprBelowTouch) tells the reader:
// safe only when no caution applies; not safe whatever the cautions.
Verdict verdict(const GridSafetyResult &result, bool safe);

// The step voltage's verdict: NoLimit where the criteria set none, else verdict() of
// stepSafe.
Verdict stepVerdict(const GridSafetyResult &result);

// The mesh and step voltages of the grid against the tolerable touch and step voltages,
// or the reason the equations cannot take the inputs: among them a factor or voltage that
// comes out not positive (Km for dense meshes with many conductors, say). Cautions for
// inputs beyond the ranges above, and for more rods than the grid has junctions
// (conductorsAlongX times conductorsAlongY, or those of its perimeter for rods there).
Refusable<GridSafetyResult> calculateGridSafety(const GridSafetyInput &input);

} // namespace tav
