#include "forms/RodDesignDlg.h"

#include "ui/DataExchange.h"
#include "ui/LanguageString.h"
#include "ui/MessageBox.h"

namespace {

constexpr int kFirstRowLength = 1061;
constexpr int kFirstResistance = 1028;
constexpr int kFirstIonBags = 1039;
constexpr int kFirstActiveBags = 1050;
constexpr int kFirstQuantity = 1077;

} // namespace

CRodDesignDlg::CRodDesignDlg(int layoutId, tav::RodDesignRecord defaults, QWidget *parent)
    : LayoutDialog(layoutId, parent), m_record(std::move(defaults)), m_icon(LoadApplicationIcon()) {
}

bool CRodDesignDlg::OnInitDialog() {
    LayoutDialog::OnInitDialog();
    bindCommands(this, {{IDC_CALCULATE, &CRodDesignDlg::OnCalculate}});
    SetIcon(m_icon);
    return true;
}

void CRodDesignDlg::DoDataExchange(DataExchange &dx) {
    ExchangeInputs(dx);
    for (int i = 0; i < tav::kRodRows; ++i)
        dx.Text(kFirstRowLength + i, m_record.m_nRowLength[i]);
    for (int i = 0; i < tav::kRodRows; ++i)
        dx.Text(kFirstResistance + i, m_record.m_dRowResistance[i]);
    for (int i = 0; i < tav::kRodRows; ++i)
        dx.Text(kFirstIonBags + i, m_record.m_dIonBags[i]);
    for (int i = 0; i < tav::kRodRows; ++i)
        dx.Text(kFirstActiveBags + i, m_record.m_dActiveBags[i]);
    for (std::size_t j = 0; j < m_record.m_fRodQuantity.size(); ++j)
        dx.Text(kFirstQuantity + static_cast<int>(j), m_record.m_fRodQuantity[j]);
}

void CRodDesignDlg::OnCalculate() {
    // An unreadable field has shown its prompt already; the command goes on regardless.
    UpdateData(true);
    const tav::RodDesignOutcome outcome = tav::CalculateRodDesign(m_record, Parameters());
    if (outcome.refusal != 0) {
        ShowMessage(LoadLanguageString(outcome.refusal), this);
        return;
    }
    UpdateData(false);
}
