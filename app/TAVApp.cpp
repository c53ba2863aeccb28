#include "TAVApp.h"

#include "LanguageModule.h"
#include "MessageBox.h"
#include "TAVDlg.h"

#include <QCoreApplication>
#include <QFileInfo>

CTAVApp::CTAVApp(QStringList moduleSearchDirs) : m_searchDirs(std::move(moduleSearchDirs)) {
    QCoreApplication::setApplicationName(ApplicationTitle());
}

CTAVApp::~CTAVApp() {
    ExitInstance();
}

QString CTAVApp::ApplicationTitle() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

bool CTAVApp::InitInstance() {
    g_hLangModule = LanguageModule::Load(m_searchDirs).release();
    if (g_hLangModule == nullptr) {
        // No string table can be had without the module, so this text is the program's own.
        AfxMessageBox(QStringLiteral("Could not open language file."));
        m_exitCode = 1;
        return false;
    }
    CTAVDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return false;
}

int CTAVApp::ExitInstance() {
    delete g_hLangModule;
    g_hLangModule = nullptr;
    return m_exitCode;
}
