#pragma once

#include "core/SoilResistivity.h"
#include "forms/ids/SoilResistivityIds.h"
#include "ui/LayoutDialog.h"

#include <memory>

struct KeptReadings;

// Turns resistances measured with four equally spaced probes into soil resistivities
// and their average.
class CSoilResistivityDlg : public LayoutDialog {
    Q_OBJECT
public:
    static constexpr int IDD = SoilResistivityIds::IDD;

    explicit CSoilResistivityDlg(QWidget *parent = nullptr);

    const tav::SoilResistivityRecord &record() const { return m_record; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange &dx) override;

private:
    void OnCalculate();
    void OnInitialize();
    void OnSoilModel();

    tav::SoilResistivityRecord m_record;
    // The soil model window's readings, kept for its next opening.
    std::shared_ptr<KeptReadings> m_keptReadings;
};
