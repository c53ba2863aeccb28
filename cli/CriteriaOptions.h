#pragma once

#include "cli/CliOptions.h"
#include "core/TolerableVoltage.h"

// The options tav-calc tolerable and tav-calc safety share to choose whose limits apply:
// --criteria ieee80|en50522 and --footwear.
namespace CriteriaOptions {

void add(CliOptions &options);
// Throws UsageError for a criteria that is neither, or footwear without EN 50522.
tav::Criteria criteria(const CliOptions &options);
double footwear(const CliOptions &options);
// "ieee80" or "en50522", as the option takes it.
const char *name(tav::Criteria criteria);

} // namespace CriteriaOptions
