// The earthing study window's inputs as they are typed: the soil's table of layers, and
// the plan that follows what is typed and fits the system when it first draws.
#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/earthing/PlanView.h"
#include "tests/studies/StudyWindowSteps.h"
#include "tests/support/ModuleScope.h"
#include "tests/support/TestSettings.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QWheelEvent>
#include <QtTest>

#include <algorithm>
#include <memory>

using namespace studysteps;

class TestEarthingStudyInputs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_settings.valid()); }
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        QVERIFY(m_module->loaded());
    }
    void cleanup() { m_module.reset(); }

    // The soil as a list of layers: chosen from two layers it takes them, a layer added
    // splits the bottom one, a cell typed reaches the document, a bad one is marked at its
    // cell with its name, and undo gives back the document as it was.
    void soilLayersTable() {
        EarthingStudyWindow window;
        window.show();
        window.findChild<QRadioButton *>(QStringLiteral("twoLayers"))->click();
        type(window, QStringLiteral("soil/rho1"), QStringLiteral("300"));
        type(window, QStringLiteral("soil/rho2"), QStringLiteral("100"));
        type(window, QStringLiteral("soil/h"), QStringLiteral("2"));
        const auto soil = [&window] {
            return window.project().rest.value(QStringLiteral("soil")).toObject();
        };
        const auto layer = [](double rho, std::optional<double> thickness = std::nullopt) {
            QJsonObject o{{QStringLiteral("rho"), rho}};
            if (thickness)
                o[QStringLiteral("thickness")] = *thickness;
            return QJsonValue(o);
        };
        const auto layers = [](const QJsonArray &list) {
            return QJsonObject{{QStringLiteral("layers"), list}};
        };
        auto *table = window.findChild<QTableWidget *>(QStringLiteral("soilLayers"));
        auto *addLayer = window.findChild<QPushButton *>(QStringLiteral("addLayer"));
        auto *removeLayer = window.findChild<QPushButton *>(QStringLiteral("removeLayer"));
        QVERIFY(table && addLayer && removeLayer);
        QVERIFY(!table->isVisibleTo(&window));

        window.findChild<QRadioButton *>(QStringLiteral("layers"))->click();
        checked(window);
        QCOMPARE(soil(), layers({layer(300, 2), layer(100)}));
        QVERIFY(table->isVisibleTo(&window));
        QVERIFY(!field(window, QStringLiteral("soil/rho1"))->isVisibleTo(&window));
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("300"));
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("2"));
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("∞"));
        QVERIFY(!(table->item(1, 1)->flags() & Qt::ItemIsEditable));
        QVERIFY(addLayer->isEnabled() && !removeLayer->isEnabled());
        QUndoStack *undo = window.editedProject()->undoStack();
        const int twoRows = undo->index();

        addLayer->click();
        checked(window);
        QCOMPARE(soil(), layers({layer(300, 2), layer(100, 2), layer(100)}));
        QCOMPARE(table->rowCount(), 3);
        QVERIFY(removeLayer->isEnabled());
        table->item(2, 0)->setText(QStringLiteral("600"));
        checked(window);
        table->item(1, 1)->setText(QStringLiteral("8"));
        checked(window);
        QCOMPARE(soil(), layers({layer(300, 2), layer(100, 8), layer(600)}));
        QVERIFY(window.sound());
        QCOMPARE(undo->undoText(), QStringLiteral("Change Layer 2 thickness"));

        // Refused at the cell, named as the table names it; kept as typed.
        const auto tip = [table](int row, int column) {
            return table->item(row, column)->toolTip();
        };
        for (const QString &bad :
             {QStringLiteral("0"), QStringLiteral("-8"), QStringLiteral("x")}) {
            table->item(1, 1)->setText(bad);
            checked(window);
            QVERIFY2(!window.sound(), qPrintable(bad));
            QVERIFY2(tip(1, 1).contains(QStringLiteral("Layer 2 thickness")),
                     qPrintable(tip(1, 1)));
            QVERIFY(tip(0, 1).isEmpty() && tip(1, 0).isEmpty());
            QCOMPARE(table->item(1, 1)->text(), bad);
        }
        table->item(1, 1)->setText(QStringLiteral("8"));
        checked(window);
        QVERIFY(window.sound());
        QVERIFY(tip(1, 1).isEmpty());

        addLayer->click();
        addLayer->click();
        checked(window);
        QCOMPARE(table->rowCount(), 5);
        QVERIFY(!addLayer->isEnabled());
        // The fourth row chosen and taken out: the fifth moves up.
        table->selectRow(3);
        removeLayer->click();
        checked(window);
        QCOMPARE(soil(), layers({layer(300, 2), layer(100, 8), layer(600, 8), layer(600)}));

        // Undone to the two layers first listed: the document as it was, the table with it.
        undo->setIndex(twoRows);
        checked(window);
        QCOMPARE(soil(), layers({layer(300, 2), layer(100)}));
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(1, 0)->text(), QStringLiteral("100"));

        // Back to two layers: the top two.
        undo->redo();
        undo->redo();
        window.findChild<QRadioButton *>(QStringLiteral("twoLayers"))->click();
        checked(window);
        QCOMPARE(soil(), QJsonObject({{QStringLiteral("rho1"), 300},
                                      {QStringLiteral("rho2"), 100},
                                      {QStringLiteral("h"), 2}}));
        window.editedProject()->undoStack()->clear();
    }

    // After a solve the plan still draws the study as typed, over the solve's map marked
    // stale; an undo back to the study solved makes the map current again. Typing keeps the
    // user's zoom; View > Fit shows the whole system again.
    void planFollowsWhatIsTyped() {
        EarthingStudyWindow window;
        window.show();
        auto *plan = window.findChild<PlanView *>(QStringLiteral("plan"));
        checked(window);
        QVERIFY(plan->world().contains(QRectF(0, 0, 20, 20))); // the new study's grid, whole
        QVERIFY(solved(window));
        QVERIFY(!plan->picture().stale);
        QWheelEvent wheel(QPointF(100, 100), plan->mapToGlobal(QPointF(100, 100)), QPoint(),
                          QPoint(0, 240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(plan, &wheel);
        const QRectF zoomed = plan->world();
        QVERIFY(zoomed != plan->picture().extent());

        // A new part beside the system: the plan follows it, and then stays as it is.
        add(window, Kind::Ring);
        QVERIFY(plan->world() != zoomed);
        const QRectF followed = plan->world();
        type(window, QStringLiteral("centre/1"), QStringLiteral("45"));
        QVERIFY(window.stale());
        QVERIFY(plan->picture().stale);
        const auto &drawn = plan->picture().conductors;
        QVERIFY(std::any_of(drawn.begin(), drawn.end(), [](const auto &c) {
            return std::abs(c.from.y - 45) < 5.01 && c.from.y > 39;
        }));
        QCOMPARE(plan->world(), followed);

        window.findChild<QAction *>(QStringLiteral("fit"))->trigger();
        QCOMPARE(plan->world(), plan->picture().extent());
        QVERIFY(plan->world().contains(QPointF(0, 50)));

        QUndoStack *undo = window.editedProject()->undoStack();
        while (undo->canUndo())
            undo->undo();
        QVERIFY(!window.stale());
        QVERIFY(!plan->picture().stale);
    }

    // A study opened with a field still to fill draws nothing until it is filled: then the
    // plan shows the whole system, not the empty plan's extent.
    void planFitsOnceTheOpenedStudyDraws() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("study.json"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"soil": {"rho": 100}, "current": 1000, "safety": {"body": 50},
                      "grids": [{"origin": [0, 0], "size": [70, 70], "conductors": [6, 6],
                                  "depth": 0.5, "diameter": 0.01}]})");
        file.close();
        EarthingStudyWindow window;
        window.show();
        QVERIFY(window.openFile(path));
        checked(window);
        auto *plan = window.findChild<PlanView *>(QStringLiteral("plan"));
        QVERIFY(plan->picture().conductors.empty());
        type(window, QStringLiteral("safety/duration"), QStringLiteral("0.5"));
        QVERIFY(!plan->picture().conductors.empty());
        QVERIFY2(plan->world().contains(QRectF(0, 0, 70, 70)),
                 qPrintable(QStringLiteral("%1 %2 %3 %4")
                                .arg(plan->world().x())
                                .arg(plan->world().y())
                                .arg(plan->world().width())
                                .arg(plan->world().height())));
    }

private:
    TestSettings m_settings;
    std::unique_ptr<ModuleScope> m_module;
};

QTEST_MAIN(TestEarthingStudyInputs)
#include "tst_earthingstudyinputs.moc"
