#pragma once

#include <cstddef>

namespace tav::earthing {

// What a solve holds at its peak, estimated from its counts before anything is cut, so
// that a study too large for the machine is refused at once with the figures rather than
// failing after minutes. The constants are fitted above the peaks measured by
// bench/system.sh (docs/CALCULATIONS.md gives them); an estimate errs high.
class MemoryEstimate {
public:
    // segments and rasterPoints as counted (doubles: a count may be beyond any integer);
    // compressed: whether the coupling matrix is held compressed; threads: the cores
    // summing the raster.
    static double bytes(double segments, double rasterPoints, bool compressed, int threads);
    // The memory this process can have now, in bytes: what the machine has free
    // (MemAvailable of /proc/meminfo), or less where the process is held tighter: its
    // address space's limit (RLIMIT_AS, ulimit -v) less what it maps already and what the
    // solve's threads will map for their stacks and heaps, or its control group's limit
    // (cgroup v2 memory.max, v1 memory.limit_in_bytes) less what the group uses. 0 when
    // none of them says.
    static double available();
};

} // namespace tav::earthing
