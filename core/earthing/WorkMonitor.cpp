#include "core/earthing/WorkMonitor.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace tav::earthing {

namespace {

constexpr auto kInterval = std::chrono::milliseconds(20);

} // namespace

WorkMonitor::WorkMonitor(ProgressCallback callback, int threads)
    : m_callback(std::move(callback)), m_last(std::chrono::steady_clock::now()) {
    const int cores = int(std::thread::hardware_concurrency());
    m_threads = threads > 0 ? threads : std::clamp(cores, 1, 16);
}

bool WorkMonitor::report(SolveProgress::Stage stage, double fraction, bool force) {
    if (cancelled())
        return false;
    m_stage = stage;
    m_fraction = fraction;
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - m_last < kInterval)
        return true;
    m_last = now;
    if (m_callback && !m_callback({stage, std::clamp(fraction, 0., 1.)}))
        m_cancelled.store(true, std::memory_order_relaxed);
    return !cancelled();
}

bool WorkMonitor::poll(int thread) {
    return thread == 0 ? report(m_stage, m_fraction) : !cancelled();
}

bool WorkMonitor::run(SolveProgress::Stage stage, std::size_t count,
                      const std::function<void(std::size_t, int)> &body, double from, double to) {
    // Every stage is announced, however short.
    if (from == 0 && !report(stage, 0, true))
        return false;
    const auto fraction = [&](std::size_t done) {
        return from + (to - from) * double(done) / double(count);
    };
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    // The first failure of any thread (memory that could not be had, above all) stops the
    // others at their next item and is thrown again here once all have ended, so that it
    // reaches the caller rather than end the program.
    std::exception_ptr failure;
    std::mutex failureLock;
    std::atomic<bool> failed{false};
    const auto work = [&](int thread, bool caller) {
        try {
            for (;;) {
                if (cancelled() || failed.load(std::memory_order_relaxed))
                    return;
                const std::size_t item = next.fetch_add(1, std::memory_order_relaxed);
                if (item >= count)
                    return;
                body(item, thread);
                const std::size_t finished = done.fetch_add(1, std::memory_order_relaxed) + 1;
                if (caller)
                    report(stage, fraction(finished));
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failureLock);
            if (!failure)
                failure = std::current_exception();
            failed.store(true, std::memory_order_relaxed);
        }
    };
    const int helpers = int(std::min<std::size_t>(std::size_t(m_threads - 1), count));
    std::vector<std::thread> pool;
    // A thread the system will not start leaves its share to the others.
    try {
        pool.reserve(std::size_t(helpers));
        for (int t = 1; t <= helpers; ++t)
            pool.emplace_back(work, t, false);
    } catch (const std::exception &) {
    }
    work(0, true);
    // The last items of the others: keep reporting while they finish.
    while (done.load(std::memory_order_relaxed) < std::min(count, next.load()) && !cancelled() &&
           !failed.load(std::memory_order_relaxed)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        report(stage, fraction(done.load()));
    }
    for (std::thread &t : pool)
        t.join();
    if (failure)
        std::rethrow_exception(failure);
    return !cancelled();
}

} // namespace tav::earthing
