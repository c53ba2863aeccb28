#pragma once

#include "studies/earthing/StudyProject.h"

#include <QObject>
#include <QString>

class EarthingProject;
class QMenu;
class QWidget;
class RecentFiles;

// The file an earthing study is kept in: New, Open, Open Recent, Save and Save As, and the
// question whether to save unsaved work before it is set aside. A file is read whole and
// refused with the reason when it is no study; it is saved whole or not at all, the old
// file kept until the new one is complete.
class ProjectFile : public QObject {
    Q_OBJECT
public:
    // No study's file is larger.
    static constexpr qint64 kMostBytes = qint64{64} << 20;

    ProjectFile(QWidget *window, EarthingProject *project);

    QString fileName() const { return m_fileName; }
    // The file's name, or "untitled".
    QString shownName() const;
    // Offers the files opened or saved last in the menu, kept up to date.
    void offerRecent(QMenu *menu);

    // Asks to save unsaved work first; false: keep it.
    bool maySetAside();
    void newStudy();
    void chooseAndOpen();
    // False, with the reason shown in a message, when the file could not be read.
    bool open(const QString &path);
    bool save();
    bool chooseAndSave();
    bool saveTo(const QString &path);

Q_SIGNALS:
    // A study to show, as it is saved (or new).
    void opened(const StudyProject &project);
    void nameChanged();

private:
    void openRecent(const QString &path);
    void showRecent(QMenu *menu);

    QWidget *m_window;
    EarthingProject *m_project;
    RecentFiles *m_recent;
    QString m_fileName;
};
