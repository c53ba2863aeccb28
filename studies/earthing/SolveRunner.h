#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/earthing/EarthingResult.h"
#include "core/earthing/SolveProgress.h"
#include "core/errors.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

// Runs the earthing solver off the interface thread and reports back through queued
// calls: its progress, its result, its refusal, or that it was cancelled. Starting a new
// solve cancels the one running, whose outcome is then dropped unseen. The solver looks at
// its cancel flag every few tens of milliseconds, so a cancel is answered about as fast;
// the destructor cancels and waits that long for the threads, so that none outlives the
// runner it reports to.
class SolveRunner : public QObject {
    Q_OBJECT
public:
    explicit SolveRunner(QObject *parent = nullptr);
    ~SolveRunner() override;

    void start(const tav::earthing::EarthingInput &input);
    void cancel();
    bool running() const { return m_current != nullptr; }

Q_SIGNALS:
    void progressed(tav::earthing::SolveProgress::Stage stage, double fraction);
    void solved(std::shared_ptr<const tav::earthing::EarthingResult> result);
    void refused(const tav::Refusal &refusal);
    void cancelled();

private:
    struct Run {
        quint64 id = 0; // never reused, unlike the address
        std::atomic<bool> cancel{false};
        std::atomic<bool> finished{false};
        std::thread thread;
    };
    void reap(bool all);
    void deliver(quint64 id, const tav::Refusable<tav::earthing::EarthingResult> &outcome);

    Run *m_current = nullptr;
    quint64 m_currentId = 0;
    quint64 m_lastId = 0;
    std::vector<std::unique_ptr<Run>> m_runs;
};
