#pragma once

class EarthingProject;
class EarthingStudyWindow;
class ProjectFile;
class QMenuBar;

// The earthing study window's menu bar: File (the project file, the PDF, Close), Edit (undo
// and redo of the project's edits) and View (fit the plan, draw a touch area or the
// surface layer's zone), its actions the window's too so that their shortcuts work.
class StudyMenu {
public:
    static QMenuBar *make(EarthingStudyWindow *window, ProjectFile *projectFile,
                          EarthingProject *project);
};
