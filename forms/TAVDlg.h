#pragma once

#include "forms/ids/MainWindowIds.h"
#include "ui/LayoutDialog.h"

struct FormEntry;

// The main window: a picture and the buttons that open each form.
class CTAVDlg : public LayoutDialog {
    Q_OBJECT
public:
    static constexpr int IDD = MainWindowIds::IDD;
    static constexpr unsigned IDM_ABOUTBOX = MainWindowIds::IDM_ABOUTBOX;

    explicit CTAVDlg(QWidget *parent = nullptr);

protected:
    bool OnInitDialog() override;
    void OnSysCommand(unsigned id, long parameter) override;

private:
    // What each button of the design does (OnProgramInformation, OnFieldInformation, ...):
    // the form of its entry made as a local object and run modally.
    void runForm(const FormEntry &form);
};
