#pragma once

#include "document/SystemStudy.h"
#include "studies/earthing/StudyProject.h"

#include <memory>
#include <optional>

// A study as it was solved and what its evaluation gave: the one holder of the window's
// result, of which everything shown after a solve is drawn, and of whether the study as
// it is now is still the one solved.
class SolvedStudy {
public:
    SolvedStudy(StudyProject project, tav::SystemDocument document,
                std::shared_ptr<const tav::SystemEvaluation> evaluation);

    const tav::earthing::EarthingResult &result() const { return *m_evaluation->result; }
    const std::optional<tav::earthing::SystemSafety> &safety() const {
        return m_evaluation->safety;
    }
    const std::optional<tav::Refusal> &safetyRefusal() const {
        return m_evaluation->safetyRefusal;
    }
    const tav::SystemDocument &document() const { return m_document; }
    const tav::SystemEvaluation &evaluation() const { return *m_evaluation; }
    // Whether the study as it is now differs from the one solved in anything a solve
    // depends on (the window's own settings aside).
    bool staleFor(const StudyProject &now) const;

private:
    StudyProject m_project;
    tav::SystemDocument m_document;
    std::shared_ptr<const tav::SystemEvaluation> m_evaluation;
};
