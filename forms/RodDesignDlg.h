#pragma once

#include "core/RodDesign.h"
#include "forms/ids/RodDesignIds.h"
#include "ui/LayoutDialog.h"

// What the vertical and the horizontal rod form share: the record, the exchange of the
// result table and the rod quantities, and the Calculate command.
class CRodDesignDlg : public LayoutDialog {
    Q_OBJECT
public:
    const tav::RodDesignRecord &record() const { return m_record; }

protected:
    CRodDesignDlg(int layoutId, tav::RodDesignRecord defaults, QWidget *parent);

    bool OnInitDialog() override;
    void DoDataExchange(DataExchange &dx) override;

    // The entry fields, in the form's exchange order.
    virtual void exchangeInputs(DataExchange &dx) = 0;
    // The form's resistance formula, bore and rod models, for the record as it stands.
    virtual tav::RodDesignParameters parameters() const = 0;

    void OnCalculate();

    tav::RodDesignRecord m_record;
};
