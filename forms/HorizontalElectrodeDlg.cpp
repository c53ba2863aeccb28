#include "forms/HorizontalElectrodeDlg.h"

#include "core/HorizontalRod.h"
#include "ui/DataExchange.h"
#include "ui/LanguageString.h"
#include "ui/MessageBox.h"

CHorizontalElectrodeDlg::CHorizontalElectrodeDlg(QWidget *parent)
    : CRodDesignDlg(IDD, tav::horizontalRodDefaults(), parent),
      m_burialDepth(tav::kDefaultBurialDepth) {}

bool CHorizontalElectrodeDlg::OnInitDialog() {
    CRodDesignDlg::OnInitDialog();
    bindChange(this, IDC_BURIAL_DEPTH, &CHorizontalElectrodeDlg::OnChangeBurialDepth);
    return true;
}

void CHorizontalElectrodeDlg::exchangeInputs(DataExchange &dx) {
    // The depth and the diameter come before the soil resistivity here, unlike the Tab order.
    dx.Text(1072, m_record.lengthFrom);
    dx.Text(1073, m_record.lengthTo);
    dx.Text(1074, m_record.targetResistance);
    dx.Text(1075, m_record.rodDiameter);
    dx.Text(IDC_BURIAL_DEPTH, m_burialDepth);
    dx.Text(1076, m_record.soilResistivity);
}

tav::RodDesignParameters CHorizontalElectrodeDlg::parameters() const {
    return tav::horizontalRodParameters(m_burialDepth);
}

void CHorizontalElectrodeDlg::OnChangeBurialDepth() {
    // An unreadable field has shown its prompt already; the depth keeps its last value.
    UpdateData(true);
    if (static_cast<double>(m_burialDepth) < tav::kShallowestBurialDepth)
        showMessage(LoadLanguageString(kMsgShallowDepth), this);
}
