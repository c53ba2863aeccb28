// The soil model window's file of readings: what it writes is what it reads back, and a
// file that is not exactly of its form is refused at the first field that is wrong.
#include "studies/soil/ReadingsFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

// A sound file of two Wenner readings, with one of its fields replaced or removed.
QByteArray wennerFile(const QString &key, const QJsonValue &value, bool remove = false) {
    QJsonObject file = QJsonDocument::fromJson(R"({"version": 1, "array": "wenner",
        "layers": "auto", "readings": [
        {"spacing": 1, "resistivity": 104.3, "left_out": false},
        {"spacing": 2, "resistivity": 121, "left_out": true}]})")
                           .object();
    if (remove)
        file.remove(key);
    else if (!key.isEmpty())
        file.insert(key, value);
    return QJsonDocument(file).toJson();
}

} // namespace

class TestReadingsFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Schlumberger readings with their MN/2, a count asked for and a reading left out come
    // back as written, to the last digit.
    void writtenIsRead() {
        ReadingsFile::Content content;
        content.array = tav::SoundingArray::Schlumberger;
        content.layers = 3;
        content.readings = {{tav::SoundingArray::Schlumberger, 1.5, 0.25, 104.30000000000001},
                            {tav::SoundingArray::Schlumberger, 10, 1, 1.0 / 3}};
        content.used = {true, false};
        const ReadingsFile::Read read = ReadingsFile::read(ReadingsFile::write(content));
        QVERIFY2(read.content.has_value(), qPrintable(read.field + read.notJson));
        QCOMPARE(read.content->array, tav::SoundingArray::Schlumberger);
        QCOMPARE(read.content->layers, std::optional<int>(3));
        QCOMPARE(read.content->readings.size(), std::size_t(2));
        QCOMPARE(read.content->readings[0].resistivity, 104.30000000000001);
        QCOMPARE(read.content->readings[1].resistivity, 1.0 / 3);
        QCOMPARE(read.content->readings[1].halfPotentialSpacing, 1.0);
        QCOMPARE(read.content->used, std::vector<bool>({true, false}));
    }

    void soundFile() {
        const ReadingsFile::Read read = ReadingsFile::read(wennerFile(QString(), {}));
        QVERIFY(read.content.has_value());
        QCOMPARE(read.content->array, tav::SoundingArray::Wenner);
        QVERIFY(!read.content->layers.has_value());
        QCOMPARE(read.content->used, std::vector<bool>({true, false}));
        QCOMPARE(read.content->readings[1].spacing, 2.0);
    }

    void refusedAtTheField_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("field");
        QTest::newRow("version 2") << wennerFile("version", 2) << "version";
        QTest::newRow("no version") << wennerFile("version", {}, true) << "version";
        QTest::newRow("array of another name") << wennerFile("array", "dipole") << "array";
        QTest::newRow("layers 0") << wennerFile("layers", 0) << "layers";
        QTest::newRow("layers 6") << wennerFile("layers", 6) << "layers";
        QTest::newRow("layers 2.5") << wennerFile("layers", 2.5) << "layers";
        QTest::newRow("layers as text") << wennerFile("layers", "2") << "layers";
        QTest::newRow("readings not a list") << wennerFile("readings", 3) << "readings";
        QTest::newRow("a key of its own") << wennerFile("comment", "x") << "comment";
        const auto reading = [](const char *json) {
            return wennerFile("readings",
                              QJsonDocument::fromJson(QByteArray("[") + json + "]").array());
        };
        QTest::newRow("spacing 0")
            << reading(R"({"spacing": 0, "resistivity": 1, "left_out": false})")
            << "readings[0].spacing";
        QTest::newRow("resistivity as text")
            << reading(R"({"spacing": 1, "resistivity": "1", "left_out": false})")
            << "readings[0].resistivity";
        QTest::newRow("left_out missing")
            << reading(R"({"spacing": 1, "resistivity": 1},{"spacing": 2})")
            << "readings[0].left_out";
        QTest::newRow("mn under Wenner")
            << reading(R"({"spacing": 1, "mn": 0.1, "resistivity": 1, "left_out": false})")
            << "readings[0].mn";
        QTest::newRow("second reading not an object")
            << reading(R"({"spacing": 1, "resistivity": 1, "left_out": false}, 5)")
            << "readings[1]";
        QTest::newRow("Schlumberger without mn")
            << QByteArray(R"({"version": 1, "array": "schlumberger", "layers": 2, "readings": [
                   {"spacing": 10, "mn": 1, "resistivity": 80, "left_out": false},
                   {"spacing": 20, "resistivity": 90, "left_out": false}]})")
            << "readings[1].mn";
    }

    void refusedAtTheField() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, field);
        const ReadingsFile::Read read = ReadingsFile::read(bytes);
        QVERIFY(!read.content.has_value());
        QVERIFY(read.notJson.isEmpty());
        QCOMPARE(read.field, field);
    }

    void notJson() {
        const ReadingsFile::Read read = ReadingsFile::read("1\t104.3\n2\t121\n");
        QVERIFY(!read.content.has_value());
        QVERIFY(!read.notJson.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestReadingsFile)
#include "tst_readingsfile.moc"
