// A study holding an imported drawing: the window lists it by its file's name, offers its
// name and connection, and keeps its conductors and rods, which it does not edit, through
// every edit and save.
#include "document/SystemDocument.h"
#include "studies/earthing/EarthingProject.h"
#include "tests/studies/StudyWindowSteps.h"
#include "tests/support/ModuleScope.h"
#include "tests/support/TestSettings.h"

#include <QAbstractItemView>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include <memory>

using namespace studysteps;

namespace {

// A grid, and a drawing of a conductor and a rod beside it, both energised.
QJsonObject drawingDocument() {
    QJsonObject grid = StudyPart::made(Kind::Grid).json;
    const QJsonArray conductors{QJsonObject{{"from", QJsonArray{30, 0, 0.6}},
                                            {"to", QJsonArray{42.5, 0, 0.6}},
                                            {"diameter", 0.012}},
                                QJsonObject{{"from", QJsonArray{42.5, 0, 0.6}},
                                            {"to", QJsonArray{42.5, 7.25, 0.6}},
                                            {"diameter", 0.012}}};
    const QJsonArray rods{QJsonObject{
        {"at", QJsonArray{42.5, 7.25}}, {"top", 0.6}, {"length", 3}, {"diameter", 0.016}}};
    return {{"version", 2},
            {"soil", QJsonObject{{"rho", 100}}},
            {"current", 1000},
            {"safety", QJsonObject{{"duration", 0.5}, {"body", 50}, {"surface", QJsonValue()}}},
            {"grids", QJsonArray{grid}},
            {"drawings",
             QJsonArray{QJsonObject{
                 {"name", "yard.dxf"}, {"group", 0}, {"conductors", conductors}, {"rods", rods}}}},
            {"site_origin", QJsonObject{{"x", 500100}, {"y", 4000400}}}};
}

QJsonObject readJson(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                          : QJsonObject();
}

} // namespace

class TestDrawingStudy : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_settings.valid()); }
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        QVERIFY(m_module->loaded());
    }
    void cleanup() { m_module.reset(); }

    void renamedDrawingKeepsItsRows() {
        const QJsonObject document = drawingDocument();
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("study.json"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(document).toJson());
        file.close();

        EarthingStudyWindow window;
        window.show();
        QVERIFY(window.openFile(path));
        checked(window);
        QVERIFY(window.sound());
        // Listed by its file's name, after the grid.
        const auto *list = window.findChild<QAbstractItemView *>(QStringLiteral("parts"));
        QVERIFY(list);
        QCOMPARE(list->model()->rowCount(), 2);
        QCOMPARE(list->model()->index(1, 0).data().toString(), QStringLiteral("yard.dxf"));

        window.selectPart(1);
        QVERIFY(field(window, QStringLiteral("name")));
        type(window, QStringLiteral("name"), QStringLiteral("north yard"));
        choose(window, "connection", 1); // floating
        QVERIFY(window.saveTo(path));

        const QJsonObject saved = readJson(path);
        const QJsonObject before = document.value("drawings").toArray().at(0).toObject();
        const QJsonObject after = saved.value("drawings").toArray().at(0).toObject();
        QCOMPARE(after.value("name"), QJsonValue("north yard"));
        QVERIFY(after.value("group").toInt() != 0);
        QCOMPARE(after.value("conductors"), before.value("conductors"));
        QCOMPARE(after.value("rods"), before.value("rods"));
        QCOMPARE(saved.value("site_origin"), document.value("site_origin"));
        QCOMPARE(saved.value("grids"), document.value("grids"));
        // What is saved is a sound document, its rows as drawn.
        tav::DocumentError error;
        const tav::SystemDocument read =
            tav::SystemDocument::fromJson(QJsonDocument(saved).toJson(), error);
        QCOMPARE(error.kind, tav::DocumentError::Kind::None);
        QCOMPARE(read.drawings.at(0).conductors.size(), std::size_t(2));
        QCOMPARE(read.drawings.at(0).rods.at(0).length, 3.0);
    }

    // Undone, the edits give back the drawing as opened.
    void undoneGivesBackTheDrawing() {
        tav::DocumentError error;
        const std::optional<StudyProject> opened =
            StudyProject::fromJson(QJsonDocument(drawingDocument()).toJson(), error);
        QVERIFY(opened);
        EarthingProject edited;
        edited.reset(*opened, true);
        const QJsonObject before = edited.document().parts.at(1).json;
        edited.setValue(1, QStringLiteral("name"), QStringLiteral("renamed"),
                        QStringLiteral("Name"));
        edited.setFloating(1, true);
        QCOMPARE(edited.document().parts.at(1).json.value("conductors"),
                 before.value("conductors"));
        edited.undoStack()->undo();
        edited.undoStack()->undo();
        QCOMPARE(edited.document().parts.at(1).json, before);
        QVERIFY(!edited.isModified());
    }

private:
    TestSettings m_settings;
    std::unique_ptr<ModuleScope> m_module;
};

QTEST_MAIN(TestDrawingStudy)
#include "tst_drawingstudy.moc"
