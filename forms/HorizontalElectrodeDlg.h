#pragma once

#include "forms/RodDesignDlg.h"

// Sizes a horizontal rod buried at a given depth in a bore backfilled with catalyzer.
class CHorizontalElectrodeDlg : public CRodDesignDlg {
    Q_OBJECT
public:
    static constexpr int IDD = RodDesignIds::IDD_HORIZONTAL;

    explicit CHorizontalElectrodeDlg(QWidget *parent = nullptr);

    float burialDepth() const { return m_burialDepth; }

protected:
    bool OnInitDialog() override;
    void exchangeInputs(DataExchange &dx) override;
    tav::RodDesignParameters parameters() const override;

private:
    // Warns while the user types a depth shallower than the rod may lie.
    void OnChangeBurialDepth();

    float m_burialDepth;
};
