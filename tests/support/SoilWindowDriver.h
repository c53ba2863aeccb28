#pragma once

#include <QString>

class CSoilResistivityDlg;
class EarthingStudyWindow;
class QWidget;
class SoilModelWindow;

// Drives the soil model window as a user does from the soil form: opens it with the form's
// button, pastes readings, waits for the fit, hands the soil on to a study, and reads what
// its layers table shows.
class SoilWindowDriver {
public:
    explicit SoilWindowDriver(CSoilResistivityDlg &form) : m_form(form) {}

    // The window the form's button opened, active; null when none opened.
    SoilModelWindow *openFromButton();
    // The window opened with the readings pasted in, fitted; null when the fit refused them.
    SoilModelWindow *openWithReadings(const QString &pasted);

    static bool waitForModel(SoilModelWindow &window);
    static bool activated(QWidget *window);
    // Use in a study...: the earthing study window it opens, a top-level window of its own.
    static EarthingStudyWindow *useInStudy(SoilModelWindow &window);
    // Closes a study without keeping it; false when it stays open.
    static bool discard(EarthingStudyWindow *study);

    static QString layerCell(const QWidget &window, int row, int column);
    static int layerCount(const QWidget &window);
    static QString label(const QWidget &window, const char *name);

    // Apparent resistivities of 300 Ω·m over 100 Ω·m over 600 Ω·m, the top layer 2 m and the
    // middle one 8 m thick, at 15 Wenner spacings from 0.5 m to 150 m, as a table pastes
    // them.
    static QString threeLayerReadings();

private:
    CSoilResistivityDlg &m_form;
};
