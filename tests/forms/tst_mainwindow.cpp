#include "forms/AboutDlg.h"
#include "forms/TAVDlg.h"
#include "forms/ids/MainWindowIds.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/soil/SoilModelWindow.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ModuleScope.h"
#include "tests/support/TestSettings.h"
#include "ui/LanguageModule.h"
#include "ui/SystemCommand.h"

#include <QFile>
#include <QFileDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

using namespace MainWindowIds;

namespace {

const QString kAboutTitle =
    QStringLiteral("TAV Grounding Design Program for TAV grounding rod Installation");

// The action of the main window's Studies menu whose text starts so (mnemonics left out).
QAction *studiesAction(const QWidget &window, const QString &start) {
    for (QAction *action : window.findChild<QMenuBar *>()->actions().front()->menu()->actions())
        if (action->text().remove(QLatin1Char('&')).startsWith(start))
            return action;
    return nullptr;
}

QList<EarthingStudyWindow *> openStudies() {
    QList<EarthingStudyWindow *> studies;
    for (QWidget *shown : QApplication::topLevelWidgets())
        if (auto *study = qobject_cast<EarthingStudyWindow *>(shown); study && study->isVisible())
            studies.append(study);
    return studies;
}

QStringList labelTexts(const QWidget &window) {
    QStringList texts;
    for (const QLabel *label : window.findChildren<QLabel *>()) {
        if (label->pixmap().isNull())
            texts.append(label->text());
    }
    return texts;
}

} // namespace

// The pixel rectangles below are those of the layouts' dialog units in Liberation Sans
// 11 pt, whose base units are 9 across and 17 down: x = units * 9 / 4, y = units * 17 / 8,
// halves rounded away from zero.
class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR)); }
    void cleanup() { m_module.reset(); }

    void windowMatchesItsLayout() {
        CTAVDlg dialog;
        QVERIFY(dialog.create());
        QCOMPARE(
            dialog.windowTitle(),
            QStringLiteral("TAV Grounding Design Program for TAV grounding rod Installation  "));
        QCOMPARE(QFontInfo(dialog.font()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(dialog.font().pointSize(), 11);
        // The layout's own area beneath the menu bar, the window grown by the bar alone.
        const auto *bar = dialog.findChild<QMenuBar *>();
        QVERIFY(bar != nullptr);
        QCOMPARE(bar->geometry().topLeft(), QPoint(0, 0));
        QVERIFY2(bar->height() >= bar->fontMetrics().height(), "the bar shows its menus' titles");
        QCOMPARE(dialog.size(), QSize(862, 453 + bar->height()));
        const QWidget *area = dialog.GetDlgItem(1)->parentWidget();
        QCOMPARE(area->geometry(), QRect(0, bar->height(), 862, 453));
        QVERIFY(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(dialog.windowIcon().availableSizes().size(), 6);

        const auto boxes = dialog.findChildren<QGroupBox *>();
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(boxes[0]->title(), QStringLiteral("Basic Information"));
        QCOMPARE(boxes[0]->geometry(), QRect(630, 66, 216, 174));
        QCOMPARE(boxes[1]->title(), QStringLiteral("Grounding system Design"));
        QCOMPARE(boxes[1]->geometry(), QRect(630, 251, 216, 187));

        const auto pictures = dialog.findChildren<QLabel *>();
        QCOMPARE(pictures.size(), 1);
        QCOMPARE(pictures[0]->pixmap().size(), QSize(531, 422));
        QCOMPARE(pictures[0]->pos(), QPoint(16, 15));
    }

    // The Studies menu opens a new study, a study's file chosen (a file that is no study
    // refused with its reason, no window left behind), the files opened last, and the soil
    // model, each a window of its own beside the main window.
    void studiesMenu() {
        const TestSettings settings;
        QTemporaryDir folder;
        const QString good = folder.filePath(QStringLiteral("yard.json"));
        const QString bad = folder.filePath(QStringLiteral("notes.json"));
        QFile goodFile(good), badFile(bad);
        QVERIFY(goodFile.open(QIODevice::WriteOnly) && badFile.open(QIODevice::WriteOnly));
        goodFile.write(R"({"soil": {"rho": 100}, "grid": {"length_x": 20, "length_y": 10,
                          "conductors_x": 3, "conductors_y": 2, "depth": 0.5,
                          "diameter": 0.01}, "current": 1000})");
        badFile.write("not a study");
        goodFile.close();
        badFile.close();
        CTAVDlg dialog;
        QVERIFY(dialog.create());
        dialog.show();
        studiesAction(dialog, QStringLiteral("New earthing study"))->trigger();
        QCOMPARE(openStudies().size(), 1);
        QVERIFY(!openStudies().front()->isWindowModified());
        const auto chosen = [](const QString &path) {
            return [path](QDialog *shown) {
                auto *chooser = qobject_cast<QFileDialog *>(shown);
                QVERIFY(chooser != nullptr);
                chooser->selectFile(path);
                shown->accept();
            };
        };
        {
            ModalWatcher watcher;
            watcher.then(chosen(bad));
            studiesAction(dialog, QStringLiteral("Open earthing study"))->trigger();
            QCOMPARE(watcher.shown().size(), 2);
            QVERIFY2(watcher.shown()[1].text.contains(bad), qPrintable(watcher.shown()[1].text));
            QCOMPARE(openStudies().size(), 1);
            watcher.then(chosen(good));
            studiesAction(dialog, QStringLiteral("Open earthing study"))->trigger();
        }
        QCOMPARE(openStudies().size(), 2);
        QVERIFY(openStudies().back()->windowTitle().contains(QStringLiteral("yard.json")) ||
                openStudies().front()->windowTitle().contains(QStringLiteral("yard.json")));
        // The file opened is offered again under Open recent.
        QMenu *recent = dialog.findChild<QMenu *>(QStringLiteral("recentStudies"));
        Q_EMIT dialog.findChild<QMenuBar *>()->actions().front()->menu()->aboutToShow();
        QCOMPARE(recent->actions().size(), 1);
        QCOMPARE(recent->actions().front()->toolTip(), good);
        recent->actions().front()->trigger();
        QCOMPARE(openStudies().size(), 3);
        studiesAction(dialog, QStringLiteral("Soil model"))->trigger();
        QTRY_COMPARE(dialog.findChildren<SoilModelWindow *>().size(), 1);
        QVERIFY(dialog.findChildren<SoilModelWindow *>().front()->isVisible());
        for (EarthingStudyWindow *study : openStudies())
            delete study;
    }

    void buttons_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("tabStop");
        QTest::newRow("END") << 1 << "END" << QRect(648, 15, 182, 43) << true;
        QTest::newRow("about") << IDC_PROGRAM_INFORMATION << "Program Information"
                               << QRect(648, 89, 182, 43) << true;
        QTest::newRow("field") << IDC_FIELD_INFORMATION << "Field Information"
                               << QRect(648, 136, 182, 43) << true;
        QTest::newRow("soil") << IDC_SOIL_RESISTIVITY_MEASUREMENT
                              << "Soil resisttivity measurement " << QRect(648, 185, 182, 47)
                              << false;
        QTest::newRow("vertical") << IDC_VERTICAL_ROD << "Vertical TAV\ngrounding rod"
                                  << QRect(648, 278, 182, 49) << false;
        QTest::newRow("horizontal") << IDC_HORIZONTAL_ROD << "Horizontal TAV grounding rod"
                                    << QRect(648, 327, 182, 49) << true;
        QTest::newRow("mesh") << IDC_MESH_ELECTRODE << "Mesh grounding electrode"
                              << QRect(648, 376, 182, 49) << false;
    }

    void buttons() {
        QFETCH(int, id);
        QFETCH(QString, text);
        QFETCH(QRect, geometry);
        QFETCH(bool, tabStop);
        CTAVDlg dialog;
        QVERIFY(dialog.create());
        auto *button = dialog.item<QPushButton>(id);
        QVERIFY(button != nullptr);
        QCOMPARE(button->text(), text);
        QCOMPARE(button->geometry(), geometry);
        QCOMPARE(bool(button->focusPolicy() & Qt::TabFocus), tabStop);
        QCOMPARE(button->isDefault(), id == 1);
        QCOMPARE(dialog.findChildren<QPushButton *>().size(), 7);
    }

    void endHasTheFocusFirst() {
        CTAVDlg dialog;
        QVERIFY(dialog.create());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.GetDlgItem(1));
    }

    void aboutBox() {
        CAboutDlg about;
        QVERIFY(about.create());
        QCOMPARE(about.windowTitle(), kAboutTitle);
        QCOMPARE(about.size(), QSize(722, 465));
        QVERIFY(!(about.windowFlags() & Qt::WindowMinimizeButtonHint));
        auto *confirm = about.item<QPushButton>(1);
        QVERIFY(confirm != nullptr);
        QCOMPARE(confirm->text(), QStringLiteral("Confirm"));
        QVERIFY(confirm->isDefault());
        QCOMPARE(confirm->geometry(), QRect(572, 15, 113, 40)); // 571.5 and 112.5 round up
        const auto labels = about.findChildren<QLabel *>();
        QCOMPARE(labels.front()->pos(), QPoint(25, 21));
        QCOMPARE(labels[1]->geometry(), QRect(153, 21, 268, 17));
        const QStringList expected{
            "TAV Version 1.0",
            "TAV Grounding design program v1.0 has been developed based on the grounding equations",
            "of Sunde, Dwight, and Sverak  etc under characteristics application of",
            "TAV Grounding rod and TAV Catalyzer",
            "This program can support effective grounding design  using Soil resistivity "
            "measurement",
            "data to get required grounding resistance.  Especially can support  to get effective "
            "grounding",
            "design for high mountain area with high ground resistance, rocky area and narrow "
            "place.",
            "Designed grounding resistance values designed by TAV Grounding design program v1.0 ",
            "can be affected by installation method, ambient environment (weather, temperature),",
            "error of grounding resistance measurement method.",
            "We hope TAV Grounding design program v1.0 will support effective grounding design "
            "which",
            "help cost saving and  stable operation of electric,electronic equipment."};
        QCOMPARE(labelTexts(about), expected);
    }

    void aboutBoxTakesAllInput() {
        CTAVDlg dialog;
        QVERIFY(dialog.create());
        dialog.show();
        ModalWatcher watcher;
        watcher.then([&dialog](QDialog *about) {
            // The main window is blocked while a form runs: a click on its END does nothing.
            const QWidget *end = dialog.GetDlgItem(1);
            QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {},
                              end->mapTo(&dialog, end->rect().center()));
            ModalWatcher::pressKey(about, Qt::Key_Return);
        });
        dialog.sendCommand(IDC_PROGRAM_INFORMATION);
        QCOMPARE(watcher.shown().size(), 1);
        QCOMPARE(watcher.shown().front().className, QStringLiteral("CAboutDlg"));
        QCOMPARE(watcher.shown().front().title, kAboutTitle);
        QVERIFY(dialog.isVisible());
    }

    void formButtons_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("form");
        QTest::newRow("soil resistivity")
            << IDC_SOIL_RESISTIVITY_MEASUREMENT << "CSoilResistivityDlg";
        QTest::newRow("vertical rod") << IDC_VERTICAL_ROD << "CVerticalElectrodeDlg";
        QTest::newRow("horizontal rod") << IDC_HORIZONTAL_ROD << "CHorizontalElectrodeDlg";
        QTest::newRow("mesh") << IDC_MESH_ELECTRODE << "CMashElectrodeDlg";
        QTest::newRow("field information") << IDC_FIELD_INFORMATION << "CSiteInformationDlg";
    }

    void formButtons() {
        QFETCH(int, id);
        QFETCH(QString, form);
        CTAVDlg dialog;
        QVERIFY(dialog.create());
        dialog.show();
        ModalWatcher watcher;
        bool mainBlocked = false;
        watcher.then([&](QDialog *opened) {
            mainBlocked = QApplication::activeModalWidget() == opened;
            ModalWatcher::pressKey(opened, Qt::Key_Escape);
        });
        dialog.sendCommand(id);
        QCOMPARE(watcher.shown().size(), 1);
        QCOMPARE(watcher.shown().front().className, form);
        QVERIFY(mainBlocked);
        QVERIFY(dialog.isVisible());
    }

    void systemCommands_data() {
        QTest::addColumn<unsigned>("command");
        QTest::addColumn<bool>("opensAbout");
        QTest::newRow("16") << 16u << true;
        QTest::newRow("17") << 17u << true;
        QTest::newRow("31") << 31u << true;
        QTest::newRow("32") << 32u << false;
        QTest::newRow("15") << 15u << false;
        QTest::newRow("restore") << 0xF120u << false;
    }

    void systemCommands() {
        QFETCH(unsigned, command);
        QFETCH(bool, opensAbout);
        CTAVDlg dialog;
        QVERIFY(dialog.create());
        dialog.show();
        ModalWatcher watcher;
        dialog.sendSysCommand(command);
        QCOMPARE(watcher.shown().size(), opensAbout ? 1 : 0);
        QVERIFY(dialog.isVisible());
    }

    void systemMenuEndsWithAboutItem() {
        CTAVDlg dialog;
        QVERIFY(dialog.create());
        dialog.show();
        QMenu *menu = dialog.GetSystemMenu();
        QVERIFY(menu != nullptr);
        const auto actions = menu->actions();
        QVERIFY(actions.size() >= 3);
        QVERIFY(actions[actions.size() - 2]->isSeparator());
        QAction *about = actions.back();
        QCOMPARE(about->text(), QStringLiteral("TAV Information(&A)..."));
        QCOMPARE(about->data().toUInt(), CTAVDlg::IDM_ABOUTBOX);
        ModalWatcher watcher;
        about->trigger();
        QCOMPARE(watcher.shown().size(), 1);
        QCOMPARE(watcher.shown().front().className, QStringLiteral("CAboutDlg"));
    }

    void sparseModule() {
        m_module.reset();
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULES "/sparse"));
        QVERIFY(LanguageModule::current() != nullptr);
        CTAVDlg dialog;
        QVERIFY(dialog.create());
        dialog.show();
        // String 101 is empty: no separator and no about item.
        const auto actions = dialog.GetSystemMenu()->actions();
        for (const QAction *action : actions)
            QVERIFY(action->data().toUInt() != CTAVDlg::IDM_ABOUTBOX);
        QCOMPARE(actions.back()->data().toUInt(), SystemCommand::kClose);
        // No icon 128: the window has none of its own.
        QVERIFY(dialog.windowIcon().availableSizes().isEmpty());
        // No layout 100: "Program Information" has no visible effect.
        ModalWatcher watcher;
        dialog.sendCommand(IDC_PROGRAM_INFORMATION);
        dialog.sendSysCommand(CTAVDlg::IDM_ABOUTBOX);
        QVERIFY(watcher.shown().isEmpty());
        QVERIFY(dialog.isVisible());
    }

private:
    std::unique_ptr<ModuleScope> m_module;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
