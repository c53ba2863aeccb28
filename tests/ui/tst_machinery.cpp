// The controls and commands every form builds on, on a layout of their own.
#include "tests/support/ModalWatcher.h"
#include "tests/support/ModuleScope.h"
#include "ui/DataExchange.h"
#include "ui/FileChooser.h"
#include "ui/LayoutDialog.h"

#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>
#include <stdexcept>

namespace {

class MachineryForm : public LayoutDialog {
public:
    MachineryForm() : LayoutDialog(900) {}

    int m_value = 60;
    int m_list = 0;
    QDate m_date = QDate(2019, 2, 3);
    int m_celsius = 1;
    int m_fahrenheit = 0;
    std::string m_note;
    float m_single = 54;
    int m_changes = 0;
    int m_strayId = 0; // a field the layout lacks, when set

protected:
    bool OnInitDialog() override {
        item<QComboBox>(1002)->addItems(
            {QStringLiteral("clay"), QStringLiteral("sand"), QStringLiteral("rock")});
        LayoutDialog::OnInitDialog();
        bindCommands(this, {{1010, &MachineryForm::OnFail}});
        bindChange(this, 1001, &MachineryForm::OnChangeValue);
        return true;
    }

    void DoDataExchange(DataExchange &dx) override {
        dx.Text(1001, m_value);
        dx.ListIndex(1002, m_list);
        dx.Date(1003, m_date);
        dx.Check(1004, m_celsius);
        dx.Check(1005, m_fahrenheit);
        dx.Text(1006, m_note);
        dx.Text(1007, m_single);
        if (m_strayId != 0)
            dx.Text(m_strayId, m_value);
    }

private:
    void OnFail() { throw std::runtime_error("disk full"); }
    void OnChangeValue() { ++m_changes; }
};

} // namespace

class TestMachinery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULES "/machinery"));
        QVERIFY(m_module->loaded());
        m_form = std::make_unique<MachineryForm>();
        QVERIFY(m_form->create());
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    void cleanup() {
        m_form.reset();
        m_module.reset();
    }

    void fieldFocusedOnOpeningIsSelectedWhole() {
        QCOMPARE(QApplication::focusWidget(), m_form->GetDlgItem(1001));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("3"));
        QCOMPARE(m_form->item<QLineEdit>(1001)->text(), QStringLiteral("3"));
    }

    void dropDownList() {
        auto *list = m_form->item<QComboBox>(1002);
        QVERIFY(!list->isEditable());
        // 90 x 100 dialog units: the width as laid out, the height the closed box's own.
        QCOMPARE(list->width(), 203);
        QCOMPARE(list->height(), list->sizeHint().height());
        QCOMPARE(list->currentText(), QStringLiteral("clay"));
        m_form->m_list = 2;
        m_form->UpdateData(false);
        QCOMPARE(list->currentText(), QStringLiteral("rock"));
        m_form->m_list = 3; // beyond the list: blank
        m_form->UpdateData(false);
        QCOMPARE(list->currentIndex(), -1);
        m_form->m_list = 0;
        QVERIFY(m_form->UpdateData(true));
        QCOMPARE(m_form->m_list, -1);
    }

    void datePicker() {
        auto *picker = m_form->item<QDateEdit>(1003);
        QVERIFY(picker->calendarPopup());
        QCOMPARE(picker->text(), QStringLiteral("03/02/19"));
        m_form->m_date = QDate(); // not a valid date: the picker keeps its day
        m_form->UpdateData(false);
        QCOMPARE(picker->date(), QDate(2019, 2, 3));
        picker->setDate(QDate(2024, 12, 31));
        QVERIFY(m_form->UpdateData(true));
        QCOMPARE(m_form->m_date, QDate(2024, 12, 31));
    }

    // The day, then the month, then two digits of the year, typed one after the other:
    // each whole field moves on to the next, and the year lies from 1930 to 2029.
    void datePickerTakesATypedDate_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("shown"); // the date before typing
        QTest::addColumn<QDate>("date");
        const QDate shown(2019, 2, 3);
        QTest::newRow("99 is 1999") << "040399" << shown << QDate(1999, 3, 4);
        QTest::newRow("30 is 1930") << "040330" << shown << QDate(1930, 3, 4);
        QTest::newRow("29 is 2029") << "040329" << shown << QDate(2029, 3, 4);
        QTest::newRow("00 is 2000") << "010100" << shown << QDate(2000, 1, 1);
        QTest::newRow("a year beyond the window keeps it while the day changes")
            << "05" << QDate(2050, 1, 1) << QDate(2050, 1, 5);
    }

    void datePickerTakesATypedDate() {
        QFETCH(QString, typed);
        QFETCH(QDate, shown);
        QFETCH(QDate, date);
        auto *picker = m_form->item<QDateEdit>(1003);
        m_form->m_date = shown;
        m_form->UpdateData(false);
        picker->setFocus(Qt::TabFocusReason); // the day selected
        QCOMPARE(picker->currentSection(), QDateTimeEdit::DaySection);
        QTest::keyClicks(picker, typed);
        QCOMPARE(picker->date(), date);
        QVERIFY(m_form->UpdateData(true));
        QCOMPARE(m_form->m_date, date);
    }

    // One Tab stop, as every other control has; Left and Right move between the fields.
    void datePickerIsOneTabStop() {
        auto *picker = m_form->item<QDateEdit>(1003);
        m_form->GetDlgItem(1002)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), picker);
        QCOMPARE(picker->currentSection(), QDateTimeEdit::DaySection);
        QTest::keyClick(picker, Qt::Key_Right);
        QCOMPARE(picker->currentSection(), QDateTimeEdit::MonthSection);
        QTest::keyClick(picker, Qt::Key_Right);
        QCOMPARE(picker->currentSection(), QDateTimeEdit::YearSection);
        QTest::keyClick(picker, Qt::Key_Right); // the last field stays
        QCOMPARE(picker->currentSection(), QDateTimeEdit::YearSection);
        QTest::keyClick(picker, Qt::Key_Left);
        QCOMPARE(picker->currentSection(), QDateTimeEdit::MonthSection);
        QTest::keyClick(picker, Qt::Key_Up);
        QCOMPARE(picker->date(), QDate(2019, 3, 3));
        QTest::keyClick(picker, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), m_form->GetDlgItem(1004));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), picker);
        QTest::keyClick(picker, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), m_form->GetDlgItem(1002));
    }

    // A number beyond what its field holds is no number, not the largest one.
    void integerBeyondItsRangeIsUnreadable() {
        ModalWatcher watcher;
        m_form->item<QLineEdit>(1001)->setText(QStringLiteral("99999999999"));
        QVERIFY(!m_form->UpdateData(true));
        QCOMPARE(watcher.messages(), QStringList{QStringLiteral("Please enter an integer.")});
        QCOMPARE(m_form->m_value, 60);
    }

    // A number longer than its field shows its leading digits.
    void writtenFieldShowsItsBeginning() {
        auto *edit = m_form->item<QLineEdit>(1001);
        m_form->m_value = std::numeric_limits<int>::min();
        m_form->UpdateData(false);
        QCOMPARE(edit->text(), QStringLiteral("-2147483648"));
        QCOMPARE(edit->cursorPosition(), 0);
    }

    void radioButtonsHoldStatesOfTheirOwn() {
        auto *celsius = m_form->item<QRadioButton>(1004);
        auto *fahrenheit = m_form->item<QRadioButton>(1005);
        QVERIFY(celsius->isChecked() && !fahrenheit->isChecked());
        m_form->m_fahrenheit = 1;
        m_form->UpdateData(false);
        QVERIFY(celsius->isChecked() && fahrenheit->isChecked());
        celsius->click();
        QVERIFY(!celsius->isChecked() && fahrenheit->isChecked());
        QVERIFY(m_form->UpdateData(true));
        QCOMPARE(m_form->m_celsius, 0);
        QCOMPARE(m_form->m_fahrenheit, 1);
    }

    void noteTakesLineBreaksByCtrlEnterOnly() {
        auto *note = m_form->item<QPlainTextEdit>(1006);
        note->setFocus();
        QTest::keyClicks(note, QStringLiteral("wet"));
        QTest::keyClick(note, Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClicks(note, QStringLiteral("clay"));
        QVERIFY(m_form->UpdateData(true));
        QCOMPARE(m_form->m_note, std::string("wet\r\nclay")); // as the file has always held them
        QSignalSpy accepted(m_form.get(), &QDialog::accepted);
        QTest::keyClick(note, Qt::Key_Return);
        QCOMPARE(accepted.size(), 1);
        QCOMPARE(m_form->result(), int(QDialog::Accepted));
        QVERIFY(!m_form->isVisible());
    }

    void textKeepsItsBytesUntilEdited() {
        auto *note = m_form->item<QPlainTextEdit>(1006);
        m_form->m_note = "caf\xE9\r\n\x81"; // Windows-1252, not UTF-8
        m_form->UpdateData(false);
        QCOMPARE(note->toPlainText(), QStringLiteral("caf\u00e9\n\u0081"));
        m_form->m_note.clear();
        QVERIFY(m_form->UpdateData(true));
        QCOMPARE(m_form->m_note, std::string("caf\xE9\r\n\x81"));
        note->moveCursor(QTextCursor::End);
        QTest::keyClicks(note, QStringLiteral("!"));
        QVERIFY(m_form->UpdateData(true));
        QCOMPARE(m_form->m_note, std::string("caf\xC3\xA9\r\n\xC2\x81!"));
    }

    void escapeRejects() {
        QSignalSpy rejected(m_form.get(), &QDialog::rejected);
        QTest::keyClick(m_form->GetDlgItem(1001), Qt::Key_Escape);
        QCOMPARE(rejected.size(), 1);
        QCOMPARE(m_form->result(), int(QDialog::Rejected));
    }

    void disabledFlag() {
        QVERIFY(!m_form->GetDlgItem(1007)->isEnabled());
        QVERIFY(m_form->GetDlgItem(1001)->isEnabled());
    }

    void changeCommandSeesUserEditsOnly() {
        auto *edit = m_form->item<QLineEdit>(1001);
        m_form->m_value = 75;
        m_form->UpdateData(false);
        edit->setText(QStringLiteral("80"));
        QCOMPARE(m_form->m_changes, 0);
        edit->setFocus();
        edit->end(false);
        QTest::keyClick(edit, Qt::Key_5);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QGuiApplication::clipboard()->setText(QStringLiteral("1"));
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), QStringLiteral("801"));
        QCOMPARE(m_form->m_changes, 3);
    }

    void failingCommandIsReportedAndTheWindowStays() {
        ModalWatcher watcher;
        m_form->sendCommand(1010);
        QCOMPARE(watcher.messages(), QStringList{QStringLiteral("The command failed: disk full")});
        QVERIFY(m_form->isVisible());
    }

    void noValueMarkReadsBackWhatItStandsFor() {
        ModalWatcher watcher;
        m_form->m_single = std::numeric_limits<float>::infinity(); // 1e39 read into a float
        m_form->UpdateData(false);
        QCOMPARE(m_form->item<QLineEdit>(1007)->text(), QStringLiteral("n/a"));
        m_form->m_single = 0;
        QVERIFY(m_form->UpdateData(true));
        QCOMPARE(m_form->m_single, std::numeric_limits<float>::infinity());
        QVERIFY(watcher.shown().isEmpty());
    }

    void strayIdIsAProgrammingError() {
        m_form->m_strayId = 1099; // not in the layout
        QVERIFY_THROWS_EXCEPTION(std::logic_error, m_form->UpdateData(false));
        m_form->m_strayId = 1002; // a drop-down list, not an entry field
        QVERIFY_THROWS_EXCEPTION(std::logic_error, m_form->UpdateData(true));
    }

    void nameFilters() {
        QCOMPARE(FileChooser::nameFilters(
                     QStringLiteral("Field information file(*.txt)|*.txt|All Files (*.*)|*.*||")),
                 (QStringList{QStringLiteral("Field information file(*.txt) (*.txt)"),
                              QStringLiteral("All Files (*.*) (*)")}));
    }

    void chooser_data() {
        QTest::addColumn<bool>("saving");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("chosen"); // empty: nothing chosen
        QTest::addColumn<int>("questions");
        QTest::newRow("save adds the extension") << true << "site" << false << "site.txt" << 0;
        QTest::newRow("save keeps an extension") << true << "site.dat" << false << "site.dat" << 0;
        QTest::newRow("save over a file asks") << true << "site.txt" << true << "site.txt" << 1;
        QTest::newRow("open") << false << "site.txt" << true << "site.txt" << 0;
        QTest::newRow("cancelled") << false << "" << true << "" << 0;
    }

    void chooser() {
        QFETCH(bool, saving);
        QFETCH(QString, typed);
        QFETCH(bool, exists);
        QFETCH(QString, chosen);
        QFETCH(int, questions);
        QTemporaryDir dir;
        if (exists) {
            QFile file(dir.filePath(QStringLiteral("site.txt")));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        ModalWatcher watcher;
        QStringList filters;
        watcher.then([&](QDialog *shown) {
            auto *chooser = qobject_cast<QFileDialog *>(shown);
            filters = chooser->nameFilters();
            if (typed.isEmpty())
                return chooser->reject();
            chooser->selectFile(dir.filePath(typed));
            static_cast<QDialog *>(chooser)->accept(); // QFileDialog hides it; it is virtual
        });
        watcher.then([](QDialog *question) {
            qobject_cast<QMessageBox *>(question)->button(QMessageBox::Yes)->click();
        });
        const auto result = FileChooser::choose(
            m_form.get(),
            {saving ? FileChooser::Mode::Save : FileChooser::Mode::Open,
             QStringLiteral("Text(*.txt)|*.txt||"), QStringLiteral("txt"), QString()});
        QCOMPARE(filters, QStringList{QStringLiteral("Text(*.txt) (*.txt)")});
        QCOMPARE(result.has_value(), !chosen.isEmpty());
        if (result)
            QCOMPARE(*result, dir.filePath(chosen));
        QCOMPARE(watcher.shown().size(), 1 + questions);
    }

private:
    std::unique_ptr<ModuleScope> m_module;
    std::unique_ptr<MachineryForm> m_form;
};

QTEST_MAIN(TestMachinery)
#include "tst_machinery.moc"
