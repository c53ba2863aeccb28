#include "forms/VerticalElectrodeDlg.h"

#include "core/VerticalRod.h"
#include "ui/DataExchange.h"

using namespace RodDesignIds;

CVerticalElectrodeDlg::CVerticalElectrodeDlg(QWidget *parent)
    : CRodDesignDlg(IDD, tav::verticalRodDefaults(), parent) {}

void CVerticalElectrodeDlg::exchangeInputs(DataExchange &dx) {
    // The rod diameter comes before the soil resistivity here, unlike the Tab order.
    dx.Text(IDC_LENGTH_FROM, m_record.lengthFrom);
    dx.Text(IDC_LENGTH_TO, m_record.lengthTo);
    dx.Text(IDC_TARGET_RESISTANCE, m_record.targetResistance);
    dx.Text(IDC_ROD_DIAMETER, m_record.rodDiameter);
    dx.Text(IDC_SOIL_RESISTIVITY, m_record.soilResistivity);
}

tav::RodDesignParameters CVerticalElectrodeDlg::parameters() const {
    return tav::verticalRodParameters();
}
