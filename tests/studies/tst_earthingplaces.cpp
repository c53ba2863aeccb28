// Where people stand, in the earthing study window: the criteria and where the surface
// layer lies are undoable edits that reach the document, a touch area drawn on the plan is
// one part, and a solved study lists every touch area, the floating fence's among them,
// with the step and the overall verdict.
#include "document/SystemDocument.h"
#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/earthing/PlanView.h"
#include "studies/earthing/ProfileView.h"
#include "studies/earthing/editor/PlanEditor.h"
#include "tests/support/ModuleScope.h"
#include "tests/support/TestSettings.h"

#include <QComboBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QUndoStack>
#include <QtTest>

#include <set>

namespace {

// The study as typed is checked off the interface thread.
void checked(const EarthingStudyWindow &w) {
    QTRY_VERIFY(!w.checking());
}

void choose(const EarthingStudyWindow &w, const char *name, int index) {
    auto *combo = w.findChild<QComboBox *>(QLatin1String(name));
    QVERIFY2(combo, name);
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
    checked(w);
}

QJsonObject safety(const EarthingStudyWindow &w) {
    return w.project().rest.value(QStringLiteral("safety")).toObject();
}

std::optional<tav::SystemDocument> read(const EarthingStudyWindow &w) {
    tav::DocumentError error;
    tav::SystemDocument d = tav::SystemDocument::fromJson(w.project().toJson(), error);
    if (error.kind != tav::DocumentError::Kind::None)
        return std::nullopt;
    return d;
}

// A 70 m grid with a fence 3 m outside it, of its own group, under a surface layer.
StudyProject substation(const QByteArray &search = QByteArray()) {
    tav::DocumentError error;
    const auto p = StudyProject::fromJson(
        R"({"soil": {"rho": 200}, "current": 1000,
            "grids": [{"origin": [0, 0], "size": [70, 70], "conductors": [3, 3], "depth": 0.5, "diameter": 0.01}],
            "fences": [{"distance": 3, "posts": {"spacing": 12, "length": 1, "diameter": 0.06}}],
            "safety": {"duration": 0.5, "body": 70, "surface": {"rho": 2500, "thickness": 0.1}})" +
            search + "}",
        error);
    if (!p)
        qFatal("the study was refused");
    return *p;
}

using Corners = std::set<std::pair<double, double>>;

Corners corners(const QJsonValue &polygon) {
    Corners out;
    for (const QJsonValue &p : polygon.toArray())
        out.insert({p[0].toDouble(), p[1].toDouble()});
    return out;
}

} // namespace

class TestEarthingPlaces : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_settings.valid()); }
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        QVERIFY(m_module->loaded());
    }
    void cleanup() { m_module.reset(); }

    // EN 50522 shows the footwear in place of the body weight; each step is an edit of the
    // document, and undone gives back IEEE Std 80's.
    void criteriaChoiceIsUndoable() {
        EarthingStudyWindow window(substation());
        window.show();
        checked(window);
        auto *body = window.findChild<QComboBox *>(QStringLiteral("bodyWeight"));
        QLineEdit *footwear = window.findChild<QLineEdit *>(QStringLiteral("safety/footwear"));
        QVERIFY(body && footwear);
        QVERIFY(body->isVisibleTo(&window) && !footwear->isVisibleTo(&window));
        choose(window, "criteria", 1);
        QCOMPARE(safety(window).value(QStringLiteral("criteria")).toString(),
                 QStringLiteral("en50522"));
        QVERIFY(!body->isVisibleTo(&window) && footwear->isVisibleTo(&window));
        footwear->selectAll();
        QTest::keyClicks(footwear, QStringLiteral("2000"));
        checked(window);
        QCOMPARE(safety(window).value(QStringLiteral("footwear")).toDouble(), 2000.0);
        std::optional<tav::SystemDocument> d = read(window);
        QVERIFY(d && d->safety);
        QCOMPARE(d->safety->criteria, tav::Criteria::En50522);
        QCOMPARE(d->safety->footwear, 2000.0);

        QUndoStack *undo = window.editedProject()->undoStack();
        undo->undo(); // the footwear
        QVERIFY(!safety(window).contains(QStringLiteral("footwear")));
        undo->undo(); // the criteria
        QCOMPARE(window.findChild<QComboBox *>(QStringLiteral("criteria"))->currentIndex(), 0);
        QVERIFY(body->isVisibleTo(&window));
        d = read(window);
        QVERIFY(d && d->safety);
        QCOMPARE(d->safety->criteria, tav::Criteria::Ieee80);
        undo->redo();
        QCOMPARE(read(window)->safety->criteria, tav::Criteria::En50522);
    }

    // The fence 3 m outside the 70 m grid stands on (-3, -3) to (73, 73); the grids' outline
    // is the grid's own square. Everywhere takes the polygon out; each choice one undo.
    void surfaceZoneTakesThePartsCorners_data() {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<Corners>("expected");
        QTest::newRow("inside the fence")
            << 1 << "fence" << Corners{{-3, -3}, {73, -3}, {73, 73}, {-3, 73}};
        QTest::newRow("the grids' outline")
            << 2 << "grids" << Corners{{0, 0}, {70, 0}, {70, 70}, {0, 70}};
    }
    void surfaceZoneTakesThePartsCorners() {
        QFETCH(int, choice);
        QFETCH(QString, zone);
        QFETCH(Corners, expected);
        EarthingStudyWindow window(substation());
        window.show();
        checked(window);
        choose(window, "surfaceZone", choice);
        const QJsonObject surface = safety(window).value(QStringLiteral("surface")).toObject();
        QCOMPARE(corners(surface.value(QStringLiteral("area"))), expected);
        QCOMPARE(EarthingProject::surfaceZone(window.project().rest), zone);
        const std::optional<tav::SystemDocument> d = read(window);
        QVERIFY(d);
        QCOMPARE(int(d->surfaceZone.size()), 4);
        QCOMPARE(window.findChild<QComboBox *>(QStringLiteral("surfaceZone"))->currentIndex(),
                 choice);
        choose(window, "surfaceZone", 0);
        QVERIFY(!safety(window)
                     .value(QStringLiteral("surface"))
                     .toObject()
                     .contains(QStringLiteral("area")));
        window.editedProject()->undoStack()->undo();
        QCOMPARE(EarthingProject::surfaceZone(window.project().rest), zone);
    }

    // A zone drawn for a study without a surface layer brings the layer, with a new
    // study's 2500 ohm m and 0.1 m, so that the document it leaves is one that reads.
    void zoneBringsItsLayer() {
        tav::DocumentError error;
        const auto bare = StudyProject::fromJson(
            R"({"soil": {"rho": 200}, "current": 1000,
                "grids": [{"size": [20, 20], "conductors": [3, 3], "depth": 0.5, "diameter": 0.01}],
                "safety": {"duration": 0.5}})",
            error);
        QVERIFY(bare);
        EarthingStudyWindow window(*bare);
        window.editedProject()->setSurfaceZone(
            QStringLiteral("drawn"),
            QJsonArray{QJsonArray{0, 0}, QJsonArray{10, 0}, QJsonArray{10, 10}});
        const QJsonObject surface = safety(window).value(QStringLiteral("surface")).toObject();
        QCOMPARE(surface.value(QStringLiteral("rho")).toDouble(), 2500.);
        QCOMPARE(surface.value(QStringLiteral("thickness")).toDouble(), 0.1);
        QVERIFY(read(window));
        window.editedProject()->setSurfaceZone(QStringLiteral("everywhere"), {});
        QVERIFY(read(window));
    }

    // Three clicks and Enter: one touch area of those corners, taken back by one undo;
    // Escape drops a polygon half drawn.
    void touchAreaDrawnOnThePlan() {
        EarthingStudyWindow window(substation());
        window.show();
        checked(window);
        const int parts = window.project().parts.size();
        PlanView *plan = window.plan();
        const QList<QPoint> clicks{{60, 60}, {160, 70}, {110, 150}};
        // Where clicked, to the centimetre: nothing snapped.
        window.planEditor()->snapper().toGrid = false;
        window.planEditor()->snapper().toMetal = false;
        window.drawTouchArea();
        for (const QPoint &p : clicks)
            QTest::mouseClick(plan, Qt::LeftButton, {}, p);
        QTest::keyClick(plan, Qt::Key_Return);
        checked(window);
        QCOMPARE(window.project().parts.size(), parts + 1);
        const StudyPart &added = window.project().parts.last();
        QCOMPARE(added.kind, StudyPart::Kind::TouchArea);
        const QJsonArray polygon = added.json.value(QStringLiteral("polygon")).toArray();
        QCOMPARE(polygon.size(), 3);
        for (int k = 0; k < 3; ++k) {
            const QPointF at = plan->toWorld(clicks[k]);
            QVERIFY(std::abs(polygon[k][0].toDouble() - at.x()) <= 0.005);
            QVERIFY(std::abs(polygon[k][1].toDouble() - at.y()) <= 0.005);
        }
        QVERIFY(read(window));
        window.editedProject()->undoStack()->undo();
        QCOMPARE(window.project().parts.size(), parts);

        window.drawTouchArea();
        QTest::mouseClick(plan, Qt::LeftButton, {}, clicks[0]);
        QTest::mouseClick(plan, Qt::LeftButton, {}, clicks[1]);
        QTest::keyClick(plan, Qt::Key_Escape);
        QVERIFY(!window.planEditor()->isDrawing());
        QVERIFY(window.isVisible()); // Escape left the drawing, not the window
        QCOMPARE(window.project().parts.size(), parts);
    }

    // Solved, the results hold a row for the grid, one for the floating fence and one for
    // the step, each with its verdict, and the overall verdict. A coarse search and long
    // segments keep the solve short.
    void placesListedOnceSolved() {
        EarthingStudyWindow window(substation(R"(, "search": {"step": 2}, "segment_length": 12)"));
        window.show();
        checked(window);
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("solve")), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return window.result() && !window.solving(); }, 120000));
        auto *places = window.findChild<QTableWidget *>(QStringLiteral("places"));
        QVERIFY(places);
        QStringList names;
        for (int r = 0; r < places->rowCount(); ++r) {
            names.append(places->item(r, 0)->text());
            QVERIFY2(!places->item(r, 5)->text().isEmpty(), qPrintable(names.last()));
        }
        QCOMPARE(names, (QStringList{"Grid 1", "Fence 1", "Step"}));
        // The fence's metal is its own group's: its touch is against its own potential,
        // far below the grid's rise.
        QVERIFY(places->item(1, 1)->text().toDouble() < window.result()->gpr);
        bool overall = false;
        for (const QLabel *label : window.findChildren<QLabel *>())
            overall |= label->objectName().startsWith(QStringLiteral("verdict")) &&
                       label->text().startsWith(QStringLiteral("Overall: "));
        QVERIFY(overall);
    }

    // With the surface layer on the grid only, each place is shown against its own limit:
    // the results name the grid on the layer and the fence off it, the touch map's contour
    // and the profile's line take both limits.
    void eachPlaceItsOwnLimit() {
        StudyProject project = substation(R"(, "search": {"step": 2}, "segment_length": 12)");
        QJsonObject criteria = project.rest.value(QStringLiteral("safety")).toObject();
        QJsonObject surface = criteria.value(QStringLiteral("surface")).toObject();
        surface[QStringLiteral("area")] =
            QJsonArray{QJsonArray{0, 0}, QJsonArray{70, 0}, QJsonArray{70, 70}, QJsonArray{0, 70}};
        criteria[QStringLiteral("surface")] = surface;
        project.rest[QStringLiteral("safety")] = criteria;
        EarthingStudyWindow window(project);
        window.show();
        checked(window);
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("solve")), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return window.result() && !window.solving(); }, 120000));
        const QString limits = window.findChild<QLabel *>(QStringLiteral("tolerableTouch"))->text();
        QVERIFY2(limits.contains(QStringLiteral("on the surface layer (Grid 1)")) &&
                     limits.contains(QStringLiteral("off it (Fence 1)")),
                 qPrintable(limits));
        choose(window, "map", int(PlanPicture::Map::Touch));
        QVERIFY(window.plan()->picture().tolerable.apart());
        Q_EMIT window.plan()->profileChanged(QLineF(-10, 35, 80, 35));
        const auto *profile = window.findChild<ProfileView *>(QStringLiteral("profile"));
        QTRY_VERIFY(profile->profile().has_value());
        std::set<double> levels;
        for (const QPointF &corner : profile->profile()->tolerableLine())
            levels.insert(corner.y());
        QCOMPARE(int(levels.size()), 2);
    }

    // A study of two soils: the results show the governing case first, named so; choosing
    // the other shows its own result. In uniform soil R and every voltage scale with ρ, so
    // the soil four times as resistive shows four times the resistance, and governs.
    void casesChosen() {
        EarthingStudyWindow window(substation(
            R"(, "search": {"step": 2}, "segment_length": 12,
                "cases": [{"name": "Wet", "soil": {"rho": 50}}, {"name": "Dry", "soil": {"rho": 200}}])"));
        window.show();
        checked(window);
        QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("solve")), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return window.result() && !window.solving(); }, 120000));
        auto *choice = window.findChild<QComboBox *>(QStringLiteral("caseChoice"));
        QVERIFY(choice && choice->isVisible());
        QCOMPARE(choice->count(), 2);
        QCOMPARE(choice->currentText(), QStringLiteral("Dry (governing)"));
        QCOMPARE(window.findChild<QTableWidget *>(QStringLiteral("casesTable"))->rowCount(), 2);
        const auto shownR = [&window] {
            return window.findChild<QLabel *>(QStringLiteral("resistance"))->text();
        };
        const QString dryShown = shownR();
        const double dry = window.result()->resistance;
        choice->setCurrentIndex(0);
        Q_EMIT choice->activated(0);
        const double wet = window.result()->resistance;
        QVERIFY(shownR() != dryShown);
        QVERIFY2(std::abs(dry / wet - 4) < 4 * 1e-3,
                 qPrintable(QStringLiteral("%1 %2").arg(dry).arg(wet)));
        QCOMPARE(window.plan()->picture().result, window.result());
    }

private:
    TestSettings m_settings;
    std::unique_ptr<ModuleScope> m_module;
};

QTEST_MAIN(TestEarthingPlaces)
#include "tst_earthingplaces.moc"
