#include "core/earthing/DepthClass.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace tav::earthing {

DepthClasses DepthClasses::of(const std::vector<Segment> &segments) {
    DepthClasses result;
    // Depths equal to a micrometre share a class.
    std::map<std::tuple<bool, long long, long long, int>, int> index;
    const auto key = [](double z) { return (long long)std::llround(z * 1e6); };
    for (const Segment &s : segments) {
        if (s.kind == SegmentKind::Inclined) {
            result.ofSegment.push_back(-1);
            continue;
        }
        DepthClass c;
        c.vertical = s.kind == SegmentKind::Vertical;
        c.top = c.vertical ? s.top() : 0.5 * (s.p.z + s.q.z);
        c.bottom = c.vertical ? s.bottom() : c.top;
        c.layer = s.layer;
        const auto k = std::make_tuple(c.vertical, key(c.top), key(c.bottom), c.layer);
        const auto found = index.find(k);
        if (found != index.end()) {
            DepthClass &known = result.classes[std::size_t(found->second)];
            known.radius = std::max(known.radius, s.radius);
            result.ofSegment.push_back(found->second);
        } else {
            c.radius = s.radius;
            const int id = int(result.classes.size());
            index.emplace(k, id);
            result.classes.push_back(c);
            result.ofSegment.push_back(id);
        }
    }
    return result;
}

} // namespace tav::earthing
