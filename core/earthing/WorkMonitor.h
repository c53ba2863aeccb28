#pragma once

#include "core/earthing/SolveProgress.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>

namespace tav::earthing {

// Runs the solver's loops on every core and keeps the caller informed: the calling thread
// works too and, between its items, reports progress and hears a cancel, which the other
// threads see before their next item. Items should take well under 20 ms each.
class WorkMonitor {
public:
    explicit WorkMonitor(ProgressCallback callback, int threads = 0);

    int threads() const { return m_threads; }
    bool cancelled() const { return m_cancelled.load(std::memory_order_relaxed); }

    // body(item, thread) for every item in [0, count); false when cancelled. The stage is
    // announced when it starts; its fraction goes from `from` to `to` over the items
    // (a part of a stage passes its own share). What body throws on any thread (the first
    // of it) is thrown here, after every thread has stopped; a thread that cannot be
    // started leaves its items to the others.
    bool run(SolveProgress::Stage stage, std::size_t count,
             const std::function<void(std::size_t, int)> &body, double from = 0, double to = 1);
    // A report from the calling thread between steps of its own; false when cancelled.
    bool report(SolveProgress::Stage stage, double fraction, bool force = false);
    // Within an item that may take long: on the calling thread (0) the latest report is
    // made again, so that a cancel is heard; any thread learns whether to go on.
    bool poll(int thread);

private:
    ProgressCallback m_callback;
    int m_threads = 1;
    std::atomic<bool> m_cancelled{false};
    std::chrono::steady_clock::time_point m_last;
    SolveProgress::Stage m_stage = SolveProgress::Stage::Tables;
    double m_fraction = 0;
};

} // namespace tav::earthing
