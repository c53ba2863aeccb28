#include "app/TAVApp.h"

#include "forms/TAVDlg.h"
#include "ui/LanguageModule.h"
#include "ui/MessageBox.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

CTAVApp::CTAVApp(QStringList moduleSearchDirs) : m_searchDirs(std::move(moduleSearchDirs)) {
    QCoreApplication::setApplicationName(applicationTitle());
}

CTAVApp::~CTAVApp() {
    ExitInstance();
}

QString CTAVApp::applicationTitle() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

bool CTAVApp::InitInstance() {
    QString reason;
    m_languageModule = LanguageModule::load(m_searchDirs, &reason);
    if (m_languageModule == nullptr) {
        std::fprintf(stderr, "%s\n", qPrintable(reason));
        // No string table can be had without the module, so this text is the program's own.
        showMessage(QStringLiteral("Could not open language file."));
        m_exitCode = 1;
        return false;
    }
    LanguageModule::setCurrent(m_languageModule.get());
    CTAVDlg dialog;
    m_mainWindow = &dialog;
    dialog.DoModal();
    m_mainWindow = nullptr;
    return false;
}

int CTAVApp::ExitInstance() {
    LanguageModule::setCurrent(nullptr);
    m_languageModule.reset();
    return m_exitCode;
}
