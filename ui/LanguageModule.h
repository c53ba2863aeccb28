#pragma once

#include "text/StringTable.h"
#include "ui/DialogLayout.h"

#include <QByteArray>
#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// The language module: every dialog layout, string, picture and icon of the program,
// shipped beside it as one compiled resource file. Registered with QResource for the
// life of this object from a copy held in memory, so the file may change or vanish
// while the program runs.
class LanguageModule {
public:
    static QString fileName();

    // The program's own folder, then the data folder of an installation beside it
    // (<program folder>/../share/tav). Never the current working directory.
    static QStringList defaultSearchDirs();

    // Loads the first lang_en.rcc found in the folders, in order. Null when none is
    // found, or the one found is not a regular file within the size limit, or is not a
    // well-formed module (with the reason in *error).
    static std::unique_ptr<LanguageModule> load(const QStringList &searchDirs,
                                                QString *error = nullptr);

    // The module every window takes its resources from; null while none is loaded. Its
    // owner (the application, or a test) sets it for as long as the module lives; its
    // icon 128 becomes the application's window icon.
    static const LanguageModule *current();
    static void setCurrent(const LanguageModule *module);

    ~LanguageModule();
    LanguageModule(const LanguageModule &) = delete;
    LanguageModule &operator=(const LanguageModule &) = delete;

    QString path() const { return m_path; }
    // Every layout was read and checked when the module was loaded.
    std::optional<DialogLayout> layout(int id) const;
    QList<int> layoutIds() const { return m_layouts.keys(); }
    std::optional<QString> string(unsigned id) const;
    QPixmap bitmap(int id) const;
    QIcon icon(int id) const; // null when the module has no such icon

private:
    LanguageModule(QString path, QByteArray data);
    static std::unique_ptr<LanguageModule> open(const QString &path, QString *reason);
    bool readLayouts(QString *error);
    QString resourcePath(const QString &relative) const;

    QString m_path;
    QByteArray m_data;
    bool m_registered = false;
    StringTable m_strings;
    QHash<int, DialogLayout> m_layouts;
};
