#include "forms/VerticalElectrodeDlg.h"

#include "core/VerticalRod.h"
#include "ui/DataExchange.h"

CVerticalElectrodeDlg::CVerticalElectrodeDlg(QWidget *parent)
    : CRodDesignDlg(IDD, tav::verticalRodDefaults(), parent) {}

void CVerticalElectrodeDlg::exchangeInputs(DataExchange &dx) {
    // The rod diameter comes before the soil resistivity here, unlike the Tab order.
    dx.Text(1072, m_record.lengthFrom);
    dx.Text(1073, m_record.lengthTo);
    dx.Text(1074, m_record.targetResistance);
    dx.Text(1075, m_record.rodDiameter);
    dx.Text(1076, m_record.soilResistivity);
}

tav::RodDesignParameters CVerticalElectrodeDlg::parameters() const {
    return tav::verticalRodParameters();
}
