#pragma once

// tav-calc run as a script runs it: its arguments, the document on its standard input, and
// what it answered: its exit status, its standard output (as bytes and as text) and its
// standard error. The test defines TAV_CALC, the program's path.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

struct TavCalcRun {
    int status = -1;
    QByteArray bytes;
    QString out;
    QString err;
};

inline TavCalcRun runTavCalc(const QStringList &arguments, const QByteArray &input = {},
                             int waitMs = 120000) {
    QProcess process;
    process.start(QStringLiteral(TAV_CALC), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(waitMs);
    TavCalcRun run{process.exitCode(), process.readAllStandardOutput(), {},
                   QString::fromUtf8(process.readAllStandardError())};
    run.out = QString::fromUtf8(run.bytes);
    return run;
}
