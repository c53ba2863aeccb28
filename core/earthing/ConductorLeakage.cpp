#include "core/earthing/ConductorLeakage.h"

#include <cmath>

namespace tav::earthing {

double ConductorLeakage::segmentLength(const SegmentResult &segment) {
    return std::sqrt((segment.to.x - segment.from.x) * (segment.to.x - segment.from.x) +
                     (segment.to.y - segment.from.y) * (segment.to.y - segment.from.y) +
                     (segment.to.z - segment.from.z) * (segment.to.z - segment.from.z));
}

double ConductorLeakage::density(const SegmentResult &segment) {
    const double l = segmentLength(segment);
    return l > 0 ? segment.current / l : 0;
}

std::vector<ConductorLeakage> ConductorLeakage::of(const EarthingResult &result,
                                                   std::size_t count) {
    std::vector<ConductorLeakage> out(count);
    for (const SegmentResult &segment : result.segmentCurrents) {
        if (segment.conductor < 0 || std::size_t(segment.conductor) >= count)
            continue;
        ConductorLeakage &c = out[std::size_t(segment.conductor)];
        c.current += segment.current;
        c.length += segmentLength(segment);
        c.group = segment.group;
    }
    return out;
}

} // namespace tav::earthing
