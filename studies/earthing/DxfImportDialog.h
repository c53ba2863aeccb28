#pragma once

#include "cad/DxfDrawing.h"
#include "cad/ImportedPlan.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTableWidget;

// What the engineer says of a drawing before its conductors and rods come into the study:
// its unit when it names none, where its origin goes, whether crossing conductors are
// joined, and per layer what it holds (conductors, rods, fences with their posts, touch
// areas, the crushed rock's outline or nothing) with the depth, diameter, rod or post
// length, group and post spacing the drawing does not give. What the import would take
// is counted as the table changes; the layers' uses are remembered per file name.
class DxfImportDialog : public QDialog {
    Q_OBJECT
public:
    DxfImportDialog(const tav::cad::DxfDrawing &drawing, const QString &fileName,
                    QWidget *parent = nullptr);

    // As filled; valid once the dialog is accepted.
    tav::cad::ImportSettings settings() const;
    // The study's own site coordinates of its 0, 0, which a second drawing keeps so that it
    // lies where it lies on site: shown, and not the engineer's to change here.
    void keepOrigin(double x, double y);

private:
    enum Column { Layer, Entities, Role, Depth, Diameter, RodLength, Group, PostSpacing, Columns };

    QWidget *makeOptions();
    void fillLayers();
    void restore();
    void remember() const;
    void refresh();
    QString summary(const tav::cad::ImportedPlan &plan) const;
    void showOrigin(double x, double y);
    std::optional<double> cellNumber(int row, Column column) const;

    const tav::cad::DxfDrawing &m_drawing;
    QString m_fileName;
    QComboBox *m_units = nullptr;
    QCheckBox *m_autoOrigin = nullptr;
    QLineEdit *m_originX = nullptr;
    QLineEdit *m_originY = nullptr;
    QCheckBox *m_join = nullptr;
    bool m_originKept = false;
    QTableWidget *m_layers = nullptr;
    QLabel *m_summary = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};
