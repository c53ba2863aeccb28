#include "studies/earthing/EarthingStudyWindow.h"

#include "document/DocumentWording.h"
#include "report/LeakageTable.h"
#include "report/ReportWriter.h"
#include "report/SystemReport.h"
#include "studies/common/BackgroundWork.h"
#include "studies/common/StudyLabels.h"
#include "studies/common/StudyNumber.h"
#include "studies/common/StudyWindow.h"
#include "studies/earthing/CasesPanel.h"
#include "studies/earthing/DrawingExportFlow.h"
#include "studies/earthing/DrawingImportFlow.h"
#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/InputProblem.h"
#include "studies/earthing/JsonFieldEdits.h"
#include "studies/earthing/KeptSite.h"
#include "studies/earthing/NetworkInputs.h"
#include "studies/earthing/PartEditor.h"
#include "studies/earthing/PartListModel.h"
#include "studies/earthing/PartRemoval.h"
#include "studies/earthing/PlanMaps.h"
#include "studies/earthing/PlanView.h"
#include "studies/earthing/ProfileView.h"
#include "studies/earthing/ProjectFile.h"
#include "studies/earthing/SolveRunner.h"
#include "studies/earthing/DesignDialog.h"
#include "studies/earthing/SweepDialog.h"
#include "studies/earthing/StudyCheck.h"
#include "studies/earthing/StudyInputs.h"
#include "studies/earthing/StudyMenu.h"
#include "studies/earthing/StudyPlanPanel.h"
#include "studies/earthing/StudyResultsPanel.h"
#include "studies/earthing/editor/PartGeometry.h"
#include "studies/earthing/editor/PlanEditor.h"
#include "studies/earthing/editor/PlanEdits.h"
#include "studies/earthing/editor/PlanTools.h"
#include "text/StringIds.h"
#include "ui/FileChooser.h"
#include "ui/LanguageString.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

using namespace StringId::EarthingStudy;
using tav::earthing::EarthingResult;
using Stage = tav::earthing::SolveProgress::Stage;

namespace {

const char *const kRed = "#c01c1c";
const QString kSettings = QStringLiteral("study_window");

// The study always has its safety criteria (a document without them opens with the fault
// duration to be given).
StudyProject asEdited(StudyProject project) {
    if (!project.rest.value(QStringLiteral("safety")).isObject())
        project.rest[QStringLiteral("safety")] =
            QJsonObject{{QStringLiteral("body"), 50}, {QStringLiteral("surface"), QJsonValue()}};
    return project;
}

// A dialog of the study's own, beside the window, gone when closed.
void showDialog(QDialog *dialog) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

} // namespace

// Not deleted on close: a window made here may live on the stack; handOn and the program's
// start delete theirs.
EarthingStudyWindow::EarthingStudyWindow(const StudyProject &project)
    : StudyWindow(nullptr, QStringLiteral("earthingStudy"), QSize(1400, 860),
                  Conduct{true, false, false}),
      m_project(new EarthingProject(this)), m_partList(new PartListModel(m_project, this)),
      m_file(new ProjectFile(this, m_project)), m_checking(new BackgroundWork(this)),
      m_sampling(new BackgroundWork(this)) {
    m_runner = new SolveRunner(this);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(makeInputs());
    splitter->addWidget(makeCentre());
    m_results = new StudyResultsPanel(this);
    connect(m_results, &StudyResultsPanel::placeActivated, this,
            [this](QPointF at) { m_plan->centreOn(at); });
    connect(m_results->cases(), &CasesPanel::caseChosen, this, &EarthingStudyWindow::caseChosen);
    splitter->addWidget(m_results);
    splitter->setStretchFactor(1, 1);
    // The results wide enough for the places' every column, the verdict last.
    splitter->setSizes({380, 580, 440});
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(makeMenu());
    layout->addWidget(splitter, 1);
    layout->addWidget(makeSolveRow());
    layout->addLayout(makeButtonRow(false)); // Alt+S solves
    makeShortcuts();
    connect(m_runner, &SolveRunner::progressed, this, &EarthingStudyWindow::progressed);
    connect(m_runner, &SolveRunner::solved, this, &EarthingStudyWindow::solved);
    connect(m_runner, &SolveRunner::refused, this, [this](const tav::Refusal &refusal) {
        solveEnded(LoadLanguageString(kSolveRefused).arg(languageWording().refusal(refusal)));
    });
    connect(m_runner, &SolveRunner::cancelled, this,
            [this] { solveEnded(LoadLanguageString(kCancelled)); });
    connect(m_project, &EarthingProject::changed, this, &EarthingStudyWindow::followDocument);
    connect(m_project, &EarthingProject::partFocused, this, &EarthingStudyWindow::selectPart);
    connect(m_project, &EarthingProject::modifiedChanged, this, &EarthingStudyWindow::showTitle);
    connect(m_file, &ProjectFile::opened, this,
            [this](const StudyProject &opened) { load(opened, true); });
    connect(m_file, &ProjectFile::nameChanged, this, &EarthingStudyWindow::showTitle);
    // Large enough for the plan beside its inputs and results, within the screen.
    if (screen()) {
        const QSize room = screen()->availableGeometry().size();
        resize(size().boundedTo(room));
    }
    load(project, true);
}

EarthingStudyWindow::~EarthingStudyWindow() = default;

EarthingStudyWindow *EarthingStudyWindow::handOn(const StudyProject &project, QWidget *opener) {
    auto *window = new EarthingStudyWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Handed on, not yet saved anywhere: closing it asks first.
    window->load(project, false);
    window->keepWith(opener ? opener->window() : nullptr);
    window->show();
    return window;
}

EarthingStudyWindow *EarthingStudyWindow::startNew(QWidget *opener) {
    auto *window = new EarthingStudyWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->keepWith(opener ? opener->window() : nullptr);
    window->show();
    return window;
}

EarthingStudyWindow *EarthingStudyWindow::startFrom(const QString &path, QWidget *opener) {
    auto window = std::make_unique<EarthingStudyWindow>();
    window->keepWith(opener ? opener->window() : nullptr);
    if (!window->openFile(path))
        return nullptr;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window.release();
}

bool EarthingStudyWindow::anyOpen() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](QWidget *w) {
        return qobject_cast<EarthingStudyWindow *>(w) && w->isVisible();
    });
}

const StudyProject &EarthingStudyWindow::project() const {
    return m_project->document();
}

const tav::earthing::EarthingResult *EarthingStudyWindow::result() const {
    return m_solved ? &m_solved->result() : nullptr;
}

const std::optional<tav::earthing::SystemSafety> &EarthingStudyWindow::safety() const {
    static const std::optional<tav::earthing::SystemSafety> none;
    return m_solved ? m_solved->safety() : none;
}

QString EarthingStudyWindow::fileName() const {
    return m_file->fileName();
}

QStringList EarthingStudyWindow::reportInputs() const {
    QStringList inputs = StudyWindow::reportInputs();
    if (!fileName().isEmpty())
        inputs.append(fileName());
    return inputs;
}

QWidget *EarthingStudyWindow::makeInputs() {
    auto *panel = new QWidget(this);
    m_inputs = new StudyInputs(panel);
    m_inputs->setObjectName(QStringLiteral("inputs"));
    connect(m_inputs, &StudyInputs::edited, this,
            [this](const QString &path, const QJsonValue &value, const QString &label) {
                m_project->setValue(-1, path, value, label);
            });
    connect(m_inputs, &StudyInputs::soilShapeChosen, m_project, &EarthingProject::setSoilShape);
    connect(m_inputs, &StudyInputs::layerAdded, m_project, &EarthingProject::addLayer);
    connect(m_inputs, &StudyInputs::layerRemoved, m_project, &EarthingProject::removeLayer);
    connect(m_inputs, &StudyInputs::surfaceChosen, m_project, &EarthingProject::setSurface);
    connect(m_inputs, &StudyInputs::bodyChosen, m_project, &EarthingProject::setBodyWeight);
    connect(m_inputs, &StudyInputs::criteriaChosen, m_project, &EarthingProject::setCriteria);
    connect(m_inputs, &StudyInputs::surfaceZoneChosen, this,
            &EarthingStudyWindow::chooseSurfaceZone);
    m_networkInputs = new NetworkInputs(panel);
    connect(m_networkInputs, &NetworkInputs::edited, this,
            [this](const QString &path, const QJsonValue &value, const QString &label) {
                m_project->setValue(-1, path, value, label);
            });
    connect(m_networkInputs, &NetworkInputs::networkChosen, m_project,
            &EarthingProject::setNetwork);
    connect(m_networkInputs, &NetworkInputs::rowAdded, m_project, &EarthingProject::addNetworkRow);
    connect(m_networkInputs, &NetworkInputs::rowRemoved, m_project,
            &EarthingProject::removeNetworkRow);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_inputs);
    layout->addWidget(m_networkInputs);
    layout->addWidget(makePartsBox(panel));
    layout->addStretch(1);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(panel);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Shown whole across, scrolled only up and down, whichever part the editor shows.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(std::max(panel->sizeHint().width(), 340) + 24);
    return scroll;
}

QWidget *EarthingStudyWindow::makePartsBox(QWidget *parent) {
    auto *parts = new QGroupBox(LoadLanguageString(kParts), parent);
    m_parts = new QListView(parts);
    m_parts->setObjectName(QStringLiteral("parts"));
    m_parts->setModel(m_partList);
    m_parts->setMaximumHeight(150);
    m_parts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(m_parts->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showPart(); });
    auto *add = new QToolButton(parts);
    add->setObjectName(QStringLiteral("addPart"));
    add->setText(LoadLanguageString(kAdd));
    add->setPopupMode(QToolButton::InstantPopup);
    auto *kinds = new QMenu(add);
    for (StudyPart::Kind kind : StudyPart::offered())
        kinds->addAction(LoadLanguageString(StudyPart::nameId(kind)), this,
                         [this, kind] { addPart(kind); });
    add->setMenu(kinds);
    const auto button = [parts](unsigned text, const char *name) {
        auto *b = new QPushButton(LoadLanguageString(text), parts);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    m_remove = button(kRemove, "removePart");
    m_up = button(kMoveUp, "moveUp");
    m_down = button(kMoveDown, "moveDown");
    connect(m_remove, &QPushButton::clicked, this,
            [this] { PartRemoval::run(this, m_project, currentPart()); });
    connect(m_up, &QPushButton::clicked, this, [this] { m_project->movePart(currentPart(), -1); });
    connect(m_down, &QPushButton::clicked, this, [this] { m_project->movePart(currentPart(), 1); });
    auto *buttons = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{add, m_remove, m_up, m_down})
        buttons->addWidget(w);
    buttons->addStretch(1);
    m_editor = new PartEditor(parts);
    m_editor->setObjectName(QStringLiteral("partEditor"));
    connect(m_editor, &PartEditor::edited, this,
            [this](const QString &path, const QJsonValue &value, const QString &label) {
                m_project->setValue(currentPart(), path, value, label);
            });
    connect(m_editor, &PartEditor::floatingChosen, this,
            [this](bool floating) { m_project->setFloating(currentPart(), floating); });
    connect(m_editor, &PartEditor::rodsChosen, this, [this](EarthingProject::GridRods rods) {
        m_project->setGridRods(currentPart(), rods);
    });
    connect(m_editor, &PartEditor::rowAdded, this, [this](const QString &key, int copied) {
        m_project->addRow(currentPart(), key, copied);
    });
    connect(m_editor, &PartEditor::rowRemoved, this,
            [this](const QString &key, int row) { m_project->removeRow(currentPart(), key, row); });
    m_documentMessage = StudyLabels::wrapping(parts, QStringLiteral("documentMessage"));
    m_documentMessage->setStyleSheet(
        QStringLiteral("QLabel { color: %1; }").arg(QLatin1String(kRed)));
    auto *partsLayout = new QVBoxLayout(parts);
    partsLayout->addWidget(m_parts);
    partsLayout->addLayout(buttons);
    partsLayout->addWidget(m_editor);
    partsLayout->addWidget(m_documentMessage);
    return parts;
}

QWidget *EarthingStudyWindow::makeCentre() {
    m_centre = new StudyPlanPanel(m_project, this);
    m_plan = m_centre->plan();
    m_map = m_centre->map();
    m_profile = m_centre->profile();
    connect(m_centre->editor(), &PlanEditor::said, this,
            [this](const QString &text) { m_status->setText(text); });
    connect(m_centre->tools(), &PlanTools::nothingToCopy, this, &StudyWindow::copyToClipboard);
    return m_centre;
}

QWidget *EarthingStudyWindow::makeSolveRow() {
    auto *row = new QWidget(this);
    m_solve = new QPushButton(LoadLanguageString(kSolve), row);
    m_solve->setObjectName(QStringLiteral("solve"));
    m_solve->setDefault(true);
    m_cancel = new QPushButton(LoadLanguageString(kCancel), row);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_cancel->setEnabled(false);
    m_progress = new QProgressBar(row);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, 1000);
    m_progress->setValue(0);
    m_status = StudyLabels::wrapping(row, QStringLiteral("status"));
    connect(m_solve, &QPushButton::clicked, this, &EarthingStudyWindow::solve);
    connect(m_cancel, &QPushButton::clicked, this, &EarthingStudyWindow::cancelSolve);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_solve);
    layout->addWidget(m_cancel);
    layout->addWidget(m_progress);
    layout->addWidget(m_status, 1);
    return row;
}

QWidget *EarthingStudyWindow::makeMenu() {
    return StudyMenu::make(this, m_file, m_project);
}

void EarthingStudyWindow::makeShortcuts() {
    // F fits the plan when the plan has the keys; in a field it is a letter like any other.
    auto *fit = new QShortcut(QKeySequence(Qt::Key_F), m_plan);
    fit->setContext(Qt::WidgetShortcut);
    connect(fit, &QShortcut::activated, this, &EarthingStudyWindow::fitPlan);
    // Ctrl+C copies the results where they are shown (on the plan, the parts selected, or
    // the results when none is: PlanTools); in a field it copies its text.
    auto *copy = new QShortcut(QKeySequence::Copy, m_results);
    copy->setContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QShortcut::activated, this, &StudyWindow::copyToClipboard);
}

// Escape drops what is being drawn on the plan, then puts the tool down; else it cancels a
// solve; otherwise it closes the window, as in every study window.
void EarthingStudyWindow::escapePressed() {
    PlanEditor *editor = m_centre->editor();
    if (editor->isDrawing())
        editor->cancel();
    else if (editor->tool() != PlanEditor::Tool::Select)
        editor->setTool(PlanEditor::Tool::Select);
    else if (solving())
        cancelSolve();
    else
        close();
}

// --- the study and its parts --------------------------------------------------------------

void EarthingStudyWindow::load(const StudyProject &project, bool saved) {
    m_runner->cancel();
    m_solved.reset();
    m_leakage.reset();
    m_pending.reset();
    m_stale = false;
    m_plan->picture().result = nullptr;
    m_shownPart = -2; // none shown yet: the first one is built afresh
    m_plan->picture().conductors.clear();
    m_centre->clearCursor();
    m_status->clear();
    m_progress->setValue(0);
    m_project->reset(asEdited(project), saved);
    showTitle();
    if (!project.notice.isEmpty())
        m_status->setText(project.notice);
    showResults();
    m_fitOnCheck = true; // the whole system once its check tells what it is
}

// Where there is room beside the system; the plan follows once it is checked when the new
// part lies outside the view.
void EarthingStudyWindow::addPart(StudyPart::Kind kind) {
    const int at = PlanEdits(m_project).addBeside(kind);
    const QRectF box = PartGeometry::bounds(project().parts.value(at));
    if (!m_plan->world().contains(box.topLeft()) || !m_plan->world().contains(box.bottomRight()))
        m_fitOnCheck = true;
}

int EarthingStudyWindow::currentPart() const {
    const QModelIndex current = m_parts->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void EarthingStudyWindow::selectPart(int index) {
    if (index < 0 || index >= m_partList->rowCount()) {
        m_parts->selectionModel()->clearCurrentIndex();
        m_parts->clearSelection();
    } else {
        m_parts->setCurrentIndex(m_partList->index(index));
    }
    showPart();
}

// Every widget shows the document as it now is, after an edit, an undo or a redo.
void EarthingStudyWindow::followDocument() {
    const QJsonObject &rest = project().rest;
    const QJsonObject settings = rest.value(kSettings).toObject();
    m_map->setCurrentIndex(PlanMaps::index(settings));
    const std::optional<QLineF> line = SystemReport::keptProfileLine(settings);
    // The profile is of the solve along its line: sampled again only when the line moves.
    // Compared with the line last shown, not the plan's: a drag shows its line as it goes.
    const bool lineMoved = line != m_profileLine;
    m_profileLine = line;
    m_plan->picture().profile = line;
    m_inputs->load(rest);
    m_networkInputs->load(rest);
    showSite();
    showPart();
    check();
    if (m_solved) {
        // Of the study as it was solved; an undo back to it makes it current again.
        m_stale = m_solved->staleFor(project());
        m_results->setStale(m_stale);
    }
    showMap();
    if (lineMoved)
        showProfile();
    showTitle();
}

void EarthingStudyWindow::showPart() {
    const int index = currentPart();
    const auto &parts = project().parts;
    const StudyPart *part = index >= 0 && index < parts.size() ? &parts[index] : nullptr;
    if (index != m_shownPart)
        m_editor->showPart(nullptr); // another part: its fields afresh
    m_editor->showPart(part);
    m_shownPart = index;
    m_remove->setEnabled(part != nullptr);
    m_up->setEnabled(part && index > 0 && parts[index - 1].kind == part->kind);
    m_down->setEnabled(part && index + 1 < parts.size() && parts[index + 1].kind == part->kind);
    showProblem(); // marks its fields, worded by their labels
}

// --- checking what is typed ----------------------------------------------------------------

// The document as typed, read and checked off the interface thread; until the newest check
// is back, Solve waits.
void EarthingStudyWindow::check() {
    m_document.reset();
    m_solve->setEnabled(false);
    const StudyProject typed = project();
    m_checking->start([this, typed](const BackgroundWork::Run &) {
        auto checked = std::make_shared<const StudyCheck>(StudyCheck::of(typed));
        return [this, checked] { showCheck(*checked); };
    });
}

// The check's first problem is marked where it is; the plan draws the system as typed, as
// far as it reads, over the last solve's map.
void EarthingStudyWindow::showCheck(const StudyCheck &checked) {
    m_problem.reset();
    if (checked.error.kind != tav::DocumentError::Kind::None) {
        m_problem =
            InputProblem::ofDocument(checked.project, checked.error, [this](const QString &path) {
                const QString label = m_inputs->label(path);
                return label.isEmpty() ? m_networkInputs->label(path) : label;
            });
    } else {
        m_plan->picture().conductors = checked.conductors;
        m_plan->picture().touchAreas = checked.touchAreas;
        m_plan->picture().touchPoints = checked.touchPoints;
        m_plan->picture().surfaceZone = checked.surfaceZone;
        m_centre->editor()->setMetal(checked.conductors);
        if (checked.refusal)
            m_problem = InputProblem::ofRefusal(checked.project, checked.sources, *checked.refusal);
        // A part that would expand past the solver's limit: that part, never expanded.
        if (const auto at = checked.project.partAt(checked.refusedPart); m_problem && at)
            m_problem->part = at->first;
    }
    m_document = checked.sound;
    showProblem();
    m_solve->setEnabled(m_document.has_value());
    // A study opened with a problem draws nothing yet: it is fitted once it first draws.
    const bool drawn = checked.error.kind == tav::DocumentError::Kind::None;
    m_plan->refresh(m_fitOnCheck && drawn);
    m_fitOnCheck = m_fitOnCheck && !drawn;
}

// Shows the problem where it is: the input field, the part in the list and its field when
// it is the part shown, or under the parts.
void EarthingStudyWindow::showProblem() {
    m_inputs->clearMarks();
    m_networkInputs->clearMarks();
    m_editor->clearMarks();
    m_documentMessage->clear();
    m_documentMessage->hide();
    m_partList->setProblem(m_problem ? m_problem->part : -1, m_problem ? m_problem->otherPart : -1,
                           m_problem ? m_problem->why : QString());
    if (!m_problem)
        return;
    const InputProblem &f = *m_problem;
    if (f.part < 0) {
        if (f.path.isEmpty() ||
            (!m_inputs->mark(f.path, f.why) && !m_networkInputs->mark(f.path, f.why))) {
            m_documentMessage->setText(f.why);
            m_documentMessage->show();
        }
        return;
    }
    const int current = currentPart();
    if (f.part != current && f.otherPart != current) {
        m_documentMessage->setText(LoadLanguageString(kPartRefused).arg(f.why));
        m_documentMessage->show();
        return;
    }
    bool marked = false;
    if (!f.path.isEmpty())
        marked = m_editor->mark(f.path, f.why);
    else if (f.role) {
        m_editor->mark(*f.role, f.value, f.within, f.why);
        marked = true;
    }
    // What no field holds (a key the part does not take, an overlap): said under it.
    if (!marked || f.otherPart >= 0)
        m_editor->setMessage(f.why);
}

// --- solving ---------------------------------------------------------------------------------

bool EarthingStudyWindow::checking() const {
    return m_checking->running();
}

bool EarthingStudyWindow::solving() const {
    return m_runner->running();
}

void EarthingStudyWindow::solve() {
    if (!m_document || checking())
        return;
    // A second Solve replaces the first, whose outcome is then dropped.
    m_pending.emplace(project(), *m_document);
    m_runner->start(*m_document);
    m_cancel->setEnabled(true);
    m_progress->setValue(0);
    m_status->setText(LoadLanguageString(kSolving).arg(LoadLanguageString(kStageTables)));
}

void EarthingStudyWindow::cancelSolve() {
    m_runner->cancel();
}

void EarthingStudyWindow::progressed(Stage stage, double fraction) {
    const int index = int(stage);
    m_progress->setValue(int(1000 * (index + std::clamp(fraction, 0.0, 1.0)) / 5));
    m_status->setText(LoadLanguageString(kSolving).arg(LoadLanguageString(kStageTables + index)));
}

void EarthingStudyWindow::solved(std::shared_ptr<const tav::StudyEvaluation> study) {
    m_solved.emplace(m_pending->first, m_pending->second, std::move(study));
    m_leakage = tav::SystemLeakage::of(m_solved->document(), m_solved->result());
    m_pending.reset();
    // Of the study as it was when Solve was pressed, which may have changed since.
    m_stale = m_solved->staleFor(project());
    m_progress->setValue(1000);
    solveEnded(QString());
    showResults();
}

// The plan, maps, profile and results of another of the study's cases, solved with the rest.
void EarthingStudyWindow::caseChosen(int index) {
    if (!m_solved)
        return;
    m_solved->showCase(index);
    m_leakage = tav::SystemLeakage::of(m_solved->document(), m_solved->result());
    showResults();
}

void EarthingStudyWindow::solveEnded(const QString &message) {
    m_cancel->setEnabled(false);
    if (!message.isEmpty())
        m_progress->setValue(0);
    m_status->setText(message);
}

void EarthingStudyWindow::showResults() {
    m_plan->picture().result = result();
    const QString safetyRefusal = m_solved && m_solved->safetyRefusal()
                                      ? languageWording().refusal(*m_solved->safetyRefusal())
                                      : QString();
    m_results->showResult(result(), safety(), safetyRefusal,
                          m_solved ? m_solved->document().siteOrigin : std::nullopt);
    m_results->showLeakage(leakage());
    const auto &network = m_solved ? m_solved->evaluation().network : std::nullopt;
    m_results->showNetwork(network ? &*network : nullptr,
                           m_solved ? m_solved->evaluation().decrement : 1);
    m_results->setStale(m_solved && m_stale);
    m_results->cases()->show(m_solved ? &m_solved->study() : nullptr,
                             m_solved ? m_solved->shownCase() : 0);
    showMap();
    showProfile();
}

void EarthingStudyWindow::showMap() {
    PlanMaps::show(*m_plan, m_map->currentIndex(), result(), safety(), m_stale);
}

void EarthingStudyWindow::fitPlan() {
    m_plan->refresh(true);
}

void EarthingStudyWindow::drawTouchArea() {
    m_centre->editor()->setTool(PlanEditor::Tool::TouchArea);
}

void EarthingStudyWindow::drawSurfaceZone() {
    m_centre->editor()->setTool(PlanEditor::Tool::SurfaceZone);
}

void EarthingStudyWindow::openSweep() {
    if (m_document)
        showDialog(new SweepDialog(*m_document, header(), this));
}

void EarthingStudyWindow::openDesign() {
    if (m_document)
        showDialog(new DesignDialog(*m_document, m_project, this));
}

PlanEditor *EarthingStudyWindow::planEditor() const {
    return m_centre->editor();
}

PlanTools *EarthingStudyWindow::planTools() const {
    return m_centre->tools();
}

// The field is sampled off the interface thread: on a large system the samples take a
// good part of a second. A newer profile makes an older one's samples void.
void EarthingStudyWindow::showProfile() {
    const std::optional<QLineF> &line = m_profileLine;
    const tav::earthing::EarthingResult *solved = result();
    if (!solved || !solved->field || !line || line->length() <= 0) {
        m_sampling->drop();
        m_profile->setProfile(std::nullopt);
        return;
    }
    ProfilePicture profile = SystemReport::profileFrame(
        safety() ? PlaceLimits::touch(*safety(), *solved) : PlaceLimits(), texts());
    const std::shared_ptr<const tav::earthing::SurfaceField> field = solved->field;
    const double gpr = solved->gpr;
    const QLineF along = *line;
    m_sampling->start([this, profile, field, gpr, along](const BackgroundWork::Run &) mutable {
        profile.sample(*field, gpr, along, SystemReport::kProfileSamples);
        return [this, profile] { m_profile->setProfile(profile); };
    });
}

// --- where people stand ----------------------------------------------------------------------

namespace {

QJsonArray cornersJson(const std::vector<tav::earthing::Point2> &corners) {
    QJsonArray out;
    for (const tav::earthing::Point2 &p : corners) // to the millimetre, as typed
        out.append(QJsonArray{std::round(p.x * 1000) / 1000, std::round(p.y * 1000) / 1000});
    return out;
}

} // namespace

// The fence's corners, or the hull of the grids' outlines, as the study was last checked;
// drawn: the polygon kept, else one drawn on the plan now.
void EarthingStudyWindow::chooseSurfaceZone(const QString &zone) {
    const std::vector<tav::earthing::Point2> corners =
        PlanMaps::zoneCorners(m_plan->picture().touchAreas, zone);
    const QJsonValue kept = project().rest.value(
        QStringLiteral("safety"))[QStringLiteral("surface")][QStringLiteral("area")];
    if (zone == QLatin1String("drawn")) {
        if (kept.isArray())
            m_project->setSurfaceZone(zone, kept.toArray());
        else
            drawSurfaceZone();
    } else if (zone == QLatin1String("everywhere") || corners.size() >= 3) {
        m_project->setSurfaceZone(zone, cornersJson(corners));
    } else {
        m_status->setText(LoadLanguageString(zone == QLatin1String("fence") ? kNoFence : kNoGrid));
    }
    m_inputs->load(project().rest); // the choice refused shows the one that holds
}

// --- the project file and the report --------------------------------------------------------

bool EarthingStudyWindow::openFile(const QString &path) {
    return m_file->open(path);
}

bool EarthingStudyWindow::saveTo(const QString &path) {
    return m_file->saveTo(path);
}

void EarthingStudyWindow::showTitle() {
    setWindowModified(m_project->isModified());
    setWindowTitle(
        LoadLanguageString(kWindowTitle).arg(m_file->shownName(), LoadLanguageString(kTitle)));
}

QString EarthingStudyWindow::reportUnavailable() const {
    return m_solved ? QString() : LoadLanguageString(kSolveFirst);
}

void EarthingStudyWindow::importDrawing() {
    m_fitOnCheck = DrawingImportFlow::run(this, m_project) || m_fitOnCheck;
}

void EarthingStudyWindow::chooseAndSaveDxf() {
    if (!m_solved) {
        showMessage(LoadLanguageString(StringId::DrawingExport::kSolveFirst), this);
        return;
    }
    DrawingExportFlow::run(
        this, *m_solved, QFileInfo(defaultFileName()).completeBaseName() + QStringLiteral(".dxf"));
}

QString EarthingStudyWindow::defaultFileName() const {
    const QString base = fileName().isEmpty() ? LoadLanguageString(kUntitled)
                                              : QFileInfo(fileName()).completeBaseName();
    return base + QStringLiteral(".pdf");
}

// The report is of the study as solved, with the profile line drawn now.
Report EarthingStudyWindow::report() const {
    tav::SystemDocument solved = m_solved->document();
    solved.studyWindow = project().rest.value(kSettings).toObject();
    StudyHeader header = this->header();
    header.date = QDate::currentDate();
    header.project = QFileInfo(fileName()).fileName();
    if (m_solved->study().cases.size() > 1) {
        // Every case's, as tav-calc reports a study of cases, with the window's settings.
        tav::StudyEvaluation study = m_solved->study();
        for (tav::CaseEvaluation &c : study.cases)
            c.document.studyWindow = solved.studyWindow;
        return SystemReport::report(study, header, texts());
    }
    return SystemReport::report(solved, m_solved->result(), safety(), header, texts(),
                                m_solved->evaluation().network);
}

Report EarthingStudyWindow::copiedReport() const {
    Report copied = report();
    if (m_leakage)
        copied.blocks.append(LeakageTable::block(*m_leakage, texts()));
    return copied;
}

// Kept as chosen; read again from the study's settings, which an undo may take back.
void EarthingStudyWindow::siteChosen(const QString &path) {
    m_shownSite = path;
    m_project->setSite(path);
}

void EarthingStudyWindow::showSite() {
    const QString kept = KeptSite::kept(project().rest.value(kSettings).toObject());
    if (kept == m_shownSite)
        return;
    m_shownSite = kept;
    const QString path = KeptSite::resolved(kept, fileName());
    const std::optional<tav::SiteInformation> site =
        path.isEmpty() ? std::nullopt : KeptSite::read(path);
    if (site) {
        setSite(*site, path);
        return;
    }
    clearSite();
    if (!path.isEmpty())
        m_status->setText(LoadLanguageString(StringId::EarthingLeakage::kSiteMissing).arg(kept));
}

void EarthingStudyWindow::closeEvent(QCloseEvent *event) {
    if (!m_file->maySetAside()) {
        event->ignore();
        return;
    }
    m_runner->cancel();
    StudyWindow::closeEvent(event);
}
