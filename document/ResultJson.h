#pragma once

#include "core/earthing/EarthingResult.h"

#include <QByteArray>

namespace tav {

// The result of a solve as JSON, its keys in the order a reader takes them in: the
// resistance first, the searches last; numbers in the shortest form that reads back as
// the same double, null for one without a finite value.
class ResultJson {
public:
    static QByteArray write(const earthing::EarthingResult &result);
    // The name of a caution's warning, as the document spells it.
    static const char *warningName(Warning warning);
};

} // namespace tav
