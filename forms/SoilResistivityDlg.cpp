#include "forms/SoilResistivityDlg.h"

#include "core/NumericText.h"
#include "core/soilmodel/WennerReading.h"
#include "studies/soil/SoilModelWindow.h"
#include "ui/DataExchange.h"

#include <QLineEdit>

using namespace SoilResistivityIds;

CSoilResistivityDlg::CSoilResistivityDlg(QWidget *parent) : LayoutDialog(IDD, parent) {}

bool CSoilResistivityDlg::OnInitDialog() {
    LayoutDialog::OnInitDialog();
    bindCommands(this, {{IDC_CALCULATE, &CSoilResistivityDlg::OnCalculate},
                        {IDC_INITIALIZE, &CSoilResistivityDlg::OnInitialize},
                        {IDC_SOIL_MODEL, &CSoilResistivityDlg::OnSoilModel}});
    return true;
}

void CSoilResistivityDlg::DoDataExchange(DataExchange &dx) {
    dx.Text(IDC_PLACE, m_record.m_strPlace);
    dx.Text(IDC_SPACING1, m_record.m_nSpacing1);
    dx.Text(IDC_SPACING2, m_record.m_nSpacing2);
    for (int row = 0; row < tav::kSoilRows; ++row)
        dx.Text(IDC_MEASURED_R_FIRST + row, m_record.m_fMeasuredR[row]);
    for (int row = 0; row < tav::kSoilRows; ++row)
        dx.Text(IDC_RESISTIVITY_FIRST + row, m_record.m_dResistivity[row]);
    dx.Text(IDC_AVERAGE, m_record.m_dAverage);
}

void CSoilResistivityDlg::OnCalculate() {
    // After an unreadable field (its prompt shown) the calculation runs on the values
    // the record still holds, and the write puts them back into the fields.
    UpdateData(true);
    tav::CalculateSoilResistivity(m_record);
    UpdateData(false);
}

void CSoilResistivityDlg::OnInitialize() {
    tav::ResetSoilResistivity(m_record);
    UpdateData(false);
}

void CSoilResistivityDlg::OnSoilModel() {
    // The rows as they stand in the fields, read as the exchange reads them but without its
    // prompts: every row whose R is readable and positive, at a spacing above 0.
    auto text = [this](int id) { return item<QLineEdit>(id)->text().toStdString(); };
    tav::SoilResistivityRecord spacings;
    spacings.m_nSpacing1 = tav::NumericText::scanInteger(text(IDC_SPACING1)).value_or(0);
    spacings.m_nSpacing2 = tav::NumericText::scanInteger(text(IDC_SPACING2)).value_or(0);
    std::vector<double> at;
    std::vector<double> measured;
    for (int row = 0; row < tav::kSoilRows; ++row) {
        const std::optional<double> r =
            tav::NumericText::scanReal(text(IDC_MEASURED_R_FIRST + row));
        const int spacing = tav::soilRowSpacing(spacings, row);
        if (r && *r > 0 && spacing > 0) {
            at.push_back(spacing);
            measured.push_back(*r);
        }
    }
    auto *window = new SoilModelWindow(this);
    window->setPlace(item<QLineEdit>(IDC_PLACE)->text());
    if (!m_keptReadings)
        m_keptReadings = std::make_shared<KeptReadings>();
    window->setFormReadings(tav::WennerReadings::fromResistances(at, measured), m_keptReadings);
    window->present();
}
