#include "core/CatalyzerBags.h"

namespace tav {

CatalyzerBagCount CatalyzerBags(int length, float rodDiameter, double boreArea) {
    const double r = rodDiameter / 2000.0;
    const double rodVolume = length * (r * (r * 3.14));
    CatalyzerBagCount bags;
    bags.ion = (length * boreArea - rodVolume) / kBagVolume;
    bags.active = rodVolume / kBagVolume;
    return bags;
}

} // namespace tav
