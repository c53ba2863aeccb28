#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

// The drawings ezdxf writes for the tests (make_drawings.py), and what it reads in a file
// TAV wrote. python3-ezdxf comes with dev.sh: a missing one fails the test.
namespace drawings {

inline bool runScript(const QStringList &arguments, QByteArray *output = nullptr) {
    QProcess process;
    process.start(QStringLiteral(TAV_PYTHON3),
                  QStringList{QStringLiteral(TAV_DRAWINGS_SCRIPT)} + arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        qWarning("make_drawings.py: %s", process.readAllStandardError().constData());
        return false;
    }
    if (output)
        *output = process.readAllStandardOutput();
    return true;
}

inline bool write(const QString &folder) { return runScript({QStringLiteral("write"), folder}); }

inline QJsonObject check(const QString &file) {
    QByteArray output;
    if (!runScript({QStringLiteral("check"), file}, &output))
        return {};
    return QJsonDocument::fromJson(output).object();
}

} // namespace drawings
