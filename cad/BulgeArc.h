#pragma once

#include "cad/DxfGeometry.h"

#include <vector>

namespace tav::cad {

// The points that cut an arc into equal chords of at most a given length: a polyline's
// bulged segment (bulge = tan(included angle / 4), positive counterclockwise) or an ARC.
class BulgeArc {
public:
    // The most chords an arc is cut into, however short the chords asked for: a full
    // circle of 4096 chords deviates from it by 3e-7 of its radius.
    static constexpr int kMostChords = 4096;
    // Below this bulge a segment is straight: its arc departs from the chord by a quarter
    // of the bulge times the chord, a micrometre on a kilometre.
    static constexpr double kStraight = 1e-9;

    // The chords' count for an arc of `radius` through `angle` radians.
    static int chordCount(double radius, double angle, double maxChord);
    // The points after `from` up to and including `to`; z goes linearly from the one to
    // the other.
    static std::vector<DxfVertex> bulged(const DxfVertex &from, const DxfVertex &to, double bulge,
                                         double maxChord);
    // The points of an ARC from its start angle counterclockwise to its end, in degrees.
    static std::vector<DxfVertex> arc(const DxfVertex &centre, double radius, double startDegrees,
                                      double endDegrees, double maxChord);
};

} // namespace tav::cad
