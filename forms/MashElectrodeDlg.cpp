#include "forms/MashElectrodeDlg.h"

#include "ui/DataExchange.h"

CMashElectrodeDlg::CMashElectrodeDlg(QWidget *parent)
    : LayoutDialog(IDD, parent), m_icon(loadApplicationIcon()) {}

bool CMashElectrodeDlg::OnInitDialog() {
    LayoutDialog::OnInitDialog();
    bindCommands(this, {{IDC_CALCULATE, &CMashElectrodeDlg::OnCalculate}});
    SetIcon(m_icon);
    return true;
}

void CMashElectrodeDlg::DoDataExchange(DataExchange &dx) {
    dx.Text(1076, m_record.soilResistivity);
    dx.Text(1085, m_record.horizontalLength);
    dx.Text(1086, m_record.verticalLength);
    dx.Text(1009, m_record.burialDepth);
    dx.Text(1077, m_record.horizontalSpacing);
    dx.Text(1078, m_record.verticalSpacing);
    dx.Text(1079, m_record.totalLength);
    dx.Text(1055, m_record.resistance);
}

void CMashElectrodeDlg::OnCalculate() {
    // After an unreadable field (its prompt shown) the calculation goes on with the
    // values the record holds.
    UpdateData(true);
    tav::calculateMeshGrid(m_record);
    UpdateData(false);
}
