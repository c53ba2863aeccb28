#pragma once

#include "cad/DxfGeometry.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tav::cad {

// A drawing's entities as the file gives them, before curves are cut into chords and
// blocks placed: what DxfParser reads and DxfFlattener turns into a DxfDrawing.
struct DxfSourceVertex {
    double x = 0;
    double y = 0;
    double z = 0;
    double bulge = 0; // of the arc to the next vertex: tan(angle / 4), positive counterclockwise
};

struct DxfSourceEntity {
    enum class Kind { Line, Arc, LwPolyline, Polyline, Point, Circle, Insert };
    Kind kind = Kind::Line;
    std::string type; // as the file names it, for the counts
    std::string layer = "0";
    // Its extrusion direction is not +Z: its coordinates lie in a plane of their own.
    bool offPlane = false;
    bool closed = false;
    // A 3D POLYLINE, a LINE or a POINT: coordinates in the world, whatever the extrusion.
    bool world = false;
    std::vector<DxfSourceVertex> vertices; // a CIRCLE's, ARC's or INSERT's one: its centre or point
    double radius = 0;
    double startAngle = 0; // degrees, of an ARC
    double endAngle = 360;
    // An INSERT's block, scale, rotation (degrees) and array.
    std::string block;
    double scaleX = 1;
    double scaleY = 1;
    double scaleZ = 1;
    double rotation = 0;
    int columns = 1;
    int rows = 1;
    double columnSpacing = 0;
    double rowSpacing = 0;
};

struct DxfBlock {
    DxfVertex base;
    std::vector<DxfSourceEntity> entities;
    DxfEntityCounts others; // what is not taken, by type and layer
};

struct DxfSource {
    std::optional<int> insunits;
    std::vector<DxfSourceEntity> entities;
    DxfEntityCounts others;
    // By name in capitals: AutoCAD's block names are the same whatever their case.
    std::map<std::string, DxfBlock> blocks;
    // Every entity record in the file, blocks' once each.
    std::size_t entityRecords = 0;
};

std::string upperCase(std::string text);

} // namespace tav::cad
