#include "forms/MashElectrodeDlg.h"

#include "core/NumericText.h"
#include "studies/gridsafety/GridSafetyWindow.h"
#include "text/StringIds.h"
#include "ui/DataExchange.h"
#include "ui/LanguageString.h"

#include <QLineEdit>

using namespace MeshGridIds;

CMashElectrodeDlg::CMashElectrodeDlg(QWidget *parent) : LayoutDialog(IDD, parent) {}

bool CMashElectrodeDlg::OnInitDialog() {
    LayoutDialog::OnInitDialog();
    bindCommands(this, {{IDC_CALCULATE, &CMashElectrodeDlg::OnCalculate},
                        {IDC_SAFETY, &CMashElectrodeDlg::OnSafety}});
    return true;
}

void CMashElectrodeDlg::DoDataExchange(DataExchange &dx) {
    dx.Text(IDC_SOIL_RESISTIVITY, m_record.soilResistivity);
    dx.Text(IDC_HORIZONTAL_LENGTH, m_record.horizontalLength);
    dx.Text(IDC_VERTICAL_LENGTH, m_record.verticalLength);
    dx.Text(IDC_BURIAL_DEPTH, m_record.burialDepth);
    dx.Text(IDC_HORIZONTAL_SPACING, m_record.horizontalSpacing);
    dx.Text(IDC_VERTICAL_SPACING, m_record.verticalSpacing);
    dx.Text(IDC_TOTAL_LENGTH, m_record.totalLength);
    dx.Text(IDC_RESISTANCE, m_record.resistance);
}

void CMashElectrodeDlg::OnCalculate() {
    // After an unreadable field (its prompt shown) the calculation goes on with the
    // values the record holds.
    UpdateData(true);
    tav::calculateMeshGrid(m_record);
    UpdateData(false);
}

void CMashElectrodeDlg::OnSafety() {
    // The fields as they stand, read as the exchange reads them but without its prompts.
    auto value = [this](int id) {
        return tav::NumericText::scanReal(item<QLineEdit>(id)->text().toStdString());
    };
    GridSafetyInputs::Prefill prefill;
    prefill.soilResistivity = value(IDC_SOIL_RESISTIVITY);
    prefill.lengthX = value(IDC_HORIZONTAL_LENGTH);
    prefill.lengthY = value(IDC_VERTICAL_LENGTH);
    prefill.depth = value(IDC_BURIAL_DEPTH);
    const std::optional<double> sx = value(IDC_HORIZONTAL_SPACING);
    const std::optional<double> sy = value(IDC_VERTICAL_SPACING);
    if (sx && sy && *sx == *sy)
        prefill.spacing = sx;
    else if (sx && sy)
        prefill.spacingNote = LoadLanguageString(StringId::GridSafety::kSpacingsDiffer)
                                  .arg(item<QLineEdit>(IDC_HORIZONTAL_SPACING)->text().trimmed(),
                                       item<QLineEdit>(IDC_VERTICAL_SPACING)->text().trimmed());
    else
        prefill.spacingNote = LoadLanguageString(StringId::GridSafety::kSpacingsUnread);
    auto *window = new GridSafetyWindow(this);
    window->prefill(prefill);
    window->present();
}
