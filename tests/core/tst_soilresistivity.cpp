#include "core/NumericText.h"
#include "core/SoilResistivity.h"

#include <QtTest>

#include <climits>
#include <limits>

using namespace tav;

namespace {

QString shown(double value) {
    return QString::fromStdString(NumericText::formatReal(value, 15));
}

// "r1 r2 ... r11" with a word for each measured row; rows not named stay 0.
SoilResistivityRecord measured(const QString &resistances, int spacing1 = 0, int spacing2 = 0) {
    SoilResistivityRecord record;
    const QStringList values = resistances.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int row = 0; row < values.size() && row < kSoilRows; ++row)
        record.m_fMeasuredR[row] = values[row].toFloat();
    record.m_nSpacing1 = spacing1;
    record.m_nSpacing2 = spacing2;
    return record;
}

} // namespace

class TestSoilResistivity : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void calculate_data() {
        QTest::addColumn<QString>("resistances");
        QTest::addColumn<int>("spacing1");
        QTest::addColumn<int>("spacing2");
        QTest::addColumn<QString>("resistivities");
        QTest::addColumn<QString>("average");
        QTest::newRow("all zero: nothing counted") << "" << 0 << 0 << "0 0 0 0 0 0 0 0 0 0 0"
                                                   << "0";
        QTest::newRow("row 1 at 10") << "10" << 0 << 0 << "62.8 0 0 0 0 0 0 0 0 0 0"
                                     << "62.8";
        QTest::newRow("rows 1 and 2 at 10") << "10 10" << 0 << 0 << "62.8 125.6 0 0 0 0 0 0 0 0 0"
                                            << "94.2";
        QTest::newRow("1.234 in row 2 gives 15.5")
            << "0 1.234" << 0 << 0 << "0 15.5 0 0 0 0 0 0 0 0 0"
            << "15.5";
        QTest::newRow("mean of unrounded values: 9.51 not 9.5")
            << "1.01 1.01" << 0 << 0 << "6.3 12.7 0 0 0 0 0 0 0 0 0"
            << "9.51";
        QTest::newRow("row 10 with spacing 3")
            << "0 0 0 0 0 0 0 0 0 2" << 3 << 0 << "0 0 0 0 0 0 0 0 0 37.7 0"
            << "37.68";
        QTest::newRow("zero spacing is not counted")
            << "0 0 0 0 0 0 0 0 0 0 5" << 0 << 0 << "0 0 0 0 0 0 0 0 0 0 0"
            << "0";
        QTest::newRow("negative rows count")
            << "-10 10" << 0 << 0 << "-62.8 125.6 0 0 0 0 0 0 0 0 0"
            << "31.4";
        QTest::newRow("all at 1, spacings 36 and 42")
            << "1 1 1 1 1 1 1 1 1 1 1" << 36 << 42
            << "6.3 12.6 25.1 37.7 56.5 75.4 113 150.7 188.4 226.1 263.8"
            << "105.05";
    }

    void calculate() {
        QFETCH(QString, resistances);
        QFETCH(int, spacing1);
        QFETCH(int, spacing2);
        QFETCH(QString, resistivities);
        QFETCH(QString, average);
        SoilResistivityRecord record = measured(resistances, spacing1, spacing2);
        CalculateSoilResistivity(record);
        QStringList texts;
        for (double rho : record.m_dResistivity)
            texts.append(shown(rho));
        QCOMPARE(texts.join(QLatin1Char(' ')), resistivities);
        QCOMPARE(shown(record.m_dAverage), average);
    }

    void onlyItsOwnMembersChange() {
        SoilResistivityRecord record = measured(QStringLiteral("10 10"), 7, 8);
        record.m_strPlace = "Hill 3";
        const SoilResistivityRecord before = record;
        CalculateSoilResistivity(record);
        QCOMPARE(record.m_strPlace, before.m_strPlace);
        QCOMPARE(record.m_nSpacing1, 7);
        QCOMPARE(record.m_nSpacing2, 8);
        QCOMPARE(record.m_fMeasuredR, before.m_fMeasuredR);
    }

    void extremeInputs() {
        const float inf = std::numeric_limits<float>::infinity();
        // An infinite resistance on a row of no spacing is no measurement either.
        SoilResistivityRecord record = measured(QStringLiteral("10 0 0 0 0 0 0 0 0 0 0"));
        record.m_fMeasuredR[10] = inf;
        CalculateSoilResistivity(record);
        QCOMPARE(shown(record.m_dAverage), QStringLiteral("62.8"));
        QCOMPARE(shown(record.m_dResistivity[10]), QStringLiteral("n/a"));

        record = measured(QStringLiteral("0 0 0 0 0 0 0 0 0 1 1"), INT_MAX, INT_MIN);
        CalculateSoilResistivity(record);
        QCOMPARE(shown(record.m_dResistivity[9]), QStringLiteral("13486197303.2"));
        QCOMPARE(shown(record.m_dAverage), QStringLiteral("-3.14"));
    }

    void reset() {
        SoilResistivityRecord record = measured(QStringLiteral("1 2 3"), 4, 5);
        record.m_strPlace = "Ridge";
        CalculateSoilResistivity(record);
        ResetSoilResistivity(record);
        QVERIFY(record.m_strPlace.empty());
        QCOMPARE(record.m_nSpacing1, 0);
        QCOMPARE(record.m_nSpacing2, 0);
        for (int row = 0; row < kSoilRows; ++row) {
            QCOMPARE(record.m_fMeasuredR[row], 0.0f);
            QCOMPARE(record.m_dResistivity[row], 0.0);
        }
        QCOMPARE(record.m_dAverage, 0.0);
    }

    void spacings() {
        const SoilResistivityRecord record = measured(QString(), 36, 42);
        QList<int> spacings;
        for (int row = 0; row < kSoilRows; ++row)
            spacings.append(soilRowSpacing(record, row));
        QCOMPARE(spacings, (QList<int>{1, 2, 4, 6, 9, 12, 18, 24, 30, 36, 42}));
    }
};

QTEST_GUILESS_MAIN(TestSoilResistivity)
#include "tst_soilresistivity.moc"
