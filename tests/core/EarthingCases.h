#pragma once

// Earthing systems the solver's tests share: the published cases and a small grid with
// rods into the bottom layer of a two-layer soil.
#include "core/earthing/ConductorLayout.h"
#include "core/earthing/EarthingInput.h"
#include "core/earthing/TouchAreas.h"

#include <QString>

namespace earthingcases {

using namespace tav::earthing;

// IEEE Std 80-2013 Annex H, Grid 1: 70 m x 70 m, six conductors each way, 2/0 copper
// (10.5 mm) at 0.5 m, 140 ohm m, 744.8 A.
inline EarthingInput annexH1() {
    EarthingInput input;
    input.soil = EarthingSoil::uniform(140);
    input.current = 744.8;
    RectangularGrid grid;
    grid.sizeX = grid.sizeY = 70;
    grid.countX = grid.countY = 6;
    input.conductors = ConductorLayout::grid(grid);
    input.touchAreas = {TouchAreas::of(grid, 0)};
    return input;
}

// Annex B, Example 1 (the EPRI study): eleven conductors each way, 10 mm, 400 ohm m, 1908 A.
inline EarthingInput annexB1() {
    EarthingInput input;
    input.soil = EarthingSoil::uniform(400);
    input.current = 1908;
    input.search.step = 1; // refined from there
    RectangularGrid grid;
    grid.sizeX = grid.sizeY = 70;
    grid.countX = grid.countY = 11;
    grid.diameter = 0.01;
    input.conductors = ConductorLayout::grid(grid);
    input.touchAreas = {TouchAreas::of(grid, 0)};
    return input;
}

inline EarthingInput rod() { // 3 m of 16 mm from the surface into 100 ohm m
    EarthingInput input;
    input.soil = EarthingSoil::uniform(100);
    input.current = 1;
    input.conductors = {{{0, 0, 0}, {0, 0, 3}, 0.016, 0}};
    return input;
}

inline EarthingInput wire() { // 20 m of 10 mm at 0.5 m in 100 ohm m
    EarthingInput input;
    input.soil = EarthingSoil::uniform(100);
    input.current = 1;
    input.conductors = {{{0, 0, 0.5}, {20, 0, 0.5}, 0.01, 0}};
    return input;
}

// A small grid with rods into the bottom layer of a two-layer soil: every kind of pair,
// the interface crossed, most pairs far enough for the tables.
inline EarthingInput layeredGrid(bool bottomHigher) {
    EarthingInput input;
    input.soil =
        bottomHigher ? EarthingSoil::twoLayer(100, 400, 4) : EarthingSoil::twoLayer(300, 100, 4);
    input.current = 100;
    RectangularGrid grid;
    grid.sizeX = 24;
    grid.sizeY = 16;
    grid.countX = 4;
    grid.countY = 3;
    input.conductors = ConductorLayout::grid(grid);
    for (const Conductor &rod :
         ConductorLayout::rods(ConductorLayout::cornerPoints(grid), 0.5, 6, 0.016, 0))
        input.conductors.push_back(rod);
    input.search.step = 1;
    input.search.margin = 2;
    input.touchAreas = TouchAreas::ofClusters(input.conductors, input.search.reach);
    return input;
}

inline QString shown(double v) {
    return QString::number(v, 'g', 10);
}

} // namespace earthingcases
