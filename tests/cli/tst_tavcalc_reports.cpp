// tav-calc --pdf: a report is written only over a regular file or nothing, never over a
// file the command reads, and a refused one says why on standard error with a failing
// status, leaving whatever the path named as it was.
#include "tests/support/FolderState.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QString err;
};

// The line's words with {dir} replaced by the folder; standard input from stdinFile when
// one is given.
Run tavCalc(const QString &line, const QString &dir, const QString &stdinFile) {
    QStringList arguments = line.split(QLatin1Char(' '));
    for (QString &argument : arguments)
        argument.replace(QStringLiteral("{dir}"), dir);
    QProcess process;
    if (!stdinFile.isEmpty())
        process.setStandardInputFile(stdinFile);
    process.start(QStringLiteral(TAV_CALC), arguments);
    if (stdinFile.isEmpty())
        process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

const QByteArray kDocument = R"({"soil": {"rho": 100}, "current": 10,
    "conductors": [{"from": [0, 0, 0.5], "to": [4, 0, 0.5], "diameter": 0.01}]})";

const char kSoil[] = "soil-model --spacings 1,2,4,8 --resistivities 100,120,150,160";

// The folder every case starts from: the system document, a field information file, a
// link to the document, a named pipe, a link loop, a folder, a link to nothing.
void makeTargets(const QString &dir) {
    const auto put = [&dir](const char *name, const QByteArray &bytes) {
        QFile file(dir + QLatin1Char('/') + QLatin1String(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QVERIFY(put("input.json", kDocument));
    QVERIFY(put("site.txt", "not read: the report is refused first"));
    QVERIFY(QFile::link(QStringLiteral("input.json"), dir + QStringLiteral("/link.json")));
    QCOMPARE(::mkfifo(QFile::encodeName(dir + QStringLiteral("/pipe")).constData(), 0600), 0);
    QVERIFY(QFile::link(QStringLiteral("loop.pdf"), dir + QStringLiteral("/loop.pdf")));
    QVERIFY(QDir(dir).mkdir(QStringLiteral("folder")));
    QVERIFY(QFile::link(QStringLiteral("gone"), dir + QStringLiteral("/dangling")));
    // A character device of its own, not the system's /dev/null, which a faulty writer run
    // as root would destroy. Only root may make one.
    if (::geteuid() == 0)
        QCOMPARE(::mknod(QFile::encodeName(dir + QStringLiteral("/device")).constData(),
                         S_IFCHR | 0666, makedev(1, 3)),
                 0);
}

} // namespace

class TestTavCalcReports : public QObject {
    Q_OBJECT

private slots:
    void refusedTargetsAreLeftAlone_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("target");    // what --pdf names, {dir} for the folder
        QTest::addColumn<QString>("stdinFile"); // in the folder; empty for none
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("reason");
        const QString soil = QString::fromLatin1(kSoil) + QStringLiteral(" --pdf ");
        const QString system = QStringLiteral("system --input {dir}/input.json --pdf ");
        const QString isInput = QStringLiteral("it is {dir}/input.json, which the report is "
                                               "made from");
        QTest::newRow("named pipe")
            << soil << "{dir}/pipe" << QString() << 1 << "a named pipe, not a regular file";
        QTest::newRow("character device")
            << soil << "{dir}/device" << QString() << 1 << "a character device, not a regular file";
        QTest::newRow("link loop")
            << soil << "{dir}/loop.pdf" << QString() << 1 << "Too many levels of symbolic links";
        QTest::newRow("directory")
            << soil << "{dir}/folder" << QString() << 1 << "a directory, not a regular file";
        QTest::newRow("folder that is a dangling link")
            << soil << "{dir}/dangling/report.pdf" << QString() << 1 << "No such file or directory";
        QTest::newRow("the input") << system << "{dir}/input.json" << QString() << 2 << isInput;
        QTest::newRow("the input spelt otherwise")
            << system << "{dir}/folder/../input.json" << QString() << 2 << isInput;
        QTest::newRow("link to the input")
            << system << "{dir}/link.json" << QString() << 2 << isInput;
        QTest::newRow("the input on standard input")
            << "system --input - --pdf "
            << "{dir}/link.json"
            << "input.json" << 2 << "it is /dev/stdin, which the report is made from";
        QTest::newRow("the field information file")
            << soil + QStringLiteral("{dir}/site.txt --site ") << "{dir}/site.txt" << QString() << 2
            << "it is {dir}/site.txt, which the report is made from";
    }

    void refusedTargetsAreLeftAlone() {
        QFETCH(QString, line);
        QFETCH(QString, target);
        QFETCH(QString, stdinFile);
        QFETCH(int, status);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        const QString dir = folder.path();
        makeTargets(dir);
        const QString path = QString(target).replace(QStringLiteral("{dir}"), dir);
        if (path.endsWith(QStringLiteral("/device")) && ::geteuid() != 0)
            QSKIP("Only root may make a device node.");
        const QStringList before = folderState(dir);
        const QString targetBefore = describePath(path);
        // The target ends each line: the --site row names it twice, for --pdf and --site.
        const Run run =
            tavCalc(line + target, dir,
                    stdinFile.isEmpty() ? QString() : dir + QLatin1Char('/') + stdinFile);
        QCOMPARE(run.status, status);
        QVERIFY(run.out.isEmpty());
        const QString expected =
            QStringLiteral("The report %1 could not be written: %2.")
                .arg(path, QString(reason).replace(QStringLiteral("{dir}"), dir));
        QVERIFY2(run.err.startsWith(QStringLiteral("tav-calc: ") + expected), qPrintable(run.err));
        QCOMPARE(describePath(path), targetBefore);
        QCOMPARE(folderState(dir), before);
    }

    // Through a link to an earlier report the report it names is replaced, the link kept.
    void linkToAReportIsFollowed() {
        QTemporaryDir folder;
        const QString report = folder.filePath(QStringLiteral("report.pdf"));
        QFile earlier(report);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
        earlier.close();
        const QString link = folder.filePath(QStringLiteral("latest.pdf"));
        QVERIFY(QFile::link(QStringLiteral("report.pdf"), link));
        const Run run = tavCalc(QString::fromLatin1(kSoil) + QStringLiteral(" --pdf ") + link,
                                folder.path(), QString());
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        QCOMPARE(QFileInfo(link).symLinkTarget(), report);
        QFile written(report);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readAll().startsWith("%PDF-"));
    }
};

QTEST_GUILESS_MAIN(TestTavCalcReports)
#include "tst_tavcalc_reports.moc"
