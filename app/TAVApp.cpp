#include "app/TAVApp.h"

#include "forms/SiteInformationDlg.h"
#include "forms/TAVDlg.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "ui/LanguageModule.h"
#include "ui/MessageBox.h"

#include <QApplication>
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

std::optional<QString> CTAVApp::studyArgument(const QStringList &arguments) {
    if (arguments.size() < 2 || arguments[1] != QLatin1String("--study"))
        return std::nullopt;
    return arguments.size() > 2 ? arguments[2] : QString();
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
    // Field information... of every study window types the site's details in the form.
    CSiteInformationDlg::offerToStudies();
    if (m_study) {
        EarthingStudyWindow study;
        m_mainWindow = &study;
        study.show();
        // A file that cannot be read is said so; the window stays with a new study.
        if (!m_study->isEmpty())
            study.openFile(*m_study);
        QApplication::exec();
        m_mainWindow = nullptr;
        return false;
    }
    {
        CTAVDlg dialog;
        m_mainWindow = &dialog;
        dialog.DoModal();
        m_mainWindow = nullptr;
    }
    // A study opened from a form outlives the main window until it is closed itself.
    if (EarthingStudyWindow::anyOpen())
        QApplication::exec();
    return false;
}

int CTAVApp::ExitInstance() {
    LanguageModule::setCurrent(nullptr);
    m_languageModule.reset();
    return m_exitCode;
}
