#pragma once

#include <QPointF>
#include <QWidget>

class EarthingProject;
class PlanEditor;
class PlanTools;
class PlanView;
class ProfileView;
class QComboBox;
class QLabel;

// The middle of the earthing study window: the map chosen and the point typed, the plan's
// tools beside the plan itself, the study's editor, the profile under it, and where the
// cursor is (in the study's metres and, when the study keeps its site coordinates, the
// site's) under them.
class StudyPlanPanel : public QWidget {
    Q_OBJECT
public:
    StudyPlanPanel(EarthingProject *project, QWidget *parent);

    PlanView *plan() const { return m_plan; }
    ProfileView *profile() const { return m_profile; }
    QComboBox *map() const { return m_map; }
    PlanEditor *editor() const { return m_editor; }
    PlanTools *tools() const { return m_tools; }
    void clearCursor();

private:
    EarthingProject *m_project;
    QComboBox *m_map;
    QLabel *m_cursor;
    PlanView *m_plan;
    ProfileView *m_profile;
    PlanEditor *m_editor;
    PlanTools *m_tools;
    void showCursor(QPointF at);
};
