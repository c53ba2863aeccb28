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
    : LayoutDialog(layoutId, parent), m_record(std::move(defaults)), m_icon(loadApplicationIcon()) {
}

bool CRodDesignDlg::OnInitDialog() {
    LayoutDialog::OnInitDialog();
    bindCommands(this, {{IDC_CALCULATE, &CRodDesignDlg::OnCalculate}});
    SetIcon(m_icon);
    return true;
}

void CRodDesignDlg::DoDataExchange(DataExchange &dx) {
    exchangeInputs(dx);
    for (int i = 0; i < tav::kRodRows; ++i)
        dx.Text(kFirstRowLength + i, m_record.rowLength[i]);
    for (int i = 0; i < tav::kRodRows; ++i)
        dx.Text(kFirstResistance + i, m_record.rowResistance[i]);
    for (int i = 0; i < tav::kRodRows; ++i)
        dx.Text(kFirstIonBags + i, m_record.ionBags[i]);
    for (int i = 0; i < tav::kRodRows; ++i)
        dx.Text(kFirstActiveBags + i, m_record.activeBags[i]);
    for (std::size_t j = 0; j < m_record.rodQuantity.size(); ++j)
        dx.Text(kFirstQuantity + static_cast<int>(j), m_record.rodQuantity[j]);
}

void CRodDesignDlg::OnCalculate() {
    // An unreadable field has shown its prompt already; the command goes on regardless.
    UpdateData(true);
    const tav::RodDesignOutcome outcome = tav::CalculateRodDesign(m_record, parameters());
    if (outcome.refusal != 0) {
        showMessage(LoadLanguageString(outcome.refusal), this);
        return;
    }
    UpdateData(false);
}
