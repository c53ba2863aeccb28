#pragma once

#include <QStringList>

class QWidget;

// The application: loads the language module, runs the main window, frees the module.
class CTAVApp {
public:
    // The folders searched for the language module, in order.
    explicit CTAVApp(QStringList moduleSearchDirs);
    ~CTAVApp();
    CTAVApp(const CTAVApp &) = delete;
    CTAVApp &operator=(const CTAVApp &) = delete;

    // The program file's name without its extension: the caption of every message.
    static QString ApplicationTitle();

    // Runs the program to its end. Always false: nothing runs after the main window.
    bool InitInstance();
    // Frees the language module; the process's exit code.
    int ExitInstance();

    QWidget *mainWindow() const { return m_pMainWnd; }

private:
    QStringList m_searchDirs;
    QWidget *m_pMainWnd = nullptr;
    int m_exitCode = 0;
};
