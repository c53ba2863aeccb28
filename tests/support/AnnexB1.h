#pragma once

#include "core/GridSafety.h"

// IEEE Std 80-2013, Annex B.1: 70 m x 70 m, 7 m spacing, 0.5 m deep, 10 mm conductor,
// 400 ohm-m, 1908 A for 0.5 s, 0.102 m of 2500 ohm-m crushed rock, 70 kg.
inline tav::GridSafetyInput annexB1() {
    tav::GridSafetyInput in;
    in.soilResistivity = 400;
    in.lengthX = 70;
    in.lengthY = 70;
    in.spacing = 7;
    in.depth = 0.5;
    in.conductorDiameter = 0.01;
    in.gridCurrent = 1908;
    in.faultDuration = 0.5;
    in.surface = tav::SurfaceLayer{2500, 0.102};
    in.body = tav::BodyWeight::Kg70;
    return in;
}
