#pragma once

#include "studies/common/StudyWindow.h"
#include "studies/soil/KeptReadings.h"
#include "studies/soil/SoundingStudy.h"

#include <memory>
#include <optional>
#include <vector>

class BackgroundWork;
class LayerColumnView;
class PlotWidget;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;
class ReadingsTable;

// "Soil model": the readings of a Wenner or Schlumberger sounding in a table the user
// edits (Edit > Undo and Redo take back and redo each edit), the soil of horizontal layers
// fitted to them (as many as asked, or as many as the readings support), what the readings
// leave open of it, the table of measured, model and error per reading, and the log-log
// plot of both. It refits a moment after each change, off the interface thread; a newer
// change makes an older fit's result void. The form that opens it keeps its readings for
// the next time it opens.
class SoilModelWindow : public StudyWindow {
    Q_OBJECT
public:
    explicit SoilModelWindow(QWidget *opener);
    ~SoilModelWindow() override;

    // Readings from the soil resistivity form, with the note that they are 2πaR exactly.
    // What the form kept of the window's last opening is shown again; readings of the form
    // that differ from those it handed then are an edit over it, which Undo takes back. The
    // window keeps its table in kept as it is edited.
    void setFormReadings(const std::vector<tav::WennerReading> &readings,
                         std::shared_ptr<KeptReadings> kept = nullptr);
    ReadingsTable *readingsTable() const { return m_table; }
    PlotWidget *plotWidget() const { return m_plot; }
    // What is shown: the readings fitted and left out, and the fit's outcome.
    const SoundingStudy &study() const { return m_study; }
    bool fitting() const { return m_pending; }

    // The file actions once a file is chosen; false, with a message shown, when refused.
    bool importReadings(const QString &path);
    bool saveReadings(const QString &path);
    bool openReadings(const QString &path);

    Report report() const override;

Q_SIGNALS:
    // The results of the readings as they stand are on screen.
    void modelShown();

protected:
    QString defaultFileName() const override;

private:
    QWidget *makeReadingsPanel();
    QWidget *makeChoices(QWidget *parent);
    QHBoxLayout *makeFileButtons(QWidget *parent);
    QWidget *makeModelPanel();
    QWidget *makeMenu();
    // The table and the count of layers asked for, into what the form keeps.
    void keep();
    void scheduleFit();
    void startFit();
    void showFit(const SoundingStudy &study, const QStringList &notes);
    void showModel();
    void showLayers(const tav::SoundingModel &model);
    void showRows(const tav::SoundingModel &model);
    // The readings as the table holds them: those fitted or left out, and notes on rows
    // that are neither.
    SoundingStudy tableReadings(QStringList &notes) const;
    std::optional<int> chosenLayers() const;
    void setChosenLayers(std::optional<int> layers);
    void arrayChosen();
    // A new earthing study over the soil the window gives as its answer.
    void useInStudy();
    void chooseImport();
    void chooseSave();
    void chooseOpen();

    ReadingsTable *m_table = nullptr;
    QLabel *m_formNote = nullptr;
    QComboBox *m_layersChoice = nullptr;
    QComboBox *m_arrayChoice = nullptr;
    PlotWidget *m_plot = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_useInStudy = nullptr;
    QTableWidget *m_layers = nullptr;
    LayerColumnView *m_column = nullptr;
    QLabel *m_rms = nullptr;
    QLabel *m_criterion = nullptr;
    QLabel *m_cautions = nullptr;
    QTableWidget *m_rows = nullptr;
    QTimer *m_debounce = nullptr;
    BackgroundWork *m_fit;
    bool m_pending = false;
    SoundingStudy m_study;
    QStringList m_rowNotes;
    std::shared_ptr<KeptReadings> m_kept;
};
