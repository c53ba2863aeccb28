// A sounding's readings from a CSV file, as spreadsheets and loggers write them.
#include "core/soilmodel/ReadingsCsv.h"

#include <QtTest>

#include <vector>

Q_DECLARE_METATYPE(std::vector<double>)

class TestReadingsCsv : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void read_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<std::vector<double>>("spacings");
        QTest::addColumn<std::vector<double>>("values");
        QTest::addColumn<bool>("resistances");
        QTest::addColumn<int>("badLine"); // 0: read
        const std::vector<double> a{1, 2.5}, rho{104.3, 99};
        QTest::newRow("commas") << QByteArray("1,104.3\n2.5,99\n") << a << rho << false << 0;
        QTest::newRow("semicolons, decimal commas, CRLF")
            << QByteArray("1;104,3\r\n2,5;99\r\n") << a << rho << false << 0;
        QTest::newRow("tabs") << QByteArray("1\t104,3\n2.5\t99\n") << a << rho << false << 0;
        QTest::newRow("header of resistivities")
            << QByteArray("a [m],rho [ohm-m]\n1,104.3\n2.5,99\n") << a << rho << false << 0;
        QTest::newRow("header of resistances")
            << QByteArray("Spacing (m);R (ohm)\n1;104,3\n2,5;99\n") << a << rho << true << 0;
        QTest::newRow("header naming the resistance")
            << QByteArray("a,Resistance\n1,104.3\n2.5,99\n") << a << rho << true << 0;
        QTest::newRow("comments and blank lines")
            << QByteArray("# site 4\n\n1,104.3\n\n2.5,99\n") << a << rho << false << 0;
        QTest::newRow("a word in a value")
            << QByteArray("a,rho\n1,104.3\n2.5,ninety\n") << a << rho << false << 3;
        QTest::newRow("a header after the readings")
            << QByteArray("1,104.3\na,rho\n") << a << rho << false << 2;
        QTest::newRow("one column") << QByteArray("1\n") << a << rho << false << 1;
        QTest::newRow("a number and more") << QByteArray("1,104.3x\n") << a << rho << false << 1;
        QTest::newRow("infinite") << QByteArray("1,1e999\n") << a << rho << false << 1;
    }
    void read() {
        QFETCH(QByteArray, text);
        QFETCH(std::vector<double>, spacings);
        QFETCH(std::vector<double>, values);
        QFETCH(bool, resistances);
        QFETCH(int, badLine);
        const auto read = tav::readCsvReadings(text.toStdString());
        QCOMPARE(read.refused(), badLine != 0);
        if (badLine) {
            QCOMPARE(read.refusal().error, tav::Error::ReadingsRowUnreadable);
            QCOMPARE(read.refusal().values, std::vector<double>{double(badLine)});
            return;
        }
        QCOMPARE(read.result().spacings, spacings);
        QCOMPARE(read.result().values, values);
        QCOMPARE(read.result().resistances, resistances);
    }
};

QTEST_MAIN(TestReadingsCsv)
#include "tst_readingscsv.moc"
