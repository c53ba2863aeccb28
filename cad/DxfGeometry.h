#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tav::cad {

// What a drawing holds once its curves are cut into chords and its blocks placed, in
// drawing units and world coordinates (z up, as CAD draws it).
struct DxfVertex {
    double x = 0;
    double y = 0;
    double z = 0;
};

// A LINE, ARC, LWPOLYLINE or POLYLINE: its vertices in order, the last joined to the first
// when closed.
struct DxfPolyline {
    std::string layer;
    std::vector<DxfVertex> vertices;
    bool closed = false;
};

enum class DxfPointKind { Point, Circle, Insert };

// A place where a rod may stand: a POINT, a CIRCLE (with its radius) or the insertion
// point of a block (a rod symbol).
struct DxfPoint {
    std::string layer;
    DxfVertex at;
    double radius = 0;
    DxfPointKind kind = DxfPointKind::Point;
};

// Entities counted by their type (TEXT, HATCH, ...) and layer.
using DxfEntityCounts = std::map<std::pair<std::string, std::string>, std::size_t>;

} // namespace tav::cad
