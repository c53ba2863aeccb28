#include "core/earthing/MemoryEstimate.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <thread>

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

// Each thread the solve starts maps its stack and, under glibc, a heap of its own, which
// count against the address space whether used or not.
constexpr double kPerThreadAddressSpace = 72e6;

// The number after the key on its line of a /proc file, as "VmSize:  123 kB"; 0 without.
double fieldOf(const char *file, const std::string &wanted) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string key;
        double value = 0;
        if (fields >> key >> value && key == wanted)
            return value;
    }
    return 0;
}

// The first number of a file, or -1 when it holds none (a limit of "max").
double numberIn(const std::string &file) {
    std::ifstream in(file);
    double value = -1;
    return in >> value ? value : -1;
}

// The address space left under RLIMIT_AS; -1 without a limit.
double addressSpaceLeft() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return -1;
    const double threads = std::clamp(double(std::thread::hardware_concurrency()), 1., 16.);
    return double(limit.rlim_cur) - fieldOf("/proc/self/status", "VmSize:") * 1024 -
           threads * kPerThreadAddressSpace;
}

// The memory left to the process's control group; -1 without a limit or where it cannot
// be read. The group's own folder, or, in a container that shows its group as the root,
// the root's.
double groupMemoryLeft() {
    std::ifstream groups("/proc/self/cgroup");
    std::string line;
    while (std::getline(groups, line)) {
        const std::size_t first = line.find(':');
        const std::size_t second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos)
            continue;
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const std::string path = line.substr(second + 1);
        const bool unified = line.compare(0, first, "0") == 0 && controllers.empty();
        if (!unified && controllers != "memory")
            continue;
        const std::string mount = unified ? "/sys/fs/cgroup" : "/sys/fs/cgroup/memory";
        const std::string limitFile = unified ? "/memory.max" : "/memory.limit_in_bytes";
        const std::string usageFile = unified ? "/memory.current" : "/memory.usage_in_bytes";
        for (const std::string &folder : {mount + (path == "/" ? "" : path), mount}) {
            const double limit = numberIn(folder + limitFile);
            const double usage = numberIn(folder + usageFile);
            // v1 writes no limit as a number near 2^63.
            if (limit > 0 && limit < 1e18 && usage >= 0)
                return limit - usage;
        }
    }
    return -1;
}

} // namespace

double MemoryEstimate::bytes(double segments, double rasterPoints, bool compressed, int threads) {
    const double n = std::max(segments, 1.);
    const double op = compressed ? kCompressedPerLevel * n * std::max(std::log2(n), 1.)
                                 : 8 * n * n;
    return kBase + kPerSegment * n + op +
           rasterPoints * (kPerRasterPoint + kPerRasterPointAndCore * std::max(threads, 1));
}

double MemoryEstimate::available() {
    double room = fieldOf("/proc/meminfo", "MemAvailable:") * 1024;
    const auto tighter = [&room](double r) {
        if (r < 0)
            return;
        // Nothing left is still a bound, the least there is.
        r = std::max(r, 1.);
        room = room > 0 ? std::min(room, r) : r;
    };
    tighter(addressSpaceLeft());
    tighter(groupMemoryLeft());
    return room;
}

} // namespace tav::earthing
