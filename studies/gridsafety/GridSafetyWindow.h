#pragma once

#include "report/GridSafetyStudy.h"
#include "studies/common/StudyWindow.h"
#include "studies/gridsafety/GridSafetyInputs.h"

class QLabel;
class QPushButton;
class ValueList;

// "Grid safety (IEEE Std 80)": a rectangular grid's touch and step voltages against the
// tolerable ones, with the grid current from the fault, the decrement factor and the split
// factor, and the conductor sized for the fault. It recalculates at every change; the
// calculations take microseconds.
class GridSafetyWindow : public StudyWindow {
    Q_OBJECT
public:
    explicit GridSafetyWindow(QWidget *opener);

    GridSafetyInputs *inputs() const { return m_inputs; }
    void prefill(const GridSafetyInputs::Prefill &prefill) { m_inputs->prefill(prefill); }
    // What the fields give and what was calculated from them.
    const GridSafetyInputs::Reading &reading() const { return m_reading; }
    const GridSafetyOutcome &outcome() const { return m_outcome; }

    Report report() const override;

protected:
    QString defaultFileName() const override;

private:
    QWidget *makeResults();
    void recalculate();
    void showResults();
    void showConductor();
    // The grid checked, solved numerically in a new earthing study.
    void solveNumerically();

    GridSafetyInputs *m_inputs = nullptr;
    QPushButton *m_solveNumerically = nullptr;
    ValueList *m_fault = nullptr;
    ValueList *m_results = nullptr;
    QLabel *m_touchVerdict = nullptr;
    QLabel *m_stepVerdict = nullptr;
    QLabel *m_shortcut = nullptr;
    QLabel *m_message = nullptr;
    QLabel *m_cautions = nullptr;
    ValueList *m_factors = nullptr;
    ValueList *m_conductor = nullptr;
    QLabel *m_conductorMessage = nullptr;
    GridSafetyInputs::Reading m_reading;
    GridSafetyOutcome m_outcome;
};
