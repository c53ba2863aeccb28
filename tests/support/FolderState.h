#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <sys/stat.h>

// What a path names, as lstat sees it, and what it holds or points to: the same before and
// after something that was to leave it alone only when it was left alone.
inline QString describePath(const QString &path) {
    const QByteArray local = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(local.constData(), &status) != 0)
        return QStringLiteral("nothing");
    QString text = QStringLiteral("mode %1 inode %2 device %3 size %4")
                       .arg(status.st_mode)
                       .arg(status.st_ino)
                       .arg(status.st_rdev)
                       .arg(status.st_size);
    if (S_ISLNK(status.st_mode)) {
        text += QStringLiteral(" to ") + QFile::symLinkTarget(path);
    } else if (S_ISREG(status.st_mode)) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            text += QStringLiteral(" holding ") + QString::fromLatin1(file.readAll().toHex());
    }
    return text;
}

// Every entry of the folder, hidden temporaries included, each described.
inline QStringList folderState(const QString &folder) {
    QStringList state;
    const QDir dir(folder);
    for (const QString &name :
         dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        state.append(name + QLatin1Char(' ') + describePath(dir.filePath(name)));
    return state;
}
