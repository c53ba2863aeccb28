#include "forms/HorizontalElectrodeDlg.h"

#include "core/HorizontalRod.h"
#include "text/StringIds.h"
#include "ui/DataExchange.h"
#include "ui/LanguageString.h"
#include "ui/MessageBox.h"

using namespace RodDesignIds;

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
    dx.Text(IDC_LENGTH_FROM, m_record.lengthFrom);
    dx.Text(IDC_LENGTH_TO, m_record.lengthTo);
    dx.Text(IDC_TARGET_RESISTANCE, m_record.targetResistance);
    dx.Text(IDC_ROD_DIAMETER, m_record.rodDiameter);
    dx.Text(IDC_BURIAL_DEPTH, m_burialDepth);
    dx.Text(IDC_SOIL_RESISTIVITY, m_record.soilResistivity);
}

tav::RodDesignParameters CHorizontalElectrodeDlg::parameters() const {
    return tav::horizontalRodParameters(m_burialDepth);
}

void CHorizontalElectrodeDlg::OnChangeBurialDepth() {
    // An unreadable field has shown its prompt already; the depth keeps its last value.
    UpdateData(true);
    if (static_cast<double>(m_burialDepth) < tav::kShallowestBurialDepth)
        showMessage(LoadLanguageString(StringId::kShallowDepth), this);
}
