#include "studies/earthing/StudyCheck.h"

#include "core/earthing/InputCheck.h"

StudyCheck StudyCheck::of(const StudyProject &project) {
    StudyCheck check;
    check.project = project;
    const tav::SystemDocument document =
        tav::SystemDocument::fromJson(project.toJson(), check.error);
    if (check.error.kind != tav::DocumentError::Kind::None)
        return check;
    const tav::SystemDocument::Expansion expansion = document.expanded();
    if (expansion.input.refused()) {
        check.refusal = expansion.input.refusal();
        check.refusedPart = expansion.refusedPart;
        return check;
    }
    const tav::earthing::EarthingInput &input = expansion.input.result();
    check.conductors = input.conductors;
    check.sources = document.sources();
    check.touchAreas = input.touchAreas;
    check.touchPoints = input.touchPoints;
    check.surfaceZone = input.surfaceZone;
    check.refusal = tav::earthing::InputCheck::check(input);
    if (!check.refusal)
        check.sound = document;
    return check;
}
