// The field information file, byte for byte, and saves that never lose the earlier file.
#include "core/SiteFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <climits>
#include <sys/mount.h>

using namespace tav;

Q_DECLARE_METATYPE(tav::SiteReadStatus)
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

// Fails every write after a number of bytes, or the sync, or the close, as a disk would.
class FailingDisk : public SiteFileSystem {
public:
    std::size_t bytesBeforeFailure = SIZE_MAX;
    bool failSync = false;
    bool failClose = false;

    long write(int fd, const void *data, std::size_t size) override {
        if (size > bytesBeforeFailure) {
            if (bytesBeforeFailure == 0) {
                errno = ENOSPC;
                return -1;
            }
            size = bytesBeforeFailure; // a short write, then the error
        }
        bytesBeforeFailure -= size;
        return SiteFileSystem::write(fd, data, size);
    }
    int fsync(int fd) override { return failSync ? (errno = EIO, -1) : SiteFileSystem::fsync(fd); }
    int close(int fd) override {
        const int closed = SiteFileSystem::close(fd);
        return failClose ? (errno = EIO, -1) : closed;
    }
};

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
        QCOMPARE(SiteFile::write(read, dir.path().toStdString()).status,
                 SiteWriteStatus::CannotCreate);
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
