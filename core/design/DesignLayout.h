#pragma once

#include "core/design/DesignBrief.h"
#include "core/earthing/EarthingInput.h"

#include <vector>

namespace tav::design {

// One layout of the family: conductors across x and across y inside the outline, spaced
// evenly or closer toward the edges, rods on the perimeter, and the surface layer.
struct Layout {
    // Conductors across x (running along y), the outline's two extreme sides counted, so
    // that 2 is the perimeter alone; the same across y.
    int linesX = 2;
    int linesY = 2;
    // Spaced closer toward the edges, where the meshes' touch voltages are highest; the
    // family compresses both ways or neither.
    bool compressX = false;
    bool compressY = false;
    int rods = 0;         // on the perimeter: the outline's corners first, then spread
    int rodLength = -1;   // into the brief's rodLengths; -1 without rods
    bool surface = false; // the surface layer laid (a choice only when priced)
};

struct LayoutCost {
    double conductorMetres = 0;
    double rodMetres = 0;
    double surfaceArea = 0; // m²
    double total = 0;
};

struct LayoutGeometry {
    // Group 0: the perimeter along the outline, then the lines across x, then across y.
    std::vector<earthing::Conductor> conductors;
    std::vector<earthing::Point2> rods; // their tops at the brief's depth
    double rodLength = 0;
    LayoutCost cost;
};

// What the family holds for an outline: how many lines each way, which rod counts.
struct FamilyBounds {
    int mostLinesX = 2;
    int mostLinesY = 2;
    // For each rod length, the counts on the perimeter (the corners' count first); the
    // rods stand at least their length apart, since closer they shield one another.
    std::vector<std::vector<int>> rodCounts;
    bool surfaceChoice = false;
};

namespace DesignLayout {

// Lines closer than this are no layout a grid is built to (IEEE Std 80's least spacing).
inline constexpr double kLeastSpacing = 2.5; // m
inline constexpr int kMostLines = 41;
// Perimeter rod counts: the corners' count times 1, 2, 4 and 8, while the rods stand
// their length apart.
inline constexpr int kMostRodSteps = 8;
// Compressed spacing: the gap at the edges is (1 - a) of the mean and at the middle (1 + a).
inline constexpr double kCompression = 0.5;

// n positions from a to b, both ends included; compressed, closer toward the ends.
std::vector<double> positions(double a, double b, int n, bool compressed);

// The pieces of the line x = c (across x; or y = c, across y) inside the outline, as
// intervals of the other coordinate; none that runs along an edge of the outline.
std::vector<std::pair<double, double>> clipped(const std::vector<earthing::Point2> &outline,
                                               double c, bool acrossX);

FamilyBounds bounds(const DesignBrief &brief, bool surfaceLayerGiven);
std::vector<Layout> family(const DesignBrief &brief, const FamilyBounds &bounds);

LayoutGeometry geometry(const DesignBrief &brief, const Layout &layout);
LayoutCost cost(const DesignBrief &brief, const Layout &layout);

// a holds at least b's copper every way: as many lines each way spaced alike, as many rods
// at least as long, the surface layer where b has it.
bool dominates(const Layout &a, const Layout &b, const DesignBrief &brief);

} // namespace DesignLayout

} // namespace tav::design
