#include "studies/earthing/SolvedStudy.h"

namespace {

QJsonObject solvedAs(const StudyProject &project) {
    QJsonObject document = project.document();
    document.remove(QStringLiteral("study_window"));
    return document;
}

} // namespace

SolvedStudy::SolvedStudy(StudyProject project, tav::SystemDocument document,
                         std::shared_ptr<const tav::SystemEvaluation> evaluation)
    : m_project(std::move(project)), m_document(std::move(document)),
      m_evaluation(std::move(evaluation)) {}

bool SolvedStudy::staleFor(const StudyProject &now) const {
    return solvedAs(m_project) != solvedAs(now);
}
