// The earthing study's edits as commands: each kind changes the document as asked, is
// named as the Edit menu shows it, and undoes and redoes to exactly the document it found
// and made; keystrokes in one field make one command; modified is the stack's clean state.
#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/InputProblem.h"
#include "studies/earthing/PartRemoval.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ModuleScope.h"
#include "tests/support/ShippedWording.h"
#include "text/StringIds.h"

#include <QJsonArray>
#include <QMessageBox>
#include <QPushButton>
#include <QUndoStack>
#include <QtTest>

#include <functional>

using namespace StringId::EarthingStudy;
using Kind = StudyPart::Kind;
using Rods = EarthingProject::GridRods;

namespace {

using Edit = std::function<void(EarthingProject &)>;
using Check = std::function<bool(const StudyProject &)>;

// A grid, a second grid, a ring and a fence over uniform soil.
StudyProject start() {
    StudyProject p = StudyProject::made();
    p.parts.append(StudyPart::made(Kind::Grid));
    p.parts[1].json[QStringLiteral("origin")] = QJsonArray{40, 0};
    p.parts.append(StudyPart::made(Kind::Ring));
    p.parts.append(StudyPart::made(Kind::Fence));
    return p;
}

QString named(unsigned command, unsigned what) {
    return shippedText(command).arg(shippedText(what));
}

QJsonValue at(const StudyProject &p, int part, const char *key) {
    return p.parts.at(part).json.value(QLatin1String(key));
}

QJsonObject soil(const StudyProject &p) {
    return p.rest.value(QStringLiteral("soil")).toObject();
}

QJsonObject safety(const StudyProject &p) {
    return p.rest.value(QStringLiteral("safety")).toObject();
}

QJsonObject settings(const StudyProject &p) {
    return p.rest.value(QStringLiteral("study_window")).toObject();
}

} // namespace

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Check)

class TestEarthingProject : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        QVERIFY(m_module->loaded());
    }
    void cleanup() { m_module.reset(); }

    void eachCommandUndoesAndRedoes_data() {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("name");
        QTest::addColumn<Check>("done");
        QTest::newRow("a part's field")
            << Edit([](EarthingProject &p) {
                   p.setValue(1, QStringLiteral("size/0"), 35, shippedText(kSideX));
               })
            << QStringLiteral("Change Side along x")
            << Check([](const StudyProject &d) {
                   return at(d, 1, "size").toArray() == QJsonArray{35, 20};
               });
        QTest::newRow("an input field")
            << Edit([](EarthingProject &p) {
                   p.setValue(-1, QStringLiteral("current"), 2500, shippedText(kCurrent));
               })
            << QStringLiteral("Change Current to earth")
            << Check([](const StudyProject &d) {
                   return d.rest.value(QStringLiteral("current")) == 2500;
               });
        QTest::newRow("a field emptied")
            << Edit([](EarthingProject &p) {
                   p.setValue(0, QStringLiteral("depth"), QJsonValue(QJsonValue::Undefined),
                              shippedText(kDepth));
               })
            << QStringLiteral("Change Depth")
            << Check([](const StudyProject &d) { return !d.parts[0].json.contains(QStringLiteral("depth")); });
        QTest::newRow("add") << Edit([](EarthingProject &p) { p.addPart(Kind::Rods); })
                             << named(kAddCommand, kKindRods)
                             << Check([](const StudyProject &d) {
                                    // After the grids, before the ring: the solver's order.
                                    return d.parts.size() == 5 && d.parts[2].kind == Kind::Rods;
                                });
        QTest::newRow("remove") << Edit([](EarthingProject &p) { p.removePart(2); })
                                << named(kRemoveCommand, kKindRing)
                                << Check([](const StudyProject &d) {
                                       return d.parts.size() == 3 && d.parts[2].kind == Kind::Fence;
                                   });
        QTest::newRow("move") << Edit([](EarthingProject &p) { QVERIFY(p.movePart(1, -1)); })
                              << named(kMoveCommand, kKindGrid)
                              << Check([](const StudyProject &d) {
                                     return at(d, 0, "origin").toArray() == QJsonArray{40, 0};
                                 });
        QTest::newRow("floating") << Edit([](EarthingProject &p) { p.setFloating(2, true); })
                                  << named(kChangeCommand, kConnection)
                                  << Check([](const StudyProject &d) {
                                         return at(d, 2, "group") == 1 && d.parts[2].floating();
                                     });
        QTest::newRow("fence bonded") << Edit([](EarthingProject &p) { p.setFloating(3, false); })
                                      << named(kChangeCommand, kConnection)
                                      << Check([](const StudyProject &d) { return at(d, 3, "group") == 0; });
        QTest::newRow("rods along the edge")
            << Edit([](EarthingProject &p) { p.setGridRods(0, Rods::Edge); })
            << named(kChangeCommand, kGridRods)
            << Check([](const StudyProject &d) {
                   const QJsonObject r = at(d, 0, "rods").toObject();
                   return r.value(QStringLiteral("count")).toInt() > 0 &&
                          r.value(QStringLiteral("length")) == 3 &&
                          r.value(QStringLiteral("diameter")) == 0.016 &&
                          !r.contains(QStringLiteral("corners"));
               });
        QTest::newRow("rods at the corners")
            << Edit([](EarthingProject &p) { p.setGridRods(0, Rods::Corners); })
            << named(kChangeCommand, kGridRods)
            << Check([](const StudyProject &d) {
                   const QJsonObject r = at(d, 0, "rods").toObject();
                   return r.value(QStringLiteral("corners")) == true &&
                          !r.contains(QStringLiteral("count"));
               });
        QTest::newRow("two layers")
            << Edit([](EarthingProject &p) { p.setSoilLayered(true); })
            << named(kChangeCommand, kSoil)
            << Check([](const StudyProject &d) {
                   return soil(d) == QJsonObject{{QStringLiteral("rho1"), 100}} &&
                          StudyProject::soilLayered(soil(d));
               });
        // The uniform soil's resistivity on top, the rest to be typed.
        QTest::newRow("a list of layers")
            << Edit([](EarthingProject &p) { p.setSoilShape(StudySoil::Shape::Layers); })
            << named(kChangeCommand, kSoil) << Check([](const StudyProject &d) {
                   const QJsonArray layers{QJsonObject{{QStringLiteral("rho"), 100},
                                                       {QStringLiteral("thickness"), QJsonValue()}},
                                           QJsonObject{{QStringLiteral("rho"), QJsonValue()}}};
                   return soil(d) == QJsonObject{{QStringLiteral("layers"), layers}};
               });
        QTest::newRow("surface layer")
            << Edit([](EarthingProject &p) { p.setSurface(true); })
            << named(kChangeCommand, kSurface)
            << Check([](const StudyProject &d) {
                   return safety(d).value(QStringLiteral("surface")).isObject();
               });
        QTest::newRow("body weight") << Edit([](EarthingProject &p) { p.setBodyWeight(50); })
                                     << QStringLiteral("Change Body weight")
                                     << Check([](const StudyProject &d) {
                                            return safety(d).value(QStringLiteral("body")) == 50;
                                        });
        QTest::newRow("map") << Edit([](EarthingProject &p) { p.setMap(QStringLiteral("step")); })
                             << QStringLiteral("Change Map") << Check([](const StudyProject &d) {
                                    return settings(d).value(QStringLiteral("map")) == QStringLiteral("step");
                                });
        QTest::newRow("profile")
            << Edit([](EarthingProject &p) { p.setProfile(QLineF(-5, 1, 25, 1)); })
            << shippedText(kProfileCommand) << Check([](const StudyProject &d) {
                   return settings(d).value(QStringLiteral("profile")).toArray() ==
                          QJsonArray{-5, 1, 25, 1};
               });
    }
    void eachCommandUndoesAndRedoes() {
        QFETCH(Edit, edit);
        QFETCH(QString, name);
        QFETCH(Check, done);
        EarthingProject project;
        project.reset(start(), true);
        const QByteArray before = project.document().toJson();
        QSignalSpy changed(&project, &EarthingProject::changed);
        edit(project);
        QCOMPARE(project.undoStack()->count(), 1);
        QCOMPARE(project.undoStack()->undoText(), name);
        QVERIFY(done(project.document()));
        QVERIFY(project.isModified());
        const QByteArray after = project.document().toJson();
        QVERIFY(after != before);
        project.undoStack()->undo();
        QCOMPARE(project.document().toJson(), before);
        QVERIFY(!project.isModified());
        project.undoStack()->redo();
        QCOMPARE(project.document().toJson(), after);
        QCOMPARE(changed.count(), 3);
    }

    // Typing "3", "35", "35.5" in one field is one command; another field is another.
    void keystrokesInOneFieldAreOneCommand() {
        EarthingProject project;
        project.reset(start(), true);
        const QByteArray before = project.document().toJson();
        const QString path = QStringLiteral("size/0");
        for (double typed : {3.0, 35.0, 35.5})
            project.setValue(0, path, typed, shippedText(kSideX));
        QCOMPARE(project.undoStack()->count(), 1);
        project.setValue(0, QStringLiteral("size/1"), 12, shippedText(kSideY));
        project.setValue(0, path, 36, shippedText(kSideX));
        QCOMPARE(project.undoStack()->count(), 3);
        project.undoStack()->undo();
        project.undoStack()->undo();
        QCOMPARE(at(project.document(), 0, "size").toArray(), (QJsonArray{35.5, 20}));
        project.undoStack()->undo();
        QCOMPARE(project.document().toJson(), before);
    }

    // Typed back to what it was, the field leaves nothing to undo and the study unmodified.
    void typedBackLeavesNothingToUndo() {
        EarthingProject project;
        project.reset(start(), true);
        project.setValue(0, QStringLiteral("depth"), 0.8, shippedText(kDepth));
        project.setValue(0, QStringLiteral("depth"), 0.5, shippedText(kDepth));
        QCOMPARE(project.undoStack()->count(), 0);
        QVERIFY(!project.isModified());
    }

    // Saved is the clean state: an edit after a save is modified, its undo is not; a
    // study handed on is modified until it is saved, whatever is undone.
    void modifiedIsTheCleanState() {
        EarthingProject project;
        project.reset(start(), true);
        project.setValue(-1, QStringLiteral("current"), 10, shippedText(kCurrent));
        project.markSaved();
        QVERIFY(!project.isModified());
        project.setValue(-1, QStringLiteral("current"), 20, shippedText(kCurrent));
        QVERIFY(project.isModified());
        project.undoStack()->undo();
        QVERIFY(!project.isModified());
        project.undoStack()->undo();
        QVERIFY(project.isModified());

        project.reset(start(), false);
        QVERIFY(project.isModified());
        project.setValue(-1, QStringLiteral("current"), 20, shippedText(kCurrent));
        project.undoStack()->undo();
        QVERIFY(project.isModified());
    }

    // A part moves only among its kind: the solver numbers the kinds in their order.
    void aPartMovesOnlyAmongItsKind() {
        EarthingProject project;
        project.reset(start(), true);
        QVERIFY(!project.movePart(1, 1)); // a grid past the ring
        QVERIFY(!project.movePart(0, -1));
        QVERIFY(!project.movePart(3, 1));
        QCOMPARE(project.undoStack()->count(), 0);
    }

    // Removing a part a touch area stands on alone asks first: No removes nothing, Yes
    // the part and the area in one edit, which one undo gives back.
    void removalAsksForTheAreasOnItsGroup() {
        StudyProject p = start();
        p.setFloating(2, true); // the ring, group 1
        StudyPart area = StudyPart::made(Kind::TouchArea);
        area.json[QStringLiteral("group")] = 1;
        p.insert(area);
        EarthingProject project;
        project.reset(p, true);
        QWidget owner;
        ModalWatcher watcher;
        watcher.then(
            [](QDialog *d) { qobject_cast<QMessageBox *>(d)->button(QMessageBox::No)->click(); });
        QVERIFY(!PartRemoval::run(&owner, &project, 2));
        QCOMPARE(project.document().parts.size(), 5);
        QCOMPARE(watcher.messages().size(), 1);
        QVERIFY2(watcher.messages().first().endsWith(
                     QStringLiteral(" is the only metal of its group, on which touch areas or "
                                    "points stand (1). Remove them with it?")),
                 qPrintable(watcher.messages().first()));
        watcher.then(
            [](QDialog *d) { qobject_cast<QMessageBox *>(d)->button(QMessageBox::Yes)->click(); });
        QVERIFY(PartRemoval::run(&owner, &project, 2));
        QCOMPARE(project.document().parts.size(), 3);
        QCOMPARE(project.undoStack()->count(), 1);
        project.undoStack()->undo();
        QCOMPARE(project.document().document(), p.document());
        // The grid's group 0 stays with the other grid: nothing to ask.
        QVERIFY(PartRemoval::run(&owner, &project, 0));
        QCOMPARE(watcher.messages().size(), 2);
        QCOMPARE(project.document().parts.size(), 4);
    }

    // The soil keeps one shape: a value typed for the uniform soil takes out the layers
    // (soil-model's list of them too) and what tav-calc soil-model said of its fit, an
    // emptied one stays as null.
    void theSoilKeepsOneShape() {
        StudyProject fitted = start();
        fitted.rest[QStringLiteral("soil")] = QJsonObject{
            {QStringLiteral("rho1"), 80},
            {QStringLiteral("rho2"), 80},
            {QStringLiteral("h"), QJsonValue()},
            {QStringLiteral("layered"), false},
            {QStringLiteral("rms_percent"), 1.5},
            {QStringLiteral("layers"), QJsonArray{QJsonObject{{QStringLiteral("rho"), 80}}}}};
        EarthingProject project;
        project.reset(fitted, true);
        QVERIFY(!StudyProject::soilLayered(soil(project.document())));
        project.setValue(-1, QStringLiteral("soil/rho"), 90, shippedText(kRho));
        QCOMPARE(soil(project.document()),
                 (QJsonObject{{QStringLiteral("rho"), 90}, {QStringLiteral("rms_percent"), 1.5}}));
        project.setValue(-1, QStringLiteral("soil/rho"), QJsonValue(QJsonValue::Undefined),
                         shippedText(kRho));
        QVERIFY(soil(project.document()).value(QStringLiteral("rho")).isNull());
        QVERIFY(!StudyProject::soilLayered(soil(project.document())));
        project.setSoilLayered(true);
        project.setValue(-1, QStringLiteral("soil/rho1"), QJsonValue(QJsonValue::Undefined),
                         shippedText(kRho1));
        QVERIFY(StudyProject::soilLayered(soil(project.document())));
    }

    // The solver's check refuses a layer by its number from 1; the window marks its cell.
    void layerRefusalPointsAtItsCell_data() {
        QTest::addColumn<int>("quantity");
        QTest::addColumn<double>("layer");
        QTest::addColumn<QString>("path");
        QTest::newRow("the third's resistivity")
            << int(tav::Quantity::LayerResistivity) << 3. << "soil.layers[2].rho";
        QTest::newRow("the first's thickness")
            << int(tav::Quantity::LayerThickness) << 1. << "soil.layers[0].thickness";
    }
    void layerRefusalPointsAtItsCell() {
        QFETCH(int, quantity);
        QFETCH(double, layer);
        QFETCH(QString, path);
        const tav::Refusal refusal{
            tav::Error::LayerNotPositive, tav::Quantity(quantity), {layer, 0}};
        const InputProblem problem = InputProblem::ofRefusal(StudyProject::made(), {}, refusal);
        QCOMPARE(problem.part, -1);
        QCOMPARE(problem.path, path);
        QVERIFY2(problem.why.contains(QStringLiteral("of layer %1").arg(layer)),
                 qPrintable(problem.why));
    }

private:
    std::unique_ptr<ModuleScope> m_module;
};

QTEST_MAIN(TestEarthingProject)
#include "tst_earthingproject.moc"
