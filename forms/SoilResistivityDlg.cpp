#include "forms/SoilResistivityDlg.h"

#include "ui/DataExchange.h"

using namespace SoilResistivityIds;

CSoilResistivityDlg::CSoilResistivityDlg(QWidget *parent) : LayoutDialog(IDD, parent) {}

bool CSoilResistivityDlg::OnInitDialog() {
    LayoutDialog::OnInitDialog();
    bindCommands(this, {{IDC_CALCULATE, &CSoilResistivityDlg::OnCalculate},
                        {IDC_INITIALIZE, &CSoilResistivityDlg::OnInitialize}});
    return true;
}

void CSoilResistivityDlg::DoDataExchange(DataExchange &dx) {
    dx.Text(IDC_PLACE, m_record.m_strPlace);
    dx.Text(IDC_SPACING1, m_record.m_nSpacing1);
    dx.Text(IDC_SPACING2, m_record.m_nSpacing2);
    for (int row = 0; row < tav::kSoilRows; ++row)
        dx.Text(IDC_MEASURED_R_FIRST + row, m_record.m_fMeasuredR[row]);
    for (int row = 0; row < tav::kSoilRows; ++row)
        dx.Text(IDC_RESISTIVITY_FIRST + row, m_record.m_dResistivity[row]);
    dx.Text(IDC_AVERAGE, m_record.m_dAverage);
}

void CSoilResistivityDlg::OnCalculate() {
    // After an unreadable field (its prompt shown) the calculation runs on the values
    // the record still holds, and the write puts them back into the fields.
    UpdateData(true);
    tav::CalculateSoilResistivity(m_record);
    UpdateData(false);
}

void CSoilResistivityDlg::OnInitialize() {
    tav::ResetSoilResistivity(m_record);
    UpdateData(false);
}
