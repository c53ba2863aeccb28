// The field information file, byte for byte, and saves that never lose the earlier file.
#include "core/SiteFile.h"
#include "tests/support/FailingDisk.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <climits>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tav;

Q_DECLARE_METATYPE(tav::SiteReadStatus)
Q_DECLARE_METATYPE(tav::SiteWriteStatus)
Q_DECLARE_METATYPE(tav::FileKind)
Q_DECLARE_METATYPE(tav::SiteInformation)

namespace {

QByteArray golden(const char *name) {
    QFile file(QStringLiteral(TAV_TEST_DATA "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The worked example: abc, no field name, 2019-03-04, file 7, soil 2, layer 0, position
// 5, altitude 120, Rain, 12, Celsius.
SiteInformation workedExample() {
    SiteInformation record;
    record.clientCompanyName = "abc";
    record.date = SiteDate::fromParts(2019, 3, 4);
    record.fileNumber = "7";
    record.soilType = 2;
    record.fieldPosition = 5;
    record.altitude = "120";
    record.meteorological = "Rain";
    record.temperature = "12";
    return record;
}

SiteReadResult decode(const QByteArray &bytes, SiteInformation &record) {
    return SiteFile::decode(reinterpret_cast<const unsigned char *>(bytes.constData()),
                            static_cast<std::size_t>(bytes.size()), record);
}

QByteArray encoded(const SiteInformation &record) {
    const std::string bytes = SiteFile::encode(record);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QByteArray le32(qint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// The worked example with its first text's prefix and text replaced.
QByteArray withFirstText(const QByteArray &prefixAndText) {
    return prefixAndText + golden("worked-example.txt").mid(4);
}

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

QByteArray local(const QString &path) {
    return QFile::encodeName(path);
}

// Whoever runs the test, the save runs as a user who is not root, where permissions hold:
// root's child process becomes nobody for it. The status and the reason come back.
constexpr uid_t kNobody = 65534;

SiteWriteResult writeAsUser(const SiteInformation &record, const QString &path) {
    if (::geteuid() != 0)
        return SiteFile::write(record, local(path).toStdString());
    int channel[2];
    if (::pipe(channel) != 0)
        return {SiteWriteStatus::WriteFailure, "no pipe", FileKind::RegularFile};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        int status = 99;
        if (::setgid(kNobody) == 0 && ::setuid(kNobody) == 0) {
            const SiteWriteResult result = SiteFile::write(record, local(path).toStdString());
            status = static_cast<int>(result.status);
            if (::write(channel[1], result.reason.data(), result.reason.size()) < 0)
                status = 98;
        }
        ::_exit(status);
    }
    ::close(channel[1]);
    char reason[256] = {};
    const ssize_t got = ::read(channel[0], reason, sizeof reason - 1);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    SiteWriteResult result;
    result.status = static_cast<SiteWriteStatus>(WEXITSTATUS(status));
    result.reason.assign(reason, got > 0 ? static_cast<std::size_t>(got) : 0);
    return result;
}

} // namespace

class TestSiteFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void goldenFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<SiteInformation>("record");
        SiteInformation empty;
        empty.date = SiteDate::fromParts(2019, 3, 4);
        QTest::newRow("worked example, 52 bytes")
            << golden("worked-example.txt") << workedExample();
        QTest::newRow("every text empty, 39 bytes") << golden("empty-record.txt") << empty;
    }

    void goldenFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(SiteInformation, record);
        QVERIFY(bytes.size() == 52 || bytes.size() == 39);
        QCOMPARE(encoded(record), bytes);
        SiteInformation read;
        read.note = "previous";
        const SiteReadResult result = decode(bytes + "trailing bytes are never read", read);
        QCOMPARE(result.status, SiteReadStatus::Success);
        QCOMPARE(result.itemsRead, 15);
        QCOMPARE(result.trailingBytes, std::uint64_t{29});
        QVERIFY(read == record);
    }

    void prefixes_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("prefix");
        QTest::newRow("254: one byte") << 254 << QByteArray::fromHex("FE");
        QTest::newRow("255: FF and 16 bits") << 255 << QByteArray::fromHex("FFFF00");
        QTest::newRow("65533: the last of 16 bits") << 65533 << QByteArray::fromHex("FFFDFF");
        QTest::newRow("65534: FF FFFF and 32 bits")
            << 65534 << QByteArray::fromHex("FFFFFFFEFF0000");
    }

    void prefixes() {
        QFETCH(int, length);
        QFETCH(QByteArray, prefix);
        SiteInformation record = workedExample();
        record.clientCompanyName.assign(static_cast<std::size_t>(length), 'x');
        const QByteArray bytes = encoded(record);
        QCOMPARE(bytes.left(prefix.size()), prefix);
        QCOMPARE(bytes.size(), prefix.size() + length + 48);
        SiteInformation read;
        QCOMPARE(decode(bytes, read).status, SiteReadStatus::Success);
        QVERIFY(read == record);
    }

    void readerTakesMorePrefixes_data() {
        QTest::addColumn<QByteArray>("first"); // prefix and text of item 1
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("16-bit characters")
            << QByteArray::fromHex("FFFEFF03610062006300") << QByteArray("abc");
        QTest::newRow("16-bit characters beyond Latin")
            << QByteArray::fromHex("FFFEFF02AC203DD8") << QByteArray("\xE2\x82\xAC\xEF\xBF\xBD");
        QTest::newRow("three bytes for a short length")
            << QByteArray::fromHex("FF0500") + "hello" << QByteArray("hello");
        QTest::newRow("64-bit length")
            << QByteArray::fromHex("FFFFFFFFFFFFFF0200000000000000") + "hi" << QByteArray("hi");
        QTest::newRow("bytes kept as they are")
            << QByteArray::fromHex("04E9FF0080") << QByteArray::fromHex("E9FF0080");
    }

    void readerTakesMorePrefixes() {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, text);
        SiteInformation read;
        QCOMPARE(decode(withFirstText(first), read).status, SiteReadStatus::Success);
        QCOMPARE(QByteArray::fromStdString(read.clientCompanyName), text);
        QCOMPARE(read.altitude, std::string("120"));
    }

    void dates_data() {
        QTest::addColumn<QList<int>>("items");
        QTest::addColumn<QDate>("date"); // null: not valid
        QTest::newRow("2019-03-04") << QList<int>{2019, 3, 4} << QDate(2019, 3, 4);
        QTest::newRow("-1 three times") << QList<int>{-1, -1, -1} << QDate();
        QTest::newRow("30 February") << QList<int>{2019, 2, 30} << QDate();
        QTest::newRow("29 February of a leap year")
            << QList<int>{2020, 2, 29} << QDate(2020, 2, 29);
        QTest::newRow("29 February of 1900") << QList<int>{1900, 2, 29} << QDate();
        QTest::newRow("low 16 bits: 67555 is 2019") << QList<int>{67555, 3, 4} << QDate(2019, 3, 4);
        QTest::newRow("month 65539 is 3") << QList<int>{2019, 65539, 4} << QDate(2019, 3, 4);
        QTest::newRow("year 0") << QList<int>{0, 1, 1} << QDate();
    }

    void dates() {
        QFETCH(QList<int>, items);
        QFETCH(QDate, date);
        const QByteArray example = golden("worked-example.txt");
        const QByteArray bytes =
            example.left(5) + le32(items[0]) + le32(items[1]) + le32(items[2]) + example.mid(17);
        SiteInformation read;
        QCOMPARE(decode(bytes, read).status, SiteReadStatus::Success);
        QCOMPARE(read.date.valid, date.isValid());
        if (date.isValid())
            QCOMPARE(QDate(read.date.year, read.date.month, read.date.day), date);
        else
            QCOMPARE(encoded(read).mid(5, 12), QByteArray(12, '\xFF'));
    }

    void indexesAndStatesAsStored() {
        SiteInformation record = workedExample();
        record.soilType = 42;
        record.layerStructure = -7;
        record.fieldPosition = INT_MIN;
        record.celsius = 1;
        record.fahrenheit = 1;
        SiteInformation read;
        QCOMPARE(decode(encoded(record), read).status, SiteReadStatus::Success);
        QVERIFY(read == record);
    }

    void everyTruncation() {
        // Item ends in the worked example: 4, 5, 9, 13, 17, 19, 23, 27, 31, 35, 40, 43, 47, 51, 52.
        const QList<int> ends{4, 5, 9, 13, 17, 19, 23, 27, 31, 35, 40, 43, 47, 51, 52};
        const QByteArray example = golden("worked-example.txt");
        for (int size = 0; size < example.size(); ++size) {
            SiteInformation read;
            read.temperature = "before";
            read.date = SiteDate::fromParts(2000, 1, 1);
            const SiteReadResult result = decode(example.left(size), read);
            int complete = 0;
            while (ends[complete] <= size)
                ++complete;
            QCOMPARE(result.status, SiteReadStatus::EndOfFile);
            QCOMPARE(result.itemsRead, complete);
            // The date only as a whole; a text only once read whole.
            QCOMPARE(read.date.year, complete >= 5 ? 2019 : 2000);
            QCOMPARE(read.temperature, std::string(complete >= 12 ? "12" : "before"));
        }
    }

    void hostileLengths_data() {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<SiteReadStatus>("status");
        QTest::newRow("32-bit length far beyond the file")
            << QByteArray::fromHex("FFFFFFFEFFFFFF") << SiteReadStatus::EndOfFile;
        QTest::newRow("16-bit characters beyond the file")
            << QByteArray::fromHex("FFFEFFFF00FF") << SiteReadStatus::EndOfFile;
        QTest::newRow("64-bit length above 7FFFFFFF")
            << QByteArray::fromHex("FFFFFFFFFFFFFF0000008000000000") << SiteReadStatus::BadLength;
        QTest::newRow("64-bit length of 7FFFFFFF")
            << QByteArray::fromHex("FFFFFFFFFFFFFFFFFFFF7F00000000") << SiteReadStatus::EndOfFile;
    }

    void hostileLengths() {
        QFETCH(QByteArray, first);
        QFETCH(SiteReadStatus, status);
        SiteInformation read;
        read.clientCompanyName = "kept";
        const SiteReadResult result = decode(first + QByteArray(64, 'x'), read);
        QCOMPARE(result.status, status);
        QCOMPARE(result.itemsRead, 0);
        QCOMPARE(read.clientCompanyName, std::string("kept"));
    }

    void fileRoundTrip() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("site.txt"));
        QCOMPARE(SiteFile::write(workedExample(), path.toStdString()).status,
                 SiteWriteStatus::Success);
        QCOMPARE(contents(path), golden("worked-example.txt"));
        SiteInformation read;
        const SiteReadResult result = SiteFile::read(path.toStdString(), read);
        QCOMPARE(result.status, SiteReadStatus::Success);
        QVERIFY(read == workedExample());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("site.txt")});
    }

    void trailingBytesAreCounted() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("site.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(golden("worked-example.txt") + QByteArray(5000, 'x'));
        file.close();
        SiteInformation read;
        const SiteReadResult result = SiteFile::read(path.toStdString(), read);
        QCOMPARE(result.status, SiteReadStatus::Success);
        QCOMPARE(result.trailingBytes, std::uint64_t{5000});
        QVERIFY(read == workedExample());
        QCOMPARE(decode(golden("worked-example.txt"), read).trailingBytes, std::uint64_t{0});
    }

    // 16-bit text converted piece by piece: a pair of surrogates and a unit split between
    // two pieces of the reading come out whole.
    void longWideText_data() {
        QTest::addColumn<int>("split"); // the unit that straddles two 64 KiB pieces
        QTest::newRow("a pair across the pieces") << 32767;
        QTest::newRow("a lone high surrogate at the end") << 39999;
        QTest::newRow("a pair within a piece") << 100;
    }

    void longWideText() {
        QFETCH(int, split);
        QList<char16_t> units(40000, u'\u00e9');
        units[split] = 0xD83D; // with the next unit, U+1F600
        if (split + 1 < units.size())
            units[split + 1] = 0xDE00;
        units[7] = 0xDC00; // a lone low surrogate
        QByteArray text;
        for (const char16_t unit : units)
            text += char(unit & 0xFF), text += char(unit >> 8);
        const QByteArray prefix = QByteArray::fromHex("FFFEFFFF") + le32(40000).left(2);
        SiteInformation read;
        QCOMPARE(decode(withFirstText(prefix + text), read).status, SiteReadStatus::Success);
        // A lone surrogate becomes U+FFFD, as the platform's conversion makes it.
        units[7] = 0xFFFD;
        if (split + 1 == units.size())
            units[split] = 0xFFFD;
        const QString expected = QString::fromUtf16(units.constData(), units.size());
        QCOMPARE(QByteArray::fromStdString(read.clientCompanyName), expected.toUtf8());
        QCOMPARE(read.altitude, std::string("120"));
    }

    void cannotOpenOrCreate() {
        QTemporaryDir dir;
        SiteInformation read = workedExample();
        QCOMPARE(
            SiteFile::read(dir.filePath(QStringLiteral("none.txt")).toStdString(), read).status,
            SiteReadStatus::CannotOpen);
        QCOMPARE(SiteFile::read(dir.path().toStdString(), read).status, SiteReadStatus::CannotOpen);
        QVERIFY(read == workedExample());
        QCOMPARE(
            SiteFile::write(read, dir.filePath(QStringLiteral("no/such/folder.txt")).toStdString())
                .status,
            SiteWriteStatus::CannotCreate);
    }

    // What a save reaches through the path it is given, and what it refuses to replace.
    void savesThroughWhatThePathNames_data() {
        QTest::addColumn<QStringList>("links"); // name=target, made in order
        QTest::addColumn<QString>("path");      // what the save is given
        QTest::addColumn<QString>("saved");     // the file that must then hold the record
        QTest::addColumn<SiteWriteStatus>("status");
        QTest::addColumn<FileKind>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("link to a file")
            << QStringList{"old.txt=", "link.txt=old.txt"} << "link.txt"
            << "old.txt" << SiteWriteStatus::Success << FileKind::RegularFile << "";
        QTest::newRow("dangling link: its target is made")
            << QStringList{"link.txt=new.txt"} << "link.txt"
            << "new.txt" << SiteWriteStatus::Success << FileKind::RegularFile << "";
        QTest::newRow("chain of links into a folder")
            << QStringList{"sub/", "a.txt=b.txt", "b.txt=sub/../sub/c.txt"} << "a.txt"
            << "sub/c.txt" << SiteWriteStatus::Success << FileKind::RegularFile << "";
        QTest::newRow("link to a link by its full path")
            << QStringList{"a.txt=@/b.txt", "b.txt=c.txt"} << "a.txt"
            << "c.txt" << SiteWriteStatus::Success << FileKind::RegularFile << "";
        QTest::newRow("link loop") << QStringList{"a.txt=b.txt", "b.txt=a.txt"} << "a.txt"
                                   << "" << SiteWriteStatus::Refused << FileKind::RegularFile
                                   << "Too many levels of symbolic links";
        QTest::newRow("link to a device")
            << QStringList{"null.txt=/dev/null"} << "null.txt"
            << "" << SiteWriteStatus::Refused << FileKind::CharacterDevice << "";
        QTest::newRow("a folder") << QStringList{"sub/"} << "sub"
                                  << "" << SiteWriteStatus::Refused << FileKind::Directory << "";
        QTest::newRow("no such folder") << QStringList{} << "no/such/folder.txt"
                                        << "" << SiteWriteStatus::CannotCreate
                                        << FileKind::RegularFile << "No such file or directory";
        const QString longest = QString(251, QLatin1Char('n')) + QStringLiteral(".txt");
        QTest::newRow("a name of 255 bytes")
            << QStringList{} << longest << longest << SiteWriteStatus::Success
            << FileKind::RegularFile << "";
        const QString latin1 = QString::fromLatin1("caf\xe9.txt");
        QTest::newRow("a name that is not UTF-8")
            << QStringList{"@latin1"} << latin1 << latin1 << SiteWriteStatus::Success
            << FileKind::RegularFile << "";
    }

    void savesThroughWhatThePathNames() {
        QFETCH(QStringList, links);
        QFETCH(QString, path);
        QFETCH(QString, saved);
        QFETCH(SiteWriteStatus, status);
        QFETCH(FileKind, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const auto at = [&dir](const QString &name) {
            return local(dir.path()) + '/' + name.toLatin1();
        };
        const bool latin1 = links.contains(QStringLiteral("@latin1"));
        for (const QString &link : links) {
            const QStringList parts = link.split(QLatin1Char('='));
            if (link.endsWith(QLatin1Char('/')))
                QVERIFY(QDir(dir.path()).mkdir(link));
            else if (parts.size() == 2 && parts[1].isEmpty())
                QVERIFY(QFile(dir.filePath(parts[0])).open(QIODevice::WriteOnly));
            else if (parts.size() == 2) {
                QString target = parts[1];
                target.replace(QLatin1Char('@'), dir.path());
                QCOMPARE(::symlink(QFile::encodeName(target).constData(), at(parts[0])), 0);
            }
        }
        // Latin-1 bytes, as a file name from an older system has them.
        const QByteArray full = latin1 ? at(path) : local(dir.filePath(path));
        const SiteWriteResult result = SiteFile::write(workedExample(), full.toStdString());
        QCOMPARE(result.status, status);
        QCOMPARE(result.kind, kind);
        if (!reason.isEmpty())
            QCOMPARE(QString::fromStdString(result.reason), reason);
        if (!saved.isEmpty()) {
            QFile file(latin1 ? QFile::decodeName(at(saved)) : dir.filePath(saved));
            struct stat status {};
            QCOMPARE(
                ::lstat((latin1 ? at(saved) : local(dir.filePath(saved))).constData(), &status), 0);
            QVERIFY(S_ISREG(status.st_mode));
            SiteInformation read;
            QCOMPARE(SiteFile::read(latin1 ? at(saved).toStdString()
                                           : local(dir.filePath(saved)).toStdString(),
                                    read)
                         .status,
                     SiteReadStatus::Success);
            QVERIFY(read == workedExample());
        }
        // Links stay links, and no temporary file is left behind.
        for (const QString &link : links) {
            const QStringList parts = link.split(QLatin1Char('='));
            if (parts.size() == 2 && !parts[1].isEmpty())
                QVERIFY(QFileInfo(dir.filePath(parts[0])).isSymLink());
        }
        QDir all(dir.path());
        for (const QString &name : all.entryList(QDir::Files | QDir::Hidden | QDir::System))
            QVERIFY2(!name.startsWith(QLatin1Char('.')), qPrintable(name));
        if (latin1)
            ::unlink(at(path).constData()); // a name QDir cannot remove
    }

    void keepsPermissionsAndOwner() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("site.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(::chmod(local(path).constData(), 0640), 0);
        const bool root = ::geteuid() == 0;
        if (root)
            QCOMPARE(::chown(local(path).constData(), kNobody, kNobody), 0);
        QCOMPARE(SiteFile::write(workedExample(), path.toStdString()).status,
                 SiteWriteStatus::Success);
        struct stat status {};
        QCOMPARE(::stat(local(path).constData(), &status), 0);
        QCOMPARE(status.st_mode & 07777, mode_t{0640});
        QCOMPARE(status.st_uid, root ? kNobody : ::geteuid());
        QCOMPARE(contents(path), golden("worked-example.txt"));
    }

    // The rename would replace a file its owner made read-only: the folder allows it. The
    // save does not, as writing into the file would not.
    void readOnlyFileIsRefused() {
        QTemporaryDir dir;
        QCOMPARE(::chmod(local(dir.path()).constData(), 0777), 0);
        const QString path = dir.filePath(QStringLiteral("ro.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("kept");
        file.close();
        if (::geteuid() == 0)
            QCOMPARE(::chown(local(path).constData(), kNobody, kNobody), 0);
        QCOMPARE(::chmod(local(path).constData(), 0444), 0);
        const SiteWriteResult result = writeAsUser(workedExample(), path);
        QCOMPARE(result.status, SiteWriteStatus::Refused);
        QCOMPARE(QString::fromStdString(result.reason), QStringLiteral("Permission denied"));
        QCOMPARE(contents(path), QByteArray("kept"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        // Writable again, the same user saves it.
        QCOMPARE(::chmod(local(path).constData(), 0644), 0);
        QCOMPARE(writeAsUser(workedExample(), path).status, SiteWriteStatus::Success);
        QCOMPARE(contents(path), golden("worked-example.txt"));
    }

    void failedSaveKeepsTheEarlierFile_data() {
        QTest::addColumn<int>("bytesBeforeFailure"); // -1: every write succeeds
        QTest::addColumn<bool>("failSync");
        QTest::addColumn<bool>("failClose");
        QTest::newRow("disk full at once") << 0 << false << false;
        QTest::newRow("short write after 1 byte") << 1 << false << false;
        QTest::newRow("full within the note") << 70000 << false << false;
        QTest::newRow("sync fails") << -1 << true << false;
        QTest::newRow("close fails after the last byte") << -1 << false << true;
    }

    void failedSaveKeepsTheEarlierFile() {
        QFETCH(int, bytesBeforeFailure);
        QFETCH(bool, failSync);
        QFETCH(bool, failClose);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("site.txt"));
        QVERIFY(SiteFile::write(workedExample(), path.toStdString()).status ==
                SiteWriteStatus::Success);
        SiteInformation larger = workedExample();
        larger.note.assign(100000, 'n');
        FailingDisk disk;
        if (bytesBeforeFailure >= 0)
            disk.bytesBeforeFailure = static_cast<std::size_t>(bytesBeforeFailure);
        disk.failSync = failSync;
        disk.failClose = failClose;
        const SiteWriteResult result = SiteFile::write(larger, path.toStdString(), disk);
        QCOMPARE(result.status, SiteWriteStatus::WriteFailure);
        QVERIFY(!result.reason.empty());
        QCOMPARE(contents(path), golden("worked-example.txt"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    // A real file system that fills up: a small tmpfs, where the test may mount one.
    void fullFileSystem() {
        QTemporaryDir dir;
        const QByteArray mountPoint = QFile::encodeName(dir.path());
        if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("cannot mount a small tmpfs here (needs root); the write seam covers this");
        const QString path = dir.filePath(QStringLiteral("site.txt"));
        const SiteWriteStatus first = SiteFile::write(workedExample(), path.toStdString()).status;
        SiteInformation larger = workedExample();
        larger.note.assign(1 << 20, 'n');
        const SiteWriteResult result = SiteFile::write(larger, path.toStdString());
        const QByteArray kept = contents(path);
        const int files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size();
        ::umount(mountPoint.constData());
        QCOMPARE(first, SiteWriteStatus::Success);
        QCOMPARE(result.status, SiteWriteStatus::WriteFailure);
        QCOMPARE(QString::fromStdString(result.reason), QStringLiteral("No space left on device"));
        QCOMPARE(kept, golden("worked-example.txt"));
        QCOMPARE(files, 1);
    }
};

QTEST_GUILESS_MAIN(TestSiteFile)
#include "tst_sitefile.moc"
