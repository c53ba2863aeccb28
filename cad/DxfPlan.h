#pragma once

#include "cad/DxfGeometry.h"

#include <string>
#include <vector>

namespace tav::cad {

// A plan to write as a drawing, in metres about the study's origin; the writer moves it
// to the site's coordinates.
struct DxfLayer {
    std::string name;
    int colour = 7; // AutoCAD's colour index, 1 to 255
};

struct DxfLine {
    std::string layer;
    DxfVertex from;
    DxfVertex to;
};

struct DxfCircle {
    std::string layer;
    DxfVertex centre;
    double radius = 0;
};

struct DxfMark {
    std::string layer;
    DxfVertex at;
};

struct DxfText {
    std::string layer;
    DxfVertex at; // the left end of its baseline
    double height = 1;
    double rotation = 0; // degrees
    std::string text;
};

struct DxfPlan {
    // Every layer an entity names, in the order the LAYER table lists them.
    std::vector<DxfLayer> layers;
    std::vector<DxfLine> lines;
    std::vector<DxfCircle> circles;
    std::vector<DxfPolyline> polylines;
    std::vector<DxfMark> points;
    std::vector<DxfText> texts;
};

} // namespace tav::cad
