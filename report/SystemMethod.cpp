#include "report/SystemMethod.h"

#include "core/earthing/PlanPolygon.h"
#include "report/CriteriaBlock.h"
#include "report/ReportNumber.h"
#include "text/StringIds.h"

#include <cmath>

using namespace StringId::SystemReport;

namespace SystemMethod {

namespace {

QString given(double value) {
    return ReportNumber::given(value);
}

} // namespace

ReportBlock criteria(const tav::SystemDocument &d,
                     const std::optional<tav::earthing::SystemSafety> &safety,
                     const StudyTexts &texts) {
    if (!d.safety) {
        ReportBlock block;
        block.heading = texts.text(kBasisHeading);
        block.lines = {{texts.text(kNoSafety), ReportLine::Tone::Plain}};
        return block;
    }
    const tav::SafetyCriteria &c = *d.safety;
    const bool en = c.criteria == tav::Criteria::En50522;
    const QString zone =
        d.surfaceZone.empty()
            ? texts.text(kBasisEverywhere)
            : texts.text(kBasisPolygon)
                  .arg(int(d.surfaceZone.size()))
                  .arg(given(std::abs(tav::earthing::PlanPolygon::area(d.surfaceZone))));
    ReportBlock block = CriteriaBlock::block(
        c, zone,
        safety ? std::optional<tav::TolerableVoltages>(safety->onLayer) : std::nullopt, texts);
    block.lines = {
        {texts.text(en ? kBasisEn50522Words : kBasisIeee80Words), ReportLine::Tone::Plain}};
    return block;
}

ReportBlock assumptions(const StudyTexts &texts, bool network) {
    ReportBlock block;
    block.heading = texts.text(kMethodHeading);
    for (unsigned id = kMethodFirst; id <= kMethodLast; ++id) {
        // With a network the split of the fault current is no longer taken as given.
        const unsigned shown =
            network && id == kMethod4 ? StringId::NetworkReport::kMethodNotChecked : id;
        block.lines.append({texts.text(shown), ReportLine::Tone::Plain});
    }
    return block;
}

} // namespace SystemMethod
