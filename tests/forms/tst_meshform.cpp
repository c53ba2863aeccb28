// What only the mesh grid form does: Enter calculates, and it calculates from any fields.
#include "forms/MashElectrodeDlg.h"
#include "forms/ids/MeshGridIds.h"
#include "tests/support/FormFields.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ModuleScope.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace FormFields;

using namespace MeshGridIds;

class TestMeshForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        m_dialog = std::make_unique<CMashElectrodeDlg>();
        QVERIFY(open(*m_dialog));
    }

    void cleanup() {
        m_dialog.reset();
        m_module.reset();
    }

    void layout() {
        QCOMPARE(m_dialog->windowTitle(),
                 QStringLiteral("Grounding Resistance Design of Mesh type electrode"));
        for (int id :
             {IDC_SOIL_RESISTIVITY, IDC_HORIZONTAL_LENGTH, IDC_VERTICAL_LENGTH, IDC_BURIAL_DEPTH,
              IDC_HORIZONTAL_SPACING, IDC_VERTICAL_SPACING, IDC_TOTAL_LENGTH, IDC_RESISTANCE}) {
            QCOMPARE(text(*m_dialog, id), QStringLiteral("0"));
            QVERIFY(field(*m_dialog, id)->alignment() & Qt::AlignRight);
            QVERIFY(field(*m_dialog, id)->hasFrame());
            QCOMPARE(field(*m_dialog, id)->isReadOnly(),
                     id == IDC_TOTAL_LENGTH || id == IDC_RESISTANCE);
        }
        const QList<int> order{IDC_SOIL_RESISTIVITY,
                               IDC_HORIZONTAL_LENGTH,
                               IDC_VERTICAL_LENGTH,
                               IDC_BURIAL_DEPTH,
                               IDC_HORIZONTAL_SPACING,
                               IDC_VERTICAL_SPACING,
                               IDC_CALCULATE,
                               1,
                               IDC_SAFETY,
                               IDC_SOIL_RESISTIVITY};
        QCOMPARE(QApplication::focusWidget(), m_dialog->GetDlgItem(order[0]));
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), m_dialog->GetDlgItem(order[i]));
        }
    }

    void enterCalculates() {
        ModalWatcher watcher;
        type(*m_dialog, IDC_SOIL_RESISTIVITY, QStringLiteral("100"));
        type(*m_dialog, IDC_HORIZONTAL_LENGTH, QStringLiteral("20"));
        type(*m_dialog, IDC_VERTICAL_LENGTH, QStringLiteral("10"));
        type(*m_dialog, IDC_BURIAL_DEPTH, QStringLiteral("0.6"));
        type(*m_dialog, IDC_HORIZONTAL_SPACING, QStringLiteral("5"));
        type(*m_dialog, IDC_VERTICAL_SPACING, QStringLiteral("5"));
        QTest::keyClick(field(*m_dialog, IDC_VERTICAL_SPACING), Qt::Key_Return);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(text(*m_dialog, IDC_TOTAL_LENGTH), QStringLiteral("110"));
        QCOMPARE(text(*m_dialog, IDC_RESISTANCE), QStringLiteral("3.82"));
        QVERIFY(watcher.shown().isEmpty());
    }

    void defaultsCalculateWithoutAPrompt() {
        ModalWatcher watcher;
        m_dialog->sendCommand(IDC_CALCULATE);
        QCOMPARE(text(*m_dialog, IDC_TOTAL_LENGTH), QStringLiteral("n/a"));
        QCOMPARE(text(*m_dialog, IDC_RESISTANCE), QStringLiteral("n/a"));
        // The marks read back as what they stand for on the next Calculate.
        m_dialog->sendCommand(IDC_CALCULATE);
        QVERIFY(watcher.shown().isEmpty());
        QVERIFY(m_dialog->isVisible());
    }

private:
    std::unique_ptr<ModuleScope> m_module;
    std::unique_ptr<CMashElectrodeDlg> m_dialog;
};

QTEST_MAIN(TestMeshForm)
#include "tst_meshform.moc"
