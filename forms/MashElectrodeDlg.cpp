#include "forms/MashElectrodeDlg.h"

#include "ui/DataExchange.h"

CMashElectrodeDlg::CMashElectrodeDlg(QWidget *parent)
    : LayoutDialog(IDD, parent), m_icon(LoadApplicationIcon()) {}

bool CMashElectrodeDlg::OnInitDialog() {
    LayoutDialog::OnInitDialog();
    bindCommands(this, {{IDC_CALCULATE, &CMashElectrodeDlg::OnCalculate}});
    SetIcon(m_icon);
    return true;
}

void CMashElectrodeDlg::DoDataExchange(DataExchange &dx) {
    dx.Text(1076, m_record.m_fSoilResistivity);
    dx.Text(1085, m_record.m_fHorizontalLength);
    dx.Text(1086, m_record.m_fVerticalLength);
    dx.Text(1009, m_record.m_fBurialDepth);
    dx.Text(1077, m_record.m_fHorizontalSpacing);
    dx.Text(1078, m_record.m_fVerticalSpacing);
    dx.Text(1079, m_record.m_fTotalLength);
    dx.Text(1055, m_record.m_dResistance);
}

void CMashElectrodeDlg::OnCalculate() {
    // After an unreadable field (its prompt shown) the calculation goes on with the
    // values the record holds.
    UpdateData(true);
    tav::CalculateMeshGrid(m_record);
    UpdateData(false);
}
