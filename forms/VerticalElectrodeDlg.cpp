#include "forms/VerticalElectrodeDlg.h"

#include "core/VerticalRod.h"
#include "ui/DataExchange.h"

CVerticalElectrodeDlg::CVerticalElectrodeDlg(QWidget *parent)
    : CRodDesignDlg(IDD, tav::VerticalRodDefaults(), parent) {}

void CVerticalElectrodeDlg::ExchangeInputs(DataExchange &dx) {
    // The rod diameter comes before the soil resistivity here, unlike the Tab order.
    dx.Text(1072, m_record.m_nLengthFrom);
    dx.Text(1073, m_record.m_nLengthTo);
    dx.Text(1074, m_record.m_fTargetResistance);
    dx.Text(1075, m_record.m_fRodDiameter);
    dx.Text(1076, m_record.m_fSoilResistivity);
}

tav::RodDesignParameters CVerticalElectrodeDlg::Parameters() const {
    return tav::VerticalRodParameters();
}
