#pragma once

#include "report/SoilModelReport.h"
#include "studies/common/StudyWindow.h"


#include <optional>
#include <vector>

class BackgroundWork;
class PlotWidget;
class QFormLayout;
class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;
class ReadingsTable;

// "Two-layer soil model": the readings of a Wenner sounding in a table the user edits,
// the two-layer soil and the uniform soil fitted to them, the table of measured, model and
// error per reading, and the log-log plot of all three. It refits a moment after each
// change, off the interface thread; a newer change makes an older fit's result void.
class SoilModelWindow : public StudyWindow {
    Q_OBJECT
public:
    explicit SoilModelWindow(QWidget *opener);
    ~SoilModelWindow() override;

    // Readings from the soil resistivity form, with the note that they are 2πaR exactly.
    void setFormReadings(const std::vector<tav::WennerReading> &readings);
    ReadingsTable *readingsTable() const { return m_table; }
    PlotWidget *plotWidget() const { return m_plot; }
    // What is shown: the readings fitted and left out, and the fit's outcome.
    const SoilModelStudy &study() const { return m_study; }
    bool fitting() const { return m_pending; }

    Report report() const override;

Q_SIGNALS:
    // The results of the readings as they stand are on screen.
    void modelShown();

protected:
    QString defaultFileName() const override;

private:
    QWidget *makeReadingsPanel();
    QWidget *makeModelPanel();
    void scheduleFit();
    void startFit();
    void showFit(const SoilModelStudy &study, const QStringList &notes);
    void showModel();
    // A new earthing study over the soil the window gives as its answer.
    void useInStudy();

    ReadingsTable *m_table = nullptr;
    QLabel *m_formNote = nullptr;
    PlotWidget *m_plot = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_useInStudy = nullptr;
    QFormLayout *m_valuesLayout = nullptr;
    QHash<QString, QLabel *> m_values; // by the object name of each value's label
    QLabel *m_modelNotes = nullptr;
    QTableWidget *m_rows = nullptr;
    QTimer *m_debounce = nullptr;
    BackgroundWork *m_fit;
    bool m_pending = false;
    SoilModelStudy m_study;
    QStringList m_rowNotes;
};
