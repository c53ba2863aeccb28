// The plan as the earthing study's editor, driven with the mouse and the keys as a user
// would: a conductor drawn lands on the ends, crossings and grid points it snaps to; a
// part moved, copied and arrayed is one edit each, which one undo takes back; a polygon
// ended by a double click on its last corner has that corner once.
#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/earthing/PlanView.h"
#include "studies/earthing/StudyPart.h"
#include "studies/earthing/editor/PlanEditor.h"
#include "tests/support/ModuleScope.h"
#include "tests/support/TestSettings.h"

#include <QApplication>
#include <QJsonArray>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

#include <cmath>

namespace {

void checked(const EarthingStudyWindow &w) {
    QTRY_VERIFY(!w.checking());
}

// Two conductors crossing at (5, 5), a rod at (20, 0).
StudyProject crossing() {
    tav::DocumentError error;
    const auto p = StudyProject::fromJson(
        R"({"soil": {"rho": 100}, "current": 1000,
            "conductors": [{"from": [0, 5, 0.5], "to": [10, 5, 0.5], "diameter": 0.01},
                           {"from": [5, 0, 0.5], "to": [5, 10, 0.5], "diameter": 0.01}],
            "rods": [{"at": [[20, 0]], "top": 0.5, "length": 3, "diameter": 0.016}],
            "safety": {"duration": 0.5}})",
        error);
    if (!p)
        qFatal("the study was refused");
    return *p;
}

QPointF pointOf(const QJsonValue &v) {
    return {v[0].toDouble(), v[1].toDouble()};
}

bool near(const QPointF &a, const QPointF &b, double within = 1e-9) {
    return std::abs(a.x() - b.x()) <= within && std::abs(a.y() - b.y()) <= within;
}

// A grid point: the nearest multiple of the step, computed here.
QPointF onGrid(const QPointF &p, double step) {
    return {std::round(p.x() / step) * step, std::round(p.y() / step) * step};
}

// What a double click sends: a press and release, then the double click and its release.
void doubleClick(QWidget *w, const QPoint &at, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseClick(w, Qt::LeftButton, modifiers, at);
    QTest::mouseDClick(w, Qt::LeftButton, modifiers, at);
    QTest::mouseRelease(w, Qt::LeftButton, modifiers, at);
}

// The device point a few pixels off the world point, where a hand's click lands.
QPoint beside(const PlanView &plan, const QPointF &world, QPoint by = {3, -2}) {
    return plan.toDevice(world).toPoint() + by;
}

} // namespace

class TestPlanEditor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_settings.valid()); }
    void init() {
        m_module = std::make_unique<ModuleScope>(QStringLiteral(TAV_TEST_MODULE_DIR));
        QVERIFY(m_module->loaded());
        m_window = std::make_unique<EarthingStudyWindow>(crossing());
        m_window->resize(1200, 800);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        // The plan's keys are its own while it has them.
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_window->plan()->setFocus();
        checked(*m_window);
        m_window->fitPlan();
    }
    void cleanup() {
        m_window.reset();
        m_module.reset();
    }

    // A conductor drawn from where the first click snaps to where the second does; a
    // double click ends it, one part of that conductor, its depth a new conductor's.
    void conductorSnaps_data() {
        QTest::addColumn<QPointF>("first");    // m, clicked a few pixels off
        QTest::addColumn<QPointF>("expected"); // m, where its end lands; NaN: on the grid
        QTest::addColumn<bool>("shift");       // the second end held level with the first
        QTest::newRow("end") << QPointF(10, 5) << QPointF(10, 5) << false;
        QTest::newRow("rod") << QPointF(20, 0) << QPointF(20, 0) << false;
        QTest::newRow("crossing") << QPointF(5, 5) << QPointF(5, 5) << false;
        QTest::newRow("grid") << QPointF(14.3, 7.8) << QPointF(qQNaN(), qQNaN()) << false;
        QTest::newRow("shift") << QPointF(10, 5) << QPointF(10, 5) << true;
    }
    void conductorSnaps() {
        QFETCH(QPointF, first);
        QFETCH(QPointF, expected);
        QFETCH(bool, shift);
        PlanView *plan = m_window->plan();
        const int parts = m_window->project().parts.size();
        QTest::keyClick(plan, Qt::Key_C);
        QCOMPARE(m_window->planEditor()->tool(), PlanEditor::Tool::Conductor);
        const QPoint click = beside(*plan, first);
        if (std::isnan(expected.x()))
            expected = onGrid(plan->toWorld(click), 0.5);
        QTest::mouseClick(plan, Qt::LeftButton, {}, click);
        // The second end off any metal, to the upper right: with Shift it stays level.
        const QPoint second = plan->toDevice(expected + QPointF(7.3, 2.2)).toPoint();
        const QPointF secondEnd =
            shift ? QPointF(onGrid(plan->toWorld(second), 0.5).x(), expected.y())
                  : onGrid(plan->toWorld(second), 0.5);
        const Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
        QTest::mouseMove(plan, second);
        doubleClick(plan, second, modifiers);
        checked(*m_window);
        QCOMPARE(m_window->project().parts.size(), parts + 1);
        const StudyPart *drawn = nullptr;
        for (const StudyPart &part : m_window->project().parts)
            if (part.kind == StudyPart::Kind::Conductor &&
                near(pointOf(part.json.value(QStringLiteral("from"))), expected))
                drawn = &part;
        QVERIFY(drawn);
        QVERIFY(near(pointOf(drawn->json.value(QStringLiteral("to"))), secondEnd));
        QCOMPARE(drawn->json.value(QStringLiteral("from"))[2].toDouble(), 0.5);
        QVERIFY(m_window->sound());
    }

    // Dragged, the conductor moves by the snapped distance; the arrow key by a grid step;
    // each is one edit named Move, and undone the conductor is where it was.
    void moveByDragAndKey() {
        PlanView *plan = m_window->plan();
        const QJsonObject before = m_window->project().parts[0].json;
        const QPoint grab = beside(*plan, QPointF(2, 5), {0, 1});
        QTest::mouseClick(plan, Qt::LeftButton, {}, grab);
        QCOMPARE(m_window->planEditor()->selection(), QVector<int>{0});
        const QPoint drop = plan->toDevice(QPointF(2, 5) + QPointF(3.1, -12.2)).toPoint();
        const QPointF by = onGrid(plan->toWorld(drop), 0.5) - onGrid(plan->toWorld(grab), 0.5);
        QTest::mousePress(plan, Qt::LeftButton, {}, grab);
        QTest::mouseMove(plan, (grab + drop) / 2);
        QTest::mouseMove(plan, drop);
        QTest::mouseRelease(plan, Qt::LeftButton, {}, drop);
        checked(*m_window);
        QUndoStack *undo = m_window->editedProject()->undoStack();
        QCOMPARE(undo->undoText(), QStringLiteral("Move"));
        const QJsonObject moved = m_window->project().parts[0].json;
        QVERIFY(near(pointOf(moved.value(QStringLiteral("from"))), QPointF(0, 5) + by, 1e-9));
        QVERIFY(near(pointOf(moved.value(QStringLiteral("to"))), QPointF(10, 5) + by, 1e-9));
        QTest::keyClick(plan, Qt::Key_Right);
        QVERIFY(near(pointOf(m_window->project().parts[0].json.value(QStringLiteral("to"))),
                     QPointF(10.5, 5) + by));
        undo->undo();
        undo->undo();
        QCOMPARE(m_window->project().parts[0].json, before);
    }

    // A band round one end of the conductor selected alone takes that end: the arrow key
    // then moves it alone, one edit named Move corner.
    void bandTakesAnEnd() {
        PlanView *plan = m_window->plan();
        QTest::mouseClick(plan, Qt::LeftButton, {}, beside(*plan, QPointF(2, 5), {0, 1}));
        const QPoint from = plan->toDevice(QPointF(9.2, 3.8)).toPoint();
        const QPoint to = plan->toDevice(QPointF(11, 6.2)).toPoint();
        QTest::mousePress(plan, Qt::LeftButton, {}, from);
        QTest::mouseMove(plan, to);
        QTest::mouseRelease(plan, Qt::LeftButton, {}, to);
        QCOMPARE(m_window->planEditor()->selection(), QVector<int>{0});
        QCOMPARE(m_window->planEditor()->selectedVertices(), QVector<QString>{"to"});
        QTest::keyClick(plan, Qt::Key_Right);
        const QJsonObject moved = m_window->project().parts[0].json;
        QVERIFY(near(pointOf(moved.value(QStringLiteral("from"))), QPointF(0, 5)));
        QVERIFY(near(pointOf(moved.value(QStringLiteral("to"))), QPointF(10.5, 5)));
        QCOMPARE(m_window->editedProject()->undoStack()->undoText(), QStringLiteral("Move corner"));
    }

    // Ctrl+C and Ctrl+V: a copy beside the original, clear of it by a tenth of its width
    // on the grid's steps (10 m wide: 11 m along x), in one edit; undone, gone.
    void copyAndPaste() {
        PlanView *plan = m_window->plan();
        const int parts = m_window->project().parts.size();
        QTest::mouseClick(plan, Qt::LeftButton, {}, beside(*plan, QPointF(2, 5), {0, 1}));
        QTest::keyClick(plan, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(plan, Qt::Key_V, Qt::ControlModifier);
        checked(*m_window);
        QCOMPARE(m_window->project().parts.size(), parts + 1);
        const QVector<int> pasted = m_window->planEditor()->selection();
        QCOMPARE(pasted.size(), 1);
        const QJsonObject copy = m_window->project().parts[pasted[0]].json;
        QVERIFY(near(pointOf(copy.value(QStringLiteral("from"))), QPointF(11, 5)));
        QVERIFY(near(pointOf(copy.value(QStringLiteral("to"))), QPointF(21, 5)));
        QVERIFY(m_window->sound());
        m_window->editedProject()->undoStack()->undo();
        QCOMPARE(m_window->project().parts.size(), parts);
    }

    // An array of the rod: rows along y, columns along x, every rod in the one part.
    void arrayOfRods() {
        PlanView *plan = m_window->plan();
        QTest::mouseClick(plan, Qt::LeftButton, {}, beside(*plan, QPointF(20, 0), {1, 1}));
        const QVector<int> selected = m_window->planEditor()->selection();
        QCOMPARE(selected.size(), 1);
        const int rods = selected[0];
        QCOMPARE(m_window->project().parts[rods].kind, StudyPart::Kind::Rods);
        m_window->planEditor()->arrayOf(2, 3, QPointF(4, 6));
        checked(*m_window);
        const QJsonArray at =
            m_window->project().parts[rods].json.value(QStringLiteral("at")).toArray();
        QCOMPARE(at.size(), 6);
        QSet<QPair<double, double>> places;
        for (const QJsonValue &p : at)
            places.insert({p[0].toDouble(), p[1].toDouble()});
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c)
                QVERIFY(places.contains({20.0 + 4 * c, 6.0 * r}));
        QCOMPARE(m_window->editedProject()->undoStack()->undoText(), QStringLiteral("Array"));
        m_window->editedProject()->undoStack()->undo();
        QCOMPARE(m_window->project().parts[rods].json.value(QStringLiteral("at")).toArray().size(),
                 1);
    }

    // Three corners clicked and the last double-clicked: three corners, none twice.
    void polygonEndedByDoubleClick() {
        PlanView *plan = m_window->plan();
        const int parts = m_window->project().parts.size();
        m_window->drawTouchArea();
        const QList<QPointF> corners{{-4, -4}, {14.5, -4}, {14.5, 12}};
        for (const QPointF &c : corners)
            QTest::mouseClick(plan, Qt::LeftButton, {}, plan->toDevice(c).toPoint());
        doubleClick(plan, plan->toDevice(corners.last()).toPoint());
        checked(*m_window);
        QCOMPARE(m_window->project().parts.size(), parts + 1);
        const QJsonArray polygon =
            m_window->project().parts.last().json.value(QStringLiteral("polygon")).toArray();
        QCOMPARE(polygon.size(), 3);
        for (int k = 0; k < 3; ++k)
            QVERIFY(near(pointOf(polygon[k]), corners[k]));
        QVERIFY(m_window->sound());
    }

    // A quarter turn of the conductor about its middle stands it along y; a typed angle
    // turns it so; a grid turns by quarter turns only, and a refused turn is no edit.
    void rotate_data() {
        QTest::addColumn<double>("degrees");
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<QPointF>("to");
        const double h = 5 / std::sqrt(2.0); // half its length along each axis at 45°
        QTest::newRow("quarter") << 90.0 << QPointF(5, 0) << QPointF(5, 10);
        QTest::newRow("typed") << 45.0 << QPointF(5 - h, 5 - h) << QPointF(5 + h, 5 + h);
    }
    void rotate() {
        QFETCH(double, degrees);
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        PlanView *plan = m_window->plan();
        QTest::mouseClick(plan, Qt::LeftButton, {}, beside(*plan, QPointF(2, 5), {0, 1}));
        QVERIFY(m_window->planEditor()->rotateBy(degrees));
        const QJsonObject turned = m_window->project().parts[0].json;
        QVERIFY(near(pointOf(turned.value(QStringLiteral("from"))), from, 0.0005));
        QVERIFY(near(pointOf(turned.value(QStringLiteral("to"))), to, 0.0005));
        QCOMPARE(m_window->editedProject()->undoStack()->undoText(), QStringLiteral("Rotate"));
        m_window->editedProject()->undoStack()->undo();

        const int at = m_window->editedProject()->addPart(StudyPart::Kind::Grid);
        m_window->planEditor()->select({at});
        const int edits = m_window->editedProject()->undoStack()->count();
        QVERIFY(!m_window->planEditor()->rotateBy(degrees + 1));
        QCOMPARE(m_window->editedProject()->undoStack()->count(), edits);
    }

    // A fence drawn round and closed on its first corner: its corners once each, closed,
    // with a new fence's posts, no distance round the grids.
    void fenceClosedOnItsFirstCorner() {
        PlanView *plan = m_window->plan();
        QTest::keyClick(plan, Qt::Key_E);
        const QList<QPointF> corners{{-3, -3}, {13, -3}, {16, 6}, {13, 13}, {-3, 13}};
        for (const QPointF &c : corners)
            QTest::mouseClick(plan, Qt::LeftButton, {}, plan->toDevice(c).toPoint());
        QTest::mouseClick(plan, Qt::LeftButton, {}, beside(*plan, corners.first(), {2, 2}));
        const StudyPart &fence = m_window->project().parts.last();
        QCOMPARE(fence.kind, StudyPart::Kind::Fence);
        QCOMPARE(fence.json.value(QStringLiteral("closed")).toBool(), true);
        QVERIFY(!fence.json.contains(QStringLiteral("distance")));
        QVERIFY(fence.json.value(QStringLiteral("posts")).isObject());
        const QJsonArray polyline = fence.json.value(QStringLiteral("polyline")).toArray();
        QCOMPARE(polyline.size(), corners.size());
        for (int k = 0; k < corners.size(); ++k)
            QVERIFY(near(pointOf(polyline[k]), corners[k]));
    }

    // Corners typed, where it is and from the corner before, end a conductor as clicks do.
    void pointsTyped() {
        PlanView *plan = m_window->plan();
        QTest::keyClick(plan, Qt::Key_C);
        auto *typed = m_window->findChild<QLineEdit *>(QStringLiteral("typedPoint"));
        QVERIFY(typed);
        for (const char *text : {"30.25, -4", "@ 0 ; 7.5", "nowhere"}) {
            typed->setText(QLatin1String(text));
            QTest::keyClick(typed, Qt::Key_Return);
        }
        QCOMPARE(typed->text(), QStringLiteral("nowhere")); // left to be typed again
        typed->clear();
        QTest::keyClick(typed, Qt::Key_Return);
        const StudyPart &drawn = m_window->project().parts.at(2); // after the two conductors
        QCOMPARE(drawn.kind, StudyPart::Kind::Conductor);
        QVERIFY(near(pointOf(drawn.json.value(QStringLiteral("from"))), QPointF(30.25, -4)));
        QVERIFY(near(pointOf(drawn.json.value(QStringLiteral("to"))), QPointF(30.25, 3.5)));
    }

    // From the Add menu a part comes beside the system, clear of it, and is seen.
    void addedBesideTheSystem() {
        const QRectF before = m_window->plan()->picture().extent();
        auto *add = m_window->findChild<QToolButton *>(QStringLiteral("addPart"));
        add->menu()->actions().at(StudyPart::offered().indexOf(StudyPart::Kind::Grid))->trigger();
        checked(*m_window);
        const auto &parts = m_window->project().parts;
        const StudyPart *grid = nullptr;
        for (const StudyPart &p : parts)
            if (p.kind == StudyPart::Kind::Grid)
                grid = &p;
        QVERIFY(grid);
        const QPointF origin = pointOf(grid->json.value(QStringLiteral("origin")));
        const double side = grid->json.value(QStringLiteral("size"))[0].toDouble();
        // The system spans x 0 to 20 (the rod): the grid starts beyond it.
        QVERIFY(origin.x() > 20);
        QVERIFY(side > 0);
        QVERIFY(m_window->plan()->world().contains(QRectF(origin, QSizeF(side, side))));
        QVERIFY(m_window->plan()->world() != before);
        QVERIFY(m_window->sound());
    }

private:
    TestSettings m_settings;
    std::unique_ptr<ModuleScope> m_module;
    std::unique_ptr<EarthingStudyWindow> m_window;
};

QTEST_MAIN(TestPlanEditor)
#include "tst_planeditor.moc"
