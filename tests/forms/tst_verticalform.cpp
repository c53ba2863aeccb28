#include "forms/TAVDlg.h"
#include "forms/VerticalElectrodeDlg.h"
#include "forms/ids/MainWindowIds.h"
#include "forms/ids/RodDesignIds.h"
#include "tests/support/FormFields.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ModuleScope.h"
#include "ui/LanguageModule.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace RodDesignIds;

namespace {

const QString kNumberPrompt = QStringLiteral("Please enter a number.");
const QString kIntegerPrompt = QStringLiteral("Please enter an integer.");
const QString kTargetMessage = QStringLiteral("Input target ground resistance correctly.");
const QString kResistivityMessage = QStringLiteral("Input soil resistivity correctly.");

} // namespace

using namespace FormFields;

class TestVerticalForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        m_dialog = std::make_unique<CVerticalElectrodeDlg>();
        QVERIFY(open(*m_dialog));
    }

    void cleanup() {
        m_dialog.reset();
        m_module.reset();
    }

    void opensWithDefaults() {
        const CVerticalElectrodeDlg &dialog = *m_dialog;
        QCOMPARE(dialog.windowTitle(),
                 QStringLiteral("Grounding Resistance Design of Vertical Grounding Rod"));
        QCOMPARE(column(dialog, IDC_LENGTH_FROM, 5), split("6 100 0 54 0"));
        QCOMPARE(column(dialog, IDC_ROW_RESISTANCE_FIRST, 33),
                 QStringList(33, QStringLiteral("0")));
        QCOMPARE(column(dialog, IDC_ROW_LENGTH_FIRST, 11), QStringList(11, QStringLiteral("0")));
        QCOMPARE(column(dialog, IDC_ROD_QUANTITY_FIRST, 6), QStringList(6, QStringLiteral("0")));
        QVERIFY(field(dialog, IDC_ROW_RESISTANCE_FIRST)->isReadOnly());
        QVERIFY(field(dialog, IDC_ROD_QUANTITY_FIRST)->isReadOnly());
        QVERIFY(!field(dialog, IDC_TARGET_RESISTANCE)->isReadOnly());
        QVERIFY(dialog.item<QPushButton>(IDC_CALCULATE)->isDefault());
        QCOMPARE(dialog.windowIcon().availableSizes().size(), 6);
    }

    void geometry_data() {
        // Pixels of the layout's dialog units in Liberation Sans 11 pt, whose base units are
        // 9 across and 17 down: x = units * 9 / 4, y = units * 17 / 8, halves away from zero.
        QTest::addColumn<int>("id");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("length from, 122 20 30 12") << IDC_LENGTH_FROM << QRect(275, 43, 68, 26);
        QTest::newRow("Calculate, 232 210 50 16") << IDC_CALCULATE << QRect(522, 446, 113, 34);
        QTest::newRow("END, 286 210 50 16") << 1 << QRect(644, 446, 113, 34);
        QTest::newRow("last active bags, 167 224 58 11")
            << IDC_ACTIVE_BAGS_FIRST + 10 << QRect(376, 476, 131, 23);
    }

    void geometry() {
        QFETCH(int, id);
        QFETCH(QRect, geometry);
        QCOMPARE(m_dialog->size(), QSize(772, 523)); // 343 x 246 units
        QVERIFY(m_dialog->GetDlgItem(id) != nullptr);
        QCOMPARE(m_dialog->GetDlgItem(id)->geometry(), geometry);
    }

    void tabOrder() {
        const QList<int> order{IDC_LENGTH_FROM,
                               IDC_LENGTH_TO,
                               IDC_TARGET_RESISTANCE,
                               IDC_SOIL_RESISTIVITY,
                               IDC_ROD_DIAMETER,
                               IDC_CALCULATE,
                               1,
                               IDC_LENGTH_FROM};
        field(*m_dialog, IDC_LENGTH_FROM)->setFocus();
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), m_dialog->GetDlgItem(order[i]));
        }
    }

    void enterCalculates_data() {
        QTest::addColumn<int>("enterIn");
        QTest::newRow("in the target field") << IDC_TARGET_RESISTANCE;
        QTest::newRow("in the resistivity field") << IDC_SOIL_RESISTIVITY;
        QTest::newRow("in the diameter field") << IDC_ROD_DIAMETER;
    }

    void enterCalculates() {
        QFETCH(int, enterIn);
        ModalWatcher watcher;
        type(*m_dialog, IDC_TARGET_RESISTANCE, QStringLiteral("10"));
        type(*m_dialog, IDC_SOIL_RESISTIVITY, QStringLiteral("100"));
        field(*m_dialog, enterIn)->setFocus();
        QTest::keyClick(field(*m_dialog, enterIn), Qt::Key_Return);
        QVERIFY(watcher.shown().isEmpty());
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(column(*m_dialog, IDC_ROW_LENGTH_FIRST, 11),
                 split("6 15 24 34 43 53 62 71 81 90 100"));
        QCOMPARE(column(*m_dialog, IDC_ROW_RESISTANCE_FIRST, 11),
                 split("12.65 6.03 4.08 3.05 2.5 2.09 1.82 1.62 1.45 1.32 1.21"));
        QCOMPARE(column(*m_dialog, IDC_ION_BAGS_FIRST, 3), split("6.07 15.18 24.28"));
        QCOMPARE(column(*m_dialog, IDC_ACTIVE_BAGS_FIRST, 3), split("0.9 2.26 3.62"));
        QCOMPARE(column(*m_dialog, IDC_ROD_QUANTITY_FIRST, 6),
                 split("2.5 1.67 1.25 0.83 0.63 0.5"));
    }

    void unreadableFieldStopsTheReading() {
        type(*m_dialog, IDC_TARGET_RESISTANCE, QStringLiteral("10"));
        type(*m_dialog, IDC_SOIL_RESISTIVITY, QStringLiteral("100"));
        m_dialog->sendCommand(IDC_CALCULATE);
        // Now the target is unreadable; the diameter and resistivity after it are changed too.
        type(*m_dialog, IDC_TARGET_RESISTANCE, QStringLiteral("ten"));
        type(*m_dialog, IDC_ROD_DIAMETER, QStringLiteral("200"));
        type(*m_dialog, IDC_SOIL_RESISTIVITY, QStringLiteral("250"));
        ModalWatcher watcher;
        m_dialog->sendCommand(IDC_CALCULATE);
        QCOMPARE(watcher.messages(), QStringList{kNumberPrompt});
        QCOMPARE(m_dialog->focusWidget(), m_dialog->GetDlgItem(IDC_TARGET_RESISTANCE));
        // The fields from the failed one on show their previous values again, and the
        // table was computed with them.
        QCOMPARE(column(*m_dialog, IDC_TARGET_RESISTANCE, 3), split("10 54 100"));
        QCOMPARE(text(*m_dialog, IDC_ROW_RESISTANCE_FIRST), QStringLiteral("12.65"));
        QCOMPARE(text(*m_dialog, IDC_ION_BAGS_FIRST), QStringLiteral("6.07"));
    }

    void integerFieldPrompt() {
        type(*m_dialog, IDC_LENGTH_FROM, QString());
        type(*m_dialog, IDC_TARGET_RESISTANCE, QStringLiteral("10"));
        type(*m_dialog, IDC_SOIL_RESISTIVITY, QStringLiteral("100"));
        ModalWatcher watcher;
        m_dialog->sendCommand(IDC_CALCULATE);
        // Reading stopped at the first field: the defaults stand for every field after it.
        QCOMPARE(watcher.messages(), QStringList{kIntegerPrompt} << kTargetMessage);
        QCOMPARE(text(*m_dialog, IDC_LENGTH_FROM), QStringLiteral(""));
        QCOMPARE(text(*m_dialog, IDC_ROW_RESISTANCE_FIRST), QStringLiteral("0"));
    }

    void refusals_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("rho");
        QTest::addColumn<QString>("message");
        QTest::newRow("target 0, resistivity 0: only the target") << "0"
                                                                  << "0" << kTargetMessage;
        QTest::newRow("negative target") << "-3"
                                         << "100" << kTargetMessage;
        QTest::newRow("resistivity 0") << "5"
                                       << "0" << kResistivityMessage;
        QTest::newRow("resistivity beyond single range") << "5"
                                                         << "1e39" << kResistivityMessage;
    }

    void refusals() {
        QFETCH(QString, target);
        QFETCH(QString, rho);
        QFETCH(QString, message);
        type(*m_dialog, IDC_TARGET_RESISTANCE, QStringLiteral("10"));
        type(*m_dialog, IDC_SOIL_RESISTIVITY, QStringLiteral("100"));
        m_dialog->sendCommand(IDC_CALCULATE);
        const QStringList table = column(*m_dialog, IDC_ROW_RESISTANCE_FIRST, 33) +
                                  column(*m_dialog, IDC_ROD_QUANTITY_FIRST, 6);
        type(*m_dialog, IDC_TARGET_RESISTANCE, target);
        type(*m_dialog, IDC_SOIL_RESISTIVITY, rho);
        ModalWatcher watcher;
        m_dialog->sendCommand(IDC_CALCULATE);
        QCOMPARE(watcher.messages(), QStringList{message});
        QCOMPARE(watcher.shown().front().title, QStringLiteral("tst_verticalform"));
        QCOMPARE(column(*m_dialog, IDC_ROW_RESISTANCE_FIRST, 33) +
                     column(*m_dialog, IDC_ROD_QUANTITY_FIRST, 6),
                 table);
        QVERIFY(m_dialog->isVisible());
    }

    void rowsWithoutResistanceAreMarked() {
        type(*m_dialog, IDC_LENGTH_FROM, QStringLiteral("-5"));
        type(*m_dialog, IDC_LENGTH_TO, QStringLiteral("5"));
        type(*m_dialog, IDC_TARGET_RESISTANCE, QStringLiteral("100"));
        type(*m_dialog, IDC_SOIL_RESISTIVITY, QStringLiteral("100"));
        type(*m_dialog, IDC_ROD_DIAMETER, QStringLiteral("0"));
        ModalWatcher watcher;
        m_dialog->sendCommand(IDC_CALCULATE);
        m_dialog->sendCommand(IDC_CALCULATE); // the marks are read back without a prompt
        QVERIFY(watcher.shown().isEmpty());
        QCOMPARE(column(*m_dialog, IDC_ROW_RESISTANCE_FIRST, 6),
                 QStringList(6, QStringLiteral("n/a")));
        QVERIFY(text(*m_dialog, IDC_ROW_RESISTANCE_FIRST + 6) != QStringLiteral("n/a"));
        // A zero diameter rounds the active column to zero: shown as 0, never -0.
        QCOMPARE(column(*m_dialog, IDC_ACTIVE_BAGS_FIRST, 11),
                 QStringList(11, QStringLiteral("0")));
        QCOMPARE(text(*m_dialog, IDC_ROD_QUANTITY_FIRST),
                 QStringLiteral("0.17")); // first row of 1 m
    }

    void endReadsBeforeClosing() {
        type(*m_dialog, IDC_SOIL_RESISTIVITY, QStringLiteral("abc"));
        ModalWatcher watcher;
        m_dialog->sendCommand(LayoutDialog::IDOK);
        QCOMPARE(watcher.messages(), QStringList{kNumberPrompt});
        QVERIFY(m_dialog->isVisible());
        type(*m_dialog, IDC_SOIL_RESISTIVITY, QStringLiteral("12"));
        m_dialog->sendCommand(LayoutDialog::IDOK);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(LayoutDialog::IDOK));
        QCOMPARE(m_dialog->record().soilResistivity, 12.0f);
    }

    void escapeClosesWithoutReading() {
        type(*m_dialog, IDC_LENGTH_FROM, QStringLiteral("x"));
        ModalWatcher watcher;
        QTest::keyClick(field(*m_dialog, IDC_LENGTH_FROM), Qt::Key_Escape);
        QVERIFY(watcher.shown().isEmpty());
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->record().lengthFrom, 6);
    }

    void reopenedFormStartsAfresh() {
        m_dialog.reset();
        CTAVDlg main;
        QVERIFY(main.create());
        main.show();
        ModalWatcher watcher;
        QStringList seen;
        watcher.then([](QDialog *form) {
            auto *dialog = static_cast<LayoutDialog *>(form);
            type(*dialog, IDC_TARGET_RESISTANCE, QStringLiteral("10"));
            type(*dialog, IDC_SOIL_RESISTIVITY, QStringLiteral("100"));
            QTest::keyClick(field(*dialog, IDC_SOIL_RESISTIVITY), Qt::Key_Return);
            dialog->sendCommand(LayoutDialog::IDOK);
        });
        watcher.then([&seen](QDialog *form) {
            auto *dialog = static_cast<LayoutDialog *>(form);
            seen =
                column(*dialog, IDC_LENGTH_FROM, 5) + column(*dialog, IDC_ROW_RESISTANCE_FIRST, 1);
            ModalWatcher::pressKey(form, Qt::Key_Escape);
        });
        main.sendCommand(MainWindowIds::IDC_VERTICAL_ROD);
        main.sendCommand(MainWindowIds::IDC_VERTICAL_ROD);
        QCOMPARE(watcher.shown().size(), 2);
        QCOMPARE(watcher.shown().front().className, QStringLiteral("CVerticalElectrodeDlg"));
        QCOMPARE(seen, split("6 100 0 54 0 0"));
    }

private:
    std::unique_ptr<ModuleScope> m_module;
    std::unique_ptr<CVerticalElectrodeDlg> m_dialog;
};

QTEST_MAIN(TestVerticalForm)
#include "tst_verticalform.moc"
