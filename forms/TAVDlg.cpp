#include "forms/TAVDlg.h"

#include "forms/AboutDlg.h"
#include "forms/FormRegistry.h"
#include "forms/MainWindowMenu.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

CTAVDlg::CTAVDlg(QWidget *parent) : LayoutDialog(IDD, parent) {}

bool CTAVDlg::OnInitDialog() {
    LayoutDialog::OnInitDialog();
    for (const FormEntry &form : mainWindowForms())
        bindCommand(form.buttonId, [this, &form] { runForm(form); });
    MainWindowMenu::attach(*this);
    if (GetSystemMenu() != nullptr) {
        const QString about = LoadLanguageString(StringId::kAboutMenuItem);
        if (!about.isEmpty()) {
            appendSystemMenuSeparator();
            appendSystemMenuItem(IDM_ABOUTBOX, about);
        }
    }
    return true;
}

void CTAVDlg::OnSysCommand(unsigned id, long parameter) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX)
        runForm(*formWithLayout(CAboutDlg::IDD));
    else
        LayoutDialog::OnSysCommand(id, parameter);
}

void CTAVDlg::runForm(const FormEntry &form) {
    const std::unique_ptr<LayoutDialog> window = form.make(this);
    window->DoModal();
}
