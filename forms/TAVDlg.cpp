#include "forms/TAVDlg.h"

#include "forms/AboutDlg.h"
#include "forms/HorizontalElectrodeDlg.h"
#include "forms/MashElectrodeDlg.h"
#include "forms/SiteInformationDlg.h"
#include "forms/SoilResistivityDlg.h"
#include "forms/VerticalElectrodeDlg.h"
#include "ui/LanguageString.h"

namespace {

// Every form is a local object run modally: nothing of it outlives the press.
template <class Form> void runForm(QWidget *owner) {
    Form form(owner);
    form.DoModal();
}

} // namespace

CTAVDlg::CTAVDlg(QWidget *parent) : LayoutDialog(IDD, parent), m_icon(loadApplicationIcon()) {}

bool CTAVDlg::OnInitDialog() {
    LayoutDialog::OnInitDialog();
    bindCommands(this, {{1001, &CTAVDlg::OnProgramInformation},
                        {1000, &CTAVDlg::OnFieldInformation},
                        {1025, &CTAVDlg::OnSoilResistivity},
                        {1026, &CTAVDlg::OnVerticalRod},
                        {1027, &CTAVDlg::OnHorizontalRod},
                        {1028, &CTAVDlg::OnMeshElectrode}});
    if (GetSystemMenu() != nullptr) {
        const QString about = LoadLanguageString(kAboutString);
        if (!about.isEmpty()) {
            appendSystemMenuSeparator();
            appendSystemMenuItem(IDM_ABOUTBOX, about);
        }
    }
    SetIcon(m_icon);
    return true;
}

void CTAVDlg::OnSysCommand(unsigned id, long parameter) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX)
        runForm<CAboutDlg>(this);
    else
        LayoutDialog::OnSysCommand(id, parameter);
}

void CTAVDlg::OnProgramInformation() {
    runForm<CAboutDlg>(this);
}

void CTAVDlg::OnSoilResistivity() {
    runForm<CSoilResistivityDlg>(this);
}

void CTAVDlg::OnVerticalRod() {
    runForm<CVerticalElectrodeDlg>(this);
}

void CTAVDlg::OnHorizontalRod() {
    runForm<CHorizontalElectrodeDlg>(this);
}

void CTAVDlg::OnMeshElectrode() {
    runForm<CMashElectrodeDlg>(this);
}

void CTAVDlg::OnFieldInformation() {
    runForm<CSiteInformationDlg>(this);
}
