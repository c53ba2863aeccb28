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
    // The memory the machine can give a process now (MemAvailable of /proc/meminfo), in
    // bytes; 0 when it does not say.
    static double available();
};

} // namespace tav::earthing
