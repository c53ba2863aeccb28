#pragma once

#include "document/DesignStudy.h"
#include "report/StudyTexts.h"

#include <QDialog>

#include <optional>

class BackgroundWork;
class EarthingProject;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

// Study > Design...: the layout of least cost inside an outline that passes every case of
// the study, found by the search tav-calc design runs, off the interface thread with its
// progress and Cancel. The brief (outline, prices, rod lengths, depth, diameter) is the
// study's "design" when it has one; a brief typed here is kept in the study as an edit of
// its own when the design starts, so that saving keeps it. It designs the study as it was
// when the dialog opened, its own buried metal (conductors, grids, rods, rings, drawings)
// left out unless kept beside the layout; the best layout opens as a study of its own.
class DesignDialog : public QDialog {
    Q_OBJECT
public:
    DesignDialog(tav::SystemDocument document, EarthingProject *project, QWidget *parent);
    ~DesignDialog() override;

    const std::optional<tav::DesignResult> &result() const { return m_result; }
    bool running() const;
    // Reads the brief from the fields (a refusal shown, naming the field) and starts.
    void run();
    void cancel();
    // The best layout as a study in a window of its own.
    void openResult();

private:
    enum Field { Outline, ConductorPrice, RodPrice, SurfacePrice, RodLengths, Depth, Diameter };
    void fill(const tav::design::DesignBrief &brief);
    std::optional<tav::design::DesignBrief> readBrief();
    void progressed(int decided, double solved);
    void finished(const tav::Refusable<tav::DesignResult> &outcome);
    void fillTable(const tav::DesignResult &r);
    void setRunning(bool running);

    tav::SystemDocument m_document;
    EarthingProject *m_project;
    StudyTexts m_texts;
    std::optional<tav::DesignResult> m_result;
    std::size_t m_family = 0; // layouts of the run going
    BackgroundWork *m_work;
    QLineEdit *m_fields[Diameter + 1];
    QCheckBox *m_keep;
    QPushButton *m_run;
    QPushButton *m_cancel;
    QPushButton *m_open;
    QProgressBar *m_progress;
    QLabel *m_status;
    QTableWidget *m_table;
};
