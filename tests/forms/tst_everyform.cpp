// Every layout of the shipped module is some window's, and every window's exchange
// names only controls its layout has, of the kind the exchange expects.
#include "forms/FormRegistry.h"
#include "forms/TAVDlg.h"
#include "forms/ids/MeshGridIds.h"
#include "forms/ids/RodDesignIds.h"
#include "forms/ids/SoilResistivityIds.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ModuleScope.h"
#include "ui/LanguageModule.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QtTest>

#include <functional>
#include <map>

namespace {

using MakeWindow = std::function<std::unique_ptr<LayoutDialog>()>;

// Each window of the program, by the layout it is built from: the main window and what
// its buttons open.
const std::map<int, MakeWindow> &everyWindow() {
    static const std::map<int, MakeWindow> windows = [] {
        std::map<int, MakeWindow> all{{CTAVDlg::IDD, [] { return std::make_unique<CTAVDlg>(); }}};
        for (const FormEntry &form : mainWindowForms())
            all.emplace(form.layoutId, [&form] { return form.make(nullptr); });
        return all;
    }();
    return windows;
}

} // namespace

class TestEveryForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        QVERIFY2(m_module->loaded(), qPrintable(m_module->error()));
    }

    void cleanupTestCase() { m_module.reset(); }

    void everyLayoutHasItsWindow() {
        QList<int> windows;
        for (const auto &entry : everyWindow())
            windows.append(entry.first);
        QList<int> layouts = LanguageModule::current()->layoutIds();
        std::sort(layouts.begin(), layouts.end());
        QCOMPARE(layouts, windows);
    }

    void exchangeInBothDirections_data() {
        QTest::addColumn<int>("layout");
        for (const auto &entry : everyWindow())
            QTest::addRow("layout %d", entry.first) << entry.first;
    }

    void exchangeInBothDirections() {
        QFETCH(int, layout);
        ModalWatcher watcher;
        const std::unique_ptr<LayoutDialog> window = everyWindow().at(layout)();
        QVERIFY_THROWS_NO_EXCEPTION(QVERIFY(window->create()));
        QVERIFY_THROWS_NO_EXCEPTION(QVERIFY(window->UpdateData(false)));
        QVERIFY_THROWS_NO_EXCEPTION(QVERIFY(window->UpdateData(true)));
        QCOMPARE(watcher.messages(), QStringList());
    }

    // A test or a screen reader finds every addressed control by its name.
    void controlsAreFoundByName() {
        QFETCH(int, layout);
        const std::unique_ptr<LayoutDialog> window = everyWindow().at(layout)();
        QVERIFY(window->create());
        const std::optional<DialogLayout> controls = LanguageModule::current()->layout(layout);
        for (const ControlTemplate &control : controls->controls) {
            if (control.id < 0)
                continue;
            QVERIFY2(!control.name.isEmpty(), qPrintable(QString::number(control.id)));
            QCOMPARE(window->findChild<QWidget *>(control.name), window->GetDlgItem(control.id));
        }
    }

    void controlsAreFoundByName_data() { exchangeInBothDirections_data(); }

    // Read-only result fields: flat in the two rod forms; the mesh form's and the soil
    // form's average keep their frame.
    void resultFieldFrames_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("fields");
        QTest::addColumn<bool>("framed");
        QTest::newRow("vertical rod") << RodDesignIds::IDD_VERTICAL << 50 << false;
        QTest::newRow("horizontal rod") << RodDesignIds::IDD_HORIZONTAL << 48 << false;
        QTest::newRow("mesh grid") << MeshGridIds::IDD << 2 << true;
        QTest::newRow("soil resistivity") << SoilResistivityIds::IDD << 1 << true;
    }

    void resultFieldFrames() {
        QFETCH(int, layout);
        QFETCH(int, fields);
        QFETCH(bool, framed);
        const std::unique_ptr<LayoutDialog> window = everyWindow().at(layout)();
        QVERIFY(window->create());
        int readOnly = 0;
        for (const QLineEdit *edit : window->findChildren<QLineEdit *>()) {
            if (!edit->isReadOnly() || qobject_cast<QAbstractSpinBox *>(edit->parent()))
                continue;
            ++readOnly;
            QVERIFY2(edit->hasFrame() == framed, qPrintable(edit->objectName()));
        }
        QCOMPARE(readOnly, fields);
    }

private:
    std::unique_ptr<ModuleScope> m_module;
};

QTEST_MAIN(TestEveryForm)
#include "tst_everyform.moc"
