#pragma once

#include "core/errors.h"
#include "document/DocumentError.h"
#include "document/SystemDocument.h"
#include "studies/earthing/StudyPart.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class StudyProject;

// Where the first problem of a study as typed lies, for its window to mark: a part (or -1,
// the inputs or the whole document) and the path in it, or the kind of field a refusal of
// the solver points at and the value it names, with the words that say why.
struct InputProblem {
    int part = -1;
    QString path; // in the part, or in the document when part is -1
    std::optional<StudyPart::Role> role;
    std::optional<double> value;
    int otherPart = -1; // the second of two overlapping parts
    QString within;     // the part's field that shapes the conductor: "rods", "posts"
    QString why;

    // The label of the inputs' field at a document path ("soil.h"), empty where none is.
    using Label = std::function<QString(const QString &path)>;

    // A fault of the document's reader, in the words of the form: the field by its label, a
    // part's by the part's name too (ProblemWords).
    static InputProblem ofDocument(const StudyProject &project, const tav::DocumentError &error,
                                   const Label &inputLabel);
    // A refusal of the solver's input check; conductors found by their number among the
    // document's, whose parts and fields sources tells, and named by their parts.
    static InputProblem ofRefusal(const StudyProject &project,
                                  const std::vector<tav::ConductorSource> &sources,
                                  const tav::Refusal &refusal);
};
