#pragma once

#include "core/earthing/EarthingResult.h"
#include "core/earthing/SystemSafety.h"
#include "document/SystemDocument.h"
#include "studies/earthing/StudyFault.h"
#include "studies/earthing/StudyProject.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <optional>

class PartEditor;
class PlanView;
class ProfileView;
class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class SolveRunner;
class StudyInputs;
class StudyResultsPanel;

// The earthing system study: the soil, the fault and the safety criteria, the system as a
// list of parts, solved off the interface thread; the plan with the potential, touch or
// step map and the tolerable contour, the profile along a line drawn on it, the results
// with their verdict; kept in a project file, the document tav-calc system --input reads,
// with the window's settings under study_window.
class EarthingStudyWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit EarthingStudyWindow(const StudyProject &project = StudyProject::made());
    ~EarthingStudyWindow() override;

    // A new window of its own over a study handed on by another window (the soil model's
    // soil, the grid check's grid), shown and deleted when closed.
    static EarthingStudyWindow *present(const StudyProject &project, QWidget *opener);
    // Whether a study handed on is still open, when the program's main window closes.
    static bool anyOpen();

    // False, with the reason shown in a message, when the file could not be read.
    bool openFile(const QString &path);
    bool saveTo(const QString &path);
    bool savePdf(const QString &path);
    void solve();
    void cancelSolve();

    const StudyProject &project() const { return m_project; }
    QString fileName() const { return m_fileName; }
    // The document as typed reads and the solver takes it.
    bool sound() const { return m_document.has_value(); }
    const tav::earthing::EarthingResult *result() const { return m_result.get(); }
    bool solving() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *makeInputs();
    QWidget *makeCentre();
    QWidget *makeSolveRow();
    void makeMenu();
    void keepWith(QWidget *owner);

    void load(const StudyProject &project);
    void showParts();
    void selectPart(int index);
    void addPart(StudyPart::Kind kind);
    void removePart();
    void edited();
    void check();
    void showFault();

    void progressed(tav::earthing::SolveProgress::Stage stage, double fraction);
    void solved(std::shared_ptr<const tav::earthing::EarthingResult> result);
    void solveEnded(const QString &message);
    void showResults();
    void showMap();
    void showProfile();
    void showCursor(QPointF at);

    void newStudy();
    void chooseAndOpen();
    bool save();
    bool chooseAndSave();
    void chooseAndSavePdf();
    bool maySetAside(); // asks to save unsaved work first; false: keep it open
    void setModified(bool modified);
    void showTitle();
    QJsonObject windowSettings() const;
    void applyWindowSettings(const QJsonObject &settings);

    QPointer<QWidget> m_owner;
    StudyProject m_project;
    QString m_fileName;
    int m_current = -1;                // the part in the editor
    std::optional<StudyFault> m_fault; // the first of the document as typed
    std::optional<tav::SystemDocument> m_document;

    std::shared_ptr<const tav::earthing::EarthingResult> m_result;
    std::optional<tav::SystemDocument> m_pending; // being solved
    std::optional<tav::SystemDocument> m_solvedDocument;
    std::optional<tav::earthing::SystemSafety> m_safety;
    QString m_safetyRefusal;
    bool m_stale = false;
    bool m_changedWhileSolving = false;
    int m_profileGeneration = 0;

    StudyInputs *m_inputs = nullptr;
    QListWidget *m_parts = nullptr;
    QPushButton *m_remove = nullptr;
    PartEditor *m_editor = nullptr;
    QLabel *m_documentMessage = nullptr;
    PlanView *m_plan = nullptr;
    QComboBox *m_map = nullptr;
    QLabel *m_cursor = nullptr;
    StudyResultsPanel *m_results = nullptr;
    ProfileView *m_profile = nullptr;
    QPushButton *m_solve = nullptr;
    QPushButton *m_cancel = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_status = nullptr;
    SolveRunner *m_runner = nullptr;
};
