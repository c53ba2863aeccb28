#include "ui/LanguageModule.h"
#include "ui/PackedImage.h"
#include "ui/RccArchive.h"

#include <QDir>
#include <QFile>
#include <QResource>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

#include <sys/stat.h>

namespace {

QByteArray goodModule() {
    QFile file(QStringLiteral(TAV_TEST_MODULE_DIR "/lang_en.rcc"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString &dir, const QByteArray &bytes) {
    QFile file(QDir(dir).filePath(LanguageModule::fileName()));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

bool wellFormed(const QByteArray &bytes, qsizetype size = -1) {
    return RccArchive::isWellFormed(reinterpret_cast<const unsigned char *>(bytes.constData()),
                                    static_cast<std::size_t>(size < 0 ? bytes.size() : size));
}

// Touches everything the program asks of a module; under the sanitizers a read
// outside the module's bytes ends the test.
void useEverything(const LanguageModule &module) {
    for (int id : {100, 102})
        module.layout(id);
    module.string(101);
    module.bitmap(151);
    module.bitmap(152);
    module.icon(128);
}

} // namespace

class TestLanguageModule : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(!goodModule().isEmpty()); }

    void search_data() {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<QByteArray>("inWorkingDir");
        QTest::addColumn<int>("loadedFrom"); // 0 none, 1 first folder, 2 second folder
        const QByteArray good = goodModule();
        const QByteArray none;
        QTest::newRow("program folder") << good << none << none << 1;
        QTest::newRow("data folder when program folder has none") << none << good << none << 2;
        QTest::newRow("program folder wins") << good << good << none << 1;
        QTest::newRow("none anywhere") << none << none << none << 0;
        QTest::newRow("only in working folder") << none << none << good << 0;
        QTest::newRow("empty file") << QByteArray("") << good << none << 0;
        QTest::newRow("not a module")
            << QByteArray("MZ\x90\0\3\0\0\0garbage garbage garbage") << none << none << 0;
        QTest::newRow("truncated") << good.left(good.size() / 2) << none << none << 0;
        QTest::newRow("last byte missing") << good.left(good.size() - 1) << none << none << 0;
    }

    void search() {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        QFETCH(QByteArray, inWorkingDir);
        QFETCH(int, loadedFrom);
        QTemporaryDir a, b, work;
        // A null array stands for no file at all; an empty one for an empty file.
        if (!first.isNull())
            write(a.path(), first);
        if (!second.isNull())
            write(b.path(), second);
        if (!inWorkingDir.isNull())
            write(work.path(), inWorkingDir);
        const QString previous = QDir::currentPath();
        QDir::setCurrent(work.path());
        auto module = LanguageModule::load({a.path(), QStringLiteral("."), QString(), b.path()});
        QDir::setCurrent(previous);
        QCOMPARE(module != nullptr, loadedFrom != 0);
        if (module) {
            const QString expected = loadedFrom == 1 ? a.path() : b.path();
            QCOMPARE(module->path(), QDir(expected).filePath(LanguageModule::fileName()));
        }
    }

    void onlyARegularFileIsRead_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("named pipe") << "fifo";
        QTest::newRow("link to a device without end") << "zero";
        QTest::newRow("folder") << "folder";
    }

    // Each would once hang start-up or read until memory ran out.
    void onlyARegularFileIsRead() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath(LanguageModule::fileName());
        if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == QLatin1String("zero"))
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        else
            QVERIFY(QDir(dir.path()).mkdir(LanguageModule::fileName()));
        QString error;
        QVERIFY(LanguageModule::load({dir.path()}, &error) == nullptr);
        QVERIFY2(error.contains(QLatin1String("not a regular file")), qPrintable(error));
    }

    void everyTruncationIsRefused() {
        const QByteArray good = goodModule();
        QVERIFY(wellFormed(good));
        for (qsizetype size = 0; size < good.size(); size += size < 64 ? 1 : 37)
            QVERIFY2(!wellFormed(good, size), qPrintable(QString::number(size)));
        for (qsizetype size = good.size() - 64; size < good.size(); ++size)
            QVERIFY2(!wellFormed(good, size), qPrintable(QString::number(size)));
    }

    void damagedBytesNeverCrash() {
        const QByteArray good = goodModule();
        QTemporaryDir dir;
        int refused = 0;
        // Every byte of the header, a spread over the data, and every seventh byte of the
        // last kilobyte, where the names and the tree of entries lie: some 300 loads, each
        // reading every text, layout and picture, so that the test stays in seconds under
        // the sanitizers too.
        const int size = int(good.size());
        QList<int> places;
        for (int at = 0; at < qMin(64, size); ++at)
            places << at;
        for (int at = 64; at < size - 1024; at += qMax(1, size / 96))
            places << at;
        for (int at = qMax(64, size - 1024); at < size; at += 7)
            places << at;
        for (const int at : places) {
            QByteArray damaged = good;
            damaged[at] = static_cast<char>(damaged[at] ^ 0xA5);
            write(dir.path(), damaged);
            auto module = LanguageModule::load({dir.path()});
            if (module)
                useEverything(*module);
            else
                ++refused;
        }
        QVERIFY(refused > 0);
    }

    // Every picture a layout shows, at the size of its bitmap.
    void everyPictureHasItsSize() {
        const QMap<int, QSize> sizes{{146, {133, 211}}, {147, {141, 150}}, {148, {68, 76}},
                                     {149, {68, 76}},   {150, {206, 166}}, {151, {531, 422}},
                                     {152, {97, 97}}};
        auto module = LanguageModule::load({QStringLiteral(TAV_TEST_MODULE_DIR)});
        QVERIFY(module);
        QSet<int> shown;
        for (const int id : module->layoutIds()) {
            const std::optional<DialogLayout> layout = module->layout(id);
            for (const ControlTemplate &control : layout->controls) {
                if (control.kind != QLatin1String("picture"))
                    continue;
                QVERIFY2(sizes.contains(control.bitmap),
                         qPrintable(QString::number(control.bitmap)));
                QCOMPARE(module->bitmap(control.bitmap).size(), sizes.value(control.bitmap));
                shown.insert(control.bitmap);
            }
        }
        QCOMPARE(shown.size(), sizes.size());
    }

    void picturesAreLittleEndian() {
        QImage image(2, 1, QImage::Format_ARGB32_Premultiplied);
        image.setPixel(0, 0, 0xFF112233);
        image.setPixel(1, 0, 0x80402010);
        const QByteArray packed = PackedImage::pack(image);
        QCOMPARE(packed.mid(16).toHex(), QByteArray("332211ff10204080"));
        QCOMPARE(PackedImage::unpack(packed).pixel(1, 0), 0x80402010u);
    }

    void iconHasSixSizes() {
        auto module = LanguageModule::load({QStringLiteral(TAV_TEST_MODULE_DIR)});
        QVERIFY(module);
        QList<QSize> sizes = module->icon(128).availableSizes();
        std::sort(sizes.begin(), sizes.end(),
                  [](const QSize &l, const QSize &r) { return l.width() < r.width(); });
        const QList<QSize> expected{{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
        QCOMPARE(sizes, expected);
        QVERIFY(module->icon(129).isNull());
    }

    void stringsAndLayouts() {
        auto module = LanguageModule::load({QStringLiteral(TAV_TEST_MODULE_DIR)});
        QVERIFY(module);
        QCOMPARE(module->string(101).value_or(QString()), QStringLiteral("TAV Information(&A)..."));
        QVERIFY(!module->string(99).has_value());
        QVERIFY(!module->string(61712).value_or(QString()).isEmpty());
        QVERIFY(!module->string(61713).value_or(QString()).isEmpty());
        QCOMPARE(module->layout(102)->controls.size(), 10);
        QCOMPARE(module->layout(100)->controls.size(), 14);
        QVERIFY(!module->layout(101).has_value());
    }

    void packedImages_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size"); // empty for a refused image
        QImage image(3, 2, QImage::Format_ARGB32);
        image.fill(QColor(10, 20, 30, 128));
        const QByteArray good = PackedImage::pack(image);
        QByteArray magic = good;
        magic[0] = 'X';
        QByteArray format = good;
        format[12] = 99;
        QByteArray huge = good;
        huge[7] = 0x7f;
        QTest::newRow("well formed") << good << QSize(3, 2);
        QTest::newRow("wrong magic") << magic << QSize(0, 0);
        QTest::newRow("unknown format") << format << QSize(0, 0);
        QTest::newRow("huge width") << huge << QSize(0, 0);
        QTest::newRow("one byte short") << good.left(good.size() - 1) << QSize(0, 0);
        QTest::newRow("one byte long") << good + 'x' << QSize(0, 0);
        QTest::newRow("header only") << good.left(16) << QSize(0, 0);
        QTest::newRow("empty") << QByteArray() << QSize(0, 0);
    }

    void packedImages() {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        const QImage unpacked = PackedImage::unpack(bytes);
        QCOMPARE(unpacked.size(), size);
        if (!size.isEmpty()) {
            QCOMPARE(unpacked.pixelColor(2, 1).alpha(), 128);
            QCOMPARE(unpacked.pixelColor(2, 1).blue(), 30);
        }
    }

    void packedImagesInPlace() {
        QImage image(3, 2, QImage::Format_ARGB32);
        image.fill(QColor(10, 20, 30, 128));
        const QByteArray packed = PackedImage::pack(image);
        for (const bool aligned : {true, false}) {
            // The packed image inside a larger buffer, its rows aligned or one byte off.
            QByteArray owner(packed.size() + 8, ' ');
            qsizetype offset = 0;
            while (reinterpret_cast<quintptr>(owner.constData() + offset + 16) % 4 != 0)
                ++offset;
            offset += aligned ? 0 : 1;
            std::memcpy(owner.data() + offset, packed.constData(), size_t(packed.size()));
            const QByteArray bytes =
                QByteArray::fromRawData(owner.constData() + offset, packed.size());
            const QImage unpacked = PackedImage::unpack(bytes, owner);
            const bool inPlace =
                unpacked.constBits() == reinterpret_cast<const uchar *>(bytes.constData() + 16);
            QCOMPARE(inPlace, aligned);
            owner = QByteArray(); // the image holds a share of the bytes it is drawn from
            QCOMPARE(unpacked.size(), QSize(3, 2));
            QCOMPARE(unpacked.pixelColor(2, 1).alpha(), 128);
            QCOMPARE(unpacked.pixelColor(2, 1).blue(), 30);
        }
        // Bytes that do not lie in the owner are copied.
        const QImage copied = PackedImage::unpack(packed, QByteArray(64, ' '));
        QVERIFY(copied.constBits() != reinterpret_cast<const uchar *>(packed.constData() + 16));
        QCOMPARE(copied.pixelColor(2, 1).alpha(), 128);
    }

    void picturesAreDrawnInPlace() {
        // Every file in the module the build makes is a multiple of four bytes long, so
        // every picture's rows are aligned and are drawn from the module without a copy.
        auto module = LanguageModule::load({QStringLiteral(TAV_TEST_MODULE_DIR)});
        QVERIFY(module);
        // Where a picture's rows are in the module: past the 16-byte header of its
        // resource, under the root the module is registered at.
        const auto rows = [](const QString &path) {
            return QResource(QStringLiteral(":/tav-language/") + path).data() + 16;
        };
        for (int id : {146, 147, 148, 149, 151, 152}) {
            const QString path = QStringLiteral("bitmaps/%1").arg(id);
            QCOMPARE(module->bitmap(id).toImage().constBits(), rows(path));
        }
        const QIcon icon = module->icon(128);
        for (int side : {16, 32, 48, 64, 128, 256}) {
            const QString path = QStringLiteral("icons/128/%1").arg(side);
            QCOMPARE(icon.pixmap(side).toImage().constBits(), rows(path));
        }
    }

    void layoutParsing_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("valid");
        const QByteArray control = R"({"kind":"button","id":1,"text":"OK","rect":[1,2,3,4]})";
        auto layout = [](const QByteArray &controls) {
            return R"({"id":7,"title":"T","size":[10,20],"font":["Arial",11],"controls":[)" +
                   controls + "]}";
        };
        QTest::newRow("well formed") << layout(control) << true;
        QTest::newRow("not json") << QByteArray("{\"id\":") << false;
        QTest::newRow("rect of three") << layout(R"({"kind":"button","rect":[1,2,3]})") << false;
        QTest::newRow("rect not numbers")
            << layout(R"({"kind":"edit","rect":["a",2,3,4]})") << false;
        QTest::newRow("no kind") << layout(R"({"rect":[1,2,3,4]})") << false;
        QTest::newRow("no size") << QByteArray(R"({"id":7,"font":["Arial",11],"controls":[]})")
                                 << false;
    }

    void layoutParsing() {
        QFETCH(QByteArray, json);
        QFETCH(bool, valid);
        const auto layout = DialogLayout::fromJson(json);
        QCOMPARE(layout.has_value(), valid);
        if (valid) {
            QCOMPARE(layout->controls.front().rect, QRect(1, 2, 3, 4));
            QCOMPARE(layout->controls.front().id, 1);
            QCOMPARE(layout->size, QSize(10, 20));
        }
    }
};

QTEST_MAIN(TestLanguageModule)
#include "tst_languagemodule.moc"
