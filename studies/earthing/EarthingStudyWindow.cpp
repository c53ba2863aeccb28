#include "studies/earthing/EarthingStudyWindow.h"

#include "core/AtomicFileWriter.h"
#include "core/earthing/InputCheck.h"
#include "document/DocumentWording.h"
#include "report/ReportWriter.h"
#include "report/SystemReport.h"
#include "studies/earthing/JsonFieldEdits.h"
#include "studies/earthing/PartEditor.h"
#include "studies/earthing/PlanView.h"
#include "studies/earthing/ProfileView.h"
#include "studies/earthing/SolveRunner.h"
#include "studies/earthing/StudyFault.h"
#include "studies/earthing/StudyInputs.h"
#include "studies/common/StudyLabels.h"
#include "studies/common/StudyNumber.h"
#include "studies/earthing/StudyResultsPanel.h"
#include "studies/common/StudyWindow.h"
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
#include <QJsonDocument>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QThreadPool>
#include <QToolButton>
#include <QVBoxLayout>

using namespace StringId::EarthingStudy;
using tav::earthing::EarthingResult;
using Stage = tav::earthing::SolveProgress::Stage;
using Role = StudyPart::Role;

namespace {

const char *const kRed = "#c01c1c";
// The maps as study_window names them, in PlanPicture::Map's order.
const char *const kMapNames[] = {"none", "potential", "touch", "step"};

} // namespace

EarthingStudyWindow::EarthingStudyWindow(const StudyProject &project) {
    setObjectName(QStringLiteral("earthingStudy"));
    m_runner = new SolveRunner(this);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(makeInputs());
    splitter->addWidget(makeCentre());
    m_results = new StudyResultsPanel(this);
    splitter->addWidget(m_results);
    splitter->setStretchFactor(1, 1);
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->addWidget(splitter, 1);
    layout->addWidget(makeSolveRow());
    setCentralWidget(central);
    makeMenu();
    connect(m_runner, &SolveRunner::progressed, this, &EarthingStudyWindow::progressed);
    connect(m_runner, &SolveRunner::solved, this, &EarthingStudyWindow::solved);
    connect(m_runner, &SolveRunner::refused, this, [this](const tav::Refusal &refusal) {
        solveEnded(LoadLanguageString(kSolveRefused).arg(languageWording().refusal(refusal)));
    });
    connect(m_runner, &SolveRunner::cancelled, this,
            [this] { solveEnded(LoadLanguageString(kCancelled)); });
    // Large enough for the plan beside its inputs and results, within the screen.
    const QSize room = screen() ? screen()->availableGeometry().size() : QSize(1400, 860);
    resize(std::min(1400, room.width()), std::min(860, room.height()));
    load(project);
}

EarthingStudyWindow::~EarthingStudyWindow() = default;

EarthingStudyWindow *EarthingStudyWindow::present(const StudyProject &project, QWidget *opener) {
    auto *window = new EarthingStudyWindow(project);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // Handed on, not yet saved anywhere: closing it asks first.
    window->setModified(true);
    window->keepWith(opener ? opener->window() : nullptr);
    window->show();
    return window;
}

bool EarthingStudyWindow::anyOpen() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](QWidget *w) {
        return qobject_cast<EarthingStudyWindow *>(w) && w->isVisible();
    });
}

// While a modal window is open the others take no input, so a study stays a child of the
// window it came from; when that one closes, the study moves to the window beneath it, or
// stands alone, rather than closing with it and losing what is in it.
void EarthingStudyWindow::keepWith(QWidget *owner) {
    if (m_owner)
        m_owner->removeEventFilter(this);
    m_owner = owner;
    setParent(owner, Qt::Window);
    if (owner)
        owner->installEventFilter(this);
}

bool EarthingStudyWindow::eventFilter(QObject *watched, QEvent *event) {
    const bool leaving =
        event->type() == QEvent::Close || (event->type() == QEvent::Hide && !event->spontaneous());
    if (watched == m_owner && leaving) {
        QWidget *beneath = m_owner->parentWidget() ? m_owner->parentWidget()->window() : nullptr;
        keepWith(beneath);
        show();
    }
    return QMainWindow::eventFilter(watched, event);
}

QWidget *EarthingStudyWindow::makeInputs() {
    auto *panel = new QWidget(this);
    m_inputs = new StudyInputs(panel);
    m_inputs->setObjectName(QStringLiteral("inputs"));
    connect(m_inputs, &StudyInputs::edited, this, &EarthingStudyWindow::edited);

    auto *parts = new QGroupBox(LoadLanguageString(kParts), panel);
    m_parts = new QListWidget(parts);
    m_parts->setObjectName(QStringLiteral("parts"));
    m_parts->setMaximumHeight(150);
    connect(m_parts, &QListWidget::currentRowChanged, this, &EarthingStudyWindow::selectPart);
    auto *add = new QToolButton(parts);
    add->setObjectName(QStringLiteral("addPart"));
    add->setText(LoadLanguageString(kAdd));
    add->setPopupMode(QToolButton::InstantPopup);
    auto *kinds = new QMenu(add);
    for (StudyPart::Kind kind : StudyPart::offered())
        kinds->addAction(LoadLanguageString(StudyPart::nameId(kind)), this,
                         [this, kind] { addPart(kind); });
    add->setMenu(kinds);
    m_remove = new QPushButton(LoadLanguageString(kRemove), parts);
    m_remove->setObjectName(QStringLiteral("removePart"));
    connect(m_remove, &QPushButton::clicked, this, &EarthingStudyWindow::removePart);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    m_editor = new PartEditor(parts);
    m_editor->setObjectName(QStringLiteral("partEditor"));
    connect(m_editor, &PartEditor::edited, this, &EarthingStudyWindow::edited);
    connect(m_editor, &PartEditor::floatingChosen, this, [this](bool floating) {
        m_editor->write(m_project.parts[m_current]);
        m_project.setFloating(m_current, floating);
        showParts();
        edited();
    });
    m_documentMessage = StudyLabels::wrapping(parts, QStringLiteral("documentMessage"));
    m_documentMessage->setStyleSheet(
        QStringLiteral("QLabel { color: %1; }").arg(QLatin1String(kRed)));
    auto *partsLayout = new QVBoxLayout(parts);
    partsLayout->addWidget(m_parts);
    partsLayout->addLayout(buttons);
    partsLayout->addWidget(m_editor);
    partsLayout->addWidget(m_documentMessage);

    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_inputs);
    layout->addWidget(parts);
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

QWidget *EarthingStudyWindow::makeCentre() {
    auto *centre = new QWidget(this);
    m_map = new QComboBox(centre);
    m_map->setObjectName(QStringLiteral("map"));
    for (unsigned id : {kMapNone, kMapPotential, kMapTouch, kMapStep})
        m_map->addItem(LoadLanguageString(id));
    m_map->setCurrentIndex(int(PlanPicture::Map::Touch));
    connect(m_map, &QComboBox::activated, this, [this] {
        showMap();
        setModified(true);
    });
    m_cursor = StudyLabels::wrapping(centre, QStringLiteral("cursor"));
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(LoadLanguageString(kMap), centre));
    top->addWidget(m_map);
    top->addWidget(m_cursor, 1);
    m_plan = new PlanView(centre);
    m_plan->setObjectName(QStringLiteral("plan"));
    m_plan->picture().unit = LoadLanguageString(StringId::Study::kVolt);
    connect(m_plan, &PlanView::cursorMoved, this, &EarthingStudyWindow::showCursor);
    connect(m_plan, &PlanView::profileChanged, this, [this](QLineF line) {
        m_plan->picture().profile = line;
        showProfile();
        setModified(true);
    });
    m_profile = new ProfileView(centre);
    m_profile->setObjectName(QStringLiteral("profile"));
    m_profile->setHint(LoadLanguageString(kProfileHint));
    auto *split = new QSplitter(Qt::Vertical, centre);
    split->addWidget(m_plan);
    split->addWidget(m_profile);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 1);
    auto *layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    return centre;
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

void EarthingStudyWindow::makeMenu() {
    QMenu *file = menuBar()->addMenu(LoadLanguageString(kFile));
    file->addAction(LoadLanguageString(kNew), QKeySequence::New, this,
                    &EarthingStudyWindow::newStudy);
    file->addAction(LoadLanguageString(kOpen), QKeySequence::Open, this,
                    &EarthingStudyWindow::chooseAndOpen);
    file->addAction(LoadLanguageString(kSave), QKeySequence::Save, this,
                    &EarthingStudyWindow::save);
    file->addAction(LoadLanguageString(kSaveAs), QKeySequence::SaveAs, this,
                    &EarthingStudyWindow::chooseAndSave);
    file->addSeparator();
    file->addAction(LoadLanguageString(kSavePdf), this, &EarthingStudyWindow::chooseAndSavePdf);
    file->addSeparator();
    file->addAction(LoadLanguageString(kClose), QKeySequence::Close, this, &QWidget::close);
}

// --- the study and its parts --------------------------------------------------------------

void EarthingStudyWindow::load(const StudyProject &project) {
    m_runner->cancel();
    m_project = project;
    m_result.reset();
    m_solvedDocument.reset();
    m_safety.reset();
    m_plan->picture().result = nullptr;
    m_plan->picture().conductors.clear(); // the new study's, once it reads
    // The settings first: every check from here on writes them back as the window shows them.
    applyWindowSettings(m_project.rest.value(QStringLiteral("study_window")).toObject());
    m_inputs->load(m_project.rest);
    m_current = -1;
    m_editor->showPart(nullptr);
    showParts();
    m_parts->setCurrentRow(m_project.parts.isEmpty() ? -1 : 0); // shows it in the editor
    m_status->clear();
    m_progress->setValue(0);
    check();
    showResults();
    m_plan->refresh(true);
    setModified(false);
}

void EarthingStudyWindow::showParts() {
    const QSignalBlocker blocker(m_parts);
    m_parts->clear();
    for (const StudyPart &part : std::as_const(m_project.parts)) {
        QString name = LoadLanguageString(StudyPart::nameId(part.kind));
        if (part.floating())
            name += QStringLiteral(" (") + LoadLanguageString(kFloating) + QLatin1Char(')');
        m_parts->addItem(name);
    }
    m_parts->setCurrentRow(m_current);
    m_remove->setEnabled(m_current >= 0);
}

void EarthingStudyWindow::selectPart(int index) {
    if (m_current >= 0 && m_current < m_project.parts.size())
        m_editor->write(m_project.parts[m_current]);
    m_current = index;
    m_editor->showPart(index >= 0 ? &m_project.parts[index] : nullptr);
    m_remove->setEnabled(index >= 0);
    check(); // marks its fields, worded by their labels
}

void EarthingStudyWindow::addPart(StudyPart::Kind kind) {
    if (m_current >= 0)
        m_editor->write(m_project.parts[m_current]);
    m_current = -1;
    const int at = m_project.insert(StudyPart::made(kind));
    showParts();
    m_parts->setCurrentRow(at); // shows it in the editor
    edited();
}

void EarthingStudyWindow::removePart() {
    if (m_current < 0)
        return;
    const int gone = m_current;
    m_current = -1; // nothing of it to keep
    m_project.remove(gone);
    m_editor->showPart(nullptr);
    showParts();
    m_parts->setCurrentRow(std::min(gone, int(m_project.parts.size()) - 1));
    edited();
}

void EarthingStudyWindow::edited() {
    setModified(true);
    check();
    if (m_runner->running())
        m_changedWhileSolving = true;
    if (m_result) {
        m_stale = true;
        m_results->setStale(true);
    }
}

// --- checking what is typed ----------------------------------------------------------------

// The document as the fields hold it, read by the document's own reader and checked as the
// solver checks it; its first fault is marked where it is.
void EarthingStudyWindow::check() {
    if (m_current >= 0)
        m_editor->write(m_project.parts[m_current]);
    m_inputs->write(m_project.rest);
    m_project.rest[QStringLiteral("study_window")] = windowSettings();
    m_fault.reset();
    m_document.reset();
    tav::DocumentError error;
    const tav::SystemDocument document = tav::SystemDocument::fromJson(m_project.toJson(), error);
    std::vector<tav::earthing::Conductor> conductors;
    if (error.kind != tav::DocumentError::Kind::None) {
        m_fault = StudyFault::ofDocument(m_project, error, [this](int part, const QString &path) {
            if (part < 0)
                return m_inputs->fields()->label(path);
            return part == m_current ? m_editor->label(path) : QString();
        });
    } else {
        const tav::earthing::EarthingInput input = document.input();
        conductors = input.conductors;
        if (const auto refusal = tav::earthing::InputCheck::check(input))
            m_fault = StudyFault::ofRefusal(m_project, *refusal);
        else
            m_document = document;
    }
    showFault();
    m_solve->setEnabled(m_document.has_value());
    // Before a solve the plan follows what is typed, as far as it reads; after one it
    // shows the system solved.
    if (!m_result && error.kind == tav::DocumentError::Kind::None) {
        m_plan->picture().conductors = conductors;
        m_plan->refresh(true);
    }
}

// Shows the fault where it is: the input field, the part in the list and its field when it
// is the part shown, or under the parts.
void EarthingStudyWindow::showFault() {
    m_inputs->fields()->clearMarks();
    m_editor->clearMarks();
    for (int k = 0; k < m_parts->count(); ++k) {
        m_parts->item(k)->setForeground(palette().text());
        m_parts->item(k)->setToolTip(QString());
    }
    m_documentMessage->clear();
    m_documentMessage->hide();
    if (!m_fault)
        return;
    const StudyFault &f = *m_fault;
    if (f.part < 0) {
        if (f.path.isEmpty() || !m_inputs->fields()->mark(f.path, f.why)) {
            m_documentMessage->setText(f.why);
            m_documentMessage->show();
        }
        return;
    }
    for (int part : {f.part, f.otherPart}) {
        if (part < 0 || part >= m_parts->count())
            continue;
        m_parts->item(part)->setForeground(QColor(QLatin1String(kRed)));
        m_parts->item(part)->setToolTip(f.why);
    }
    if (f.part != m_current && f.otherPart != m_current) {
        m_documentMessage->setText(LoadLanguageString(kPartRefused).arg(f.why));
        m_documentMessage->show();
        return;
    }
    bool marked = false;
    if (!f.path.isEmpty())
        marked = m_editor->mark(f.path, f.why);
    else if (f.role) {
        m_editor->mark(*f.role, f.value, f.why);
        marked = true;
    }
    // What no field holds (a key the part does not take, an overlap): said under it.
    if (!marked || f.otherPart >= 0)
        m_editor->setMessage(f.why);
}

// --- solving ---------------------------------------------------------------------------------

bool EarthingStudyWindow::solving() const {
    return m_runner->running();
}

void EarthingStudyWindow::solve() {
    check();
    if (!m_document)
        return;
    // A second Solve replaces the first, whose outcome is then dropped.
    m_pending = *m_document;
    m_changedWhileSolving = false;
    m_runner->start(m_pending->input());
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

void EarthingStudyWindow::solved(std::shared_ptr<const EarthingResult> result) {
    m_result = std::move(result);
    m_solvedDocument = m_pending;
    m_pending.reset();
    m_safety.reset();
    m_safetyRefusal.clear();
    if (m_solvedDocument->safety) {
        const auto safety = tav::earthing::assessSafety(*m_result, m_solvedDocument->soil,
                                                        *m_solvedDocument->safety);
        if (safety.refused())
            m_safetyRefusal = languageWording().refusal(safety.refusal());
        else
            m_safety = safety.result();
    }
    // Of the study as it was when Solve was pressed, which may have changed since.
    m_stale = m_changedWhileSolving;
    m_progress->setValue(1000);
    solveEnded(QString());
    showResults();
    m_plan->refresh(true);
}

void EarthingStudyWindow::solveEnded(const QString &message) {
    m_cancel->setEnabled(false);
    if (!message.isEmpty())
        m_progress->setValue(0);
    m_status->setText(message);
}

void EarthingStudyWindow::showResults() {
    m_plan->picture().result = m_result.get();
    // While stale, the plan keeps drawing the system as it was solved.
    if (m_result)
        m_plan->picture().conductors = m_solvedDocument->input().conductors;
    m_results->showResult(m_result.get(), m_safety, m_safetyRefusal);
    m_results->setStale(m_result && m_stale);
    showMap();
    showProfile();
}

void EarthingStudyWindow::showMap() {
    PlanPicture &picture = m_plan->picture();
    picture.map = m_result ? PlanPicture::Map(m_map->currentIndex()) : PlanPicture::Map::None;
    picture.tolerable = 0;
    if (m_safety && picture.map == PlanPicture::Map::Touch)
        picture.tolerable = m_safety->tolerable.touch;
    if (m_safety && picture.map == PlanPicture::Map::Step)
        picture.tolerable = m_safety->tolerable.step;
    m_plan->refresh(false);
}

// The field is sampled off the interface thread: on a large system the samples take a
// good part of a second. A newer profile makes an older one's samples void.
void EarthingStudyWindow::showProfile() {
    const int generation = ++m_profileGeneration;
    const auto &line = m_plan->picture().profile;
    if (!m_result || !m_result->field || !line || line->length() <= 0) {
        m_profile->setProfile(std::nullopt);
        return;
    }
    ProfilePicture profile =
        SystemReport::profileFrame(m_safety ? m_safety->tolerable.touch : 0, StudyWindow::texts());
    const std::shared_ptr<const tav::earthing::SurfaceField> field = m_result->field;
    const double gpr = m_result->gpr;
    const QLineF along = *line;
    const QPointer<EarthingStudyWindow> self(this);
    QThreadPool::globalInstance()->start([=]() mutable {
        profile.sample(*field, gpr, along, SystemReport::kProfileSamples);
        QMetaObject::invokeMethod(
            qApp,
            [self, generation, profile] {
                if (self && generation == self->m_profileGeneration)
                    self->m_profile->setProfile(profile);
            },
            Qt::QueuedConnection);
    });
}

void EarthingStudyWindow::showCursor(QPointF at) {
    const QString x = StudyNumber::shown(std::round(at.x() * 100) / 100);
    const QString y = StudyNumber::shown(std::round(at.y() * 100) / 100);
    if (m_result && m_result->field)
        m_cursor->setText(
            LoadLanguageString(kCursorPotential)
                .arg(x, y, StudyNumber::shown(m_result->field->potential(at.x(), at.y()))));
    else
        m_cursor->setText(LoadLanguageString(kCursor).arg(x, y));
}

// --- the project file ------------------------------------------------------------------------

QJsonObject EarthingStudyWindow::windowSettings() const {
    QJsonObject settings = m_project.rest.value(QStringLiteral("study_window")).toObject();
    settings[QStringLiteral("map")] =
        QLatin1String(kMapNames[std::clamp(m_map->currentIndex(), 0, 3)]);
    if (const auto &line = m_plan->picture().profile)
        settings[QStringLiteral("profile")] =
            QJsonArray{line->x1(), line->y1(), line->x2(), line->y2()};
    else
        settings.remove(QStringLiteral("profile"));
    return settings;
}

void EarthingStudyWindow::applyWindowSettings(const QJsonObject &settings) {
    const QString map = settings.value(QStringLiteral("map")).toString();
    const auto named =
        std::find_if(std::begin(kMapNames), std::end(kMapNames),
                     [&map](const char *name) { return map == QLatin1String(name); });
    m_map->setCurrentIndex(named != std::end(kMapNames) ? int(named - std::begin(kMapNames))
                                                        : int(PlanPicture::Map::Touch));
    m_plan->picture().profile = SystemReport::keptProfileLine(settings);
}

void EarthingStudyWindow::setModified(bool modified) {
    if (modified)
        m_project.rest[QStringLiteral("study_window")] = windowSettings();
    setWindowModified(modified);
    showTitle();
}

void EarthingStudyWindow::showTitle() {
    const QString name =
        m_fileName.isEmpty() ? LoadLanguageString(kUntitled) : QFileInfo(m_fileName).fileName();
    setWindowTitle(LoadLanguageString(kWindowTitle).arg(name, LoadLanguageString(kTitle)));
}

bool EarthingStudyWindow::maySetAside() {
    if (!isWindowModified())
        return true;
    const QString name =
        m_fileName.isEmpty() ? LoadLanguageString(kUntitled) : QFileInfo(m_fileName).fileName();
    switch (askToSave(LoadLanguageString(kUnsavedQuestion).arg(name), this)) {
    case SaveAnswer::Save:
        return save();
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void EarthingStudyWindow::newStudy() {
    if (!maySetAside())
        return;
    m_fileName.clear();
    load(StudyProject::made());
}

void EarthingStudyWindow::chooseAndOpen() {
    if (!maySetAside())
        return;
    const auto path =
        FileChooser::choose(this, {FileChooser::Mode::Open, LoadLanguageString(kProjectFilter),
                                   QStringLiteral("json"), QString()});
    if (path)
        openFile(*path);
}

bool EarthingStudyWindow::openFile(const QString &path) {
    QFile file(path);
    QString reason;
    QByteArray content;
    if (QFileInfo(path).isDir()) {
        reason = languageWording().fileKind(tav::FileKind::Directory);
    } else if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
    } else {
        content = file.readAll();
        if (file.error() != QFileDevice::NoError)
            reason = file.errorString();
    }
    tav::DocumentError error;
    std::optional<StudyProject> project;
    if (reason.isEmpty()) {
        project = StudyProject::fromJson(content, error);
        if (!project)
            reason = DocumentWording::error(error, &LoadLanguageString);
    }
    if (!project) {
        showMessage(LoadLanguageString(kOpenFailed).arg(path, reason), this);
        return false;
    }
    m_fileName = path;
    load(*project);
    return true;
}

bool EarthingStudyWindow::save() {
    return m_fileName.isEmpty() ? chooseAndSave() : saveTo(m_fileName);
}

bool EarthingStudyWindow::chooseAndSave() {
    const QString initial =
        m_fileName.isEmpty() ? LoadLanguageString(kUntitled) + QStringLiteral(".json") : m_fileName;
    const auto path =
        FileChooser::choose(this, {FileChooser::Mode::Save, LoadLanguageString(kProjectFilter),
                                   QStringLiteral("json"), initial});
    return path && saveTo(*path);
}

bool EarthingStudyWindow::saveTo(const QString &path) {
    check(); // what is typed, as it is, sound or not: nothing typed is lost
    const QByteArray json = m_project.toJson();
    const tav::SiteWriteResult written =
        tav::writeFileAtomically(QFile::encodeName(path).toStdString(), json.toStdString());
    if (written.status != tav::SiteWriteStatus::Success) {
        showMessage(
            LoadLanguageString(kSaveFailed).arg(path, languageWording().siteWriteFailure(written)),
            this);
        return false;
    }
    m_fileName = path;
    setModified(false);
    return true;
}

void EarthingStudyWindow::chooseAndSavePdf() {
    if (!m_result) {
        showMessage(LoadLanguageString(kSolveFirst), this);
        return;
    }
    const QString base = m_fileName.isEmpty() ? LoadLanguageString(kUntitled)
                                              : QFileInfo(m_fileName).completeBaseName();
    const auto path = FileChooser::choose(
        this, {FileChooser::Mode::Save, LoadLanguageString(StringId::Study::kPdfFilter),
               QStringLiteral("pdf"), base + QStringLiteral(".pdf")});
    if (path)
        savePdf(*path);
}

bool EarthingStudyWindow::savePdf(const QString &path) {
    if (!m_result)
        return false;
    // The report is of the study as solved, with the profile line drawn now.
    tav::SystemDocument solved = *m_solvedDocument;
    solved.studyWindow = windowSettings();
    const StudyTexts texts = StudyWindow::texts();
    StudyHeader header;
    header.date = QDate::currentDate();
    const Report report = SystemReport::report(solved, *m_result, m_safety, header, texts);
    QString reason;
    if (ReportWriter::write(report, path, &reason))
        return true;
    showFailure(LoadLanguageString(StringId::Study::kCannotWrite).arg(path, reason), this);
    return false;
}

void EarthingStudyWindow::closeEvent(QCloseEvent *event) {
    if (!maySetAside()) {
        event->ignore();
        return;
    }
    m_runner->cancel();
    event->accept();
}
