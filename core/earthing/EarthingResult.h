#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/earthing/SurfaceField.h"
#include "core/errors.h"

#include <memory>
#include <optional>
#include <vector>

namespace tav::earthing {

struct GroupResult {
    int group = 0;
    double potential = 0; // V against remote earth
    double current = 0;   // A leaving the group into the soil: the injected current, or 0
};

struct SegmentResult {
    Point3 from;
    Point3 to;
    int conductor = 0; // index into the input's conductors
    int group = 0;
    double current = 0; // A leaking from the segment
};

struct PointResult {
    Point2 at;
    double potential = 0; // V
    double touch = 0;     // V, the GPR minus the potential
    bool inTouchArea = false;
};

struct TouchMaximum {
    double voltage = 0;
    Point2 at;
};

// The worst touch of one touch area (the input's, in its order), apart where the surface
// layer lies and where it does not: voltage -infinity on a side the area does not reach.
struct AreaResult {
    double metal = 0; // V, the potential of the area's group
    TouchMaximum onLayer;
    TouchMaximum offLayer;
    // The greater of the two.
    const TouchMaximum &worst() const {
        return offLayer.voltage > onLayer.voltage ? offLayer : onLayer;
    }
};

// A touch point's touch: the metal's potential less the surface's there.
struct TouchPointResult {
    double surface = 0; // V
    double touch = 0;   // V
    bool onLayer = true;
};

// The largest difference of potential between two surface points 1 m apart.
struct StepMaximum {
    double voltage = 0;
    Point2 from; // the higher potential
    Point2 to;
    Point2 middle() const { return {0.5 * (from.x + to.x), 0.5 * (from.y + to.y)}; }
};

// The worst step where the surface layer lies (its middle inside the zone) and where it
// does not: voltage -infinity on a side the step area does not reach.
struct StepResult {
    StepMaximum onLayer;
    StepMaximum offLayer;
    const StepMaximum &worst() const {
        return offLayer.voltage > onLayer.voltage ? offLayer : onLayer;
    }
};

struct Rectangle {
    double x0 = 0;
    double y0 = 0;
    double x1 = 0;
    double y1 = 0;

    bool contains(double x, double y, double slack = 1e-9) const {
        return x >= x0 - slack && x <= x1 + slack && y >= y0 - slack && y <= y1 + slack;
    }
};

// How the solve went, for the benchmark and the curious.
struct SolveStatistics {
    int threads = 1;
    int depthClasses = 0;
    std::size_t tableNodes = 0;
    bool iterative = false;
    // The coupling matrix held compressed (a hierarchical matrix) rather than dense, its
    // memory and the relative tolerance of its blocks.
    bool compressed = false;
    std::size_t operatorBytes = 0;
    double compressionTolerance = 0;
    int iterations = 0;
    double residual = 0;
    double secondsTables = 0;
    double secondsMatrix = 0;
    double secondsSolution = 0;
    double secondsSurface = 0;
    double secondsSearch = 0;
};

struct EarthingResult {
    double resistance = 0; // ohm
    double gpr = 0;        // V, the potential of group 0
    int segments = 0;
    int imageTerms = 0; // images of a top-layer source in the top layer, itself left out
    int orders = 0;     // of the image series
    std::vector<GroupResult> groups;
    std::vector<SegmentResult> segmentCurrents; // in the input's conductor order
    std::vector<PointResult> points;            // in the input's order
    // The worst touch over group 0's touch areas; none when it has no area (a lone rod).
    std::optional<TouchMaximum> touchMax;
    StepMaximum stepMax;                   // the worst of steps
    std::vector<TouchArea> touchAreas;     // the input's, as searched
    std::vector<AreaResult> areas;         // one per touch area
    std::vector<TouchPoint> touchPoints;   // the input's
    std::vector<TouchPointResult> touched; // one per touch point
    StepResult steps;
    std::vector<Point2> surfaceZone; // the input's; empty: everywhere
    // The surface potential on the search raster over the step area's bounds, V, and per
    // node whether it lies in a touch area and in the step area.
    RasterGrid raster;
    std::vector<double> rasterPotential;
    std::vector<char> inTouchArea;
    std::vector<char> inStepArea;
    std::vector<Caution> cautions;
    SolveStatistics statistics;
    // The potential anywhere on the surface after the solve (a read-out, a profile).
    std::shared_ptr<const SurfaceField> field;
};

} // namespace tav::earthing
