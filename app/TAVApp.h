#pragma once

#include <QStringList>

#include <memory>
#include <optional>

class LanguageModule;

class QWidget;

// The application: loads the language module and owns it, makes it the module every
// window takes its resources from, runs the main window, and frees the module.
class CTAVApp {
public:
    // The folders searched for the language module, in order.
    explicit CTAVApp(QStringList moduleSearchDirs);
    ~CTAVApp();
    CTAVApp(const CTAVApp &) = delete;
    CTAVApp &operator=(const CTAVApp &) = delete;

    // The program file's name without its extension: the caption of every message.
    static QString applicationTitle();

    // TAV --study [FILE]: the earthing study window instead of the main window, with the
    // project file when one is named. None for any other command line.
    static std::optional<QString> studyArgument(const QStringList &arguments);
    void setStudy(std::optional<QString> file) { m_study = std::move(file); }

    // Runs the program to its end. Always false: nothing runs after the main window.
    bool InitInstance();
    // Frees the language module; the process's exit code.
    int ExitInstance();

    QWidget *mainWindow() const { return m_mainWindow; }
    // The loaded language module; null before InitInstance and after ExitInstance.
    const LanguageModule *languageModule() const { return m_languageModule.get(); }

private:
    QStringList m_searchDirs;
    std::unique_ptr<LanguageModule> m_languageModule;
    QWidget *m_mainWindow = nullptr;
    std::optional<QString> m_study; // empty: a new study
    int m_exitCode = 0;
};
