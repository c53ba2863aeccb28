#include "RodDesignDlg.h"

#include "DataExchange.h"
#include "LanguageString.h"
#include "MessageBox.h"

namespace {

constexpr int kFirstRowLength = 1061;
constexpr int kFirstResistance = 1028;
constexpr int kFirstIonBags = 1039;
constexpr int kFirstActiveBags = 1050;
constexpr int kFirstQuantity = 1077;

} // namespace

const CommandEntry<CRodDesignDlg> CRodDesignDlg::kCommandMap[] = {
    {IDC_CALCULATE, &CRodDesignDlg::OnCalculate},
};

CRodDesignDlg::CRodDesignDlg(int layoutId, tav::RodDesignRecord defaults, QWidget *parent)
    : LayoutDialog(layoutId, parent), m_record(std::move(defaults)),
      m_hIcon(LoadApplicationIcon()) {}

bool CRodDesignDlg::OnInitDialog() {
    LayoutDialog::OnInitDialog();
    SetIcon(m_hIcon);
    return true;
}

bool CRodDesignDlg::OnCommand(int id) {
    return DispatchCommand(*this, kCommandMap, id);
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
        AfxMessageBox(LoadLanguageString(outcome.refusal), this);
        return;
    }
    UpdateData(false);
}
