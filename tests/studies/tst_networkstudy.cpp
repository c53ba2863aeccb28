// The network in the earthing study window: taken and edited in its tables, each edit on
// the undo stack, a value refused at its cell in the form's words, the study saved with
// the network as typed, and the solve's split factor shown beside the other results as
// tav-calc gives it for the saved study; its report is tav-calc's word for word.
#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/earthing/JsonPath.h"
#include "tests/studies/StudyWindowSteps.h"
#include "tests/support/ModuleScope.h"
#include "tests/support/TestSettings.h"

#include <QGroupBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

using namespace studysteps;

namespace {

QJsonValue at(const EarthingStudyWindow &window, const char *path) {
    return JsonPath::valueAt(window.project().rest, QLatin1String(path));
}

// As a user types into a cell: its text replaced and committed.
void typeCell(QTableWidget *table, int row, int column, const QString &text) {
    table->item(row, column)->setText(text);
}

} // namespace

class TestNetworkStudy : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_settings.valid()); }
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        QVERIFY(m_module->loaded());
    }
    void cleanup() { m_module.reset(); }

    void networkEditedUndoneSavedAndSolved() {
        EarthingStudyWindow window;
        window.show();
        QUndoStack *undo = window.editedProject()->undoStack();
        auto *network = window.findChild<QGroupBox *>(QStringLiteral("network"));
        QVERIFY(network && !network->isChecked());
        QVERIFY(at(window, "current").isDouble());

        // Taken: a first line to type over, in place of the typed current.
        network->setFocus();
        QTest::keyClick(network, Qt::Key_Space);
        checked(window);
        QVERIFY(network->isChecked());
        QVERIFY(at(window, "network/lines/0/span").isDouble());
        QVERIFY(at(window, "current").isUndefined());
        QVERIFY(!field(window, QStringLiteral("current"))->isVisibleTo(&window));

        // A cell typed is one edit, named by its column, and undone.
        auto *lines = window.findChild<QTableWidget *>(QStringLiteral("network_lines"));
        QVERIFY(lines);
        const int edits = undo->count();
        typeCell(lines, 0, 3, QStringLiteral("250"));
        checked(window);
        QCOMPARE(at(window, "network/lines/0/span").toDouble(), 250.);
        QCOMPARE(undo->count(), edits + 1);
        QVERIFY2(undo->undoText().contains(QStringLiteral("Line 1, Span")),
                 qPrintable(undo->undoText()));
        undo->undo();
        checked(window);
        QCOMPARE(at(window, "network/lines/0/span").toDouble(), 300.);
        QCOMPARE(lines->item(0, 3)->text(), QStringLiteral("300"));
        undo->redo();
        checked(window);

        // Refused at its cell, in the words of the form; Solve waits.
        typeCell(lines, 0, 5, QStringLiteral("-1"));
        checked(window);
        QVERIFY(lines->item(0, 5)->toolTip().contains(QStringLiteral("Line 1, Remote station")));
        QVERIFY(!window.findChild<QPushButton *>(QStringLiteral("solve"))->isEnabled());
        typeCell(lines, 0, 5, QStringLiteral("0.5"));
        checked(window);
        QVERIFY(lines->item(0, 5)->toolTip().isEmpty());

        // A cable and an endless second line, as typed.
        click(window, "network_cablesAdd");
        click(window, "network_linesAdd");
        typeCell(lines, 1, 2, QString());
        typeCell(lines, 1, 1, QStringLiteral("3800, -900"));
        checked(window);

        QTemporaryDir folder;
        const QString study = folder.filePath(QStringLiteral("study.json"));
        QVERIFY(window.saveTo(study));
        QFile saved(study);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QJsonObject document = QJsonDocument::fromJson(saved.readAll()).object();
        QVERIFY(!document.contains(QStringLiteral("current")));
        QCOMPARE(JsonPath::valueAt(document, QStringLiteral("network/lines/0/span")).toDouble(),
                 250.);
        QCOMPARE(JsonPath::valueAt(document, QStringLiteral("network/lines/0/remote_resistance"))
                     .toDouble(),
                 0.5);
        QVERIFY(JsonPath::valueAt(document, QStringLiteral("network/lines/1/spans")).isNull());
        QCOMPARE(JsonPath::valueAt(document, QStringLiteral("network/lines/1/current")),
                 QJsonValue(QJsonArray{3800, -900}));
        QCOMPARE(JsonPath::valueAt(document, QStringLiteral("network/cables")).toArray().size(), 1);

        // Solved, Sf as tav-calc gives it for the study saved, to the digits shown.
        QVERIFY(solved(window));
        const QJsonObject cli =
            QJsonDocument::fromJson(run(QStringLiteral(TAV_CALC),
                                        {QStringLiteral("system"), QStringLiteral("--input"), study,
                                         QStringLiteral("--format"), QStringLiteral("json")}))
                .object();
        const double sf = cli.value(QStringLiteral("network"))
                              .toObject()
                              .value(QStringLiteral("split_factor_magnitude"))
                              .toDouble();
        QVERIFY(sf > 0 && sf < 1);
        QVERIFY2(std::abs(shownNumber(window, "splitFactor") / sf - 1) < 5.01e-4,
                 qPrintable(QString::number(sf)));
        const auto *branches = window.findChild<QTableWidget *>(QStringLiteral("networkBranches"));
        QVERIFY(branches && branches->isVisibleTo(&window));
        QCOMPARE(branches->rowCount(), 3);

        // Save as PDF and tav-calc system --pdf say the same of it, line for line.
        const QString shown = folder.filePath(QStringLiteral("window.pdf"));
        const QString written = folder.filePath(QStringLiteral("tav-calc.pdf"));
        QVERIFY(window.savePdf(shown));
        run(QStringLiteral(TAV_CALC), {QStringLiteral("system"), QStringLiteral("--input"), study,
                                       QStringLiteral("--pdf"), written});
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        const QStringList fromWindow =
            QString::fromUtf8(run(pdftotext, {shown, QStringLiteral("-")})).split('\n');
        const QStringList fromTavCalc =
            QString::fromUtf8(run(pdftotext, {written, QStringLiteral("-")})).split('\n');
        QVERIFY(fromTavCalc.contains(QStringLiteral("Current into the earth")));
        // The project's name heads each page and the date differs by none: all else alike.
        QCOMPARE(fromWindow.size(), fromTavCalc.size());
        for (qsizetype k = 0; k < fromWindow.size(); ++k)
            QCOMPARE(fromWindow[k], fromTavCalc[k]);
    }

private:
    TestSettings m_settings;
    std::unique_ptr<ModuleScope> m_module;
};

QTEST_MAIN(TestNetworkStudy)
#include "tst_networkstudy.moc"
