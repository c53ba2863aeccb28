#pragma once

#include "cad/DxfDrawing.h"
#include "cad/ImportedPlan.h"
#include "core/errors.h"

#include <cstddef>

namespace tav::cad {

// Turns a drawing into conductors and rods in metres: each chord of a polyline on a
// conductor layer one straight conductor (chords too short to be one joined with the next
// until they are), each point on a rod layer one vertical rod; each polyline on a fence
// layer a fence along it, each closed one on a touch area layer a touch area, the one on a
// surface layer the crushed rock's outline; every entity left out is
// counted by its layer and why. Refuses a drawing without a unit, a result of more
// conductors (rods included) than the solver takes, and one that lies farther from the
// study's 0, 0 than the solver reaches.
class DrawingImport {
public:
    // The shortest conductor taken, in m: a line shorter end to end is no conductor, and a
    // polyline's chords shorter than it, or no longer than its diameter (which the solver
    // refuses), are joined into pieces that are not.
    static constexpr double kShortest = 1e-3;
    // Beyond this (m) from the drawing's own 0, 0 a coordinate no longer keeps a tenth of a
    // millimetre in a double, and no site on Earth lies there: what is drawn there is left
    // out.
    static constexpr double kFarthestDrawn = 1e12;
    // Before duplicates are merged, chords beyond this many times the solver's limit are
    // refused at once: no drawing draws each conductor ten times.
    static constexpr std::size_t kRawFactor = 10;

    DrawingImport(const DxfDrawing &drawing, const ImportSettings &settings);

    Refusable<ImportedPlan> run();

private:
    const LayerMapping *mappingOf(const std::string &layer) const;
    void chooseOrigin();
    // The largest coordinate, depth included, of what was taken, in m (infinite: not a
    // number).
    double farthestReach() const;
    void takePolyline(const DxfPolyline &polyline);
    void takeOutline(const DxfPolyline &polyline, const LayerMapping &mapping);
    void takePoint(const DxfPoint &point);
    // The depth of a vertex drawn at z (drawing units), or none when it needs the layer's.
    std::optional<double> depthOf(double z, const LayerMapping &mapping) const;
    void leaveOut(const std::string &layer, LeftOutReason why) { ++m_plan.leftOut[{layer, why}]; }
    // Why an entity on a layer of this mapping (none: not named) is not what it takes.
    static LeftOutReason lacking(const LayerMapping *mapping);
    bool drawnWithin(const DxfVertex &v) const;

    const DxfDrawing &m_drawing;
    const ImportSettings &m_settings;
    std::map<std::string, LayerMapping> m_layers; // by name in capitals
    double m_scale = 1;
    ImportedPlan m_plan;
    std::vector<ImportedOutline> m_surfaces; // the plan's one, when only one is drawn
};

} // namespace tav::cad
