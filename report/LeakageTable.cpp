#include "report/LeakageTable.h"

#include "report/ReportNumber.h"
#include "text/StringIds.h"

#include <cmath>

ReportBlock LeakageTable::block(const tav::SystemLeakage &leakage, const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(StringId::kLeakageHeading);
    for (unsigned k = 0; k < 6; ++k)
        block.header.append(texts.text(StringId::kLeakageColumns + k));
    const auto text = [&texts](unsigned id) { return texts.text(id); };
    for (const tav::PartLeakageRow &row : leakage.parts) {
        // A floating part's net current is nothing but rounding (1e-12 of the current):
        // shown as the 0 it is.
        const double scale = std::abs(row.share) < 1e-9 ? 0 : 1;
        block.rows.append(
            {tav::SystemLeakage::name(row, text), QString::number(row.group),
             ReportNumber::text(scale * row.current), ReportNumber::text(scale * 100 * row.share),
             ReportNumber::given(row.length), ReportNumber::text(scale * row.density())});
    }
    return block;
}
