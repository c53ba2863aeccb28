// What only the plan view does with the mouse: zoom about the cursor, pan, the profile
// line drawn with Shift.
#include "studies/earthing/PlanView.h"

#include <QSignalSpy>
#include <QtTest>

class TestPlanView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void wheelZoomsAboutTheCursor_data();
    void wheelZoomsAboutTheCursor();
    void dragPansAndShiftDragDrawsTheProfile();
};

void TestPlanView::wheelZoomsAboutTheCursor_data() {
    QTest::addColumn<QPointF>("cursor");
    QTest::addColumn<int>("delta");
    QTest::newRow("in, off centre") << QPointF(60, 250) << 240;
    QTest::newRow("out, off centre") << QPointF(350, 40) << -120;
}

void TestPlanView::wheelZoomsAboutTheCursor() {
    QFETCH(QPointF, cursor);
    QFETCH(int, delta);
    PlanView view;
    view.picture().conductors = {{{0, 0, 0.5}, {40, 0, 0.5}, 0.01, 0},
                                 {{0, 0, 0.5}, {0, 30, 0.5}, 0.01, 0}};
    view.resize(400, 300);
    view.refresh(true);
    const QPointF before = view.toWorld(cursor);
    const double width = view.world().width();
    QWheelEvent wheel(cursor, view.mapToGlobal(cursor), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
    const QPointF after = view.toWorld(cursor);
    QVERIFY(std::abs(after.x() - before.x()) < 1e-9 && std::abs(after.y() - before.y()) < 1e-9);
    QVERIFY(delta > 0 ? view.world().width() < width : view.world().width() > width);
}

void TestPlanView::dragPansAndShiftDragDrawsTheProfile() {
    PlanView view;
    view.picture().conductors = {{{0, 0, 0.5}, {40, 0, 0.5}, 0.01, 0}};
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.refresh(true);
    const QPointF grabbed = view.toWorld(QPointF(100, 100));
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(&view, QPoint(180, 140));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(180, 140));
    // The point grabbed follows the mouse.
    const QPointF now = view.toWorld(QPointF(180, 140));
    QVERIFY(std::abs(now.x() - grabbed.x()) < 1e-6 && std::abs(now.y() - grabbed.y()) < 1e-6);

    QSignalSpy profile(&view, &PlanView::profileChanged);
    const QPointF from = view.toWorld(QPointF(50, 150));
    const QPointF to = view.toWorld(QPointF(350, 150));
    QTest::mousePress(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(50, 150));
    QTest::mouseMove(&view, QPoint(350, 150));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::ShiftModifier, QPoint(350, 150));
    QCOMPARE(profile.count(), 1);
    const QLineF line = profile.at(0).at(0).toLineF();
    QVERIFY(QLineF(line.p1(), from).length() < 1e-6 && QLineF(line.p2(), to).length() < 1e-6);
    QVERIFY(view.picture().profile.has_value());
}

QTEST_MAIN(TestPlanView)
#include "tst_planview.moc"
