#pragma once

#include "core/soilmodel/VectorState.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace tav {

// run(i) for every i in [0, count), each once, on as many of the machine's cores as there
// are runs: the fit's starts and the determinacy's profiles are independent of one
// another, and a sounding is fitted while its user waits. Each run writes only what is its
// own. What a run throws on any thread (the first of it; memory that could not be had)
// stops the others at their next run and is thrown here once all have ended; a thread the
// system will not start leaves its runs to the others.
template <class Run> void parallelRuns(std::size_t count, const Run &run) {
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t workers = std::min(cores, count);
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto work = [&] {
        try {
            clearUpperVectorState();
            for (std::size_t i = next++; i < count; i = next++)
                run(i);
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failureLock);
            if (!failure)
                failure = std::current_exception();
            next = count; // the others take no more
        }
    };
    std::vector<std::thread> threads;
    try {
        threads.reserve(workers);
        for (std::size_t w = 1; w < workers; ++w)
            threads.emplace_back(work);
    } catch (const std::exception &) {
    }
    work();
    for (std::thread &t : threads)
        t.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace tav
