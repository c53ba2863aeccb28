#pragma once

#include "core/MeshGrid.h"
#include "forms/ids/MeshGridIds.h"
#include "ui/LayoutDialog.h"

// The wire length and Sverak's resistance of a buried rectangular mesh grid.
class CMashElectrodeDlg : public LayoutDialog {
    Q_OBJECT
public:
    static constexpr int IDD = MeshGridIds::IDD;

    explicit CMashElectrodeDlg(QWidget *parent = nullptr);

    const tav::MeshGridRecord &record() const { return m_record; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange &dx) override;

private:
    void OnCalculate();
    void OnSafety();

    tav::MeshGridRecord m_record;
};
