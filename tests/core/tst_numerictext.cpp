#include "core/NumericText.h"
#include "core/RoundValue.h"

#include <QtTest>

#include <clocale>
#include <cmath>
#include <limits>

using namespace tav;
using namespace tav::NumericText;

namespace {
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
} // namespace

class TestNumericText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundValue_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("expected");
        QTest::newRow("0.625 half up") << 0.625 << 3 << 0.63;
        QTest::newRow("-0.625 half away") << -0.625 << 3 << -0.63;
        QTest::newRow("0.125") << 0.125 << 3 << 0.13;
        QTest::newRow("1.005 below half in double") << 1.005 << 3 << 1.0;
        QTest::newRow("2.675") << 2.675 << 3 << 2.68;
        QTest::newRow("2.5 at n=1") << 2.5 << 1 << 3.0;
        QTest::newRow("0.25 at n=2") << 0.25 << 2 << 0.3;
        QTest::newRow("-0.004 to zero") << -0.004 << 3 << 0.0;
        QTest::newRow("12.6542 resistance") << 12.654188 << 3 << 12.65;
    }

    void roundValue() {
        QFETCH(double, value);
        QFETCH(int, n);
        QFETCH(double, expected);
        // Exact: the result is the same double a user has always been shown.
        QCOMPARE(RoundValue(value, n), expected);
    }

    void roundValueOfZeroIsNegativeZero() {
        QVERIFY(std::signbit(RoundValue(0.0, 3)));
        QVERIFY(std::isinf(RoundValue(kInf, 3)));
        QVERIFY(std::isnan(RoundValue(kNaN, 3)));
    }

    void format_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("expected");
        QTest::newRow("54 single") << 54.0 << kSingleDigits << "54";
        QTest::newRow("12.65 double") << RoundValue(12.654188, 3) << kDoubleDigits << "12.65";
        QTest::newRow("1234567 single") << 1234567.0 << kSingleDigits << "1.23457e+06";
        QTest::newRow("single 0.63 widened")
            << double(narrowToSingle(0.63)) << kSingleDigits << "0.63";
        QTest::newRow("single 0.63 at 15 digits")
            << double(narrowToSingle(0.63)) << kDoubleDigits << "0.629999995231628";
        QTest::newRow("negative zero") << -0.0 << kDoubleDigits << "0";
        QTest::newRow("negative") << -62.8 << kDoubleDigits << "-62.8";
        QTest::newRow("small") << 0.0001 << kDoubleDigits << "0.0001";
        QTest::newRow("tiny") << 0.00001 << kSingleDigits << "1e-05";
        QTest::newRow("infinity") << kInf << kDoubleDigits
                                  << QString::fromLatin1(kNoValueMark.data());
        QTest::newRow("NaN") << kNaN << kDoubleDigits << QString::fromLatin1(kNoValueMark.data());
    }

    void format() {
        QFETCH(double, value);
        QFETCH(int, digits);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(formatReal(value, digits)), expected);
    }

    void scanReal_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "12.5" << true << 12.5;
        QTest::newRow("12 then letters") << "12abc" << true << 12.0;
        QTest::newRow("12m") << "12m" << true << 12.0;
        QTest::newRow("leading blanks") << "  \t7" << true << 7.0;
        QTest::newRow("plus sign") << "+3" << true << 3.0;
        QTest::newRow("minus") << "-0.5" << true << -0.5;
        QTest::newRow("leading point") << ".5" << true << 0.5;
        QTest::newRow("trailing point") << "5." << true << 5.0;
        QTest::newRow("exponent") << "1.5e2" << true << 150.0;
        QTest::newRow("exponent without digits") << "2e" << true << 2.0;
        QTest::newRow("comma is not a point") << "1,5" << true << 1.0;
        QTest::newRow("overflow") << "1e999" << true << kInf;
        QTest::newRow("negative overflow") << "-1e999" << true << -kInf;
        QTest::newRow("underflow") << "1e-999" << true << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("blanks") << "   " << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("lone sign") << "-" << false << 0.0;
        QTest::newRow("lone point") << "." << false << 0.0;
        QTest::newRow("infinity word") << "inf" << false << 0.0;
        QTest::newRow("nan word") << "nan" << false << 0.0;
        QTest::newRow("hex") << "0x10" << true << 0.0;
        QTest::newRow("number after 399 blanks")
            << QString(399, QLatin1Char(' ')) + "5" << false << 0.0;
        QTest::newRow("number in first 399") << QString(398, QLatin1Char(' ')) + "5" << true << 5.0;
    }

    void scanReal() {
        QFETCH(QString, text);
        QFETCH(bool, readable);
        QFETCH(double, expected);
        const auto scanned = NumericText::scanReal(text.toStdString());
        QCOMPARE(scanned.has_value(), readable);
        if (readable)
            QCOMPARE(*scanned, expected);
    }

    void scanInteger_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << "42" << true << 42;
        QTest::newRow("6.5 reads 6") << "6.5" << true << 6;
        QTest::newRow("negative") << " -7x" << true << -7;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
        QTest::newRow("one beyond the largest: unreadable") << "2147483648" << false << 0;
        QTest::newRow("one beyond the smallest: unreadable") << "-2147483649" << false << 0;
        QTest::newRow("far beyond: unreadable") << "99999999999" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("point first") << ".5" << false << 0;
        QTest::newRow("sign only") << "+" << false << 0;
        QTest::newRow("after 63 characters") << QString(63, QLatin1Char(' ')) + "1" << false << 0;
    }

    void scanInteger() {
        QFETCH(QString, text);
        QFETCH(bool, readable);
        QFETCH(int, expected);
        const auto scanned = NumericText::scanInteger(text.toStdString());
        QCOMPARE(scanned.has_value(), readable);
        if (readable)
            QCOMPARE(*scanned, expected);
    }

    void notSwayedByTheCLocale() {
        // Qt sets the C library's locale from the environment; a comma locale must not
        // change how a number is written or read. ./dev.sh test provides one and names it.
        const QByteArray name = qgetenv("TAV_TEST_COMMA_LOCALE");
        if (name.isEmpty())
            QSKIP("TAV_TEST_COMMA_LOCALE names no locale with a decimal comma");
        const char *previous = std::setlocale(LC_NUMERIC, nullptr);
        const std::string saved = previous != nullptr ? previous : "C";
        QVERIFY2(std::setlocale(LC_NUMERIC, name.constData()) != nullptr, name.constData());
        const QString point = QString::fromLatin1(std::localeconv()->decimal_point);
        const std::string written = formatReal(12.65, kDoubleDigits);
        const auto read = NumericText::scanReal("1.5");
        std::setlocale(LC_NUMERIC, saved.c_str());
        QCOMPARE(point, QStringLiteral(","));
        QCOMPARE(QString::fromStdString(written), QStringLiteral("12.65"));
        QCOMPARE(read.value_or(0), 1.5);
    }

    void narrowing_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<float>("expected");
        const float max = std::numeric_limits<float>::max();
        const float inf = std::numeric_limits<float>::infinity();
        QTest::newRow("ordinary") << 0.1 << 0.1f;
        QTest::newRow("max") << double(max) << max;
        QTest::newRow("just above max rounds down") << double(max) * (1 + 1e-9) << max;
        QTest::newRow("beyond float") << 1e39 << inf;
        QTest::newRow("beyond float, negative") << -1e39 << -inf;
        QTest::newRow("infinite") << kInf << inf;
    }

    void narrowing() {
        QFETCH(double, value);
        QFETCH(float, expected);
        QCOMPARE(narrowToSingle(value), expected);
    }

    void truncation_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("down") << 52.999999 << 52;
        QTest::newRow("toward zero") << -3.7 << -3;
        QTest::newRow("huge") << 1e300 << 2147483647;
        QTest::newRow("huge negative") << -1e300 << int(-2147483647 - 1);
        QTest::newRow("NaN") << kNaN << 0;
    }

    void truncation() {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(truncateToInt(value), expected);
    }
};

QTEST_GUILESS_MAIN(TestNumericText)
#include "tst_numerictext.moc"
