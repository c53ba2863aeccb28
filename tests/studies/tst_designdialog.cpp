// Study > Design... in the earthing study window: the brief typed in the dialog is refused
// at its field, or kept in the study as one edit that undoes; the design runs off the
// interface thread, lists the layouts it solved, cheapest first, and opens the best as a
// study of its own; a design cancelled while it runs says so.
#include "studies/earthing/DesignDialog.h"
#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "tests/support/ModuleScope.h"
#include "tests/support/TestSettings.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QAction>
#include <QApplication>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QUndoStack>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

DesignDialog *openedDesign(EarthingStudyWindow &window) {
    QAction *action = window.findChild<QAction *>(QStringLiteral("design"));
    if (action == nullptr)
        return nullptr;
    action->trigger();
    return window.findChild<DesignDialog *>();
}

QLineEdit *field(DesignDialog *dialog, const char *name) {
    return dialog->findChild<QLineEdit *>(QLatin1String(name));
}

QString status(DesignDialog *dialog) {
    return dialog->findChild<QLabel *>(QStringLiteral("designStatus"))->text();
}

void click(DesignDialog *dialog, const char *name) {
    dialog->findChild<QPushButton *>(QLatin1String(name))->click();
}

// A new study (a 20 m grid, 100 ohm m, IEEE Std 80 for 0.5 s) with the current given.
void withCurrent(EarthingStudyWindow &window, double amperes) {
    window.editedProject()->setValue(-1, QStringLiteral("current"), amperes,
                                     QStringLiteral("current"));
    QTRY_VERIFY(window.sound());
}

} // namespace

class TestDesignDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_settings.valid()); }
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        QVERIFY(m_module->loaded());
    }
    void cleanup() { m_module.reset(); }

    // Each refused before anything runs or is kept, naming the field and what it holds.
    void refusedAtItsField_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("said");
        QTest::newRow("no number") << QByteArray("designDepth") << "half" << "Depth [m]"
                                   << "\"half\"";
        QTest::newRow("no rod length") << QByteArray("designRodLengths") << "" << "Rod lengths [m]"
                                       << "design.rod_lengths";
        QTest::newRow("negative price") << QByteArray("designRodPrice") << "-2" << "Rod [per m]"
                                        << "design.prices.rod_per_m";
        QTest::newRow("crossing outline") << QByteArray("designOutline")
                                          << "0 0; 10 10; 10 0; 0 10" << "Outline"
                                          << "design.outline";
    }
    void refusedAtItsField() {
        QFETCH(QByteArray, name);
        QFETCH(QString, text);
        QFETCH(QString, label);
        QFETCH(QString, said);
        EarthingStudyWindow window;
        window.show();
        QTRY_VERIFY(window.sound());
        const int edits = window.editedProject()->undoStack()->count();
        DesignDialog *dialog = openedDesign(window);
        QVERIFY(dialog != nullptr);
        field(dialog, name.constData())->setText(text);
        click(dialog, "designRun");
        QVERIFY(!dialog->running());
        QVERIFY2(status(dialog).startsWith(label) && status(dialog).contains(said),
                 qPrintable(status(dialog)));
        QCOMPARE(window.editedProject()->undoStack()->count(), edits);
    }

    // At 10 A every layout passes: the cheapest, the perimeter of the grid's outline alone,
    // is the answer, and it opens as a study with the conductors along the outline in
    // place of the study's grid.
    void designsKeepsAndOpens() {
        EarthingStudyWindow window;
        window.show();
        withCurrent(window, 10);
        DesignDialog *dialog = openedDesign(window);
        QCOMPARE(field(dialog, "designOutline")->text(), QStringLiteral("0 0; 20 0; 20 20; 0 20"));
        field(dialog, "designConductorPrice")->setText(QStringLiteral("3"));
        QUndoStack *undo = window.editedProject()->undoStack();
        const int edits = undo->count();
        click(dialog, "designRun");
        QTRY_VERIFY2_WITH_TIMEOUT(dialog->result().has_value(), qPrintable(status(dialog)), 60000);
        QVERIFY(dialog->result()->outcome.safe);
        // 80 m of perimeter at 3 a metre.
        QCOMPARE(dialog->result()->outcome.best.cost.total, 240.0);
        const auto *table = dialog->findChild<QTableWidget *>(QStringLiteral("designCandidates"));
        QVERIFY(table->rowCount() >= 1);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("240"));
        // The brief is the study's now, one edit that undoes.
        QCOMPARE(undo->count(), edits + 1);
        const QJsonObject design = window.project().rest.value(QStringLiteral("design")).toObject();
        QCOMPARE(design.value(QStringLiteral("prices"))[QStringLiteral("conductor_per_m")], 3.0);
        undo->undo();
        QVERIFY(!window.project().rest.contains(QStringLiteral("design")));

        const QWidgetList before = QApplication::topLevelWidgets();
        click(dialog, "designOpen");
        EarthingStudyWindow *opened = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *study = qobject_cast<EarthingStudyWindow *>(w); study && !before.contains(w))
                opened = study;
        QVERIFY2(opened != nullptr, qPrintable(status(dialog)));
        QTRY_VERIFY(opened->sound());
        double length = 0;
        for (const StudyPart &part : opened->project().parts) {
            QVERIFY(part.kind != StudyPart::Kind::Grid);
            if (part.kind == StudyPart::Kind::Conductor) {
                const QJsonArray from = part.json.value(QStringLiteral("from")).toArray();
                const QJsonArray to = part.json.value(QStringLiteral("to")).toArray();
                length += std::hypot(to[0].toDouble() - from[0].toDouble(),
                                     to[1].toDouble() - from[1].toDouble());
            }
        }
        QCOMPARE(length, 80.0);
        delete opened; // closing would ask whether to save the study handed on
    }

    void cancelSays() {
        EarthingStudyWindow window;
        window.show();
        withCurrent(window, 100000);
        DesignDialog *dialog = openedDesign(window);
        click(dialog, "designRun");
        QVERIFY(dialog->running());
        click(dialog, "designCancel");
        QVERIFY(!dialog->running());
        QVERIFY(!dialog->result().has_value());
        QVERIFY(!dialog->findChild<QPushButton *>(QStringLiteral("designOpen"))->isEnabled());
        QCOMPARE(status(dialog), LoadLanguageString(StringId::EarthingStudy::kCancelled));
    }

private:
    TestSettings m_settings;
    std::unique_ptr<ModuleScope> m_module;
};

QTEST_MAIN(TestDesignDialog)
#include "tst_designdialog.moc"
