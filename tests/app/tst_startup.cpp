#include "app/TAVApp.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/TestSettings.h"
#include "ui/LanguageModule.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

const QString kGoodDir = QStringLiteral(TAV_TEST_MODULE_DIR);
// The file this test runs from: the tests of tests/app/ are one program.
const QString kProgramFile = QStringLiteral("tav_tests_app");

QByteArray goodModule() {
    QFile file(kGoodDir + QStringLiteral("/lang_en.rcc"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_settings.valid()); }
    void titleIsTheProgramFileName() {
        // Renaming the program renames every caption: this test program is not called TAV.
        QCOMPARE(CTAVApp::applicationTitle(), kProgramFile);
        QCoreApplication::setApplicationName(QStringLiteral("renamed"));
        CTAVApp app({});
        QCOMPARE(QCoreApplication::applicationName(), kProgramFile);
    }

    void withoutModule_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("plantInWorkingDir");
        const QByteArray good = goodModule();
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("corrupt") << QByteArray("qres\0\0\0\3\xff\xff\xff\xff", 12) << false;
        QTest::newRow("truncated") << good.left(good.size() - 10) << false;
        QTest::newRow("only in the working folder") << good << true;
    }

    void withoutModule() {
        QFETCH(QByteArray, content);
        QFETCH(bool, plantInWorkingDir);
        QTemporaryDir programDir, workDir;
        const QString target = plantInWorkingDir ? workDir.path() : programDir.path();
        if (!content.isNull()) {
            QFile file(QDir(target).filePath(LanguageModule::fileName()));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const QString previous = QDir::currentPath();
        QDir::setCurrent(workDir.path());
        ModalWatcher watcher;
        CTAVApp app({programDir.path()});
        QVERIFY(!app.InitInstance());
        QDir::setCurrent(previous);

        QCOMPARE(watcher.shown().size(), 1);
        const ModalWatcher::Shown shown = watcher.shown().front();
        QCOMPARE(shown.className, QStringLiteral("QMessageBox"));
        QCOMPARE(shown.text, QStringLiteral("Could not open language file."));
        QCOMPARE(shown.title, kProgramFile);
        QCOMPARE(shown.icon, int(QMessageBox::Warning));
        QVERIFY(LanguageModule::current() == nullptr);
        QVERIFY(app.ExitInstance() != 0);
    }

    void keysEndTheProgram_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter on END") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    void keysEndTheProgram() {
        QFETCH(int, key);
        ModalWatcher watcher;
        bool moduleLoadedMeanwhile = false;
        watcher.then([&](QDialog *main) {
            moduleLoadedMeanwhile = LanguageModule::current() != nullptr;
            ModalWatcher::pressKey(main, key);
        });
        CTAVApp app({kGoodDir});
        QVERIFY(!app.InitInstance());
        QVERIFY(moduleLoadedMeanwhile);
        QCOMPARE(watcher.shown().size(), 1);
        QCOMPARE(watcher.shown().front().className, QStringLiteral("CTAVDlg"));
        QCOMPARE(app.ExitInstance(), 0);
        QVERIFY(LanguageModule::current() == nullptr);
    }

    void studyArgument_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("study");
        QTest::addColumn<QString>("file");
        QTest::newRow("none") << QStringList{"TAV"} << false << "";
        QTest::newRow("a new study") << QStringList{"TAV", "--study"} << true << "";
        QTest::newRow("a project")
            << QStringList{"TAV", "--study", "a b.json"} << true << "a b.json";
        QTest::newRow("anything else") << QStringList{"TAV", "a.json"} << false << "";
    }
    void studyArgument() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, study);
        QFETCH(QString, file);
        const std::optional<QString> got = CTAVApp::studyArgument(arguments);
        QCOMPARE(got.has_value(), study);
        if (got)
            QCOMPARE(*got, file);
    }

    // TAV --study FILE: the study window with the project, no main window; the program ends
    // when it closes.
    void studyOpensInPlaceOfTheMainWindow() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("study.json"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"soil": {"rho": 50}, "current": 10, "rods": [{"at": [[0, 0], [5, 0]],
                       "top": 0.5, "length": 3, "diameter": 0.016}]})");
        file.close();
        ModalWatcher watcher;
        QString opened;
        QTimer::singleShot(0, [&] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *study = qobject_cast<EarthingStudyWindow *>(w);
                    study && study->isVisible()) {
                    opened = study->fileName();
                    QCOMPARE(study->project().parts.size(), 1);
                    study->close();
                }
        });
        CTAVApp app({kGoodDir});
        app.setStudy(path);
        QVERIFY(!app.InitInstance());
        QCOMPARE(opened, path);
        QVERIFY(watcher.shown().isEmpty()); // neither the main window nor a message
        QCOMPARE(app.ExitInstance(), 0);
    }

    void moduleWithoutMainLayoutEndsSilently() {
        ModalWatcher watcher;
        CTAVApp app({QStringLiteral(TAV_TEST_MODULES "/no_main")});
        QVERIFY(!app.InitInstance());
        QVERIFY(watcher.shown().isEmpty());
        QCOMPARE(app.ExitInstance(), 0);
    }

private:
    TestSettings m_settings;
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
