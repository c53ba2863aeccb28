// Saving a report: only over a regular file or nothing, never over a file it is made from,
// and a failed save leaves whatever was there as it was and says why.
#include "report/ReportWriter.h"
#include "tests/support/FailingDisk.h"
#include "tests/support/FolderState.h"
#include "tests/support/ShippedTexts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/sysmacros.h>

#include <cstdint>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kInput = "{\"soil\": {\"rho\": 100}}\n";

Report someReport() {
    Report report;
    report.title = QStringLiteral("Soil model");
    ReportBlock block;
    block.heading = QStringLiteral("Result");
    block.pairs = {{QStringLiteral("Resistivity"), QStringLiteral("100 Ω·m")}};
    report.blocks = {block};
    return report;
}

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool isPdf(const QByteArray &bytes) {
    return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF");
}

} // namespace

class TestReportWriter : public QObject {
    Q_OBJECT

private:
    // A folder holding the input, a link to it, a named pipe, a link loop, a folder and a
    // link to a folder that is not there.
    static void makeTargets(const QTemporaryDir &dir) {
        QFile input(dir.filePath(QStringLiteral("input.json")));
        QVERIFY(input.open(QIODevice::WriteOnly));
        QCOMPARE(input.write(kInput), kInput.size());
        input.close();
        QVERIFY(
            QFile::link(QStringLiteral("input.json"), dir.filePath(QStringLiteral("link.json"))));
        QCOMPARE(
            ::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);
        QVERIFY(QFile::link(QStringLiteral("loop.pdf"), dir.filePath(QStringLiteral("loop.pdf"))));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        QVERIFY(QFile::link(QStringLiteral("gone"), dir.filePath(QStringLiteral("dangling"))));
        // A character device of its own, not the system's /dev/null, which a faulty writer
        // run as root would destroy. Only root may make one.
        if (::geteuid() == 0)
            QCOMPARE(::mknod(QFile::encodeName(dir.filePath(QStringLiteral("device"))).constData(),
                             S_IFCHR | 0666, makedev(1, 3)),
                     0);
    }

private slots:
    void specialTargetsAreLeftAlone_data() {
        QTest::addColumn<QString>("target"); // in the folder, or absolute
        QTest::addColumn<QString>("reason"); // what the failure says
        const QString isInput = QStringLiteral("which the report is made from");
        QTest::newRow("named pipe") << "pipe"
                                    << "a named pipe, not a regular file";
        QTest::newRow("character device") << "device"
                                          << "a character device, not a regular file";
        QTest::newRow("link loop") << "loop.pdf"
                                   << "Too many levels of symbolic links";
        QTest::newRow("directory") << "folder"
                                   << "a directory, not a regular file";
        QTest::newRow("the input") << "input.json" << isInput;
        QTest::newRow("the input spelt otherwise") << "folder/../input.json" << isInput;
        QTest::newRow("link to the input") << "link.json" << isInput;
        QTest::newRow("folder that is a dangling link") << "dangling/report.pdf"
                                                        << "No such file or directory";
    }

    void specialTargetsAreLeftAlone() {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        makeTargets(dir);
        const QString path = target.startsWith(QLatin1Char('/')) ? target : dir.filePath(target);
        if (target == QStringLiteral("device") && ::geteuid() != 0)
            QSKIP("Only root may make a device node.");
        const QStringList before = folderState(dir.path());
        const QString targetBefore = describePath(path);
        QString error;
        QVERIFY(!ReportWriter::write(someReport(),
                                     {path, {dir.filePath(QStringLiteral("input.json"))}},
                                     shippedTexts(), &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QCOMPARE(describePath(path), targetBefore);
        QCOMPARE(folderState(dir.path()), before);
        QCOMPARE(contents(dir.filePath(QStringLiteral("input.json"))), kInput);
    }

    // A link to a report: the report it names is replaced and the link kept; a link to
    // nothing yet makes the file it names.
    void linksAreFollowed_data() {
        QTest::addColumn<bool>("earlier");
        QTest::newRow("to an earlier report") << true;
        QTest::newRow("to nothing yet") << false;
    }

    void linksAreFollowed() {
        QFETCH(bool, earlier);
        QTemporaryDir dir;
        const QString report = dir.filePath(QStringLiteral("report.pdf"));
        if (earlier) {
            QFile file(report);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("earlier");
        }
        const QString link = dir.filePath(QStringLiteral("latest.pdf"));
        QVERIFY(QFile::link(QStringLiteral("report.pdf"), link));
        QString error;
        QVERIFY2(ReportWriter::write(someReport(), {link}, shippedTexts(), &error),
                 qPrintable(error));
        QCOMPARE(QFileInfo(link).symLinkTarget(), report);
        QVERIFY(isPdf(contents(report)));
        QCOMPARE(
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
            (QStringList{QStringLiteral("latest.pdf"), QStringLiteral("report.pdf")}));
    }

    // A disk that fails part way: the earlier report stays byte for byte and the failure
    // says what the system said.
    void failingDiskKeepsTheEarlierReport_data() {
        QTest::addColumn<int>("bytesBeforeFailure"); // -1: every write succeeds
        QTest::addColumn<bool>("failSync");
        QTest::addColumn<bool>("failClose");
        QTest::addColumn<QString>("reason");
        const QString full = QStringLiteral("No space left on device");
        const QString io = QStringLiteral("Input/output error");
        QTest::newRow("full at once") << 0 << false << false << full;
        QTest::newRow("full after 1000 bytes") << 1000 << false << false << full;
        QTest::newRow("sync fails") << -1 << true << false << io;
        QTest::newRow("close fails") << -1 << false << true << io;
    }

    void failingDiskKeepsTheEarlierReport() {
        QFETCH(int, bytesBeforeFailure);
        QFETCH(bool, failSync);
        QFETCH(bool, failClose);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("report.pdf"));
        QVERIFY(ReportWriter::write(someReport(), {path}, shippedTexts()));
        const QByteArray earlier = contents(path);
        QVERIFY(isPdf(earlier));
        FailingDisk disk;
        if (bytesBeforeFailure >= 0)
            disk.bytesBeforeFailure = static_cast<std::size_t>(bytesBeforeFailure);
        disk.failSync = failSync;
        disk.failClose = failClose;
        Report later = someReport();
        later.title = QStringLiteral("A later report, which never reaches the disk");
        QString error;
        QVERIFY(!ReportWriter::write(later, {path, {}, disk}, shippedTexts(), &error));
        QCOMPARE(error, reason);
        QCOMPARE(contents(path), earlier);
        QCOMPARE(folderState(dir.path()).size(), 1);
    }
};

QTEST_MAIN(TestReportWriter)
#include "tst_reportwriter.moc"
