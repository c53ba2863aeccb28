#include "app/TAVApp.h"
#include "tests/support/ModalWatcher.h"
#include "ui/LanguageModule.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kGoodDir = QStringLiteral(TAV_TEST_MODULE_DIR);

QByteArray goodModule() {
    QFile file(kGoodDir + QStringLiteral("/lang_en.rcc"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void titleIsTheProgramFileName() {
        // Renaming the program renames every caption: this test program is not called TAV.
        QCOMPARE(CTAVApp::applicationTitle(), QStringLiteral("tst_startup"));
        QCoreApplication::setApplicationName(QStringLiteral("renamed"));
        CTAVApp app({});
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("tst_startup"));
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
        QCOMPARE(shown.title, QStringLiteral("tst_startup"));
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

    void moduleWithoutMainLayoutEndsSilently() {
        ModalWatcher watcher;
        CTAVApp app({QStringLiteral(TAV_TEST_MODULES "/no_main")});
        QVERIFY(!app.InitInstance());
        QVERIFY(watcher.shown().isEmpty());
        QCOMPARE(app.ExitInstance(), 0);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
