// What only the horizontal rod form does: its depth field and the warning on it.
#include "forms/HorizontalElectrodeDlg.h"
#include "forms/ids/RodDesignIds.h"
#include "tests/support/FormFields.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ModuleScope.h"

#include <QClipboard>
#include <QLineEdit>
#include <QtTest>

using namespace RodDesignIds;

namespace {

const QString kWarning = QStringLiteral("type data above 30cm.");
const QString kNumberPrompt = QStringLiteral("Please enter a number.");
constexpr int kDepth = IDC_BURIAL_DEPTH;

} // namespace

using namespace FormFields;

class TestHorizontalForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        m_dialog = std::make_unique<CHorizontalElectrodeDlg>();
        QVERIFY(open(*m_dialog));
        // A message on opening would have kept Open from returning.
        m_watcher = std::make_unique<ModalWatcher>();
    }

    void cleanup() {
        m_watcher.reset();
        m_dialog.reset();
        m_module.reset();
    }

    void opensWithDefaultsAndNoWarning() {
        QCOMPARE(m_dialog->windowTitle(),
                 QStringLiteral("Grounding Resistance Design of Horizontal Grounding Rod"));
        QCOMPARE(column(*m_dialog, IDC_LENGTH_FROM, 5), split("3 60 0 54 0"));
        QCOMPARE(text(*m_dialog, kDepth), QStringLiteral("0.6"));
        QVERIFY(!field(*m_dialog, IDC_ROD_DIAMETER)->isEnabled());
        QVERIFY(m_watcher->shown().isEmpty());
    }

    void tabOrder() {
        const QList<int> order{IDC_LENGTH_FROM,
                               IDC_LENGTH_TO,
                               IDC_TARGET_RESISTANCE,
                               IDC_SOIL_RESISTIVITY,
                               kDepth,
                               IDC_CALCULATE,
                               1,
                               IDC_LENGTH_FROM};
        QCOMPARE(QApplication::focusWidget(), m_dialog->GetDlgItem(order[0]));
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), m_dialog->GetDlgItem(order[i]));
        }
    }

    void depthWarning_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("0.29 warns") << "0.29" << QStringList{kWarning};
        QTest::newRow("0.3 does not") << "0.3" << QStringList();
        QTest::newRow("1 does not") << "1" << QStringList();
        QTest::newRow("unreadable: prompt, and the kept 0.6 does not warn")
            << "deep" << QStringList{kNumberPrompt};
    }

    // A paste is one change of the whole text.
    void depthWarning() {
        QFETCH(QString, pasted);
        QFETCH(QStringList, messages);
        QLineEdit *depth = field(*m_dialog, kDepth);
        depth->setFocus();
        depth->selectAll();
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(depth, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(depth->text(), pasted);
        QCOMPARE(m_watcher->messages(), messages);
    }

    void typingWarnsAtEachShallowText() {
        type(*m_dialog, kDepth, QStringLiteral("0.8"));
        // "" (unreadable; 0.6 kept), "0", "0.", then "0.8".
        QCOMPARE(m_watcher->messages(), (QStringList{kNumberPrompt, kWarning, kWarning}));
    }

    void emptyingAShallowDepthPromptsThenWarns() {
        type(*m_dialog, kDepth, QStringLiteral("0.1"));
        const int before = m_watcher->messages().size();
        QTest::keyClick(field(*m_dialog, kDepth), Qt::Key_Backspace);
        QTest::keyClick(field(*m_dialog, kDepth), Qt::Key_Backspace);
        QTest::keyClick(field(*m_dialog, kDepth), Qt::Key_Backspace);
        QCOMPARE(m_watcher->messages().mid(before),
                 (QStringList{kWarning, kWarning, kNumberPrompt, kWarning}));
    }

    void calculateUsesTheDepthAndWritesWithoutWarning() {
        type(*m_dialog, IDC_TARGET_RESISTANCE, QStringLiteral("10"));
        type(*m_dialog, IDC_SOIL_RESISTIVITY, QStringLiteral("100"));
        type(*m_dialog, kDepth, QStringLiteral("1"));
        const int before = m_watcher->messages().size();
        m_dialog->sendCommand(IDC_CALCULATE);
        // 23.65 at 1 m against 25.26 at 0.6 m for the 3 m row.
        QCOMPARE(text(*m_dialog, IDC_ROW_RESISTANCE_FIRST), QStringLiteral("23.65"));
        type(*m_dialog, kDepth, QStringLiteral("0.1"));
        const int typed = m_watcher->messages().size();
        m_dialog->sendCommand(IDC_CALCULATE);
        QCOMPARE(m_watcher->messages().size(), typed);
        QVERIFY(typed > before);
        QCOMPARE(text(*m_dialog, kDepth), QStringLiteral("0.1"));
    }

private:
    std::unique_ptr<ModuleScope> m_module;
    std::unique_ptr<CHorizontalElectrodeDlg> m_dialog;
    std::unique_ptr<ModalWatcher> m_watcher;
};

QTEST_MAIN(TestHorizontalForm)
#include "tst_horizontalform.moc"
