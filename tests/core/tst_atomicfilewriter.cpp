// Whole-file saves: any bytes come back exactly, and a failed save never costs the earlier file.
#include "core/AtomicFileWriter.h"
#include "tests/support/FailingDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

using namespace tav;

Q_DECLARE_METATYPE(tav::SiteWriteStatus)

namespace {

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file in the folder, the hidden temporaries included.
QStringList filesIn(const QTemporaryDir &dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

std::string asBytes(const QByteArray &bytes) {
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Every byte value in turn, so that no value is treated as special.
QByteArray everyByte(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + 3) % 256);
    return bytes;
}

} // namespace

class TestAtomicFileWriter : public QObject {
    Q_OBJECT

private slots:
    void bytesComeBackExactly_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("replacing");
        QTest::newRow("empty, new file") << QByteArray() << false;
        QTest::newRow("empty over an earlier file") << QByteArray() << true;
        QTest::newRow("one NUL byte") << QByteArray(1, '\0') << false;
        QTest::newRow("text with a NUL inside") << QByteArray("{\"a\":\0 1}\n", 10) << true;
        QTest::newRow("4096 bytes") << everyByte(4096) << false;
        QTest::newRow("4097 bytes") << everyByte(4097) << true;
        QTest::newRow("300000 bytes") << everyByte(300000) << true;
    }

    void bytesComeBackExactly() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, replacing);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("study.json"));
        if (replacing) {
            QFile earlier(path);
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write(QByteArray(10000, 'e')); // longer than some rows: nothing of it stays
        }
        const SiteWriteResult result = writeFileAtomically(path.toStdString(), asBytes(bytes));
        QCOMPARE(result.status, SiteWriteStatus::Success);
        QVERIFY(result.reason.empty());
        QCOMPARE(contents(path), bytes);
        QCOMPARE(filesIn(dir), QStringList{QStringLiteral("study.json")});
    }

    void replacingKeepsThePermissions_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("owner only") << 0600;
        QTest::newRow("group reads") << 0640;
        QTest::newRow("executable") << 0755;
    }

    void replacingKeepsThePermissions() {
        QFETCH(int, mode);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("study.json"));
        const QByteArray local = QFile::encodeName(path);
        QCOMPARE(writeFileAtomically(local.toStdString(), "first").status,
                 SiteWriteStatus::Success);
        QCOMPARE(::chmod(local.constData(), static_cast<mode_t>(mode)), 0);
        QCOMPARE(writeFileAtomically(local.toStdString(), "second").status,
                 SiteWriteStatus::Success);
        struct stat status {};
        QCOMPARE(::stat(local.constData(), &status), 0);
        QCOMPARE(static_cast<int>(status.st_mode & 07777), mode);
        QCOMPARE(contents(path), QByteArray("second"));
    }

    void failedSaveKeepsTheEarlierFile_data() {
        QTest::addColumn<int>("bytesBeforeFailure"); // -1: every write succeeds
        QTest::addColumn<bool>("failSync");
        QTest::addColumn<bool>("failClose");
        QTest::addColumn<QString>("reason");
        QTest::newRow("sync fails") << -1 << true << false << QStringLiteral("Input/output error");
        QTest::newRow("close fails") << -1 << false << true << QStringLiteral("Input/output error");
        QTest::newRow("disk full at once")
            << 0 << false << false << QStringLiteral("No space left on device");
        QTest::newRow("full after 5000 bytes")
            << 5000 << false << false << QStringLiteral("No space left on device");
    }

    void failedSaveKeepsTheEarlierFile() {
        QFETCH(int, bytesBeforeFailure);
        QFETCH(bool, failSync);
        QFETCH(bool, failClose);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("study.json"));
        const QByteArray earlier = everyByte(7000);
        QCOMPARE(writeFileAtomically(path.toStdString(), asBytes(earlier)).status,
                 SiteWriteStatus::Success);
        FailingDisk disk;
        if (bytesBeforeFailure >= 0)
            disk.bytesBeforeFailure = static_cast<std::size_t>(bytesBeforeFailure);
        disk.failSync = failSync;
        disk.failClose = failClose;
        const SiteWriteResult result =
            writeFileAtomically(path.toStdString(), std::string(9000, 'n'), disk);
        QCOMPARE(result.status, SiteWriteStatus::WriteFailure);
        QCOMPARE(QString::fromStdString(result.reason), reason);
        QCOMPARE(contents(path), earlier);
        QCOMPARE(filesIn(dir), QStringList{QStringLiteral("study.json")});
    }

    // Content that gives up part way, with the output still working, is no save either.
    void contentThatFailsIsNoSave() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("study.json"));
        QCOMPARE(writeFileAtomically(path.toStdString(), "kept").status, SiteWriteStatus::Success);
        AtomicFileWriter writer(SiteFileSystem::standard());
        const SiteWriteResult result =
            writer.write(path.toStdString(), [](const AtomicFileWriter::Output &output) {
                output("half", 4);
                return false; // given up part way
            });
        QCOMPARE(result.status, SiteWriteStatus::WriteFailure);
        QVERIFY(!result.reason.empty());
        QCOMPARE(contents(path), QByteArray("kept"));
        QCOMPARE(filesIn(dir), QStringList{QStringLiteral("study.json")});
        // The same writer saves once its content succeeds.
        QCOMPARE(writer
                     .write(path.toStdString(),
                            [](const AtomicFileWriter::Output &output) {
                                return output("pieces ", 7) && output("joined", 6);
                            })
                     .status,
                 SiteWriteStatus::Success);
        QCOMPARE(contents(path), QByteArray("pieces joined"));
    }

    // Another name of one file is the same file; another file with the same bytes is not.
    void sameFileThroughAnyName_data() {
        QTest::addColumn<QString>("other"); // relative to the folder; "" for the file itself
        QTest::addColumn<bool>("same");
        QTest::newRow("itself") << QString() << true;
        QTest::newRow("another spelling") << QStringLiteral("sub/../input.json") << true;
        QTest::newRow("symbolic link") << QStringLiteral("link.json") << true;
        QTest::newRow("link to the link") << QStringLiteral("link2.json") << true;
        QTest::newRow("hard link") << QStringLiteral("hard.json") << true;
        QTest::newRow("a copy") << QStringLiteral("copy.json") << false;
        QTest::newRow("nothing there") << QStringLiteral("absent.json") << false;
        QTest::newRow("dangling link") << QStringLiteral("dangling.json") << false;
    }

    void sameFileThroughAnyName() {
        QFETCH(QString, other);
        QFETCH(bool, same);
        QTemporaryDir dir;
        const QString input = dir.filePath(QStringLiteral("input.json"));
        QCOMPARE(writeFileAtomically(input.toStdString(), "{}").status, SiteWriteStatus::Success);
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QVERIFY(QFile::copy(input, dir.filePath(QStringLiteral("copy.json"))));
        QVERIFY(
            QFile::link(QStringLiteral("input.json"), dir.filePath(QStringLiteral("link.json"))));
        QVERIFY(
            QFile::link(QStringLiteral("link.json"), dir.filePath(QStringLiteral("link2.json"))));
        QVERIFY(QFile::link(QStringLiteral("gone.json"),
                            dir.filePath(QStringLiteral("dangling.json"))));
        QCOMPARE(::link(QFile::encodeName(input).constData(),
                        QFile::encodeName(dir.filePath(QStringLiteral("hard.json"))).constData()),
                 0);
        const QString path = other.isEmpty() ? input : dir.path() + QLatin1Char('/') + other;
        QCOMPARE(isSameFile(path.toStdString(), input.toStdString()), same);
        QCOMPARE(isSameFile(input.toStdString(), path.toStdString()), same);
    }

    void folderIsRefused() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("sub"));
        QVERIFY(QDir().mkdir(folder));
        const SiteWriteResult result = writeFileAtomically(folder.toStdString(), "x");
        QCOMPARE(result.status, SiteWriteStatus::Refused);
        QCOMPARE(result.kind, FileKind::Directory);
        QVERIFY(QFileInfo(folder).isDir());
    }
};

QTEST_GUILESS_MAIN(TestAtomicFileWriter)
#include "tst_atomicfilewriter.moc"
