#pragma once

#include <vector>

namespace tav::earthing {

// Coordinates in metres; z is the depth below the surface, positive downward.
struct Point2 {
    double x = 0;
    double y = 0;
};

struct Point3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

// The soil: one resistivity, or a top layer of thickness h over a bottom layer that goes
// down without end.
struct EarthingSoil {
    bool layered = false;
    double rho1 = 0; // ohm m; the only one when not layered
    double rho2 = 0; // ohm m
    double h = 0;    // m

    static EarthingSoil uniform(double rho) { return {false, rho, rho, 0}; }
    static EarthingSoil twoLayer(double rho1, double rho2, double h) {
        return {true, rho1, rho2, h};
    }
};

// A straight cylindrical conductor. Group 0 takes the injected current; every other group
// is metal bonded to nothing but itself, at a potential of its own.
struct Conductor {
    Point3 from;
    Point3 to;
    double diameter = 0; // m
    int group = 0;
};

struct SearchOptions {
    double step = 0.5; // m, of the surface raster
    double margin = 3; // m, around the energised conductors, for the step voltage
};

struct EarthingInput {
    EarthingSoil soil;
    double current = 0; // A, into group 0
    std::vector<Conductor> conductors;
    std::vector<Point2> points; // on the surface, where the potential is asked for
    SearchOptions search;
    double segmentLength = 1.0; // m, the longest segment a conductor is cut into
};

} // namespace tav::earthing
