// What only the soil model window does: it opens from the soil form's button with the
// form's rows, refits as they are edited, leaves readings out, takes pasted columns,
// copies and saves its report, and keeps the study windows' manners. The fit itself is
// checked in tst_soilmodel, the report in tst_report.
#include "core/soilmodel/LayeredSoil.h"
#include "core/soilmodel/SoilModelFit.h"
#include "core/soilmodel/SoundingModel.h"
#include "forms/SoilResistivityDlg.h"
#include "forms/ids/SoilResistivityIds.h"
#include "report/LayersReport.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/soil/PlotWidget.h"
#include "studies/soil/ReadingsTable.h"
#include "studies/soil/SoilModelWindow.h"
#include "tests/support/FormFields.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ModuleScope.h"
#include "tests/support/SoilWindowDriver.h"
#include "text/StringIds.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include <cmath>

using namespace FormFields;
using namespace SoilResistivityIds;
using Driver = SoilWindowDriver;

namespace {

constexpr double kTwoPi = 6.283185307179586;

// Spacing and apparent resistivity of each reading the fit takes, in order.
using Readings = QVector<QPair<double, double>>;

QStringList cells(const QTableWidget &table, int column) {
    QStringList texts;
    for (int row = 0; row < table.rowCount(); ++row)
        texts.append(table.item(row, column) != nullptr ? table.item(row, column)->text()
                                                        : QString());
    return texts;
}

// The window's layers and RMS error are the core's for these readings, the count of
// layers chosen as the readings support.
void compareWithCore(const SoilModelWindow &window,
                     const std::vector<tav::WennerReading> &readings) {
    const tav::Refusable<tav::SoundingModel> core =
        tav::fitSounding(tav::SoundingReadings::fromWenner(readings), std::nullopt, 4);
    QVERIFY(!core.refused());
    const auto rows = LayersReport::layerRows(core.result(), StudyWindow::texts());
    const auto *layers = window.findChild<QTableWidget *>(QStringLiteral("layersTable"));
    QCOMPARE(layers->rowCount(), int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            QCOMPARE(layers->item(r, c)->text(), rows[r][c]);
    QVERIFY(Driver::label(window, "rms").startsWith(QStringLiteral("RMS error ")));
    const auto *modelRows = window.findChild<QTableWidget *>(QStringLiteral("modelRows"));
    QCOMPARE(modelRows->rowCount(), int(readings.size()));
}

} // namespace

class TestSoilModelWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        m_form = std::make_unique<CSoilResistivityDlg>();
        QVERIFY(open(*m_form));
        m_driver = std::make_unique<SoilWindowDriver>(*m_form);
    }

    void cleanup() {
        m_driver.reset();
        m_form.reset();
        m_module.reset();
    }

    // Rows with a readable, positive R, at their spacings: rows 2 and 4 are left at 0, row
    // 6 is unreadable, row 10 has R but no spacing, row 11 is at 36 m.
    void opensWithTheFormsRows() {
        type(*m_form, IDC_PLACE, QStringLiteral("North slope"));
        const char *typed[] = {"16.6", "0",    "6.52", "0", "4.03", "x",
                               "2.37", "1.85", "1.51", "3", "1.2"};
        for (int row = 0; row < 11; ++row)
            type(*m_form, IDC_MEASURED_R_FIRST + row, QLatin1String(typed[row]));
        type(*m_form, IDC_SPACING2, QStringLiteral("36"));
        SoilModelWindow *window = m_driver->openFromButton();
        QVERIFY(window != nullptr);
        QVERIFY(!window->isModal());
        QCOMPARE(window->windowModality(), Qt::NonModal);
        QVERIFY(window->isWindow());
        QCOMPARE(window->parentWidget(), m_form.get());
        QCOMPARE(window->windowTitle(), QStringLiteral("Soil model"));
        QVERIFY(window->findChild<QLabel *>(QStringLiteral("formNote"))->isVisible());
        QCOMPARE(window->header().place, QStringLiteral("North slope"));
        const std::vector<tav::WennerReading> readings = tav::WennerReadings::fromResistances(
            {1, 4, 9, 18, 24, 30, 36}, {16.6, 6.52, 4.03, 2.37, 1.85, 1.51, 1.2});
        const ReadingsTable &table = *window->readingsTable();
        QCOMPARE(cells(table, 0), QStringList({"1", "4", "9", "18", "24", "30", "36", ""}));
        QCOMPARE(cells(table, 1).first(), QStringLiteral("104.301")); // 2π × 1 × 16.6
        QVERIFY(Driver::waitForModel(*window));
        // The fit takes the readings to the last digit, not as the table rounds them.
        QCOMPARE(window->study().readings.size(), readings.size());
        for (std::size_t i = 0; i < readings.size(); ++i) {
            QCOMPARE(window->study().readings[i].spacing, readings[i].spacing);
            QCOMPARE(window->study().readings[i].resistivity, readings[i].resistivity);
        }
        compareWithCore(*window, readings);
        QVERIFY(std::abs(readings[0].resistivity - kTwoPi * 16.6) < 1e-12);
    }

    void editingARowRefits() {
        fillForm();
        SoilModelWindow *window = m_driver->openFromButton();
        QVERIFY(window != nullptr);
        QVERIFY(Driver::waitForModel(*window));
        ReadingsTable &table = *window->readingsTable();
        table.item(2, 1)->setText(QStringLiteral("170"));
        QVERIFY(window->fitting());
        QVERIFY(Driver::waitForModel(*window));
        std::vector<tav::WennerReading> readings = formReadings();
        readings[2].resistivity = 170;
        compareWithCore(*window, readings);
        // A new row at the end is taken as it is typed, and the table grows by one.
        const int last = table.rowCount() - 1;
        table.item(last, 0)->setText(QStringLiteral("40"));
        table.item(last, 1)->setText(QStringLiteral("290"));
        QCOMPARE(table.rowCount(), last + 2);
        QVERIFY(Driver::waitForModel(*window));
        readings.push_back({40, 290});
        compareWithCore(*window, readings);
    }

    void leftOutReadingsAreShownNotFitted() {
        fillForm();
        SoilModelWindow *window = m_driver->openFromButton();
        QVERIFY(window != nullptr);
        QVERIFY(Driver::waitForModel(*window));
        window->readingsTable()->item(0, 0)->setCheckState(Qt::Unchecked);
        QVERIFY(Driver::waitForModel(*window));
        std::vector<tav::WennerReading> readings = formReadings();
        const tav::WennerReading first = readings.front();
        readings.erase(readings.begin());
        compareWithCore(*window, readings);
        QCOMPARE(window->study().leftOut.size(), std::size_t(1));
        QCOMPARE(window->study().leftOut.front().resistivity, first.resistivity);
        const QVector<PlotSeries> &series = window->plotWidget()->plot().series;
        QCOMPARE(series.last().label, QStringLiteral("Left out"));
        QCOMPARE(series.last().points.size(), 1);
    }

    // A spreadsheet's columns with their header, at the first cell; then rows that cannot
    // be read are named, and two readings are too few.
    void pastedColumns() {
        SoilModelWindow *window = m_driver->openFromButton();
        QVERIFY(window != nullptr);
        ReadingsTable &table = *window->readingsTable();
        table.setCurrentCell(0, 0);
        QApplication::clipboard()->setText(QStringLiteral(
            "a [m]\trho [ohm-m]\r\n1\t104.3\r\n2\t121\r\n4\t163.9\r\n8\t230\r\n16\t270\r\n"));
        QTest::keyClick(&table, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(cells(table, 0), QStringList({"1", "2", "4", "8", "16", ""}));
        QVERIFY(Driver::waitForModel(*window));
        compareWithCore(*window, {{1, 104.3}, {2, 121}, {4, 163.9}, {8, 230}, {16, 270}});
        // Comma-separated, one row on: rows 2 and 3 change.
        table.setCurrentCell(1, 0);
        table.pasteText(QStringLiteral("2,1e2\n4,abc\n"), 1, 0);
        QVERIFY(Driver::waitForModel(*window));
        QCOMPARE(window->study().readings.size(), std::size_t(4));
        QVERIFY2(Driver::label(*window, "status")
                     .contains(QStringLiteral("Row 3 is left out: \"abc\" is not a number.")),
                 qPrintable(Driver::label(*window, "status")));
        table.item(4, 1)->setText(QString());
        QVERIFY(Driver::waitForModel(*window));
        QVERIFY(Driver::label(*window, "status")
                    .contains(QStringLiteral("Row 5 is left out: it needs both")));
        // Delete empties the selected cells: three readings left, then two.
        table.clearSelection();
        table.setRangeSelected(QTableWidgetSelectionRange(0, 0, 0, 1), true);
        QTest::keyClick(&table, Qt::Key_Delete);
        QVERIFY(Driver::waitForModel(*window));
        QVERIFY2(Driver::label(*window, "status")
                     .contains(QStringLiteral(
                         "No model: a sounding is fitted from three readings at least, not 2.")),
                 qPrintable(Driver::label(*window, "status")));
        QCOMPARE(Driver::layerCount(*window), 0);
        window->findChild<QPushButton *>(QStringLiteral("clear"))->click();
        QCOMPARE(table.rowCount(), 1);
        QVERIFY(Driver::waitForModel(*window));
        QVERIFY(!window->study().outcome.has_value());
    }

    // Ctrl+V into a cell being typed pastes the block from that cell on, as onto the cell
    // not being typed; a single value goes into the cell as typed.
    void pasteWhileTyping_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QStringList>("spacings");
        QTest::addColumn<QString>("typed"); // what the editor holds after the paste
        QTest::newRow("three columns of rows") << "1\t104.3\n2\t121\n4\t163.9\n"
                                               << QStringList{"1", "2", "4", ""} << "";
        QTest::newRow("one row of two") << "6;196,5" << QStringList{"6", ""} << "";
        QTest::newRow("a single value") << "2.5" << QStringList{""} << "72.5";
    }

    void pasteWhileTyping() {
        QFETCH(QString, pasted);
        QFETCH(QStringList, spacings);
        QFETCH(QString, typed);
        SoilModelWindow *window = m_driver->openFromButton();
        QVERIFY(window != nullptr);
        ReadingsTable &table = *window->readingsTable();
        table.setCurrentCell(0, 0);
        QTest::keyClick(&table, Qt::Key_7);
        QPointer<QLineEdit> editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor != nullptr && editor->parentWidget() == table.viewport());
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(cells(table, 0), spacings);
        if (!typed.isEmpty()) {
            QCOMPARE(editor->text(), typed);
            return;
        }
        QTRY_VERIFY(editor.isNull()); // the cell no longer typed
        QVERIFY(Driver::waitForModel(*window));
        QCOMPARE(int(window->study().readings.size()), spacings.size() - 1);
        QVERIFY2(!Driver::label(*window, "status").contains(QStringLiteral("Row ")),
                 qPrintable(Driver::label(*window, "status")));
    }

    // Ctrl+V takes every row of a spreadsheet's columns, with decimal commas where commas do
    // not part the columns; only a header of words goes, and a row that cannot be read is
    // named.
    void pastedRowsTaken_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<Readings>("taken");
        QTest::addColumn<QString>("note");
        const Readings three{{1.5, 120.3}, {3, 98.7}, {6, 91}};
        QTest::newRow("tab, decimal commas") << "1,5\t120,3\n3\t98,7\n6\t91\n" << three << "";
        QTest::newRow("tab, decimal points") << "1.5\t120.3\n3\t98.7\n6\t91\n" << three << "";
        QTest::newRow("comma-separated, decimal points") << "1.5,120.3\n3,98.7\n6,91\n"
                                                         << three << "";
        QTest::newRow("semicolon, decimal commas") << "1,5;120,3\n3;98,7\n6;91\n" << three << "";
        QTest::newRow("semicolon, one row") << "1,5;120,3" << Readings{{1.5, 120.3}} << "";
        QTest::newRow("blanks, decimal commas") << "1,5  120,3\n3 98,7\n6 91\n" << three << "";
        QTest::newRow("header of words, decimal commas")
            << "a [m]\tρa [Ω·m]\n1,5\t120,3\n3\t98,7\n6\t91\n"
            << three << "";
        QTest::newRow("header, semicolons") << "Spacing;Resistivity\n1,5;120,3\n3;98,7\n6;91\n"
                                            << three << "";
        QTest::newRow("Windows line ends") << "1,5\t120,3\r\n3\t98,7\r\n6\t91\r\n" << three << "";
        QTest::newRow("trailing blank line") << "1.5,120.3\n3,98.7\n6,91\n\n\n" << three << "";
        QTest::newRow("a row that cannot be read")
            << "1,5\t120,3\n3\t98;7\n6\t91\n"
            << Readings{{1.5, 120.3}, {6, 91}} << "Row 2 is left out: \"98;7\" is not a number.";
        QTest::newRow("a first row with one number is no header")
            << "x\t120,3\n3\t98,7\n6\t91\n"
            << Readings{{3, 98.7}, {6, 91}} << "Row 1 is left out: \"x\" is not a number.";
    }

    void pastedRowsTaken() {
        QFETCH(QString, pasted);
        QFETCH(Readings, taken);
        QFETCH(QString, note);
        SoilModelWindow *window = m_driver->openFromButton();
        QVERIFY(window != nullptr);
        ReadingsTable &table = *window->readingsTable();
        table.setCurrentCell(0, 0);
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(&table, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(Driver::waitForModel(*window));
        const std::vector<tav::SoundingReading> &readings = window->study().readings;
        QCOMPARE(int(readings.size()), taken.size());
        for (int i = 0; i < taken.size(); ++i) {
            QCOMPARE(readings[i].spacing, taken[i].first);
            QCOMPARE(readings[i].resistivity, taken[i].second);
        }
        const QString status = Driver::label(*window, "status");
        QVERIFY2(note.isEmpty() ? !status.contains(QStringLiteral("Row ")) : status.contains(note),
                 qPrintable(status));
    }

    void copiesAndSavesItsReport() {
        fillForm();
        SoilModelWindow *window = m_driver->openFromButton();
        QVERIFY(window != nullptr);
        QVERIFY(Driver::waitForModel(*window));
        window->findChild<QPushButton *>(QStringLiteral("copy"))->click();
        const QString copied = QApplication::clipboard()->text();
        QVERIFY2(copied.startsWith(QStringLiteral("Soil of horizontal layers\n")),
                 qPrintable(copied));
        QVERIFY(
            copied.contains(QStringLiteral("Layer\tρ [Ω·m]\tThickness [m]\tBottom at [m]\n1\t") +
                            Driver::layerCell(*window, 0, 1)));
        QVERIFY(
            copied.contains(QStringLiteral("Spacing [m]\tMeasured [Ω·m]\tModel [Ω·m]\tError [%]")));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("sounding.pdf"));
        ModalWatcher watcher;
        watcher.then([path](QDialog *shown) {
            auto *chooser = qobject_cast<QFileDialog *>(shown);
            QVERIFY(chooser != nullptr);
            QCOMPARE(chooser->acceptMode(), QFileDialog::AcceptSave);
            chooser->selectFile(path);
            static_cast<QDialog *>(chooser)->accept();
        });
        QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QCOMPARE(watcher.messages(), QStringList());
    }

    // Each edit of the table is undone and redone whole by Edit's shortcuts, named for the
    // edit: a cell typed, a box, a paste, Delete, Clear, an import, the array.
    void tableEditsUndone() {
        fillForm();
        SoilModelWindow *window = m_driver->openFromButton();
        QVERIFY(window != nullptr);
        ReadingsTable &table = *window->readingsTable();
        QUndoStack *stack = table.undoStack();
        QCOMPARE(stack->count(), 0); // the form's readings are where the edits start
        const QStringList form = cells(table, 1);
        const auto undoRedo = [&](const QString &name, auto same) {
            QCOMPARE(stack->undoText(), name);
            QTest::keyClick(&table, Qt::Key_Z, Qt::ControlModifier);
            QVERIFY2(!same(), qPrintable(name));
            QTest::keyClick(&table, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QVERIFY2(same(), qPrintable(name));
        };
        table.item(2, 1)->setText(QStringLiteral("170"));
        undoRedo(QStringLiteral("Type in row 3"), [&] { return cells(table, 1)[2] == "170"; });
        table.item(0, 0)->setCheckState(Qt::Unchecked);
        undoRedo(QStringLiteral("Leave row 1 out"),
                 [&] { return table.item(0, 0)->checkState() == Qt::Unchecked; });
        table.pasteText(QStringLiteral("40\t290\n50\t300\n"), 9, 0);
        undoRedo(QStringLiteral("Paste readings"), [&] { return table.rowCount() == 12; });
        table.setRangeSelected(QTableWidgetSelectionRange(3, 0, 4, 1), true);
        QTest::keyClick(&table, Qt::Key_Delete);
        undoRedo(QStringLiteral("Delete cells"), [&] { return cells(table, 0)[3].isEmpty(); });
        window->findChild<QComboBox *>(QStringLiteral("arrayChoice"))
            ->setCurrentText(QStringLiteral("Schlumberger"));
        auto *array = window->findChild<QComboBox *>(QStringLiteral("arrayChoice"));
        undoRedo(QStringLiteral("Change the array"), [&] {
            return table.columnCount() == 3 && array->currentText() == "Schlumberger";
        });
        window->findChild<QPushButton *>(QStringLiteral("clear"))->click();
        undoRedo(QStringLiteral("Clear the readings"), [&] { return table.rowCount() == 1; });
        // Undone to the start, the table is the form's again, every box ticked.
        while (stack->canUndo())
            QTest::keyClick(&table, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cells(table, 1), form);
        QCOMPARE(array->currentText(), QStringLiteral("Wenner"));
        QCOMPARE(table.item(0, 0)->checkState(), Qt::Checked);
        QVERIFY(Driver::waitForModel(*window));
        compareWithCore(*window, formReadings());
        // The menu's actions say what they undo.
        auto *undo = window->findChild<QAction *>(QStringLiteral("undo"));
        QVERIFY(undo != nullptr && !undo->isEnabled());
        QTest::keyClick(&table, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY2(undo->text().contains(QStringLiteral("Type in row 3")), qPrintable(undo->text()));
        // An import is one edit too.
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("readings.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("a;rho\n1;100\n2;110\n3;120\n") > 0);
        file.close();
        QVERIFY(window->importReadings(path));
        undoRedo(QStringLiteral("Import readings"), [&] { return table.rowCount() == 4; });
    }

    // Closed and opened again from the form, the window shows the readings as edited there;
    // the form's readings changed since come as an edit over them, which Undo takes back.
    void readingsKeptWithTheForm() {
        fillForm();
        QPointer<SoilModelWindow> window = m_driver->openFromButton();
        QVERIFY(window != nullptr);
        window->findChild<QComboBox *>(QStringLiteral("layersChoice"))->setCurrentText("2");
        window->readingsTable()->pasteText(QStringLiteral("40\t290\n"), 9, 0);
        window->readingsTable()->item(1, 0)->setCheckState(Qt::Unchecked);
        const QStringList spacings = cells(*window->readingsTable(), 0);
        QCOMPARE(spacings.size(), 11);
        window->close();
        QTRY_VERIFY(window.isNull());
        window = m_driver->openFromButton();
        QVERIFY(window != nullptr);
        QCOMPARE(cells(*window->readingsTable(), 0), spacings);
        QCOMPARE(window->readingsTable()->item(1, 0)->checkState(), Qt::Unchecked);
        QCOMPARE(window->findChild<QComboBox *>(QStringLiteral("layersChoice"))->currentText(),
                 QStringLiteral("2"));
        QCOMPARE(window->readingsTable()->undoStack()->count(), 0);
        QVERIFY(Driver::waitForModel(*window));
        QCOMPARE(window->study().readings.size(), std::size_t(9)); // ten, one left out
        // A row of the form changed: its readings, which Undo takes back to those kept.
        type(*m_form, IDC_MEASURED_R_FIRST, QStringLiteral("17"));
        window = m_driver->openFromButton();
        QVERIFY(window != nullptr);
        QCOMPARE(cells(*window->readingsTable(), 1).first(), QStringLiteral("106.814"));
        QCOMPARE(window->readingsTable()->rowCount(), 10);
        QCOMPARE(window->readingsTable()->undoStack()->undoText(),
                 QStringLiteral("Readings of the soil form"));
        QTest::keyClick(window->readingsTable(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cells(*window->readingsTable(), 0), spacings);
    }

    // Escape closes it; it opens again at the size it had; it goes when the form goes.
    void studyWindowManners() {
        QPointer<SoilModelWindow> window = m_driver->openFromButton();
        QVERIFY(window != nullptr);
        window->resize(900, 640);
        // Escape while a drop-down list is open closes the list only, even where the
        // window's shortcut sees the key first (as some window managers give it).
        auto *array = window->findChild<QComboBox *>(QStringLiteral("arrayChoice"));
        array->showPopup();
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QShortcut *escape = nullptr;
        for (QShortcut *shortcut : window->findChildren<QShortcut *>())
            if (shortcut->key() == QKeySequence(Qt::Key_Escape))
                escape = shortcut;
        QVERIFY(escape != nullptr);
        Q_EMIT escape->activated();
        QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
        QVERIFY(!window.isNull() && window->isVisible());
        QCOMPARE(window->readingsTable()->array(), tav::SoundingArray::Wenner);
        QTest::keyClick(window->readingsTable(), Qt::Key_Escape);
        QTRY_VERIFY(window.isNull());
        window = m_driver->openFromButton();
        QVERIFY(window != nullptr);
        QCOMPARE(window->size(), QSize(900, 640));
        // A second press replaces the window rather than adding another.
        QPointer<SoilModelWindow> second = m_driver->openFromButton();
        QVERIFY(second != nullptr);
        QTRY_VERIFY(window.isNull());
        QCOMPARE(m_form->findChildren<SoilModelWindow *>().size(), 1);
        // The form stays usable while it is open, and takes it along when it closes.
        type(*m_form, IDC_MEASURED_R_FIRST, QStringLiteral("7"));
        QCOMPARE(text(*m_form, IDC_MEASURED_R_FIRST), QStringLiteral("7"));
        m_form->sendCommand(LayoutDialog::IDOK);
        QTRY_VERIFY(second.isNull());
    }

    // Schlumberger adds each reading's MN/2 and names the spacing AB/2; back to Wenner the
    // column goes and the readings stay.
    void schlumbergerColumn() {
        SoilModelWindow *window =
            m_driver->openWithReadings(QStringLiteral("1\t104.3\n2\t121\n4\t163.9\n"));
        QVERIFY(window != nullptr);
        ReadingsTable &table = *window->readingsTable();
        const auto headers = [&table] {
            QStringList texts;
            for (int c = 0; c < table.columnCount(); ++c)
                texts.append(table.horizontalHeaderItem(c)->text());
            return texts;
        };
        QCOMPARE(headers(), QStringList({"Spacing a [m]", "ρa [Ω·m]"}));
        auto *array = window->findChild<QComboBox *>(QStringLiteral("arrayChoice"));
        array->setCurrentText(QStringLiteral("Schlumberger"));
        QCOMPARE(headers(), QStringList({"AB/2 [m]", "MN/2 [m]", "ρa [Ω·m]"}));
        QCOMPARE(cells(table, 2).first(), QStringLiteral("104.3"));
        QVERIFY(Driver::waitForModel(*window));
        QVERIFY(Driver::label(*window, "status")
                    .contains(QStringLiteral(
                        "Row 1 is left out: a Schlumberger reading needs its MN/2.")));
        for (int row = 0; row < 3; ++row)
            table.item(row, 1)->setText(QStringLiteral("0.2"));
        QVERIFY(Driver::waitForModel(*window));
        QCOMPARE(window->study().readings.size(), std::size_t(3));
        QCOMPARE(window->study().readings[2].halfPotentialSpacing, 0.2);
        QCOMPARE(window->study().readings[2].array, tav::SoundingArray::Schlumberger);
        array->setCurrentText(QStringLiteral("Wenner"));
        QCOMPARE(headers(), QStringList({"Spacing a [m]", "ρa [Ω·m]"}));
        QCOMPARE(cells(table, 1).first(), QStringLiteral("104.3"));
    }

    // A CSV of resistances becomes 2πaR under Wenner, π(L² − l²)/(2l) R under Schlumberger
    // with the MN/2 of the table's rows; a bad line is refused with its number.
    void importFillsTheTable() {
        SoilModelWindow *window = m_driver->openFromButton();
        QVERIFY(window != nullptr);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("readings.csv"));
        const auto write = [&path](const QByteArray &bytes) {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        };
        QVERIFY(write("a [m];R [ohm]\n1;16,6\n4;6,52\n"));
        QVERIFY(window->importReadings(path));
        const ReadingsTable &table = *window->readingsTable();
        QCOMPARE(cells(table, 0), QStringList({"1", "4", ""}));
        QCOMPARE(cells(table, 1).first(), QStringLiteral("104.301")); // 2π × 1 × 16.6
        QVERIFY(Driver::waitForModel(*window));
        QVERIFY(std::abs(window->study().readings[1].resistivity - kTwoPi * 4 * 6.52) < 1e-9);
        // Schlumberger, AB/2 10 m and 20 m over MN/2 1 m: π(100 − 1)/2 × 2 = 99π.
        window->findChild<QComboBox *>(QStringLiteral("arrayChoice"))
            ->setCurrentText("Schlumberger");
        window->readingsTable()->item(0, 1)->setText(QStringLiteral("1"));
        window->readingsTable()->item(1, 1)->setText(QStringLiteral("1"));
        QVERIFY(write("AB/2,R\n10,2\n20,1\n"));
        QVERIFY(window->importReadings(path));
        QVERIFY(Driver::waitForModel(*window));
        QCOMPARE(window->study().readings.size(), std::size_t(2));
        QVERIFY(std::abs(window->study().readings[0].resistivity - 99 * M_PI) < 1e-9);
        QVERIFY(std::abs(window->study().readings[1].resistivity - 399 * M_PI / 2) < 1e-9);
        // A third resistance has no MN/2 in the table to become a resistivity.
        QVERIFY(write("AB/2,R\n10,2\n20,1\n40,0.5\n"));
        {
            ModalWatcher watcher;
            QVERIFY(!window->importReadings(path));
            QCOMPARE(watcher.messages().size(), 1);
            QVERIFY2(watcher.messages().first().contains(QStringLiteral("MN/2 column of row 3")),
                     qPrintable(watcher.messages().first()));
        }
        QCOMPARE(window->readingsTable()->rowCount(), 3);
        QVERIFY(write("a,rho\n1,100\n2,x\n"));
        ModalWatcher watcher;
        QVERIFY(!window->importReadings(path));
        QCOMPARE(watcher.messages().size(), 1);
        QVERIFY2(watcher.messages().first().startsWith(
                     QStringLiteral("The readings cannot be imported:")) &&
                     watcher.messages().first().contains(QLatin1Char('3')),
                 qPrintable(watcher.messages().first()));
    }

    // Saved, then opened in a fresh window: the same readings to the last digit, their
    // boxes, the array and the count asked; a wrong field is refused by name.
    void saveThenOpen() {
        SoilModelWindow *window = m_driver->openFromButton();
        QVERIFY(window != nullptr);
        window->findChild<QComboBox *>(QStringLiteral("arrayChoice"))
            ->setCurrentText("Schlumberger");
        window->findChild<QComboBox *>(QStringLiteral("layersChoice"))->setCurrentText("1");
        window->readingsTable()->pasteText(
            QStringLiteral("1.5\t0.25\t104.3\n3\t0.25\t121.0\n6\t0.5\t163.9\n12\t0.5\t230\n"), 0,
            0);
        window->readingsTable()->item(1, 0)->setCheckState(Qt::Unchecked);
        QVERIFY(Driver::waitForModel(*window));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("sounding.json"));
        QVERIFY(window->saveReadings(path));
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QJsonObject json = QJsonDocument::fromJson(saved.readAll()).object();
        QCOMPARE(json.value("version").toInt(), 1);
        QCOMPARE(json.value("array").toString(), QStringLiteral("schlumberger"));
        QCOMPARE(json.value("layers").toInt(), 1);
        QCOMPARE(json.value("readings").toArray().size(), 4);
        QCOMPARE(
            json.value("readings").toArray()[1].toObject(),
            QJsonObject({{"spacing", 3}, {"mn", 0.25}, {"resistivity", 121}, {"left_out", true}}));
        SoilModelWindow *second = m_driver->openFromButton();
        QVERIFY(second != nullptr);
        QVERIFY(second->openReadings(path));
        QVERIFY(Driver::waitForModel(*second));
        QCOMPARE(second->findChild<QComboBox *>(QStringLiteral("arrayChoice"))->currentText(),
                 QStringLiteral("Schlumberger"));
        QCOMPARE(second->findChild<QComboBox *>(QStringLiteral("layersChoice"))->currentText(),
                 QStringLiteral("1"));
        QCOMPARE(cells(*second->readingsTable(), 0), QStringList({"1.5", "3", "6", "12", ""}));
        QCOMPARE(cells(*second->readingsTable(), 1),
                 QStringList({"0.25", "0.25", "0.5", "0.5", ""}));
        QCOMPARE(second->study().readings.size(), std::size_t(3));
        QCOMPARE(second->study().leftOut.size(), std::size_t(1));
        QCOMPARE(second->study().leftOut.front().resistivity, 121.0);
        QCOMPARE(Driver::layerCount(*second), 1);
        // A reading without its MN/2 under Schlumberger.
        QFile bad(path);
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write(R"({"version": 1, "array": "schlumberger", "layers": "auto", "readings": [)"
                  R"({"spacing": 1, "mn": 0.2, "resistivity": 100, "left_out": false},)"
                  R"({"spacing": 2, "resistivity": 110, "left_out": false}]})");
        bad.close();
        ModalWatcher watcher;
        QVERIFY(!second->openReadings(path));
        QCOMPARE(watcher.messages().size(), 1);
        QVERIFY2(watcher.messages().first().contains(QStringLiteral("\"readings[1].mn\"")),
                 qPrintable(watcher.messages().first()));
    }

    // At 1600 × 1000 the model's tables show every column without scrolling across; at
    // the window's least height the plot still holds its upright title whole.
    void tablesAndPlotFit() {
        SoilModelWindow *window = m_driver->openWithReadings(Driver::threeLayerReadings());
        QVERIFY(window != nullptr);
        window->resize(1600, 1000);
        for (const char *name : {"layersTable", "modelRows"}) {
            const auto *table = window->findChild<QTableWidget *>(QLatin1String(name));
            QTRY_COMPARE(table->horizontalScrollBar()->maximum(), 0);
        }
        window->resize(1100, 300);
        const PlotWidget *plot = window->plotWidget();
        const QFontMetrics metrics = plot->fontMetrics();
        // The frame leaves 4.6 lines above and below it, the widget half a line each side.
        QTRY_VERIFY(plot->height() >=
                    metrics.horizontalAdvance(plot->plot().yTitle) + 5.6 * metrics.height());
    }

private:
    void fillForm() {
        const char *typed[] = {"16.6", "9.63", "6.52", "5.21", "4.03",
                               "3.28", "2.37", "1.85", "1.51"};
        for (int row = 0; row < 9; ++row)
            type(*m_form, IDC_MEASURED_R_FIRST + row, QLatin1String(typed[row]));
    }

    static std::vector<tav::WennerReading> formReadings() {
        return tav::WennerReadings::fromResistances(
            {1, 2, 4, 6, 9, 12, 18, 24, 30},
            {16.6, 9.63, 6.52, 5.21, 4.03, 3.28, 2.37, 1.85, 1.51});
    }

    std::unique_ptr<ModuleScope> m_module;
    std::unique_ptr<CSoilResistivityDlg> m_form;
    std::unique_ptr<SoilWindowDriver> m_driver;
};

QTEST_MAIN(TestSoilModelWindow)
#include "tst_soilmodelwindow.moc"
