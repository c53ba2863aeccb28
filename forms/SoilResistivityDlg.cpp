#include "forms/SoilResistivityDlg.h"

#include "ui/DataExchange.h"

namespace {

constexpr int kPlace = 1054;
constexpr int kSpacing1 = 1051;
constexpr int kSpacing2 = 1052;
constexpr int kFirstMeasuredR = 1029;
constexpr int kFirstResistivity = 1040;
constexpr int kAverage = 1055;

} // namespace

CSoilResistivityDlg::CSoilResistivityDlg(QWidget *parent)
    : LayoutDialog(IDD, parent), m_icon(loadApplicationIcon()) {}

bool CSoilResistivityDlg::OnInitDialog() {
    LayoutDialog::OnInitDialog();
    bindCommands(this, {{IDC_CALCULATE, &CSoilResistivityDlg::OnCalculate},
                        {IDC_INITIALIZE, &CSoilResistivityDlg::OnInitialize}});
    SetIcon(m_icon);
    return true;
}

void CSoilResistivityDlg::DoDataExchange(DataExchange &dx) {
    dx.Text(kPlace, m_record.m_strPlace);
    dx.Text(kSpacing1, m_record.m_nSpacing1);
    dx.Text(kSpacing2, m_record.m_nSpacing2);
    for (int row = 0; row < tav::kSoilRows; ++row)
        dx.Text(kFirstMeasuredR + row, m_record.m_fMeasuredR[row]);
    for (int row = 0; row < tav::kSoilRows; ++row)
        dx.Text(kFirstResistivity + row, m_record.m_dResistivity[row]);
    dx.Text(kAverage, m_record.m_dAverage);
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
