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
        // A byte-order mark is no part of the first reading, nor of a header.
        QTest::newRow("a byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                         "1,104.3\n2.5,99\n")
                                           << a << rho << false << 0;
        QTest::newRow("a byte-order mark before a header") << QByteArray("\xEF\xBB\xBF"
                                                                         "a,R\n1,104.3\n2.5,99\n")
                                                           << a << rho << true << 0;
        // A first line that is a number written wrong is no header: refused by its number.
        QTest::newRow("a hexadecimal spacing first")
            << QByteArray("0x1,104\n2.5,99\n") << a << rho << false << 1;
        QTest::newRow("a spacing of two points first")
            << QByteArray("1.5.3,104\n2.5,99\n") << a << rho << false << 1;
        QTest::newRow("a header of a word and a number")
            << QByteArray("a,104\n2.5,99\n") << a << rho << false << 1;
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

    // A header's second column says what the values are, in the words and units loggers
    // and spreadsheets write; one that says neither, both, or a unit of its own is refused
    // rather than read as resistivities.
    void header_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("resistances"); // 1 resistances, 0 resistivities, -1 refused
        QTest::newRow("R_ohm") << QByteArray("R_ohm") << 1;
        QTest::newRow("Ohm") << QByteArray("Ohm") << 1;
        QTest::newRow("R/Ohm") << QByteArray("R/Ohm") << 1;
        QTest::newRow("R (Omega)") << QByteArray("R (Ω)") << 1;
        QTest::newRow("the ohm sign") << QByteArray("\u2126") << 1;
        QTest::newRow("measured resistance") << QByteArray("\"Measured resistance\"") << 1;
        QTest::newRow("rho_a (Omega m)") << QByteArray("ρa (Ω·m)") << 0;
        QTest::newRow("rho_a [ohm m]") << QByteArray("rho_a [ohm m]") << 0;
        QTest::newRow("apparent resistivity") << QByteArray("Apparent resistivity (ohm-m)") << 0;
        QTest::newRow("Omega-m") << QByteArray("Ωm") << 0;
        QTest::newRow("ohmmetres") << QByteArray("Ohmmetres") << 0;
        QTest::newRow("value") << QByteArray("value") << -1;
        QTest::newRow("kiloohm") << QByteArray("R (kΩ)") << -1;
        QTest::newRow("R in ohm-m") << QByteArray("R [ohm-m]") << -1;
    }

    void header() {
        QFETCH(QByteArray, name);
        QFETCH(int, resistances);
        const auto read =
            tav::readCsvReadings(("AB/2 (m);" + name + "\n1;104\n2;99\n").toStdString());
        QCOMPARE(read.refused(), resistances < 0);
        if (resistances < 0) {
            QCOMPARE(read.refusal().error, tav::Error::ReadingsHeaderUnclear);
            QCOMPARE(read.refusal().values, std::vector<double>{1});
            return;
        }
        QCOMPARE(read.result().resistances, resistances == 1);
        QCOMPARE(read.result().values, (std::vector<double>{104, 99}));
    }
};

QTEST_MAIN(TestReadingsCsv)
#include "tst_readingscsv.moc"
