#pragma once

#include "ui/LayoutDialog.h"

#include <QIcon>

// The main window: a picture and the buttons that open each form.
class CTAVDlg : public LayoutDialog {
    Q_OBJECT
public:
    static constexpr int IDD = 102;
    static constexpr unsigned IDM_ABOUTBOX = 16;
    static constexpr unsigned kAboutString = 101;

    explicit CTAVDlg(QWidget *parent = nullptr);

protected:
    bool OnInitDialog() override;
    void OnSysCommand(unsigned id, long parameter) override;

private:
    void OnProgramInformation();
    void OnFieldInformation();
    void OnSoilResistivity();
    void OnVerticalRod();
    void OnHorizontalRod();
    void OnMeshElectrode();

    QIcon m_icon;
};
