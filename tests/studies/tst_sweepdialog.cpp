// Study > Sweep... in the earthing study window: the dialog sweeps the study's current off
// the interface thread and fills its table, a row per value; a sweep cancelled while it
// runs says so and leaves the study as it was, its document and its undo stack.
#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/earthing/SweepDialog.h"
#include "tests/support/ModuleScope.h"
#include "tests/support/TestSettings.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QUndoStack>
#include <QtTest>

#include <memory>

namespace {

SweepDialog *openedSweep(EarthingStudyWindow &window) {
    QAction *action = window.findChild<QAction *>(QStringLiteral("sweep"));
    if (action == nullptr)
        return nullptr;
    action->trigger();
    return window.findChild<SweepDialog *>();
}

void ranged(SweepDialog *dialog, const QString &from, const QString &to, const QString &step) {
    QComboBox *parameter = dialog->findChild<QComboBox *>(QStringLiteral("sweepParameter"));
    // The current is the last of the parameters a new study varies.
    parameter->setCurrentIndex(parameter->count() - 1);
    dialog->findChild<QLineEdit *>(QStringLiteral("sweepFrom"))->setText(from);
    dialog->findChild<QLineEdit *>(QStringLiteral("sweepTo"))->setText(to);
    dialog->findChild<QLineEdit *>(QStringLiteral("sweepStep"))->setText(step);
}

} // namespace

class TestSweepDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_settings.valid()); }
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        QVERIFY(m_module->loaded());
    }
    void cleanup() { m_module.reset(); }

    void runFillsTheTable() {
        EarthingStudyWindow window;
        window.show();
        QTRY_VERIFY(window.sound());
        SweepDialog *dialog = openedSweep(window);
        QVERIFY(dialog != nullptr);
        ranged(dialog, QStringLiteral("1000"), QStringLiteral("2000"), QStringLiteral("1000"));
        dialog->findChild<QPushButton *>(QStringLiteral("sweepRun"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(dialog->result().has_value(), 60000);
        const QTableWidget *table = dialog->findChild<QTableWidget *>(QStringLiteral("sweepTable"));
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("1000"));
        QCOMPARE(table->item(1, 0)->text(), QStringLiteral("2000"));
        // The study's resistance stays over the current, as the table shows it.
        QCOMPARE(table->item(1, 1)->text(), table->item(0, 1)->text());
        QVERIFY(dialog->findChild<QPushButton *>(QStringLiteral("sweepSavePdf"))->isEnabled());
    }

    // A step of 0 is refused in the dialog, at the parameter, before anything runs.
    void zeroStepRefused() {
        EarthingStudyWindow window;
        window.show();
        QTRY_VERIFY(window.sound());
        SweepDialog *dialog = openedSweep(window);
        ranged(dialog, QStringLiteral("1000"), QStringLiteral("2000"), QStringLiteral("0"));
        dialog->findChild<QPushButton *>(QStringLiteral("sweepRun"))->click();
        QVERIFY(!dialog->running());
        QVERIFY(dialog->findChild<QLabel *>(QStringLiteral("sweepStatus"))
                    ->text()
                    .startsWith(QStringLiteral("current: ")));
    }

    void cancelLeavesTheStudy() {
        EarthingStudyWindow window;
        window.show();
        QTRY_VERIFY(window.sound());
        const QByteArray before = window.project().toJson();
        const int edits = window.editedProject()->undoStack()->count();
        SweepDialog *dialog = openedSweep(window);
        ranged(dialog, QStringLiteral("100"), QStringLiteral("20000"), QStringLiteral("100"));
        QPushButton *cancel = dialog->findChild<QPushButton *>(QStringLiteral("sweepCancel"));
        dialog->findChild<QPushButton *>(QStringLiteral("sweepRun"))->click();
        QVERIFY(dialog->running());
        QVERIFY(cancel->isEnabled());
        cancel->click();
        QVERIFY(!dialog->running());
        QVERIFY(!dialog->result().has_value());
        QVERIFY(!cancel->isEnabled());
        QCOMPARE(window.project().toJson(), before);
        QCOMPARE(window.editedProject()->undoStack()->count(), edits);
    }

private:
    TestSettings m_settings;
    std::unique_ptr<ModuleScope> m_module;
};

QTEST_MAIN(TestSweepDialog)
#include "tst_sweepdialog.moc"
