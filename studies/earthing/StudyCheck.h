#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/errors.h"
#include "document/SystemDocument.h"
#include "studies/earthing/StudyProject.h"

#include <optional>
#include <vector>

// A study as typed, read by the document's own reader and checked as the solver checks
// it. It takes no widget, so that the window runs it off the interface thread: a large
// system's expansion and checks take longer than a keystroke may.
struct StudyCheck {
    StudyProject project; // as checked
    tav::DocumentError error;
    std::optional<tav::Refusal> refusal;
    QString refusedPart; // the path of a part that would expand past the solver's limit
    // As far as the document reads: its conductors and where each came from.
    std::vector<tav::earthing::Conductor> conductors;
    std::vector<tav::ConductorSource> sources;
    // Where people stand, as the solver would search: the shapes' touch areas and the ones
    // given, the touch points, the surface layer's zone (empty: everywhere).
    std::vector<tav::earthing::TouchArea> touchAreas;
    std::vector<tav::earthing::TouchPoint> touchPoints;
    std::vector<tav::earthing::Point2> surfaceZone;
    std::optional<tav::SystemDocument> sound; // the document, when the solver takes it

    static StudyCheck of(const StudyProject &project);
};
