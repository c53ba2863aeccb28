#pragma once

#include "core/errors.h"

#include <optional>

namespace tav {

// The record behind the mesh grid form: a buried rectangular grid of a by b metres with
// conductors every sx metres along a and every sy metres along b.
struct MeshGridRecord {
    float soilResistivity = 0;   // ohm m
    float horizontalLength = 0;  // a, m
    float verticalLength = 0;    // b, m
    float burialDepth = 0;       // h, m
    float horizontalSpacing = 0; // sx, m
    float verticalSpacing = 0;   // sy, m
    float totalLength = 0;       // LT, m, unrounded; NaN when there is no grid
    double resistance = 0;       // ohm, two decimals; NaN when it has no value
};

// The inner conductors of a grid: Nx across the horizontal length (each b long), Ny
// across the vertical length (each a long). A conductor that would fall on the far side
// is that side, not another conductor.
struct MeshConductors {
    int horizontal = 0; // Nx
    int vertical = 0;   // Ny
};

// Empty unless both sides and both spacings are positive and finite, and the counts fit
// an int: anything else describes no grid.
std::optional<MeshConductors> countMeshConductors(float a, float b, float sx, float sy);

// The perimeter plus the inner conductors, (P + Ny a) + Nx b; NaN without a grid.
double meshWireLength(float a, float b, float sx, float sy);

// Sverak's resistance of a grid of area a b buried at depth h with LT metres of wire,
// evaluated in the order the program has always used, its roots in single precision.
double meshResistance(float rho, float a, float b, float h, float totalLength);

// What has no physical sense in a mesh grid's inputs, for a caller that refuses it before
// calculating (tav-calc; the form calculates whatever the design calculates): any input
// not positive and finite, or a grid whose conductors cannot be counted or whose wire
// length is beyond single precision.
std::optional<Refusal> meshGridInputRefusal(const MeshGridRecord &record);

// "Calculate": the wire length (kept unrounded, in single precision) and the resistance
// from it, rounded to two decimals. Inputs are not checked; a result without a finite
// value is NaN.
void calculateMeshGrid(MeshGridRecord &record);

} // namespace tav
