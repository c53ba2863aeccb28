#pragma once

#include "forms/RodDesignDlg.h"

// Sizes a vertical rod driven into a bore backfilled with catalyzer.
class CVerticalElectrodeDlg : public CRodDesignDlg {
    Q_OBJECT
public:
    static constexpr int IDD = RodDesignIds::IDD_VERTICAL;
    explicit CVerticalElectrodeDlg(QWidget *parent = nullptr);

protected:
    void exchangeInputs(DataExchange &dx) override;
    tav::RodDesignParameters parameters() const override;
};
