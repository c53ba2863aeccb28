#pragma once

#include "forms/ids/AboutIds.h"
#include "ui/LayoutDialog.h"

// The about box: the program's version and what it is for.
class CAboutDlg : public LayoutDialog {
    Q_OBJECT
public:
    static constexpr int IDD = AboutIds::IDD;
    explicit CAboutDlg(QWidget *parent = nullptr) : LayoutDialog(IDD, parent) {}
};
