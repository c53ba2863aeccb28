// The study windows' work off the interface thread: only the newest run's outcome and
// progress reach the window, a cancel is said at once and its outcome dropped, and a
// window gone waits for its runs rather than be reported to.
#include "studies/common/BackgroundWork.h"

#include <QtTest>

#include <atomic>
#include <thread>

namespace {

// Work that reports progress until told to stop or released, then gives back its number.
BackgroundWork::Work held(int number, std::atomic<bool> &release, std::atomic<int> &stopped,
                          QList<int> &delivered) {
    return [number, &release, &stopped, &delivered](const BackgroundWork::Run &run) {
        while (!release && !run.cancelled()) {
            run.progress(number, 0.5);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        if (run.cancelled())
            ++stopped;
        return [number, &delivered] { delivered.append(number); };
    };
}

} // namespace

class TestBackgroundWork : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onlyTheNewestRunCounts() {
        BackgroundWork work;
        std::atomic<bool> release{false};
        std::atomic<int> stopped{0};
        QList<int> delivered;
        QSignalSpy progressed(&work, &BackgroundWork::progressed);
        work.start(held(1, release, stopped, delivered));
        QTRY_VERIFY(!progressed.isEmpty());
        work.start(held(2, release, stopped, delivered));
        QTRY_COMPARE(stopped.load(), 1); // the first was asked to stop
        progressed.clear();
        QTRY_VERIFY(!progressed.isEmpty());
        QTest::qWait(20);
        for (const QList<QVariant> &p : std::as_const(progressed))
            QCOMPARE(p.at(0).toInt(), 2);
        release = true;
        QTRY_VERIFY(!work.running());
        QCOMPARE(delivered, QList<int>{2});
    }

    void aCancelIsSaidAtOnceAndDropsTheOutcome() {
        BackgroundWork work;
        std::atomic<bool> release{false};
        std::atomic<int> stopped{0};
        QList<int> delivered;
        QSignalSpy cancelled(&work, &BackgroundWork::cancelled);
        QSignalSpy progressed(&work, &BackgroundWork::progressed);
        work.start(held(1, release, stopped, delivered));
        QVERIFY(work.running());
        QTRY_VERIFY(!progressed.isEmpty());
        work.cancel();
        QCOMPARE(cancelled.count(), 1);
        QVERIFY(!work.running());
        QTRY_COMPARE(stopped.load(), 1);
        QTest::qWait(20);
        QVERIFY(delivered.isEmpty());
        work.cancel(); // nothing running: nothing said
        QCOMPARE(cancelled.count(), 1);
    }

    void theOwnerGoneWaitsForItsRun() {
        std::atomic<bool> release{false};
        std::atomic<int> stopped{0};
        QList<int> delivered;
        {
            BackgroundWork work;
            QSignalSpy progressed(&work, &BackgroundWork::progressed);
            work.start(held(1, release, stopped, delivered));
            QTRY_VERIFY(!progressed.isEmpty());
        }
        QCOMPARE(stopped.load(), 1); // stopped before the destructor returned
        QTest::qWait(20);
        QVERIFY(delivered.isEmpty());
    }
};

QTEST_MAIN(TestBackgroundWork)
#include "tst_backgroundwork.moc"
