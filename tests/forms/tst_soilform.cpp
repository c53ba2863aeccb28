#include "forms/SoilResistivityDlg.h"
#include "forms/ids/SoilResistivityIds.h"
#include "tests/support/FormFields.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ModuleScope.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace FormFields;

using namespace SoilResistivityIds;

namespace {

constexpr int kPlace = IDC_PLACE;
constexpr int kFirstR = IDC_MEASURED_R_FIRST;
constexpr int kFirstRho = IDC_RESISTIVITY_FIRST;
constexpr int kSpacing1 = IDC_SPACING1;
constexpr int kSpacing2 = IDC_SPACING2;
constexpr int kAverage = IDC_AVERAGE;

const QString kNumberPrompt = QStringLiteral("Please enter a number.");
const QString kIntegerPrompt = QStringLiteral("Please enter an integer.");

} // namespace

class TestSoilForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        m_dialog = std::make_unique<CSoilResistivityDlg>();
        QVERIFY(open(*m_dialog));
    }

    void cleanup() {
        m_dialog.reset();
        m_module.reset();
    }

    void opensEmpty() {
        const CSoilResistivityDlg &dialog = *m_dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Soil resistivity measurement"));
        QCOMPARE(text(dialog, kPlace), QString());
        QCOMPARE(column(dialog, kFirstR, 22) + column(dialog, kSpacing1, 2) +
                     column(dialog, kAverage, 1),
                 QStringList(25, QStringLiteral("0")));
        QVERIFY(dialog.item<QPushButton>(IDC_CALCULATE)->isDefault());
        QCOMPARE(dialog.item<QPushButton>(IDC_CALCULATE)->text(),
                 QStringLiteral("Soil resistivity calculation"));
        QCOMPARE(dialog.item<QPushButton>(IDC_INITIALIZE)->text(), QStringLiteral("Initialize"));
        QVERIFY(field(dialog, kAverage)->isReadOnly());
        QVERIFY(!field(dialog, kFirstRho)->isReadOnly());
        QCOMPARE(dialog.windowIcon().availableSizes().size(), 6);
        QStringList labels;
        for (const QLabel *label : dialog.findChildren<QLabel *>())
            labels.append(label->text());
        QVERIFY(labels.contains(
            QStringLiteral(" Input measured soil resistivity into <Measured R value> blank")));
        QVERIFY(labels.contains(QStringLiteral("Measured  R value")));
        QVERIFY(labels.contains(QStringLiteral("[ohm]")));
    }

    void geometry_data() {
        // Pixels of the layout's dialog units in Liberation Sans 11 pt, whose base units are
        // 9 across and 17 down: x = units * 9 / 4, y = units * 17 / 8, halves away from zero.
        QTest::addColumn<int>("id");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("place, 14 45 66 14") << kPlace << QRect(32, 96, 149, 30);
        QTest::newRow("calculate, 17 182 64 27") << IDC_CALCULATE << QRect(38, 387, 144, 57);
        QTest::newRow("average, 146 230 58 13") << kAverage << QRect(329, 489, 131, 28);
        QTest::newRow("END, 201 258 50 18") << LayoutDialog::IDOK << QRect(452, 548, 113, 38);
    }

    void geometry() {
        QFETCH(int, id);
        QFETCH(QRect, geometry);
        QCOMPARE(m_dialog->size(), QSize(581, 601)); // 258 x 283 units
        QVERIFY(m_dialog->GetDlgItem(id) != nullptr);
        QCOMPARE(m_dialog->GetDlgItem(id)->geometry(), geometry);
    }

    void tabGoesRowByRow() {
        QList<int> order{kPlace};
        for (int row = 0; row < 9; ++row)
            order << kFirstR + row << kFirstRho + row;
        order << kSpacing1 << IDC_MEASURED_R_FIRST + 9 << IDC_RESISTIVITY_FIRST + 9 << kSpacing2
              << IDC_MEASURED_R_FIRST + 10 << IDC_RESISTIVITY_FIRST + 10;
        order << IDC_CALCULATE << LayoutDialog::IDOK << IDC_INITIALIZE << IDC_SOIL_MODEL << kPlace;
        field(*m_dialog, kPlace)->setFocus();
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), m_dialog->GetDlgItem(order[i]));
        }
    }

    void enterCalculatesAndStaysOpen() {
        type(*m_dialog, kPlace, QStringLiteral("North slope"));
        type(*m_dialog, kFirstR, QStringLiteral("10"));
        type(*m_dialog, kFirstR + 1, QStringLiteral("10"));
        QTest::keyClick(field(*m_dialog, kFirstR + 1), Qt::Key_Return);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(column(*m_dialog, kFirstRho, 3), split("62.8 125.6 0"));
        QCOMPARE(text(*m_dialog, kAverage), QStringLiteral("94.2"));
        QCOMPARE(text(*m_dialog, kPlace), QStringLiteral("North slope"));
        QCOMPARE(m_dialog->record().m_strPlace, std::string("North slope"));
    }

    void initializeClearsEverything() {
        type(*m_dialog, kPlace, QStringLiteral("Ridge"));
        type(*m_dialog, kSpacing1, QStringLiteral("36"));
        type(*m_dialog, kSpacing2, QStringLiteral("42"));
        for (int row = 0; row < 11; ++row)
            type(*m_dialog, kFirstR + row, QStringLiteral("1"));
        m_dialog->sendCommand(IDC_CALCULATE);
        QCOMPARE(text(*m_dialog, kAverage), QStringLiteral("105.05"));
        // Initialize reads nothing: an unreadable field costs no prompt.
        type(*m_dialog, kFirstR, QStringLiteral("junk"));
        ModalWatcher watcher;
        m_dialog->sendCommand(IDC_INITIALIZE);
        QVERIFY(watcher.shown().isEmpty());
        QCOMPARE(text(*m_dialog, kPlace), QString());
        QCOMPARE(column(*m_dialog, kFirstR, 22) + column(*m_dialog, kSpacing1, 2) +
                     column(*m_dialog, kAverage, 1),
                 QStringList(25, QStringLiteral("0")));
    }

    void clearedFieldKeepsPreviousValuesFromThereOn() {
        for (int row = 0; row < 11; ++row)
            type(*m_dialog, kFirstR + row, QStringLiteral("1"));
        type(*m_dialog, kSpacing1, QStringLiteral("36"));
        type(*m_dialog, kSpacing2, QStringLiteral("42"));
        m_dialog->sendCommand(IDC_CALCULATE);
        // Rows 1 and 2 change, row 3 is cleared, rows 4 to 11 change too.
        type(*m_dialog, kFirstR, QStringLiteral("2"));
        type(*m_dialog, kFirstR + 1, QStringLiteral("2"));
        type(*m_dialog, kFirstR + 2, QString());
        for (int row = 3; row < 11; ++row)
            type(*m_dialog, kFirstR + row, QStringLiteral("5"));
        ModalWatcher watcher;
        m_dialog->sendCommand(IDC_CALCULATE);
        QCOMPARE(watcher.messages(), QStringList{kNumberPrompt});
        QCOMPARE(m_dialog->focusWidget(), m_dialog->GetDlgItem(kFirstR + 2));
        QCOMPARE(column(*m_dialog, kFirstR, 11), split("2 2 1 1 1 1 1 1 1 1 1"));
        QCOMPARE(column(*m_dialog, kFirstRho, 11),
                 split("12.6 25.1 25.1 37.7 56.5 75.4 113 150.7 188.4 226.1 263.8"));
        QCOMPARE(text(*m_dialog, kAverage), QStringLiteral("106.76"));
    }

    void unreadableFields_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("average");
        QTest::newRow("empty spacing") << kSpacing1 << "" << kIntegerPrompt << "94.2";
        QTest::newRow("letters in R") << kFirstR + 1 << "abc" << kNumberPrompt << "62.8";
        QTest::newRow("resistivity field costs only the prompt")
            << kFirstRho + 1 << "x" << kNumberPrompt << "94.2";
        QTest::newRow("lone point") << kFirstR + 1 << "." << kNumberPrompt << "62.8";
    }

    void unreadableFields() {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, prompt);
        QFETCH(QString, average);
        type(*m_dialog, kFirstR, QStringLiteral("10"));
        m_dialog->sendCommand(IDC_CALCULATE);
        type(*m_dialog, kFirstR + 1, QStringLiteral("10"));
        if (field != kFirstR + 1)
            m_dialog->sendCommand(IDC_CALCULATE);
        type(*m_dialog, field, text);
        ModalWatcher watcher;
        m_dialog->sendCommand(IDC_CALCULATE);
        QCOMPARE(watcher.messages(), QStringList{prompt});
        QCOMPARE(FormFields::text(*m_dialog, kAverage), average);
        QVERIFY(FormFields::text(*m_dialog, field) != text);
    }

    void textAfterANumberIsIgnored() {
        type(*m_dialog, kFirstR, QStringLiteral(" 12ohm"));
        ModalWatcher watcher;
        m_dialog->sendCommand(IDC_CALCULATE);
        QVERIFY(watcher.shown().isEmpty());
        QCOMPARE(text(*m_dialog, kFirstR), QStringLiteral("12"));
        QCOMPARE(text(*m_dialog, kFirstRho), QStringLiteral("75.4"));
    }

    void spacingFieldsTakeDigitsOnly_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("digits") << "36"
                                << "36";
        QTest::newRow("letters dropped") << "4x2"
                                         << "42";
        QTest::newRow("sign dropped") << "-5"
                                      << "5";
        QTest::newRow("point dropped") << "1.5"
                                       << "15";
    }

    void spacingFieldsTakeDigitsOnly() {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        for (int id : {kSpacing1, kSpacing2}) {
            type(*m_dialog, id, keys);
            QCOMPARE(text(*m_dialog, id), shown);
        }
    }

    void endClosesOnlyWhenEverythingReads() {
        type(*m_dialog, kSpacing2, QString());
        ModalWatcher watcher;
        m_dialog->sendCommand(LayoutDialog::IDOK);
        QCOMPARE(watcher.messages(), QStringList{kIntegerPrompt});
        QVERIFY(m_dialog->isVisible());
        type(*m_dialog, kSpacing2, QStringLiteral("3"));
        m_dialog->sendCommand(LayoutDialog::IDOK);
        QVERIFY(!m_dialog->isVisible());
    }

private:
    std::unique_ptr<ModuleScope> m_module;
    std::unique_ptr<CSoilResistivityDlg> m_dialog;
};

QTEST_MAIN(TestSoilForm)
#include "tst_soilform.moc"
