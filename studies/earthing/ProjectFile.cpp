#include "studies/earthing/ProjectFile.h"

#include "core/AtomicFileWriter.h"
#include "core/RegularFile.h"
#include "document/DocumentWording.h"
#include "studies/common/RecentFiles.h"
#include "studies/earthing/EarthingProject.h"
#include "text/StringIds.h"
#include "ui/FileChooser.h"
#include "ui/LanguageString.h"
#include "ui/MessageBox.h"

#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include <cstring>

using namespace StringId::EarthingStudy;

ProjectFile::ProjectFile(QWidget *window, EarthingProject *project)
    : QObject(window), m_window(window), m_project(project),
      m_recent(new RecentFiles(QStringLiteral("earthingStudy/recentFiles"), this)) {}

QString ProjectFile::shownName() const {
    return m_fileName.isEmpty() ? LoadLanguageString(kUntitled) : QFileInfo(m_fileName).fileName();
}

void ProjectFile::offerRecent(QMenu *menu) {
    connect(m_recent, &RecentFiles::changed, menu, [this, menu] { showRecent(menu); });
    showRecent(menu);
}

void ProjectFile::showRecent(QMenu *menu) {
    menu->clear();
    const QStringList files = m_recent->files();
    for (const QString &path : files)
        menu->addAction(QFileInfo(path).fileName(), this, [this, path] { openRecent(path); })
            ->setToolTip(path);
    menu->setEnabled(!files.isEmpty());
}

bool ProjectFile::maySetAside() {
    if (!m_project->isModified())
        return true;
    switch (askToSave(LoadLanguageString(kUnsavedQuestion).arg(shownName()), m_window)) {
    case SaveAnswer::Save:
        return save();
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void ProjectFile::newStudy() {
    if (!maySetAside())
        return;
    m_fileName.clear();
    Q_EMIT opened(StudyProject::made());
    Q_EMIT nameChanged();
}

void ProjectFile::chooseAndOpen() {
    if (!maySetAside())
        return;
    const auto path =
        FileChooser::choose(m_window, {FileChooser::Mode::Open, LoadLanguageString(kProjectFilter),
                                       QStringLiteral("json"), QString()});
    if (path)
        open(*path);
}

// A file gone since is taken off the list.
void ProjectFile::openRecent(const QString &path) {
    if (maySetAside() && !open(path) && !QFileInfo::exists(path))
        m_recent->remove(path);
}

// Only a regular file is opened (a named pipe would block the window in its opening, a
// device would never end), and no more is read than any study holds.
bool ProjectFile::open(const QString &path) {
    using Status = tav::RegularFileRead::Status;
    const tav::RegularFileRead file =
        tav::readRegularFile(QFile::encodeName(path).toStdString(), std::size_t(kMostBytes));
    QString reason;
    switch (file.status) {
    case Status::NotRegular:
        reason = languageWording().fileKind(file.kind);
        break;
    case Status::Failed:
        reason = QString::fromLocal8Bit(std::strerror(file.error));
        break;
    case Status::TooLong:
        reason = LoadLanguageString(StringId::kDocumentTooLong).arg(kMostBytes);
        break;
    case Status::Read:
        break;
    }
    const QByteArray content = QByteArray::fromStdString(file.bytes);
    tav::DocumentError error;
    std::optional<StudyProject> project;
    if (reason.isEmpty()) {
        project = StudyProject::fromJson(content, error);
        if (!project)
            reason = DocumentWording::error(error, &LoadLanguageString);
    }
    if (!project) {
        showMessage(LoadLanguageString(kOpenFailed).arg(path, reason), m_window);
        return false;
    }
    m_fileName = path;
    Q_EMIT opened(*project);
    Q_EMIT nameChanged();
    m_recent->add(path);
    return true;
}

bool ProjectFile::save() {
    return m_fileName.isEmpty() ? chooseAndSave() : saveTo(m_fileName);
}

bool ProjectFile::chooseAndSave() {
    const QString initial =
        m_fileName.isEmpty() ? LoadLanguageString(kUntitled) + QStringLiteral(".json") : m_fileName;
    const auto path =
        FileChooser::choose(m_window, {FileChooser::Mode::Save, LoadLanguageString(kProjectFilter),
                                       QStringLiteral("json"), initial});
    return path && saveTo(*path);
}

// What is typed, as it is, sound or not: nothing typed is lost.
bool ProjectFile::saveTo(const QString &path) {
    const QByteArray json = m_project->document().toJson();
    const tav::SiteWriteResult written =
        tav::writeFileAtomically(QFile::encodeName(path).toStdString(), json.toStdString());
    if (written.status != tav::SiteWriteStatus::Success) {
        showMessage(
            LoadLanguageString(kSaveFailed).arg(path, languageWording().siteWriteFailure(written)),
            m_window);
        return false;
    }
    m_fileName = path;
    m_project->markSaved();
    m_recent->add(path);
    Q_EMIT nameChanged();
    return true;
}
