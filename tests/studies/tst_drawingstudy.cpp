// A study holding an imported drawing: the window lists it by its file's name, offers its
// name and connection, its conductors and rods as tables whose cells are edited, marked and
// added to as fields are, and keeps them through every edit and save; File > Import DXF
// brings a drawing in as one edit about the study's site origin, and File > Export DXF
// writes the solved study back at the site's coordinates.
#include "cad/DxfDrawing.h"
#include "document/SystemDocument.h"
#include "studies/earthing/DrawingRowsTable.h"
#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/PlanView.h"
#include "tests/studies/StudyWindowSteps.h"
#include "tests/support/ModalWatcher.h"
#include "tests/support/ModuleScope.h"
#include "tests/support/TestSettings.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
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

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// An L of two lines at 0.8 m below the surface (Z = -0.8) in metres at site coordinates,
// and a rod's circle at its corner on a layer of its own.
QByteArray siteDrawing(double x, double y) {
    const auto n = [](double v) { return QByteArray::number(v, 'f', 3); };
    return "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n6\n0\nENDSEC\n"
           "0\nSECTION\n2\nENTITIES\n"
           "0\nLINE\n8\nGRID\n10\n" +
           n(x) + "\n20\n" + n(y) + "\n30\n-0.8\n11\n" + n(x + 20) + "\n21\n" + n(y) +
           "\n31\n-0.8\n"
           "0\nLINE\n8\nGRID\n10\n" +
           n(x + 20) + "\n20\n" + n(y) + "\n30\n-0.8\n11\n" + n(x + 20) + "\n21\n" + n(y + 10) +
           "\n31\n-0.8\n"
           "0\nCIRCLE\n8\nRODS\n10\n" +
           n(x + 20) + "\n20\n" + n(y + 10) + "\n30\n0\n40\n0.008\n0\nENDSEC\n0\nEOF\n";
}

// Answers the file chooser with the path, then the import dialog with the layers' uses:
// GRID's conductors of 12 mm, RODS' rods of 3 m from 0.5 m.
void importThrough(ModalWatcher &watcher, const QString &path) {
    watcher.then([path](QDialog *shown) {
        auto *chooser = qobject_cast<QFileDialog *>(shown);
        QVERIFY(chooser);
        chooser->selectFile(path);
        shown->accept();
    });
    watcher.then([](QDialog *shown) {
        QCOMPARE(shown->metaObject()->className(), "DxfImportDialog");
        auto *table = shown->findChild<QTableWidget *>(QStringLiteral("layers"));
        QVERIFY(table);
        for (int row = 0; row < table->rowCount(); ++row) {
            const bool grid = table->item(row, 0)->text() == QLatin1String("GRID");
            table->item(row, 4)->setText(grid ? QStringLiteral("0.012") : QStringLiteral("0.016"));
            if (!grid) {
                table->item(row, 3)->setText(QStringLiteral("0.5"));
                table->item(row, 5)->setText(QStringLiteral("3"));
            }
        }
        QPushButton *ok = shown->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        QVERIFY(ok->isEnabled());
        ok->click();
    });
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

    // A cell typed into is the row's value, named in the edit; a value the document refuses is
    // marked at its cell; a row added is a copy of the one chosen, after it, and one undo
    // takes each away.
    void rowsEditedInTheirTables() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("study.json"));
        QVERIFY(writeFile(path, QJsonDocument(drawingDocument()).toJson()));
        EarthingStudyWindow window;
        window.show();
        QVERIFY(window.openFile(path));
        checked(window);
        window.selectPart(1);
        auto *conductors = window.findChild<QTableWidget *>(QStringLiteral("conductors"));
        auto *rods = window.findChild<QTableWidget *>(QStringLiteral("rods"));
        QVERIFY(conductors && rods);
        QCOMPARE(conductors->rowCount(), 2);
        QCOMPARE(conductors->columnCount(), 7);
        QCOMPARE(conductors->item(1, 4)->text(), QStringLiteral("7.25"));
        QCOMPARE(rods->item(0, 3)->text(), QStringLiteral("3"));

        const auto row = [&window](const char *key, int k) {
            return window.project().parts.at(1).json.value(QLatin1String(key)).toArray().at(k);
        };
        QUndoStack *undo = window.editedProject()->undoStack();
        conductors->item(0, 6)->setText(QStringLiteral("0.02"));
        checked(window);
        QCOMPARE(row("conductors", 0).toObject().value("diameter").toDouble(), 0.02);
        QCOMPARE(undo->undoText(), QStringLiteral("Change Conductor 1, Conductor diameter"));
        QVERIFY(window.sound());

        // A rod of no length: refused, and marked where it was typed.
        rods->item(0, 3)->setText(QStringLiteral("0"));
        checked(window);
        QVERIFY(!window.sound());
        const auto *rodTable = window.findChildren<DrawingRowsTable *>().at(1);
        QVERIFY(rodTable->marked(0, 3));
        QVERIFY(!rodTable->marked(0, 4));
        undo->undo();
        checked(window);
        QVERIFY(window.sound());
        QVERIFY(!rodTable->marked(0, 3));

        // A conductor above the surface: the solver's check points at its row's depths.
        conductors->item(1, 2)->setText(QStringLiteral("-0.3"));
        checked(window);
        const auto *conductorTable = window.findChildren<DrawingRowsTable *>().at(0);
        QVERIFY(conductorTable->marked(1, 2));
        QVERIFY(!conductorTable->marked(1, 5));
        QVERIFY(!conductorTable->marked(0, 2));
        undo->undo();
        checked(window);

        conductors->selectRow(0);
        click(window, "conductorsAdd");
        QCOMPARE(conductors->rowCount(), 3);
        QCOMPARE(row("conductors", 1), row("conductors", 0));
        QCOMPARE(undo->undoText(), QStringLiteral("Add conductor"));
        rods->clearSelection();
        click(window, "rodsRemove");
        QCOMPARE(rods->rowCount(), 0);
        QVERIFY(!window.findChild<QPushButton *>(QStringLiteral("rodsRemove"))->isEnabled());
        // An empty array takes a new rod's values.
        click(window, "rodsAdd");
        QCOMPARE(row("rods", 0).toObject().value("length").toDouble(),
                 StudyPart::made(Kind::Rods).json.value("length").toDouble());
        for (int k = 0; k < 5; ++k)
            undo->undo();
        checked(window);
        QCOMPARE(window.project().parts.at(1).json,
                 drawingDocument().value("drawings").toArray().at(0).toObject());
    }

    // Imported coordinates, a current worked out and a conductor's length are shown to the
    // millimetre and the ampere, never with a double's noise, and stay exact in the study
    // until typed over; a refusal's value still finds the cell that shows it rounded.
    void numbersShownWithoutNoise() {
        QJsonObject document = drawingDocument();
        document["current"] = 1967.796518011766;
        QJsonObject drawing = document["drawings"].toArray().at(0).toObject();
        QJsonArray conductors = drawing["conductors"].toArray();
        conductors[0] = QJsonObject{{"from", QJsonArray{30.000000000813735, 0, 0.6}},
                                    {"to", QJsonArray{42.5, 0, 0.6}},
                                    {"diameter", 0.012}};
        conductors[1] = QJsonObject{{"from", QJsonArray{42.5, 0, -0.30000000000000004}},
                                    {"to", QJsonArray{42.5, 12.299999999813735, 0.6}},
                                    {"diameter", 0.012}};
        drawing["conductors"] = conductors;
        document["drawings"] = QJsonArray{drawing};
        document["conductors"] = QJsonArray{QJsonObject{
            {"from", QJsonArray{0, 30, 0.5}}, {"to", QJsonArray{10, 40, 0.5}}, {"diameter", 0.01}}};
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("study.json"));
        QVERIFY(writeFile(path, QJsonDocument(document).toJson()));
        EarthingStudyWindow window;
        window.show();
        QVERIFY(window.openFile(path));
        checked(window);
        QCOMPARE(field(window, QStringLiteral("current"))->text(), QStringLiteral("1968"));
        auto *parts = window.findChild<QListView *>(QStringLiteral("parts"));
        QCOMPARE(parts->model()->index(0, 0).data().toString(),
                 QStringLiteral("Conductor 14.142 m")); // 10√2 m
        window.selectPart(2);
        auto *table = window.findChild<QTableWidget *>(QStringLiteral("conductors"));
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("30"));
        QCOMPARE(table->item(1, 2)->text(), QStringLiteral("-0.3"));
        QCOMPARE(table->item(1, 4)->text(), QStringLiteral("12.3"));
        // The conductor above the surface: its depth is marked, the other end's not.
        const auto *rows = window.findChildren<DrawingRowsTable *>().at(0);
        QVERIFY(rows->marked(1, 2));
        QVERIFY(!rows->marked(1, 5));
        QVERIFY(!window.isWindowModified());
        QCOMPARE(window.project().rest.value("current").toDouble(), 1967.796518011766);
        QCOMPARE(window.project().parts.at(2).json.value("conductors").toArray(), conductors);
    }

    // File > Import DXF: a drawing at site coordinates comes in about the study's site
    // origin as a part of its own, all in one edit; a study without one takes the drawing's.
    void importedAboutTheSiteOrigin() {
        QTemporaryDir folder;
        const QString study = folder.filePath(QStringLiteral("study.json"));
        const QString drawing = folder.filePath(QStringLiteral("annex.dxf"));
        QVERIFY(writeFile(study, QJsonDocument(drawingDocument()).toJson()));
        QVERIFY(writeFile(drawing, siteDrawing(500150, 4000420)));
        EarthingStudyWindow window;
        window.show();
        QVERIFY(window.openFile(study));
        checked(window);
        QAction *import = window.findChild<QAction *>(QStringLiteral("importDxf"));
        QVERIFY(import);
        {
            ModalWatcher watcher;
            importThrough(watcher, drawing);
            import->trigger();
            QCOMPARE(watcher.messages(), QStringList());
        }
        checked(window);
        QCOMPARE(window.project().parts.size(), 3);
        const QJsonObject part = window.project().parts.at(2).json;
        QCOMPARE(part.value("name"), QJsonValue("annex.dxf"));
        const QJsonArray conductors = part.value("conductors").toArray();
        QCOMPARE(conductors.size(), 2);
        // 500150 less the study's 500100; the depth from Z.
        const QJsonArray from = conductors.at(0).toObject().value("from").toArray();
        QCOMPARE(from.at(0).toDouble(), 50.0);
        QCOMPARE(from.at(1).toDouble(), 20.0);
        QCOMPARE(from.at(2).toDouble(), 0.8);
        QCOMPARE(part.value("rods").toArray().size(), 1);
        QCOMPARE(window.project().rest.value("site_origin"),
                 drawingDocument().value("site_origin"));
        QVERIFY(window.sound());
        window.editedProject()->undoStack()->undo();
        QCOMPARE(window.project().parts.size(), 2);

        // A new study takes the drawing's origin, so its parts lie near 0, 0.
        EarthingStudyWindow fresh;
        fresh.show();
        checked(fresh);
        // Written as the lowest version that holds it: 2 only once it has a drawing.
        QCOMPARE(fresh.project().document().value("version").toInt(), 1);
        {
            ModalWatcher watcher;
            importThrough(watcher, drawing);
            fresh.findChild<QAction *>(QStringLiteral("importDxf"))->trigger();
        }
        checked(fresh);
        QCOMPARE(fresh.project().document().value("version").toInt(), 2);
        const QJsonObject origin = fresh.project().rest.value("site_origin").toObject();
        const QJsonArray first = fresh.project()
                                     .parts.last()
                                     .json.value("conductors")
                                     .toArray()
                                     .at(0)
                                     .toObject()
                                     .value("from")
                                     .toArray();
        QCOMPARE(first.at(0).toDouble() + origin.value("x").toDouble(), 500150.0);
        QCOMPARE(first.at(1).toDouble() + origin.value("y").toDouble(), 4000420.0);
        QVERIFY(first.at(0).toDouble() >= 0 && first.at(0).toDouble() < 1000);
        QVERIFY(first.at(1).toDouble() >= 0 && first.at(1).toDouble() < 1000);
        // The plan shows what came in: the L's far corner, 20 m along and 10 m up.
        const QPointF corner(first.at(0).toDouble() + 20, first.at(1).toDouble() + 10);
        QVERIFY2(fresh.plan()->world().contains(corner),
                 qPrintable(QStringLiteral("%1 %2").arg(corner.x()).arg(corner.y())));
    }

    // Unsolved, the export says why not and writes nothing; solved, the drawing holds the
    // conductors at site coordinates, as a CAD program reads them.
    void exportedAtSiteCoordinates() {
        QTemporaryDir folder;
        const QString study = folder.filePath(QStringLiteral("study.json"));
        const QString drawing = folder.filePath(QStringLiteral("solved.dxf"));
        QVERIFY(writeFile(study, QJsonDocument(drawingDocument()).toJson()));
        EarthingStudyWindow window;
        window.show();
        QVERIFY(window.openFile(study));
        checked(window);
        QAction *exportDxf = window.findChild<QAction *>(QStringLiteral("exportDxf"));
        QVERIFY(exportDxf);
        {
            ModalWatcher watcher;
            exportDxf->trigger();
            QCOMPARE(watcher.messages(),
                     QStringList{
                         QStringLiteral("Solve the study first: the drawing holds its results.")});
        }
        QVERIFY(!QFile::exists(drawing));
        QVERIFY(solved(window));
        {
            ModalWatcher watcher;
            watcher.then([drawing](QDialog *shown) {
                auto *chooser = qobject_cast<QFileDialog *>(shown);
                QVERIFY(chooser);
                QCOMPARE(chooser->acceptMode(), QFileDialog::AcceptSave);
                chooser->selectFile(drawing);
                shown->accept();
            });
            exportDxf->trigger();
            QCOMPARE(watcher.messages(), QStringList());
        }
        const tav::Refusable<tav::cad::DxfDrawing> read =
            tav::cad::DxfDrawing::read(QFile::encodeName(drawing).toStdString());
        QVERIFY(!read.refused());
        // The drawing's first conductor, from (30, 0) about the origin, 0.6 m deep.
        bool found = false;
        for (const tav::cad::DxfPolyline &line : read.result().polylines())
            for (const tav::cad::DxfVertex &v : line.vertices)
                found = found || (std::abs(v.x - 500130) < 1e-3 && std::abs(v.y - 4000400) < 1e-3 &&
                                  std::abs(v.z + 0.6) < 1e-3);
        QVERIFY(found);
    }

private:
    TestSettings m_settings;
    std::unique_ptr<ModuleScope> m_module;
};

QTEST_MAIN(TestDrawingStudy)
#include "tst_drawingstudy.moc"
