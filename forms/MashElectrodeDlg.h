#pragma once

#include "core/MeshGrid.h"
#include "ui/LayoutDialog.h"

#include <QIcon>

// The wire length and Sverak's resistance of a buried rectangular mesh grid.
class CMashElectrodeDlg : public LayoutDialog {
    Q_OBJECT
public:
    static constexpr int IDD = 135;
    static constexpr int IDC_CALCULATE = 1083;

    explicit CMashElectrodeDlg(QWidget *parent = nullptr);

    const tav::MeshGridRecord &record() const { return m_record; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange &dx) override;

private:
    void OnCalculate();

    tav::MeshGridRecord m_record;
    QIcon m_icon;
};
