#pragma once

#include "document/StudySweep.h"
#include "report/StudyTexts.h"

#include <QDialog>

#include <optional>

class BackgroundWork;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class SweepView;

// Sweep...: one parameter of the study over a range, off the interface thread with its
// progress and Cancel, every value a full solve of the study as the window solves it; the
// table and the plots when it is done, and Save as PDF.... It sweeps the study as it was
// when the dialog opened, a copy: the study itself is never edited.
class SweepDialog : public QDialog {
    Q_OBJECT
public:
    SweepDialog(tav::SystemDocument document, StudyHeader header, QWidget *parent);
    ~SweepDialog() override;

    const std::optional<tav::StudySweepResult> &result() const { return m_result; }
    bool running() const;
    void run();
    void cancel();
    // Writes the report; false, with the reason shown, when it could not.
    bool savePdf(const QString &path);

private:
    void chooseAndSavePdf();
    void progressed(int point, double fraction);
    void finished(const tav::Refusable<tav::StudySweepResult> &outcome);
    void fillTable(const tav::StudySweepResult &r);
    void setRunning(bool running);

    tav::SystemDocument m_document;
    StudyHeader m_header;
    StudyTexts m_texts;
    std::vector<const tav::SweepParameter *> m_parameters;
    std::optional<tav::StudySweepResult> m_result;
    int m_points = 0; // of the run going or last run
    BackgroundWork *m_work;
    QComboBox *m_parameter;
    QLineEdit *m_from;
    QLineEdit *m_to;
    QLineEdit *m_step;
    QPushButton *m_run;
    QPushButton *m_cancel;
    QPushButton *m_save;
    QProgressBar *m_progress;
    QLabel *m_status;
    QTableWidget *m_table;
    SweepView *m_view;
};
