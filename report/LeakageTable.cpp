#include "report/LeakageTable.h"

#include "report/ReportNumber.h"
#include "text/StringIds.h"

#include <cmath>

namespace {

QString place(const tav::earthing::Point3 &p) {
    const auto cm = [](double v) { return ReportNumber::given(std::round(v * 100) / 100); };
    return QStringLiteral("(%1, %2, %3)").arg(cm(p.x), cm(p.y), cm(p.z));
}

} // namespace

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

std::optional<ReportBlock> LeakageTable::appendix(const tav::SystemDocument &document,
                                                  const tav::SystemLeakage &leakage,
                                                  const StudyTexts &texts) {
    if (leakage.conductors.size() <= leakage.parts.size())
        return std::nullopt;
    const std::vector<tav::earthing::Conductor> conductors = document.input().conductors;
    const std::vector<tav::ConductorSource> sources = document.sources();
    ReportBlock block;
    block.newPage = true;
    block.heading = texts.text(StringId::kLeakageAppendix);
    block.header = {texts.text(StringId::kLeakageNumber),
                    texts.text(StringId::kLeakageColumns),
                    texts.text(StringId::kLeakageFrom),
                    texts.text(StringId::kLeakageTo),
                    texts.text(StringId::kLeakageColumns + 2),
                    texts.text(StringId::kLeakageColumns + 3),
                    texts.text(StringId::kLeakageColumns + 5)};
    const auto text = [&texts](unsigned id) { return texts.text(id); };
    const double injected = leakage.injected;
    for (std::size_t k = 0; k < leakage.conductors.size() && k < conductors.size(); ++k) {
        const tav::earthing::ConductorLeakage &c = leakage.conductors[k];
        // A lone floating conductor nets nothing but rounding: shown as the 0 it is.
        const double scale = std::abs(c.current) < 1e-9 * injected ? 0 : 1;
        tav::PartLeakageRow part;
        part.kind = sources[k].kind;
        part.index = sources[k].index;
        part.field = sources[k].field;
        block.rows.append({QString::number(k + 1), tav::SystemLeakage::name(part, text),
                           place(conductors[k].from), place(conductors[k].to),
                           ReportNumber::text(scale * c.current),
                           ReportNumber::text(injected > 0 ? scale * 100 * c.current / injected : 0),
                           ReportNumber::text(scale * c.density())});
    }
    return block;
}
