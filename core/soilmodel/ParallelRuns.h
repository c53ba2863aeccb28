#pragma once

#include "core/soilmodel/VectorState.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace tav {

// run(i) for every i in [0, count), each once, on as many of the machine's cores as there
// are runs: the fit's starts and the determinacy's profiles are independent of one
// another, and a sounding is fitted while its user waits. run must not throw; each run
// writes only what is its own.
template <class Run> void parallelRuns(std::size_t count, const Run &run) {
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t workers = std::min(cores, count);
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        clearUpperVectorState();
        for (std::size_t i = next++; i < count; i = next++)
            run(i);
    };
    std::vector<std::thread> threads;
    for (std::size_t w = 1; w < workers; ++w)
        threads.emplace_back(work);
    work();
    for (std::thread &t : threads)
        t.join();
}

} // namespace tav
