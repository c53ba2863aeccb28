#include "core/earthing/MemoryEstimate.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

namespace tav::earthing {

namespace {

// Per segment whatever the operator: the segment and its middle, its far-field data, its
// class and order, the iterations' vectors, its current in the result.
constexpr double kPerSegment = 1500;
// The compressed operator per segment and level of its cluster tree: its near blocks and
// its far blocks' low-rank factors at the solver's tolerance.
constexpr double kCompressedPerLevel = 600;
// Per raster point: its potential, masks and step scores, the points of the compressed
// product, and each core's partial sum.
constexpr double kPerRasterPoint = 120;
constexpr double kPerRasterPointAndCore = 8;
// The program, its tables and the study around the solve.
constexpr double kBase = 64e6;

} // namespace

double MemoryEstimate::bytes(double segments, double rasterPoints, bool compressed, int threads) {
    const double n = std::max(segments, 1.);
    const double op = compressed ? kCompressedPerLevel * n * std::max(std::log2(n), 1.)
                                 : 8 * n * n;
    return kBase + kPerSegment * n + op +
           rasterPoints * (kPerRasterPoint + kPerRasterPointAndCore * std::max(threads, 1));
}

double MemoryEstimate::available() {
    std::ifstream meminfo("/proc/meminfo");
    std::string line;
    while (std::getline(meminfo, line)) {
        std::istringstream fields(line);
        std::string key;
        double kilobytes = 0;
        if (fields >> key >> kilobytes && key == "MemAvailable:")
            return kilobytes * 1024;
    }
    return 0;
}

} // namespace tav::earthing
