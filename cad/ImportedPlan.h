#pragma once

#include "cad/DrawingUnit.h"
#include "cad/DxfGeometry.h"
#include "core/earthing/EarthingInput.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tav::cad {

// What a layer of a drawing stands for in an earthing system: its lines conductors, its
// points rods, its lines fences along them, its closed lines touch areas or the one outline
// of the surface layer's crushed rock.
enum class LayerRole { Conductor, Rod, Ignored, Fence, TouchArea, Surface };

// Why an entity of a layer that is not ignored was left out.
enum class LeftOutReason {
    LayerNotNamed,  // the layer map does not name its layer
    ConductorLacks, // on a conductor layer, but no line, or without a depth or a diameter
    RodLacks,       // on a rod layer, but no point, or without a depth, a length or a diameter
    TooShort,       // a line shorter end to end than DrawingImport::kShortest
    TooFar,         // drawn beyond DrawingImport::kFarthestDrawn, farther out than any site
    FenceLacks,     // on a fence layer, but no line of two corners or more
    AreaLacks,      // on a touch area or surface layer, but no closed line
    OutlineUnfit,   // a polygon that crosses itself, has no inside, or too many corners
    SecondSurface,  // one of several surface outlines: which one is meant is not known
};

// The posts a fence layer's fences stand on, in m.
struct FencePosts {
    double spacing = 0; // the longest gap between posts
    double length = 0;
    double diameter = 0;
    std::optional<double> top; // depth of a post's top; none: the document's own
};

// A layer's role and what the drawing does not say about what is on it, in metres.
struct LayerMapping {
    LayerRole role = LayerRole::Ignored;
    // Of whatever on the layer is drawn at or above z = 0; below, -z is its depth.
    std::optional<double> depth;
    std::optional<double> diameter;
    std::optional<double> rodLength;
    int group = 0;
    // Of a fence layer: a fence given no group floats on its own, as in the document.
    bool grouped = false;
    std::optional<FencePosts> posts;
};

struct ImportSettings {
    // The drawing's unit when its $INSUNITS names none.
    std::optional<DrawingUnit> units;
    // The origin subtracted after scaling to metres, or the drawing's lower-left corner
    // rounded down to 100 m, so that site coordinates come in near zero.
    bool autoOrigin = true;
    double originX = 0;
    double originY = 0;
    // By layer name, matched whatever its case, as CAD matches layers.
    std::map<std::string, LayerMapping> layers;
    // Whether conductors that cross are cut where they do, so that they share a node.
    bool joinCrossings = false;
};

// Metres, z the depth below the surface, positive downward, as the solver takes them.
struct ImportedConductor {
    earthing::Point3 from;
    earthing::Point3 to;
    double diameter = 0;
    int group = 0;
    std::string layer;
};

struct ImportedRod {
    double x = 0;
    double y = 0;
    double top = 0; // depth of its top
    double length = 0;
    double diameter = 0;
    int group = 0;
    std::string layer;
};

// A fence along a drawn line, or a touch area or the surface layer's zone inside one: in
// metres, its corners in the order drawn, without the first repeated.
struct ImportedOutline {
    std::vector<earthing::Point2> corners;
    bool closed = false;
    std::optional<int> group;        // a touch area's always
    std::optional<FencePosts> posts; // a fence's
    std::string layer;
};

struct ImportedPlan {
    std::vector<ImportedConductor> conductors;
    std::vector<ImportedRod> rods;
    std::vector<ImportedOutline> fences;
    std::vector<ImportedOutline> touchAreas;
    std::optional<ImportedOutline> surface;
    double originX = 0;
    double originY = 0;
    DrawingUnit units = DrawingUnit::Metre;
    // Conductors drawn twice (or overlapping along one line) merged into one, and the
    // crossings where conductors were cut to share a node.
    std::size_t mergedDuplicates = 0;
    std::size_t joins = 0;
    // Entities left out, by layer and why: on a layer the map does not name, lacking a
    // depth, a diameter or a rod length the layer does not give, too short or too far out.
    std::map<std::pair<std::string, LeftOutReason>, std::size_t> leftOut;
    // What the drawing held that is not taken, by type and layer.
    DxfEntityCounts ignored;
};

} // namespace tav::cad
