#pragma once

#include "document/CaseStudy.h"
#include "studies/earthing/StudyProject.h"

#include <memory>
#include <optional>

// A study as it was solved and what its evaluation gave, every case's: the one holder of
// the window's result, of which everything shown after a solve is drawn (the case chosen,
// at first the governing one), and of whether the study as it is now is still the one
// solved.
class SolvedStudy {
public:
    SolvedStudy(StudyProject project, tav::SystemDocument document,
                std::shared_ptr<const tav::StudyEvaluation> study);

    const tav::earthing::EarthingResult &result() const { return *evaluation().result; }
    const std::optional<tav::earthing::SystemSafety> &safety() const { return evaluation().safety; }
    const std::optional<tav::Refusal> &safetyRefusal() const { return evaluation().safetyRefusal; }
    // The study's document as the case shown sees it (its soil, current and criteria).
    const tav::SystemDocument &document() const;
    const tav::SystemEvaluation &evaluation() const { return shown().evaluation; }
    // The study solved, every case and the envelope.
    const tav::StudyEvaluation &study() const { return *m_study; }
    int shownCase() const { return m_shown; }
    void showCase(int index);
    // Whether the study as it is now differs from the one solved in anything a solve
    // depends on (the window's own settings aside).
    bool staleFor(const StudyProject &now) const;

private:
    StudyProject m_project;
    tav::SystemDocument m_document;
    const tav::CaseEvaluation &shown() const { return m_study->cases[std::size_t(m_shown)]; }

    std::shared_ptr<const tav::StudyEvaluation> m_study;
    int m_shown = 0;
};
