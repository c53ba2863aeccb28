#pragma once

#include "core/earthing/EarthingResult.h"
#include "core/earthing/SystemSafety.h"
#include "document/PartLeakage.h"
#include "document/SystemDocument.h"
#include "studies/common/StudyWindow.h"
#include "studies/earthing/InputProblem.h"
#include "studies/earthing/SolvedStudy.h"
#include "studies/earthing/StudyProject.h"

#include <QPointer>
#include <QPolygonF>

#include <memory>
#include <optional>

class BackgroundWork;
class EarthingProject;
class NetworkInputs;
class PartEditor;
class PartListModel;
class PlanEditor;
class PlanTools;
class PlanView;
class ProfileView;
class QComboBox;
class QLabel;
class QListView;
class QMenu;
class QProgressBar;
class QPushButton;
class ProjectFile;
class SolveRunner;
class StudyInputs;
struct StudyCheck;
class StudyPlanPanel;
class StudyResultsPanel;

// The earthing system study: the soil, the fault and the safety criteria, the system as a
// list of parts, solved off the interface thread; the plan with the potential, touch or
// step map and the tolerable contour, or the conductors coloured by their leakage, the
// profile along a line drawn on it, the results with their verdict and each part's
// leakage; kept in a project file, the document tav-calc system --input reads, with the
// window's settings (the field information file among them) under study_window. The study
// is one EarthingProject: every widget shows it and asks it for edits, which undo and redo.
class EarthingStudyWindow : public StudyWindow {
    Q_OBJECT
public:
    explicit EarthingStudyWindow(const StudyProject &project = StudyProject::made());
    ~EarthingStudyWindow() override;

    // A new window of its own over a study handed on by another window (the soil model's
    // soil, the grid check's grid), shown and deleted when closed; it outlives its opener.
    static EarthingStudyWindow *handOn(const StudyProject &project, QWidget *opener);
    // A new window of its own for a new study, or for the study of a file (null, with the
    // reason shown, when the file is no study), as handOn's: the main window's way in.
    static EarthingStudyWindow *startNew(QWidget *opener);
    static EarthingStudyWindow *startFrom(const QString &path, QWidget *opener);
    // Whether a study handed on is still open, when the program's main window closes.
    static bool anyOpen();

    // False, with the reason shown in a message, when the file could not be read.
    bool openFile(const QString &path);
    bool saveTo(const QString &path);
    void solve();
    void cancelSolve();
    // File > Import DXF...: a drawing's parts added, the plan fitted to them once checked.
    void importDrawing();
    // File > Export DXF...: the study as solved, as a drawing; said why not when unsolved.
    void chooseAndSaveDxf();
    void selectPart(int index);
    void fitPlan();
    // Draw a touch area, or the surface layer's zone, on the plan: clicks put corners.
    void drawTouchArea();
    void drawSurfaceZone();
    // Study > Sweep...: a parameter of the study as it stands over a range, in a dialog of
    // its own (nothing while the study has a problem, which the window shows).
    void openSweep();
    // Study > Design...: the layout of least cost in an outline, in a dialog of its own.
    void openDesign();
    PlanView *plan() const { return m_plan; }
    // The plan as the study's editor, and its tools as actions.
    PlanEditor *planEditor() const;
    PlanTools *planTools() const;

    const StudyProject &project() const;
    EarthingProject *editedProject() const { return m_project; }
    QString fileName() const;
    // The document as typed reads and the solver takes it.
    bool sound() const { return m_document.has_value(); }
    const tav::earthing::EarthingResult *result() const;
    bool solving() const;
    // Whether the study as typed is still being read and checked.
    bool checking() const;
    bool stale() const { return m_stale; }

    Report report() const override;
    // The leakage of the solve shown, per part and per conductor; none before a solve.
    const tav::SystemLeakage *leakage() const { return m_leakage ? &*m_leakage : nullptr; }

protected:
    void closeEvent(QCloseEvent *event) override;
    QString defaultFileName() const override;
    QString reportUnavailable() const override;
    QStringList reportInputs() const override;
    // The report with the leakage of each part, a table the page has no room for.
    Report copiedReport() const override;
    void siteChosen(const QString &path) override;
    void escapePressed() override;

private:
    QWidget *makeInputs();
    QWidget *makePartsBox(QWidget *parent);
    QWidget *makeCentre();
    QWidget *makeSolveRow();
    QWidget *makeMenu();
    void makeShortcuts();

    void load(const StudyProject &project, bool saved);
    void addPart(StudyPart::Kind kind);
    void followDocument();
    void showPart();
    int currentPart() const;
    void check();
    void showCheck(const StudyCheck &checked);
    void showProblem();

    void progressed(tav::earthing::SolveProgress::Stage stage, double fraction);
    void solved(std::shared_ptr<const tav::StudyEvaluation> study);
    void caseChosen(int index);
    void solveEnded(const QString &message);
    void showResults();
    void showMap();
    void showProfile();

    // Where the surface layer lies.
    void chooseSurfaceZone(const QString &zone);

    void showTitle();
    // The field information file the study keeps, read when it changes.
    void showSite();
    const std::optional<tav::earthing::SystemSafety> &safety() const;

    EarthingProject *m_project;
    PartListModel *m_partList;
    ProjectFile *m_file;
    BackgroundWork *m_checking; // the study as typed
    BackgroundWork *m_sampling; // the profile's
    int m_shownPart = -1;
    std::optional<InputProblem> m_problem; // the first of the document as typed
    std::optional<tav::SystemDocument> m_document;

    std::optional<std::pair<StudyProject, tav::SystemDocument>> m_pending; // being solved
    std::optional<SolvedStudy> m_solved;
    std::optional<tav::SystemLeakage> m_leakage; // of m_solved
    QString m_shownSite;                         // the site path as kept, last read
    // The document's profile line as last shown; the plan's may be one being drawn.
    std::optional<QLineF> m_profileLine;
    bool m_stale = false;
    bool m_fitOnCheck = false;

    StudyInputs *m_inputs = nullptr;
    NetworkInputs *m_networkInputs = nullptr;
    QListView *m_parts = nullptr;
    QPushButton *m_remove = nullptr;
    QPushButton *m_up = nullptr;
    QPushButton *m_down = nullptr;
    PartEditor *m_editor = nullptr;
    QLabel *m_documentMessage = nullptr;
    PlanView *m_plan = nullptr;
    QComboBox *m_map = nullptr;
    StudyPlanPanel *m_centre = nullptr;
    StudyResultsPanel *m_results = nullptr;
    ProfileView *m_profile = nullptr;
    QPushButton *m_solve = nullptr;
    QPushButton *m_cancel = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_status = nullptr;
    SolveRunner *m_runner = nullptr;
};
