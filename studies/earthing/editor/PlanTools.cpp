#include "studies/earthing/editor/PlanTools.h"

#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QAction>
#include <QActionGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QToolBar>

using namespace StringId::PlanEditor;
using Tool = PlanEditor::Tool;

namespace {

struct ToolRow {
    Tool tool;
    unsigned name;
    Qt::Key key;
    const char *objectName;
};

// Keys of one letter, as CAD programs give their tools: F fits the plan already.
const ToolRow kTools[] = {
    {Tool::Select, kToolSelect, Qt::Key_S, "toolSelect"},
    {Tool::Conductor, kToolConductor, Qt::Key_C, "toolConductor"},
    {Tool::Rod, kToolRod, Qt::Key_R, "toolRod"},
    {Tool::Fence, kToolFence, Qt::Key_E, "toolFence"},
    {Tool::TouchArea, kToolTouchArea, Qt::Key_T, "toolTouchArea"},
    {Tool::SurfaceZone, kToolSurfaceZone, Qt::Key_Z, "toolSurfaceZone"},
    {Tool::Measure, kToolMeasure, Qt::Key_M, "toolMeasure"},
};

// A shortcut of the plan's own: while it has the keys.
QAction *planAction(QWidget *plan, const QString &text, const QKeySequence &key, const char *name) {
    auto *action = new QAction(text, plan);
    action->setObjectName(QLatin1String(name));
    if (!key.isEmpty()) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
    }
    plan->addAction(action);
    return action;
}

QDoubleSpinBox *metres(QWidget *parent, double value, double low) {
    auto *box = new QDoubleSpinBox(parent);
    box->setDecimals(3);
    box->setRange(low, 1e5);
    box->setValue(value);
    return box;
}

} // namespace

PlanTools::PlanTools(PlanEditor *editor, QWidget *plan, QWidget *parent)
    : QObject(parent), m_editor(editor), m_parent(parent), m_toolBar(new QToolBar(parent)) {
    m_toolBar->setObjectName(QStringLiteral("planTools"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    makeTools(plan);
    makeEdits(plan);
}

void PlanTools::makeTools(QWidget *plan) {
    auto *group = new QActionGroup(this);
    for (const ToolRow &row : kTools) {
        QAction *action = planAction(plan, LoadLanguageString(row.name), row.key, row.objectName);
        action->setCheckable(true);
        action->setToolTip(LoadLanguageString(kToolTip).arg(
            LoadLanguageString(row.name),
            QKeySequence(row.key).toString(QKeySequence::NativeText)));
        group->addAction(action);
        m_toolBar->addAction(action);
        const Tool tool = row.tool;
        connect(action, &QAction::triggered, m_editor, [this, tool] { m_editor->setTool(tool); });
        m_tools.append(action);
    }
    m_tools.first()->setChecked(true);
    connect(m_editor, &PlanEditor::toolChanged, this,
            [this](Tool tool) { m_tools.at(int(tool))->setChecked(true); });
    m_snapGrid = planAction(plan, LoadLanguageString(kSnapGrid), {}, "snapGrid");
    m_snapGrid->setCheckable(true);
    m_snapGrid->setChecked(m_editor->snapper().toGrid);
    connect(m_snapGrid, &QAction::toggled, m_editor,
            [this](bool on) { m_editor->snapper().toGrid = on; });
    m_snapMetal = planAction(plan, LoadLanguageString(kSnapMetal), {}, "snapMetal");
    m_snapMetal->setCheckable(true);
    m_snapMetal->setChecked(m_editor->snapper().toMetal);
    connect(m_snapMetal, &QAction::toggled, m_editor,
            [this](bool on) { m_editor->snapper().toMetal = on; });
    m_gridStep = planAction(plan, LoadLanguageString(kGridStep), {}, "gridStep");
    connect(m_gridStep, &QAction::triggered, this, &PlanTools::chooseGridStep);
    // The point typed stands beside the map's choice, where the tool bar leaves it room.
    m_typed = new QLineEdit(m_parent);
    m_typed->setObjectName(QStringLiteral("typedPoint"));
    m_typed->setPlaceholderText(LoadLanguageString(kTypedPlaceholder));
    m_typed->setMaximumWidth(140);
    // Enter on nothing typed ends what is being drawn, as on the plan.
    connect(m_typed, &QLineEdit::returnPressed, this, [this] {
        if (m_typed->text().trimmed().isEmpty())
            m_editor->finishDrawing();
        else if (m_editor->typePoint(m_typed->text()))
            m_typed->clear();
    });
}

void PlanTools::makeEdits(QWidget *plan) {
    QAction *copy = planAction(plan, LoadLanguageString(kCopy), QKeySequence::Copy, "copyParts");
    connect(copy, &QAction::triggered, this, [this] {
        if (m_editor->selection().isEmpty())
            Q_EMIT nothingToCopy();
        else
            m_editor->copy();
    });
    QAction *paste =
        planAction(plan, LoadLanguageString(kPaste), QKeySequence::Paste, "pasteParts");
    connect(paste, &QAction::triggered, m_editor, &PlanEditor::paste);
    QAction *remove =
        planAction(plan, LoadLanguageString(kDelete), QKeySequence::Delete, "deleteParts");
    connect(remove, &QAction::triggered, m_editor, &PlanEditor::removeSelected);
    QAction *quarter = planAction(plan, LoadLanguageString(kRotateQuarter),
                                  QKeySequence(Qt::CTRL | Qt::Key_R), "rotateQuarter");
    connect(quarter, &QAction::triggered, m_editor, [this] { m_editor->rotateBy(90); });
    QAction *rotate = planAction(plan, LoadLanguageString(kRotateBy), {}, "rotateBy");
    connect(rotate, &QAction::triggered, this, &PlanTools::chooseRotation);
    QAction *array = planAction(plan, LoadLanguageString(kArray), {}, "arrayParts");
    connect(array, &QAction::triggered, this, &PlanTools::chooseArray);
    m_edits = {copy, paste, remove, quarter, rotate, array};
}

void PlanTools::fillDrawMenu(QMenu *menu) const {
    for (QAction *tool : m_tools)
        menu->addAction(tool);
    menu->addSeparator();
    for (QAction *a : {m_snapGrid, m_snapMetal, m_gridStep})
        menu->addAction(a);
}

void PlanTools::chooseRotation() {
    bool ok = false;
    const double degrees =
        QInputDialog::getDouble(m_parent, LoadLanguageString(kRotateCommand),
                                LoadLanguageString(kAngle), 90, -360, 360, 3, &ok);
    if (ok)
        m_editor->rotateBy(degrees);
}

void PlanTools::chooseGridStep() {
    bool ok = false;
    const double step = QInputDialog::getDouble(
        m_parent, LoadLanguageString(kGridStep).remove(QLatin1Char('&')),
        LoadLanguageString(kStepLabel), m_editor->snapper().step, 0.001, 1000, 3, &ok);
    if (ok)
        m_editor->snapper().step = step;
}

// Rows along y and columns along x, spaced by the selection's size and a step of the grid
// at first.
void PlanTools::chooseArray() {
    if (m_editor->selection().isEmpty()) {
        m_editor->arrayOf(1, 1, {}); // says that nothing is selected
        return;
    }
    QDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("arrayDialog"));
    dialog.setWindowTitle(LoadLanguageString(kArrayCommand));
    auto *rows = new QSpinBox(&dialog);
    rows->setObjectName(QStringLiteral("rows"));
    rows->setRange(1, 100);
    auto *columns = new QSpinBox(&dialog);
    columns->setObjectName(QStringLiteral("columns"));
    columns->setRange(1, 100);
    columns->setValue(2);
    QDoubleSpinBox *dx = metres(&dialog, 5, -1e5);
    dx->setObjectName(QStringLiteral("spacingX"));
    QDoubleSpinBox *dy = metres(&dialog, 5, -1e5);
    dy->setObjectName(QStringLiteral("spacingY"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *form = new QFormLayout(&dialog);
    form->addRow(LoadLanguageString(kRows), rows);
    form->addRow(LoadLanguageString(kColumns), columns);
    form->addRow(LoadLanguageString(kSpacingX), dx);
    form->addRow(LoadLanguageString(kSpacingY), dy);
    form->addRow(buttons);
    if (dialog.exec() == QDialog::Accepted)
        m_editor->arrayOf(rows->value(), columns->value(), QPointF(dx->value(), dy->value()));
}
