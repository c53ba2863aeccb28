#include "forms/MashElectrodeDlg.h"

#include "ui/DataExchange.h"

using namespace MeshGridIds;

CMashElectrodeDlg::CMashElectrodeDlg(QWidget *parent) : LayoutDialog(IDD, parent) {}

bool CMashElectrodeDlg::OnInitDialog() {
    LayoutDialog::OnInitDialog();
    bindCommands(this, {{IDC_CALCULATE, &CMashElectrodeDlg::OnCalculate}});
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
