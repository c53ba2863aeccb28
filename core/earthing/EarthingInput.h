#pragma once

#include <string>
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
// down without end, or three to five horizontal layers.
struct EarthingSoil {
    bool layered = false;
    double rho1 = 0; // ohm m; the only one when not layered
    double rho2 = 0; // ohm m
    double h = 0;    // m
    // Three layers or more: every layer's resistivity from the top down and the thickness
    // of all but the last, rho1, rho2 and h repeating the top two's; empty otherwise.
    std::vector<double> rho;
    std::vector<double> thickness;

    static EarthingSoil uniform(double rho) {
        EarthingSoil soil;
        soil.rho1 = soil.rho2 = rho;
        return soil;
    }
    static EarthingSoil twoLayer(double rho1, double rho2, double h) {
        EarthingSoil soil;
        soil.layered = true;
        soil.rho1 = rho1;
        soil.rho2 = rho2;
        soil.h = h;
        return soil;
    }
    // One or two layers take the forms above, so that they solve as they always have.
    static EarthingSoil layers(const std::vector<double> &rho, const std::vector<double> &thickness) {
        if (rho.size() == 1)
            return uniform(rho[0]);
        if (rho.size() == 2 && thickness.size() == 1)
            return twoLayer(rho[0], rho[1], thickness[0]);
        EarthingSoil soil = twoLayer(rho.empty() ? 0 : rho[0], rho.size() > 1 ? rho[1] : 0,
                                     thickness.empty() ? 0 : thickness[0]);
        soil.rho = rho;
        soil.thickness = thickness;
        return soil;
    }
    int layerCount() const { return !rho.empty() ? int(rho.size()) : layered ? 2 : 1; }
    // From the top, 0 the first.
    double resistivity(int layer) const {
        return !rho.empty() ? rho[std::size_t(layer)] : layer == 0 ? rho1 : rho2;
    }
    // Of all but the last layer.
    double layerThickness(int layer) const {
        return !thickness.empty() ? thickness[std::size_t(layer)] : h;
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
    double margin = 3; // m, beyond the touch areas and every conductor, for the step voltage
    double reach = 1;  // m, of a hand: the band on both sides of a fence (IEEE Std 80, Fig. 12)
};

// What a touch area stands for: the clusters of conductors given one by one, the shapes
// that cover ground (a grid, an L-shaped grid, a ring), the band along a fence, or an area
// the user draws round equipment that stands apart.
enum class TouchAreaKind { Conductors, Grid, Ring, Fence, Given };

// Where a hand can reach the metal of a group: a touch there is the group's potential
// less the surface potential under the feet.
struct TouchArea {
    TouchAreaKind kind = TouchAreaKind::Given;
    std::vector<Point2> outline; // a simple polygon's corners in order, not closed
    double band = 0; // m; above 0: the points within band of the outline's edges, not its inside
    int group = 0;
    int part = 0; // among the parts of its kind (a cluster's number among the conductors')
    // With a band: the outline is a polyline whose last corner is not joined to its first,
    // as a fence that does not close; two corners or more.
    bool open = false;
};

// A place far from the areas where a group's metal can be reached: a cable sheath's end,
// a rail, a pipe. The touch there is the potential it carries against the local surface.
struct TouchPoint {
    Point2 at;
    int group = 0;
    std::string name;
};

struct EarthingInput {
    EarthingSoil soil;
    double current = 0; // A, into group 0
    std::vector<Conductor> conductors;
    std::vector<Point2> points; // on the surface, where the potential is asked for
    SearchOptions search;
    double segmentLength = 1.0; // m, the longest segment a conductor is cut into
    std::vector<TouchArea> touchAreas;
    std::vector<TouchPoint> touchPoints;
    // Where the surface layer lies, a simple polygon; empty: everywhere (or it lies nowhere,
    // which the safety criteria say). The searches keep its inside and outside apart,
    // since the tolerable voltages differ.
    std::vector<Point2> surfaceZone;
};

} // namespace tav::earthing
