#pragma once

#include "studies/earthing/StudyProject.h"

#include <QUndoCommand>

class EarthingProject;

// One edit of an earthing study: the document before and after it, so that undo and redo
// give back exactly what was there (a study is small, and its JSON shared until changed).
// Commands with the same merge key one after another (keystrokes in one field) become one;
// one that leaves the document as it found it drops out of the stack.
class ProjectCommand : public QUndoCommand {
public:
    ProjectCommand(EarthingProject *project, const QString &name, StudyProject before,
                   StudyProject after, int focusBefore, int focusAfter, QString mergeKey);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    EarthingProject *m_project;
    StudyProject m_before;
    StudyProject m_after;
    int m_focusBefore;
    int m_focusAfter;
    QString m_mergeKey;
};
