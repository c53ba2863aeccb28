#pragma once

#include "core/sweep/ParameterSweep.h"
#include "core/sweep/SweepRange.h"
#include "document/DocumentError.h"
#include "document/SystemDocument.h"

#include <QString>

#include <vector>

namespace tav {

// A parameter of the study a sweep varies, named by its path: the conductors of every
// grid along x, along y or both (grid.conductors_x, grid.conductors_y, grid.conductors),
// every grid's depth (grid.depth), the rods of every grid (rods.count; rods.length, the
// rods at points too), the surface layer (safety.surface.rho, safety.surface.thickness),
// every layer's resistivity times a factor (soil.scale, a case's own soil too) and the
// current to earth (current).
struct SweepParameter {
    const char *path;
    bool whole; // a count: swept over whole numbers
};

// What a sweep gives: a point per value, and for each refused one why (kind None for a
// point solved), at the path of the document it was refused at.
struct StudySweepResult {
    QString path;
    std::vector<sweep::SweepPoint> points;
    std::vector<DocumentError> reasons;
};

// One parameter of a study over a range, every value a full evaluation of the study as
// tav-calc system makes it: its cases solved and judged, each value judged by the
// envelope of the cases (the governing case's resistance and rise). Each value's document
// is the study's with the parameter set, read again as a document is, so that a value the
// document refuses (a grid of one conductor) is refused as the document would be.
class StudySweep {
public:
    static const std::vector<SweepParameter> &parameters();
    // The parameter of that path; nullptr when no parameter has it.
    static const SweepParameter *parameter(const QString &path);
    // Whether the document has what the parameter varies: a grid, a grid's or a point's
    // rods, a surface layer; the current only without a network, which works it out.
    static bool varies(const SystemDocument &document, const SweepParameter &parameter);
    // The study with the parameter at value, or the fault its document is refused for.
    static SystemDocument at(const SystemDocument &document, const SweepParameter &parameter,
                             double value, DocumentError &error);

    // Every value of the range evaluated, for a parameter the document varies; the range's
    // refusal, or Error::Cancelled when the callback stopped it.
    static Refusable<StudySweepResult> run(const SystemDocument &document,
                                           const SweepParameter &parameter,
                                           const sweep::SweepRange &range,
                                           const sweep::SweepCallback &progress = {});
};

} // namespace tav
