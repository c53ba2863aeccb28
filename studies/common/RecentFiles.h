#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The files a window opened or saved last, newest first, kept in the program's settings
// under a key of the window's, so that the next run offers them again.
class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int kKept = 8;

    RecentFiles(const QString &key, QObject *parent = nullptr);

    QStringList files() const;
    // Puts the file first, once.
    void add(const QString &path);
    void remove(const QString &path);

Q_SIGNALS:
    void changed();

private:
    void store(const QStringList &files);

    QString m_key;
};
