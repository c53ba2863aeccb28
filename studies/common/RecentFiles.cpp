#include "studies/common/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

RecentFiles::RecentFiles(const QString &key, QObject *parent) : QObject(parent), m_key(key) {}

QStringList RecentFiles::files() const {
    return QSettings().value(m_key).toStringList().mid(0, kKept);
}

void RecentFiles::add(const QString &path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = files();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, kKept));
}

void RecentFiles::remove(const QString &path) {
    QStringList list = files();
    if (list.removeAll(QFileInfo(path).absoluteFilePath()) > 0)
        store(list);
}

void RecentFiles::store(const QStringList &files) {
    QSettings().setValue(m_key, files);
    Q_EMIT changed();
}
