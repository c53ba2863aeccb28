#include "forms/RodDesignDlg.h"

#include "ui/DataExchange.h"
#include "ui/LanguageString.h"
#include "ui/MessageBox.h"

using namespace RodDesignIds;

CRodDesignDlg::CRodDesignDlg(int layoutId, tav::RodDesignRecord defaults, QWidget *parent)
    : LayoutDialog(layoutId, parent), m_record(std::move(defaults)) {}

bool CRodDesignDlg::OnInitDialog() {
    LayoutDialog::OnInitDialog();
    bindCommands(this, {{IDC_CALCULATE, &CRodDesignDlg::OnCalculate}});
    return true;
}

void CRodDesignDlg::DoDataExchange(DataExchange &dx) {
    exchangeInputs(dx);
    for (int i = 0; i < tav::kRodRows; ++i)
        dx.Text(IDC_ROW_LENGTH_FIRST + i, m_record.rowLength[i]);
    for (int i = 0; i < tav::kRodRows; ++i)
        dx.Text(IDC_ROW_RESISTANCE_FIRST + i, m_record.rowResistance[i]);
    for (int i = 0; i < tav::kRodRows; ++i)
        dx.Text(IDC_ION_BAGS_FIRST + i, m_record.ionBags[i]);
    for (int i = 0; i < tav::kRodRows; ++i)
        dx.Text(IDC_ACTIVE_BAGS_FIRST + i, m_record.activeBags[i]);
    for (std::size_t j = 0; j < m_record.rodQuantity.size(); ++j)
        dx.Text(IDC_ROD_QUANTITY_FIRST + static_cast<int>(j), m_record.rodQuantity[j]);
}

void CRodDesignDlg::OnCalculate() {
    // An unreadable field has shown its prompt already; the command goes on regardless.
    UpdateData(true);
    const tav::RodDesignOutcome outcome = tav::CalculateRodDesign(m_record, parameters());
    if (outcome.refusal) {
        showMessage(languageWording().refusal(*outcome.refusal), this);
        return;
    }
    UpdateData(false);
}
