// The field information form: its lists, its radio buttons, and files saved and browsed.
#include "forms/SiteInformationDlg.h"
#include "forms/ids/SiteInformationIds.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "tests/support/FormFields.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ModuleScope.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>

#include <sys/stat.h>
#include <unistd.h>

using namespace FormFields;

using namespace SiteInformationIds;

namespace {

constexpr int kSoil = IDC_SOIL_TYPE;
constexpr int kLayer = IDC_LAYER_STRUCTURE;
constexpr int kPosition = IDC_FIELD_POSITION;
constexpr int kCelsius = IDC_CELSIUS;
constexpr int kFahrenheit = IDC_FAHRENHEIT;
constexpr uid_t kNobody = 65534;

QByteArray golden(const char *name) {
    QFile file(QStringLiteral(TAV_TEST_DATA "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray le32(qint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// Answers the next file chooser with the path, as a user typing it would.
void chooseFile(ModalWatcher &watcher, const QString &path) {
    watcher.then([path](QDialog *shown) {
        auto *chooser = qobject_cast<QFileDialog *>(shown);
        QVERIFY(chooser != nullptr);
        chooser->selectFile(path);
        static_cast<QDialog *>(chooser)->accept();
    });
}

} // namespace

class TestSiteForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        m_dialog = std::make_unique<CSiteInformationDlg>();
        QVERIFY(open(*m_dialog));
    }

    void cleanup() {
        m_dialog.reset();
        m_module.reset();
    }

    void opensWithDefaultsEveryTime() {
        for (int opening = 0; opening < 2; ++opening) {
            type(*m_dialog, IDC_CLIENT_COMPANY_NAME, QStringLiteral("typed"));
            m_dialog->item<QComboBox>(kSoil)->setCurrentIndex(4);
            m_dialog->sendCommand(kFahrenheit);
            m_dialog = std::make_unique<CSiteInformationDlg>();
            QVERIFY(open(*m_dialog));
            for (int id : {IDC_CLIENT_COMPANY_NAME, IDC_FIELD_NAME, IDC_FILE_NUMBER, IDC_ALTITUDE,
                           IDC_METEOROLOGICAL, IDC_TEMPERATURE})
                QCOMPARE(text(*m_dialog, id), QString());
            QCOMPARE(m_dialog->item<QPlainTextEdit>(IDC_NOTE)->toPlainText(), QString());
            auto *date = m_dialog->item<QDateEdit>(IDC_MEASUREMENT_DATE);
            QCOMPARE(date->date(), QDate::currentDate());
            QCOMPARE(date->displayFormat(), QStringLiteral("dd/MM/yy"));
            for (int id : {kSoil, kLayer, kPosition})
                QCOMPARE(m_dialog->item<QComboBox>(id)->currentIndex(), 0);
            QVERIFY(m_dialog->item<QRadioButton>(kCelsius)->isChecked());
            QVERIFY(!m_dialog->item<QRadioButton>(kFahrenheit)->isChecked());
            QCOMPARE(QApplication::focusWidget(), m_dialog->GetDlgItem(IDC_CLIENT_COMPANY_NAME));
        }
    }

    void listsFromTheStringTable() {
        QStringList soils;
        auto *soil = m_dialog->item<QComboBox>(kSoil);
        for (int i = 0; i < soil->count(); ++i)
            soils.append(soil->itemText(i));
        QCOMPARE(soils, (QStringList{"Clay", "Clay soil", "General soil", "Sand, Gravel",
                                     "Soft Rock", "Hard Rock", "Granite", "Gneiss", "Basalt"}));
        QCOMPARE(m_dialog->item<QComboBox>(kLayer)->itemText(2), QStringLiteral("Composite layer"));
        QCOMPARE(m_dialog->item<QComboBox>(kPosition)->count(), 6);
        QCOMPARE(m_dialog->item<QComboBox>(kPosition)->itemText(5), QStringLiteral("others"));
    }

    void unitButtonsKeepEachOtherApartAndTheTemperature() {
        type(*m_dialog, IDC_TEMPERATURE, QStringLiteral("25"));
        auto *celsius = m_dialog->item<QRadioButton>(kCelsius);
        auto *fahrenheit = m_dialog->item<QRadioButton>(kFahrenheit);
        QTest::mouseClick(fahrenheit, Qt::LeftButton);
        QVERIFY(!celsius->isChecked() && fahrenheit->isChecked());
        QTest::mouseClick(fahrenheit, Qt::LeftButton); // a second click keeps it
        QVERIFY(!celsius->isChecked() && fahrenheit->isChecked());
        QCOMPARE(text(*m_dialog, IDC_TEMPERATURE), QStringLiteral("25"));
    }

    void untouchedFormSavesTheEmptyRecordOfToday() {
        QTemporaryDir dir;
        ModalWatcher watcher;
        chooseFile(watcher, dir.filePath(QStringLiteral("site"))); // the extension is added
        m_dialog->sendCommand(IDC_FILE_SAVE);
        QCOMPARE(watcher.messages(), QStringList{QStringLiteral("Saved successfully.")});
        const QDate today = QDate::currentDate();
        QByteArray expected = golden("empty-record.txt");
        expected.replace(2, 12, le32(today.year()) + le32(today.month()) + le32(today.day()));
        QCOMPARE(contents(dir.filePath(QStringLiteral("site.txt"))), expected);
    }

    void saveThatCannotCreate() {
        ModalWatcher watcher;
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("gone"));
        QVERIFY(QDir().mkdir(folder));
        watcher.then([folder](QDialog *shown) {
            auto *chooser = qobject_cast<QFileDialog *>(shown);
            chooser->selectFile(folder + QStringLiteral("/site.txt"));
            QVERIFY(QDir(folder).removeRecursively()); // gone before the save
            static_cast<QDialog *>(chooser)->accept();
        });
        m_dialog->sendCommand(IDC_FILE_SAVE);
        QCOMPARE(watcher.messages(), QStringList{QStringLiteral("Could not create file.")});
        QVERIFY(m_dialog->isVisible());
    }

    // The rename would replace a file its owner made read-only; the save refuses it, with
    // the system's reason. Root may write any file: the save is made as nobody.
    void saveOverAReadOnlyFile() {
        QTemporaryDir dir;
        QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
        const QString path = dir.filePath(QStringLiteral("ro.txt"));
        write(path, "kept");
        const QByteArray local = QFile::encodeName(path);
        const bool root = ::geteuid() == 0;
        if (root)
            QCOMPARE(::chown(local.constData(), kNobody, kNobody), 0);
        QCOMPARE(::chmod(local.constData(), 0444), 0);
        ModalWatcher watcher;
        chooseFile(watcher, path);
        watcher.then([](QDialog *shown) { // the chooser asks before replacing
            static_cast<QMessageBox *>(shown)->button(QMessageBox::Yes)->click();
        });
        QVERIFY(!root || ::seteuid(kNobody) == 0);
        m_dialog->sendCommand(IDC_FILE_SAVE);
        QVERIFY(!root || ::seteuid(0) == 0);
        QCOMPARE(watcher.shown().size(), 3);
        QCOMPARE(watcher.shown().back().icon, int(QMessageBox::Critical));
        QCOMPARE(watcher.shown().back().text,
                 QStringLiteral("The file %1 could not be written: Permission denied. The file "
                                "that was there is unchanged.")
                     .arg(path));
        QCOMPARE(contents(path), QByteArray("kept"));
    }

    // Drops down below the picker, its right edge at the picker's, as the layout asks.
    void calendarAlignedRight() {
        auto *picker = m_dialog->item<QDateEdit>(IDC_MEASUREMENT_DATE);
        QTest::mouseClick(picker, Qt::LeftButton, {},
                          QPoint(picker->width() - 4, picker->height() / 2)); // the arrow
        QWidget *popup = picker->calendarWidget()->window();
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->geometry().right(),
                 picker->mapToGlobal(QPoint(picker->width() - 1, 0)).x());
        QVERIFY(popup->geometry().top() >= picker->mapToGlobal(QPoint(0, picker->height())).y());
        popup->hide();
    }

    // Two lines in 15 dialog units: moved up into the room above the capitals, so that the
    // descenders of the second line show.
    void twoLineLabelShowsWhole() {
        QLabel *label = nullptr;
        for (QLabel *candidate : m_dialog->findChildren<QLabel *>())
            label = candidate->text().startsWith(QLatin1String("Client")) ? candidate : label;
        QVERIFY(label != nullptr);
        QCOMPARE(label->height(), 32); // 15 dialog units
        const QRect drawn = label->style()->itemTextRect(
            label->fontMetrics(), label->contentsRect(), int(label->alignment()) | Qt::TextWordWrap,
            true, label->text());
        QVERIFY2(drawn.bottom() <= label->contentsRect().bottom(),
                 qPrintable(
                     QStringLiteral("text to %1 in %2").arg(drawn.bottom()).arg(label->height())));
    }

    void browseAppliesTheFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("soil");
        QTest::addColumn<bool>("celsius");
        QTest::addColumn<bool>("fahrenheit");
        const QByteArray example = golden("worked-example.txt");
        QTest::newRow("worked example") << example << 2 << true << false;
        QByteArray outside = example;
        outside.replace(19, 4, le32(9));
        QTest::newRow("soil type 9: blank") << outside << -1 << true << false;
        QByteArray both = example;
        both.replace(47, 4, le32(1));
        QTest::newRow("both check states") << both << 2 << true << true;
    }

    void browseAppliesTheFile() {
        QFETCH(QByteArray, file);
        QFETCH(int, soil);
        QFETCH(bool, celsius);
        QFETCH(bool, fahrenheit);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("site.txt"));
        write(path, file);
        ModalWatcher watcher;
        chooseFile(watcher, path);
        m_dialog->sendCommand(IDC_BROWSE);
        QCOMPARE(watcher.messages(), QStringList());
        QCOMPARE(text(*m_dialog, IDC_CLIENT_COMPANY_NAME), QStringLiteral("abc"));
        QCOMPARE(m_dialog->item<QDateEdit>(IDC_MEASUREMENT_DATE)->date(), QDate(2019, 3, 4));
        QCOMPARE(m_dialog->item<QComboBox>(kSoil)->currentIndex(), soil);
        QCOMPARE(m_dialog->item<QComboBox>(kPosition)->currentText(), QStringLiteral("others"));
        QCOMPARE(m_dialog->item<QRadioButton>(kCelsius)->isChecked(), celsius);
        QCOMPARE(m_dialog->item<QRadioButton>(kFahrenheit)->isChecked(), fahrenheit);
        // Saved right after: the same file, a blank list as -1.
        QByteArray expected = file;
        if (soil < 0)
            expected.replace(19, 4, le32(-1));
        if (fahrenheit) {
            m_dialog->sendCommand(kCelsius); // one click leaves one
            QVERIFY(!m_dialog->item<QRadioButton>(kFahrenheit)->isChecked());
            expected.replace(47, 4, le32(0));
        }
        const QString saved = dir.filePath(QStringLiteral("saved.txt"));
        chooseFile(watcher, saved);
        m_dialog->sendCommand(IDC_FILE_SAVE);
        QCOMPARE(contents(saved), expected);
    }

    // A study window's Field information... opens the form with the study's file in it;
    // the details typed and saved there are the study's field information.
    void typedFromAStudy() {
        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("yard.txt"));
        CSiteInformationDlg::offerToStudies();
        EarthingStudyWindow study;
        study.show();
        ModalWatcher watcher;
        watcher.then([&watcher, saved](QDialog *shown) {
            auto *form = qobject_cast<CSiteInformationDlg *>(shown);
            QVERIFY(form != nullptr);
            type(*form, IDC_FIELD_NAME, QStringLiteral("Yard 7"));
            chooseFile(watcher, saved);
            form->sendCommand(IDC_FILE_SAVE);
            form->reject();
        });
        QTest::mouseClick(study.findChild<QPushButton *>(QStringLiteral("fieldInformation")),
                          Qt::LeftButton);
        StudyWindow::setFieldInformationForm(nullptr);
        QCOMPARE(watcher.messages(), QStringList{QStringLiteral("Saved successfully.")});
        QCOMPARE(study.siteFileName(), saved);
        QVERIFY(study.header().site);
        QCOMPARE(study.header().site->fieldName, std::string("Yard 7"));
        // Opened again, the form shows the study's file.
        watcher.then([](QDialog *shown) {
            auto *form = qobject_cast<CSiteInformationDlg *>(shown);
            QVERIFY(form != nullptr);
            QCOMPARE(text(*form, IDC_FIELD_NAME), QStringLiteral("Yard 7"));
            form->reject();
        });
        CSiteInformationDlg::typeFor(&study, study.siteFileName());
    }

    void browseThenSaveKeepsEveryByte() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("site.txt"));
        const QByteArray example = golden("worked-example.txt");
        // Windows-1252 and bytes that are not UTF-8, and a note with CR LF.
        const QByteArray file = QByteArray("\x06Stra\xDF"
                                           "e") +
                                example.mid(4, 47) + QByteArray("\x07\xC3\x28\r\n\xFF\x80z");
        write(path, file);
        ModalWatcher watcher;
        chooseFile(watcher, path);
        m_dialog->sendCommand(IDC_BROWSE);
        QCOMPARE(text(*m_dialog, IDC_CLIENT_COMPANY_NAME), QStringLiteral("Stra\u00dfe"));
        const QString saved = dir.filePath(QStringLiteral("saved.txt"));
        chooseFile(watcher, saved);
        m_dialog->sendCommand(IDC_FILE_SAVE);
        QCOMPARE(contents(saved).toHex(), file.toHex());
    }

    void fileCutInsideTheTemperature() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cut.txt"));
        write(path, golden("worked-example.txt").left(42));
        type(*m_dialog, IDC_CLIENT_COMPANY_NAME, QStringLiteral("mine"));
        m_dialog->sendCommand(kFahrenheit);
        ModalWatcher watcher;
        chooseFile(watcher, path);
        m_dialog->sendCommand(IDC_BROWSE);
        QCOMPARE(watcher.shown().size(), 2);
        QCOMPARE(watcher.shown().back().icon, int(QMessageBox::Critical));
        QVERIFY2(watcher.shown().back().text.contains(QLatin1String("end of file in item 12")),
                 qPrintable(watcher.shown().back().text));
        // The lists show the file's values; the texts, the date and the radio buttons, read
        // after the failure, are as they were.
        QCOMPARE(m_dialog->item<QComboBox>(kSoil)->currentIndex(), 2);
        QCOMPARE(m_dialog->item<QComboBox>(kPosition)->currentIndex(), 5);
        QCOMPARE(text(*m_dialog, IDC_CLIENT_COMPANY_NAME), QStringLiteral("mine"));
        QCOMPARE(m_dialog->item<QDateEdit>(IDC_MEASUREMENT_DATE)->date(), QDate::currentDate());
        QVERIFY(m_dialog->item<QRadioButton>(kFahrenheit)->isChecked());
        QVERIFY(m_dialog->isVisible());
    }

    void enterInTheNoteCloses() {
        auto *note = m_dialog->item<QPlainTextEdit>(IDC_NOTE);
        note->setFocus();
        QTest::keyClicks(note, QStringLiteral("dry"));
        QTest::keyClick(note, Qt::Key_Return);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    }

private:
    std::unique_ptr<ModuleScope> m_module;
    std::unique_ptr<CSiteInformationDlg> m_dialog;
};

QTEST_MAIN(TestSiteForm)
#include "tst_siteform.moc"
