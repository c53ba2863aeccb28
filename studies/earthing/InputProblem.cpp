#include "studies/earthing/InputProblem.h"

#include "document/DocumentWording.h"
#include "studies/earthing/ProblemWords.h"
#include "studies/earthing/StudyProject.h"
#include "ui/LanguageString.h"

using Role = StudyPart::Role;

namespace {

// Which fields a refusal of a conductor points at, by what it is about.
std::optional<Role> roleOf(tav::Error error) {
    switch (error) {
    case tav::Error::ConductorAboveSurface:
    case tav::Error::ConductorOnSurface:
    case tav::Error::ConductorRadiusAboveSurface:
        return Role::Depth;
    case tav::Error::ConductorDiameterNotPositive:
    case tav::Error::ConductorDiameterNotBelowLength:
    case tav::Error::ConductorDiameterBelowFloor:
        return Role::Diameter;
    case tav::Error::ConductorBeyondReach:
        return Role::Place;
    case tav::Error::ConductorZeroLength:
        return Role::Length;
    default:
        return std::nullopt;
    }
}

// The input field a refusal of the soil or the current points at.
QString inputPathOf(tav::Quantity quantity) {
    switch (quantity) {
    case tav::Quantity::SoilResistivity:
        return QStringLiteral("soil.rho");
    case tav::Quantity::TopLayerResistivity:
        return QStringLiteral("soil.rho1");
    case tav::Quantity::BottomLayerResistivity:
        return QStringLiteral("soil.rho2");
    case tav::Quantity::TopLayerThickness:
        return QStringLiteral("soil.h");
    case tav::Quantity::InjectedCurrent:
        return QStringLiteral("current");
    case tav::Quantity::SearchStep:
        return QStringLiteral("search.step");
    case tav::Quantity::SearchMargin:
        return QStringLiteral("search.margin");
    case tav::Quantity::SegmentLength:
        return QStringLiteral("segment_length");
    default:
        return QString();
    }
}

// A layer of a soil of three or more: its cell, by the layer the refusal numbers from 1.
QString layerPathOf(const tav::Refusal &refusal) {
    if (refusal.error != tav::Error::LayerNotPositive || refusal.values.empty())
        return QString();
    const QString key = refusal.quantity == tav::Quantity::LayerThickness
                            ? QStringLiteral("thickness")
                            : QStringLiteral("rho");
    return QStringLiteral("soil.layers[%1].%2").arg(int(refusal.values[0]) - 1).arg(key);
}

} // namespace

InputProblem InputProblem::ofDocument(const StudyProject &project, const tav::DocumentError &error,
                                      const Label &inputLabel) {
    InputProblem problem;
    problem.path = error.path;
    if (const auto at = project.partAt(error.path)) {
        problem.part = at->first;
        problem.path = at->second;
        problem.why = ProblemWords::ofPart(project.parts[problem.part], problem.path, error);
        return problem;
    }
    tav::DocumentError named = error;
    if (const QString shown = inputLabel(problem.path); !shown.isEmpty())
        named.path = ProblemWords::withoutUnit(shown); // as the user knows the field
    problem.why = DocumentWording::error(named, &LoadLanguageString);
    return problem;
}

InputProblem InputProblem::ofRefusal(const StudyProject &project,
                                     const std::vector<tav::ConductorSource> &sources,
                                     const tav::Refusal &refusal) {
    const auto source = [&sources](double number) -> const tav::ConductorSource * {
        const auto k = std::size_t(number) - 1; // the solver numbers from 1
        return number >= 1 && k < sources.size() ? &sources[k] : nullptr;
    };
    InputProblem problem;
    problem.why = ProblemWords::refusal(project, sources, refusal);
    if (const QString layer = layerPathOf(refusal); !layer.isEmpty()) {
        problem.path = layer;
        return problem;
    }
    if (!tav::namesConductor(refusal.error) || refusal.values.empty()) {
        problem.path = inputPathOf(refusal.quantity);
        return problem;
    }
    if (const tav::ConductorSource *from = source(refusal.values[0])) {
        problem.part = project.partOf(*from);
        problem.within = from->field;
    }
    problem.role = roleOf(refusal.error);
    // The depth above the surface, the diameter: the field that holds it, when one does.
    if (refusal.values.size() > 1)
        problem.value = refusal.values[1];
    if (refusal.error == tav::Error::ConductorZeroLength)
        problem.value = 0;
    // Both conductors of a pair are marked: either may be the one to move.
    if (tav::namesConductorPair(refusal.error) && refusal.values.size() > 1)
        if (const tav::ConductorSource *other = source(refusal.values[1]))
            problem.otherPart = project.partOf(*other);
    return problem;
}
