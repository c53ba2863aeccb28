#include "studies/earthing/SolvedStudy.h"

namespace {

QJsonObject solvedAs(const StudyProject &project) {
    QJsonObject document = project.document();
    document.remove(QStringLiteral("study_window"));
    return document;
}

} // namespace

SolvedStudy::SolvedStudy(StudyProject project, tav::SystemDocument document,
                         std::shared_ptr<const tav::StudyEvaluation> study)
    : m_project(std::move(project)), m_document(std::move(document)), m_study(std::move(study)),
      m_shown(m_study->envelope ? m_study->envelope->governing : 0) {}

// A study without cases is its one case, whose document is the study's as solved.
const tav::SystemDocument &SolvedStudy::document() const {
    return m_study->cases.size() > 1 ? shown().document : m_document;
}

void SolvedStudy::showCase(int index) {
    if (index >= 0 && std::size_t(index) < m_study->cases.size())
        m_shown = index;
}

bool SolvedStudy::staleFor(const StudyProject &now) const {
    return solvedAs(m_project) != solvedAs(now);
}
