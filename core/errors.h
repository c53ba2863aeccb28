#pragma once

#include <optional>
#include <utility>
#include <vector>

namespace tav {

// What the core says when it refuses inputs or doubts a result: a typed value, never a
// sentence. The windows and tav-calc word it from the string table (text/Wording), so
// that every message reads the same in both and translates with the language module.

// The quantity a refusal or a warning is about.
enum class Quantity {
    None,
    SoilResistivity,
    GridSideX,
    GridSideY,
    ConductorSpacing,
    BurialDepth,
    ConductorDiameter,
    GridCurrent,
    FaultDuration,
    SurfaceResistivity,
    SurfaceThickness,
    RodCount,
    RodLength,
    FaultCurrent,
    SplitFactor,
    DecrementFactor,
    XOverR,
    Frequency,
    AmbientTemperature,
    MaximumTemperature,
    ShortestRodLength,
    LongestRodLength,
    RodDiameter,
    HorizontalLength,
    VerticalLength,
    HorizontalSpacing,
    VerticalSpacing,
    MeshFactor,
    StepFactor,
    MeshVoltage,
    StepVoltage,
    GroundPotentialRise,
    TolerableTouchVoltage,
    TolerableStepVoltage,
    // The earthing system solver's inputs.
    TopLayerResistivity,
    BottomLayerResistivity,
    TopLayerThickness,
    InjectedCurrent,
    SegmentLength,
    SearchStep,
    SearchMargin,
    // The earthing system solver's results.
    EarthingResistance,
    WorstTouchVoltage,
    WorstStepVoltage,
    // EN 50522's additional resistance of the footwear, R_F1.
    FootwearResistance,
    // The resistivity and the thickness of one layer of a soil of three layers or more,
    // the refusal naming the layer.
    LayerResistivity,
    LayerThickness,
    // The network that feeds a fault in the station: its lines' and cables' data, the
    // station's earth impedance and the current into the earth.
    SpanCount,
    SpanLength,
    TowerResistance,
    RemoteResistance,
    WireResistance,
    GeometricMeanRadius,
    ConductorHeight,
    ConductorOffset,
    CableLength,
    EarthReturnResistivity,
    SelfImpedance,
    MutualImpedance,
    EarthImpedance,
    SourceCurrent,
    EarthCurrent,

    // The earthing solver's intermediate values: the potential coefficients between the
    // segments, the currents they leak, the potential of a group of metal, the potential
    // on the surface (at the raster, the points and where the search looks).
    PotentialCoefficients,
    LeakageCurrents,
    MetalPotential,
    SurfacePotential,
};

// Why a calculation refused its inputs. The comment names the values the refusal carries,
// in their order.
enum class Error {
    // The rod design forms' checks: messages 123 and 124.
    TargetResistance,
    SoilResistivity,
    // The quantity must be a positive finite number: (value).
    NotPositive,
    // A count of the quantity below zero: (count).
    NegativeCount,
    // The inputs give values beyond the range of double precision: ().
    BeyondRange,
    // The conductor spacing is larger than a side of the grid: (spacing, side).
    SpacingLargerThanSide,
    // The conductor spacing does not divide the sides into whole meshes: (spacing, x, y).
    SpacingDoesNotDivide,
    // The conductor is not thinner than it lies deep: (diameter, depth).
    DiameterNotBelowDepth,
    // Km's logarithm has no value: ().
    MeshFactorUndefined,
    // A reading's probe spacing is not a positive finite number: (reading, spacing).
    ReadingSpacingNotPositive,
    // A reading's apparent resistivity is not a positive finite number: (reading, value).
    ReadingResistivityNotPositive,
    // Two readings at one probe spacing: (first reading, second reading, spacing).
    SameSpacingTwice,
    // Fewer readings than a two-layer fit needs: (readings).
    TooFewReadings,
    // The quantity must lie above 0 and at most 1: (value).
    NotAFraction,
    // The quantity cannot be below 1: (value).
    BelowOne,
    // The ambient temperature is not above the one where the material's resistivity
    // would vanish: (ambient, limit), in °C.
    AmbientTooCold,
    // The highest temperature is not above the ambient one: (maximum, ambient), in °C.
    NotAboveAmbient,
    // The highest temperature is above the material's fusing temperature: (maximum,
    // fusing), in °C.
    AboveFusing,
    // A reading's probe spacing lies outside what a Wenner sounding takes:
    // (reading, spacing, least, greatest).
    ReadingSpacingOutOfRange,
    // A reading's apparent resistivity lies outside what soil and rock have:
    // (reading, value, least, greatest).
    ReadingResistivityOutOfRange,
    // The equations give the quantity a value that is not positive: (value).
    ResultNotPositive,
    // The rod is not thinner than the bore it stands in, in mm: (diameter, bore diameter).
    DiameterNotBelowBore,
    // The rod does not lie shallower than it is long: (depth, shortest length).
    DepthNotBelowLength,
    // The earthing system solver. Conductors and points are numbered from 1 in their
    // input order.
    // The quantity must be zero or a positive finite number: (value).
    NegativeOrNotFinite,
    // A coordinate or the diameter of a conductor is not a finite number: (conductor).
    ConductorNotFinite,
    // A conductor's two ends are one point: (conductor).
    ConductorZeroLength,
    // A conductor reaches above the surface: (conductor, its least depth in m, negative).
    ConductorAboveSurface,
    // A conductor lies on the surface along its whole length: (conductor).
    ConductorOnSurface,
    // A conductor's diameter is zero or below: (conductor, diameter in m).
    ConductorDiameterNotPositive,
    // A conductor is not longer than it is thick: (conductor, diameter, length in m).
    ConductorDiameterNotBelowLength,
    // A conductor's group number is below zero: (conductor, group).
    GroupNegative,
    // Two conductors share a stretch of their length: (first conductor, second conductor).
    ConductorsOverlap,
    // No conductor in group 0, which takes the current: ().
    NoEnergisedConductor,
    // A group number below the highest has no conductor: (group).
    GroupWithoutConductors,
    // A coordinate of a point is not a finite number: (point).
    PointNotFinite,
    // The conductors cut into more segments than the solver takes: (segments, limit).
    TooManySegments,
    // More points than the solver evaluates: (points, limit).
    TooManyPoints,
    // The search raster over the area would hold more points than allowed: (points, limit).
    TooManySearchPoints,
    // The two-layer image series cannot reach the accuracy the solver needs within the
    // orders it sums: (reflection factor K, relative bound of the neglected terms, the
    // largest bound accepted).
    SeriesDoesNotConverge,
    // The caller stopped the calculation before it finished: ().
    Cancelled,
    // The solver's kernel tables would take more intervals than it allows, the segment
    // length or the reach of the system beyond what it takes: (intervals, limit).
    TooManyTableIntervals,
    // More conductors than the solver takes, or than a part of a document may expand
    // into: (conductors, limit).
    TooManyConductors,
    // The calculation gives the quantity no finite value (the inputs lie beyond what double
    // precision resolves): ().
    ResultNotFinite,
    // A coordinate of a conductor's end lies farther from the origin than the solver
    // takes: (conductor, coordinate, limit), in m.
    ConductorBeyondReach,
    // A coordinate of a point lies farther from the origin than the solver takes:
    // (point, coordinate, limit), in m.
    PointBeyondReach,
    // The quantity lies below the least the solver takes: (value, least).
    BelowFloor,
    // A conductor is thinner than the solver takes: (conductor, diameter, least), in m.
    ConductorDiameterBelowFloor,
    // A conductor's radius reaches above the surface, its axis lying shallower than its
    // metal is thick: (conductor, least depth of its axis, radius), in m.
    ConductorRadiusAboveSurface,
    // Conductors of two groups touch, so that the two are one piece of metal:
    // (first conductor, second conductor, its group, the second's group).
    GroupsTouch,
    // A touch area has fewer than three corners, or one not finite: (area, from 1).
    TouchAreaNotPolygon,
    // A touch area or touch point names a group no conductor has: (its number among the
    // areas then the points, from 1; the group).
    TouchGroupMissing,
    // The layered soil fit. A Schlumberger reading's MN/2 is not below its AB/2:
    // (reading, MN/2, AB/2), in m.
    PotentialSpacingNotBelowCurrent,
    // The count of layers asked for lies outside what the fit takes: (count, least, greatest).
    LayerCountOutOfRange,
    // The readings do not outnumber the 2N - 1 parameters of N layers:
    // (readings, layers, least readings).
    TooFewReadingsForLayers,
    // A file of readings has a line that is not two numbers: (line, from 1).
    ReadingsRowUnreadable,
    // A layer of a soil of three layers or more has a resistivity or thickness that is
    // no positive finite number: (layer, from 1; value).
    LayerNotPositive,
    // The earthing solver's estimate of the memory a study needs passes what the process
    // may have: (needed, available, both in GB; segments).
    NotEnoughMemory,
    // A drawing to import. The file is not a DXF drawing: ().
    DrawingNotDxf,
    // The file is a binary DXF drawing, which is not read: ().
    DrawingBinaryDxf,
    // The file is larger than a drawing may be: (bytes, limit).
    DrawingTooLarge,
    // The drawing holds more entities than are read, those its blocks expand into counted
    // as often as they are inserted: (entities, limit).
    DrawingTooManyEntities,
    // Blocks insert blocks deeper than are expanded: (limit).
    DrawingBlocksTooDeep,
    // A block inserts itself, directly or through others: ().
    DrawingBlockCycle,
    // The drawing breaks off or holds a line that is not DXF: (line, from 1).
    DrawingUnreadable,
    // Neither the drawing nor the caller says in what unit it is drawn: ().
    DrawingUnitsUnknown,
    // The drawing's file cannot be opened, or names no regular file: ().
    DrawingCannotOpen,
    // What the drawing holds lies farther from the study's 0, 0 than the solver takes, in
    // m: (farthest, limit).
    DrawingBeyondReach,
    // More readings than a sounding is fitted from: (readings, most).
    TooManyReadings,
    // A Schlumberger reading's MN/2 is not a positive finite number: (reading, MN/2), in m.
    PotentialSpacingNotPositive,
    // A file of readings opens with a header whose second column names neither a
    // resistivity nor a resistance: (line, from 1).
    ReadingsHeaderUnclear,
    // The drawing's $INSUNITS names a unit no site plan is drawn in, and the caller names
    // none: (the code).
    DrawingUnitNotTaken,
    // The quantity lies above the most it is taken at: the solver's reach, the tolerable
    // voltages' bounds (value, most).
    AboveCeiling,
    // Cut where they cross, a drawing's conductors (rods included) would be more than the
    // solver takes: (at least this many, limit).
    CrossingsBeyondLimit,
    // Fewer readings than any sounding is fitted from: (readings).
    TooFewReadingsForSounding,

    // The network that feeds a fault in the station. The quantity must be a finite
    // number: (value).
    NotFinite,
    // The network's frequency is neither 50 nor 60 Hz: (frequency).
    NotPowerFrequency,
    // A line has more spans than are taken: (spans, limit).
    TooManySpans,
    // An endless line is given other than one footing resistance for all its towers:
    // (resistances given).
    EndlessTowerList,
    // A line's list of footing resistances does not give one for each inner tower:
    // (resistances given, inner towers).
    TowerCountMismatch,
    // A conductor's geometric mean radius is not below its distance to the faulted phase
    // or to another earth wire, in m: (radius, distance).
    RadiusNotBelowDistance,
    // A cable's armour lies no farther out than its sheath, mean radii in m: (armour,
    // sheath).
    ArmourNotOutsideSheath,
    // A return conductor given by its impedances per km stands beside another conductor
    // of its line or cable, whose mutual with it is not known: ().
    GivenImpedanceNotAlone,
    // The network's currents add up to no fault current: ().
    NoFaultCurrent,

    // A potential of the solve lies beyond the range between remote earth and the
    // energised metal, where every potential of a soil without sources of its own lies:
    // (value, lowest, highest), in V.
    PotentialBeyondMetal,
    // A layer of the soil is so much thinner than the solver's tables resolve beside a
    // horizontal conductor (or the surface) that the potential there is not resolved:
    // (layer, from 1; its thickness in m).
    LayerTooThinBesideConductors,

    // A sweep of one parameter over a range. The step is 0: ().
    SweepStepZero,
    // The step leads away from the range's end: (from, to, step).
    SweepStepWrongSign,
    // The range holds more values than a sweep solves: (values, limit).
    SweepTooManyPoints,
    // A count is swept over a value that is not a whole number: (value).
    SweepNotWhole,
    // A bound or the step of the range is no finite number: (value).
    SweepNotFinite,
};

struct Refusal {
    Error error = Error::BeyondRange;
    Quantity quantity = Quantity::None;
    std::vector<double> values;
};

// What the reader of a result must know: the result stands, but not as firmly as a plain
// answer would. The comment of each names the values it carries, in their order.
enum class Warning {
    // The chosen conductor is thinner than the fault current needs: (chosen diameter,
    // needed diameter), in mm.
    ThinnerThanSized,
    // The two-layer soil model. The readings do not determine the bottom layer's
    // resistivity, only that it is at least the bound, in ohm m: (bound).
    BottomResistivityAtLeast,
    // Only that it is at most the bound, in ohm m: (bound).
    BottomResistivityAtMost,
    // Nor do they bound it: ().
    BottomResistivityUndetermined,
    // The readings do not reach the bottom layer: the top layer is at least the bound
    // thick, in m, and the bottom layer's resistivity is not determined: (bound).
    TopLayerAtLeast,
    // The top layer is too thin for the readings to tell its resistivity from its
    // thickness: it is at most the bound thick, in m: (bound).
    TopLayerAtMost,
    // The readings determine neither the top layer's thickness nor either resistivity: ().
    TopLayerUndetermined,
    // Neither a uniform soil nor two layers explain the readings: (the better model's RMS
    // error, in percent).
    NoModelFits,
    // The grid safety check: inputs beyond the range in which IEEE Std 80's equations
    // hold. n above its greatest: (n, greatest).
    GeometricFactorAboveRange,
    // The conductor spacing below its least, in m: (spacing, least).
    SpacingBelowRange,
    // The burial depth outside its range, in m: (depth, least, greatest).
    DepthOutsideRange,
    // The conductor diameter not below a quarter of the depth, in m: (diameter, depth).
    DiameterAboveQuarterDepth,
    // The fault duration outside the range of the body-current equation, in s:
    // (duration, least, greatest).
    DurationOutsideRange,
    // More rods than the grid has junctions for them: (rods, junctions).
    RodsBeyondGrid,
    // The two-layer image series was cut off before its stated tolerance: (relative bound
    // of the neglected terms, the tolerance, orders summed).
    SeriesTruncated,
    // The iterative solution stopped before its residual reached the tolerance: (relative
    // residual, tolerance).
    SolutionNotConverged,
    // The fault duration outside EN 50522's table of the permissible touch voltage, whose
    // nearer end value is taken, in s: (duration, least, greatest).
    DurationOutsideTable,
    // The soil of N layers. The readings do not fix a layer's resistivity, only that it is
    // at least the bound (ohm m), at most the bound, or not even that: (layer from 1,
    // bound) and (layer).
    LayerResistivityAtLeast,
    LayerResistivityAtMost,
    LayerResistivityOpen,
    // Nor its thickness (m): (layer, bound) and (layer).
    LayerThicknessAtLeast,
    LayerThicknessAtMost,
    LayerThicknessOpen,
    // A thin middle layer of which only the conductance h/rho (S), or only the transverse
    // resistance h rho (ohm m^2), is fixed: (layer, value).
    LayerConductanceOnly,
    LayerTransverseResistanceOnly,
    // The surface layer is less resistive than the soil under it, so that Cs of IEEE Std
    // 80-2013 Eq. 27, fitted for a layer more resistive than the soil, comes out above 1:
    // (surface layer's resistivity, soil's, in ohm m; Cs).
    SurfaceLayerBelowSoil,
};

struct Caution {
    Warning warning{};
    Quantity quantity = Quantity::None;
    std::vector<double> values;
};

// The result of a calculation, or what refused its inputs.
template <class Result> class Refusable {
public:
    Refusable(Result result) : m_result(std::move(result)) {}
    Refusable(Refusal refusal) : m_refusal(std::move(refusal)) {}

    bool refused() const { return !m_result.has_value(); }
    // Only when refused.
    const Refusal &refusal() const { return *m_refusal; }
    // Only when not refused.
    const Result &result() const { return *m_result; }

private:
    std::optional<Result> m_result;
    std::optional<Refusal> m_refusal;
};

// Whether a refusal of the earthing system solver names a conductor by its number, its
// first value; a pair names a second, its second value.
inline bool namesConductor(Error error) {
    switch (error) {
    case Error::ConductorNotFinite:
    case Error::ConductorZeroLength:
    case Error::ConductorAboveSurface:
    case Error::ConductorOnSurface:
    case Error::ConductorRadiusAboveSurface:
    case Error::ConductorDiameterNotPositive:
    case Error::ConductorDiameterNotBelowLength:
    case Error::ConductorDiameterBelowFloor:
    case Error::ConductorBeyondReach:
    case Error::GroupNegative:
    case Error::ConductorsOverlap:
    case Error::GroupsTouch:
        return true;
    default:
        return false;
    }
}

inline bool namesConductorPair(Error error) {
    return error == Error::ConductorsOverlap || error == Error::GroupsTouch;
}

} // namespace tav
