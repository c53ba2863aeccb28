// The study's solve off the interface thread: cancelled at once, a second solve replacing
// the first, and the runner destroyed mid-solve.
#include "core/earthing/ConductorLayout.h"
#include "core/earthing/EarthingSolver.h"
#include "document/SystemDocument.h"
#include "studies/earthing/SolveRunner.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

using namespace tav::earthing;

Q_DECLARE_METATYPE(std::shared_ptr<const tav::SystemEvaluation>)

namespace {

// Takes the solver long enough (seconds) that it is surely running when cancelled.
tav::SystemDocument largeGrid() {
    tav::SystemDocument input;
    input.soil = EarthingSoil::twoLayer(300, 80, 2);
    input.current = 5000;
    RectangularGrid grid;
    grid.sizeX = grid.sizeY = 200;
    grid.countX = grid.countY = 15; // 6000 segments of 1 m
    input.conductors = ConductorLayout::grid(grid);
    return input;
}

tav::SystemDocument smallGrid() {
    tav::SystemDocument input;
    input.soil = EarthingSoil::uniform(100);
    input.current = 1000;
    RectangularGrid grid;
    grid.sizeX = grid.sizeY = 10;
    grid.countX = grid.countY = 3;
    input.conductors = ConductorLayout::grid(grid);
    return input;
}

} // namespace

class TestSolveRunner : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<std::shared_ptr<const tav::SystemEvaluation>>(); }
    void cancelIsAnsweredAndASolveThenWorks();
    void secondSolveReplacesTheFirst();
    void destroyedMidSolve();
};

void TestSolveRunner::cancelIsAnsweredAndASolveThenWorks() {
    SolveRunner runner;
    QSignalSpy progress(&runner, &SolveRunner::progressed);
    QSignalSpy cancelled(&runner, &SolveRunner::cancelled);
    QSignalSpy solved(&runner, &SolveRunner::solved);
    runner.start(largeGrid());
    QVERIFY(progress.wait(5000)); // the interface thread keeps turning meanwhile
    QVERIFY(runner.running());
    runner.cancel();
    QCOMPARE(cancelled.count(), 1);
    QVERIFY(!runner.running());

    const tav::SystemDocument input = smallGrid();
    runner.start(input);
    QVERIFY(solved.wait(20000));
    QCOMPARE(solved.count(), 1);
    QCOMPARE(cancelled.count(), 1); // the first solve's own end was not reported again
    const auto direct = EarthingSolver::solve(input.input());
    QCOMPARE(solved.at(0).at(0).value<std::shared_ptr<const tav::StudyEvaluation>>()->cases[0].evaluation.result->resistance,
             direct.result().resistance);
}

void TestSolveRunner::secondSolveReplacesTheFirst() {
    SolveRunner runner;
    QSignalSpy solved(&runner, &SolveRunner::solved);
    QSignalSpy cancelled(&runner, &SolveRunner::cancelled);
    runner.start(largeGrid());
    const tav::SystemDocument input = smallGrid();
    QElapsedTimer timer;
    timer.start();
    runner.start(input);
    QVERIFY(solved.wait(20000));
    QTest::qWait(50);
    QCOMPARE(solved.count(), 1);
    QCOMPARE(cancelled.count(), 0);
    QCOMPARE(solved.at(0).at(0).value<std::shared_ptr<const tav::StudyEvaluation>>()->cases[0].evaluation.result->segments,
             EarthingSolver::solve(input.input()).result().segments);
}

void TestSolveRunner::destroyedMidSolve() {
    QElapsedTimer timer;
    {
        SolveRunner runner;
        QSignalSpy progress(&runner, &SolveRunner::progressed);
        runner.start(largeGrid());
        QVERIFY(progress.wait(5000));
        timer.start();
    } // cancels, and waits for the thread to stop
    // The solver checks its flag every few tens of milliseconds.
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    QTest::qWait(20); // no queued call reaches the runner that is gone
}

QTEST_MAIN(TestSolveRunner)
#include "tst_solverunner.moc"
