#pragma once

#include "core/earthing/EarthingResult.h"
#include "core/earthing/SystemSafety.h"

#include <QByteArray>

namespace tav {

// The result of a solve as JSON, its keys in the order a reader takes them in: the
// resistance first, the searches last; numbers in the shortest form that reads back as
// the same double, null for one without a finite value.
class ResultJson {
public:
    static QByteArray write(const earthing::EarthingResult &result);
    // With the tolerable voltages and the verdicts under "safety", last; a verdict that is
    // no answer (outside the method's range) is null.
    static QByteArray write(const earthing::EarthingResult &result,
                            const earthing::SystemSafety &safety);
    // The name of a caution's warning, as the document spells it.
    static const char *warningName(Warning warning);
};

} // namespace tav
