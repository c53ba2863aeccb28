#pragma once

#include "document/PartLeakage.h"
#include "report/Report.h"
#include "report/StudyTexts.h"

#include <optional>

// The current each part leaks into the soil as a table of the report's: the part, its
// group, the current, its share of the injected current in percent, its length and the
// mean current per metre. The study window shows the same rows and copies them.
class LeakageTable {
public:
    static ReportBlock block(const tav::SystemLeakage &leakage, const StudyTexts &texts);
    // Every conductor's current, where it runs and which part it belongs to, as the
    // report's appendix on pages of its own; none when each part is a single conductor, as
    // the table per part then says it all.
    static std::optional<ReportBlock> appendix(const tav::SystemDocument &document,
                                               const tav::SystemLeakage &leakage,
                                               const StudyTexts &texts);
};
