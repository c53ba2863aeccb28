#pragma once

#include "core/errors.h"
#include "document/DocumentError.h"
#include "document/SystemDocument.h"

#include <QString>

#include <vector>

class StudyProject;
struct StudyPart;

// A problem of the study in the words of its window: a field by its label as the form
// shows it (without its unit), a part by its name as the parts list shows it, a conductor
// the solver numbers by the part it belongs to ("a rod of Grid 20 × 20 m, 4 × 4"); never
// a path of the document or a conductor's number, which tav-calc gives.
class ProblemWords {
public:
    // "Side along x [m]": "Side along x".
    static QString withoutUnit(const QString &label);
    // The label of the field a document path within the part names ("rods.length": "Rod
    // length"), without its unit; empty when no field of the form holds it.
    static QString fieldLabel(const StudyPart &part, const QString &path);
    // A fault of the document's reader at the path within the part: "Grid 70 × 70 m, 8 × 8:
    // Depth must be a number".
    static QString ofPart(const StudyPart &part, const QString &path,
                          const tav::DocumentError &error);
    // A refusal of the solver, the conductors it numbers among the document's (sources
    // tells their parts) in the parts' words; as the core's wording has it when it names
    // none, or one no part holds.
    static QString refusal(const StudyProject &project,
                           const std::vector<tav::ConductorSource> &sources,
                           const tav::Refusal &refusal);
};
