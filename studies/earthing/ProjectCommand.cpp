#include "studies/earthing/ProjectCommand.h"

#include "studies/earthing/EarthingProject.h"

namespace {

// Every command that merges has this id; the merge key tells which may merge.
constexpr int kMergingId = 1;

bool same(const StudyProject &a, const StudyProject &b) {
    if (a.rest != b.rest || a.parts.size() != b.parts.size())
        return false;
    for (int k = 0; k < a.parts.size(); ++k)
        if (a.parts[k].kind != b.parts[k].kind || a.parts[k].json != b.parts[k].json)
            return false;
    return true;
}

} // namespace

ProjectCommand::ProjectCommand(EarthingProject *project, const QString &name,
                               StudyProject before, StudyProject after, int focusBefore,
                               int focusAfter, QString mergeKey)
    : QUndoCommand(name), m_project(project), m_before(std::move(before)),
      m_after(std::move(after)), m_focusBefore(focusBefore), m_focusAfter(focusAfter),
      m_mergeKey(std::move(mergeKey)) {}

void ProjectCommand::undo() {
    m_project->apply(m_before, m_focusBefore);
}

void ProjectCommand::redo() {
    m_project->apply(m_after, m_focusAfter);
}

int ProjectCommand::id() const {
    return m_mergeKey.isEmpty() ? -1 : kMergingId;
}

bool ProjectCommand::mergeWith(const QUndoCommand *other) {
    const auto *next = static_cast<const ProjectCommand *>(other);
    if (next->m_mergeKey != m_mergeKey)
        return false;
    m_after = next->m_after;
    m_focusAfter = next->m_focusAfter;
    // Typed back to what it was: nothing left to undo.
    setObsolete(same(m_before, m_after));
    return true;
}
