#pragma once

#include "studies/earthing/editor/PlanEditor.h"

#include <QObject>
#include <QVector>

class QAction;
class QLineEdit;
class QMenu;
class QToolBar;
class QWidget;

// The plan editor's tools and edits as actions: a tool bar above the plan (the tools, each
// on a key), the field for a point typed, the Draw menu, and the Edit menu's copy,
// paste, delete, rotate and array, with their dialogs. The keys work while the plan has
// them, so that a letter typed in a field stays a letter.
class PlanTools : public QObject {
    Q_OBJECT
public:
    PlanTools(PlanEditor *editor, QWidget *plan, QWidget *parent);

    QToolBar *toolBar() const { return m_toolBar; }
    QAction *toolAction(PlanEditor::Tool tool) const { return m_tools.at(int(tool)); }
    // Copy, Paste, Delete, Rotate 90°, Rotate by..., Array..., in the Edit menu's order.
    const QVector<QAction *> &editActions() const { return m_edits; }
    void fillDrawMenu(QMenu *menu) const;
    QLineEdit *typedPoint() const { return m_typed; }

    void chooseRotation();
    void chooseArray();
    void chooseGridStep();

Q_SIGNALS:
    // Ctrl+C on the plan with nothing selected: the window copies its results.
    void nothingToCopy();

private:
    PlanEditor *m_editor;
    QWidget *m_parent;
    QToolBar *m_toolBar;
    QLineEdit *m_typed;
    QVector<QAction *> m_tools;
    QVector<QAction *> m_edits;
    QAction *m_snapGrid;
    QAction *m_snapMetal;
    QAction *m_gridStep;
    void makeTools(QWidget *plan);
    void makeEdits(QWidget *plan);
};
