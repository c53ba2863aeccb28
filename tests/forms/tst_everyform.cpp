// Every layout of the shipped module is some window's, and every window's exchange
// names only controls its layout has, of the kind the exchange expects.
#include "forms/AboutDlg.h"
#include "forms/HorizontalElectrodeDlg.h"
#include "forms/MashElectrodeDlg.h"
#include "forms/SiteInformationDlg.h"
#include "forms/SoilResistivityDlg.h"
#include "forms/TAVDlg.h"
#include "forms/VerticalElectrodeDlg.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ModuleScope.h"
#include "ui/LanguageModule.h"

#include <QtTest>

#include <functional>
#include <map>

namespace {

using MakeWindow = std::function<std::unique_ptr<LayoutDialog>()>;

template <class Window> std::pair<const int, MakeWindow> entry() {
    return {Window::IDD, [] { return std::make_unique<Window>(); }};
}

// Each window of the program, by the layout it is built from.
const std::map<int, MakeWindow> &everyWindow() {
    static const std::map<int, MakeWindow> windows{entry<CAboutDlg>(),
                                                   entry<CTAVDlg>(),
                                                   entry<CSoilResistivityDlg>(),
                                                   entry<CVerticalElectrodeDlg>(),
                                                   entry<CHorizontalElectrodeDlg>(),
                                                   entry<CMashElectrodeDlg>(),
                                                   entry<CSiteInformationDlg>()};
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

private:
    std::unique_ptr<ModuleScope> m_module;
};

QTEST_MAIN(TestEveryForm)
#include "tst_everyform.moc"
