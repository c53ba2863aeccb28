#include "report/LeakageTable.h"

#include "report/ReportNumber.h"
#include "text/StringIds.h"

ReportBlock LeakageTable::block(const tav::SystemLeakage &leakage, const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(StringId::kLeakageHeading);
    for (unsigned k = 0; k < 6; ++k)
        block.header.append(texts.text(StringId::kLeakageColumns + k));
    const auto text = [&texts](unsigned id) { return texts.text(id); };
    for (const tav::PartLeakageRow &row : leakage.parts)
        block.rows.append({tav::SystemLeakage::name(row, text), QString::number(row.group),
                           ReportNumber::text(row.current), ReportNumber::text(100 * row.share),
                           ReportNumber::given(row.length), ReportNumber::text(row.density())});
    return block;
}
