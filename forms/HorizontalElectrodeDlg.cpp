#include "forms/HorizontalElectrodeDlg.h"

#include "core/HorizontalRod.h"
#include "ui/DataExchange.h"
#include "ui/LanguageString.h"
#include "ui/MessageBox.h"

CHorizontalElectrodeDlg::CHorizontalElectrodeDlg(QWidget *parent)
    : CRodDesignDlg(IDD, tav::HorizontalRodDefaults(), parent),
      m_fBurialDepth(tav::kDefaultBurialDepth) {}

bool CHorizontalElectrodeDlg::OnInitDialog() {
    CRodDesignDlg::OnInitDialog();
    bindChange(this, IDC_BURIAL_DEPTH, &CHorizontalElectrodeDlg::OnChangeBurialDepth);
    return true;
}

void CHorizontalElectrodeDlg::ExchangeInputs(DataExchange &dx) {
    // The depth and the diameter come before the soil resistivity here, unlike the Tab order.
    dx.Text(1072, m_record.m_nLengthFrom);
    dx.Text(1073, m_record.m_nLengthTo);
    dx.Text(1074, m_record.m_fTargetResistance);
    dx.Text(1075, m_record.m_fRodDiameter);
    dx.Text(IDC_BURIAL_DEPTH, m_fBurialDepth);
    dx.Text(1076, m_record.m_fSoilResistivity);
}

tav::RodDesignParameters CHorizontalElectrodeDlg::Parameters() const {
    return tav::HorizontalRodParameters(m_fBurialDepth);
}

void CHorizontalElectrodeDlg::OnChangeBurialDepth() {
    // An unreadable field has shown its prompt already; the depth keeps its last value.
    UpdateData(true);
    if (static_cast<double>(m_fBurialDepth) < tav::kShallowestBurialDepth)
        ShowMessage(LoadLanguageString(kMsgShallowDepth), this);
}
