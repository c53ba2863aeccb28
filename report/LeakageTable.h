#pragma once

#include "document/PartLeakage.h"
#include "report/Report.h"
#include "report/StudyTexts.h"

// The current each part leaks into the soil as a table of the report's: the part, its
// group, the current, its share of the injected current in percent, its length and the
// mean current per metre. The study window shows the same rows and copies them.
class LeakageTable {
public:
    static ReportBlock block(const tav::SystemLeakage &leakage, const StudyTexts &texts);
};
