#include "report/SystemMethod.h"

#include "core/earthing/PlanPolygon.h"
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
    ReportBlock block;
    block.heading = texts.text(kBasisHeading);
    if (!d.safety) {
        block.lines = {{texts.text(kNoSafety), ReportLine::Tone::Plain}};
        return block;
    }
    const tav::SafetyCriteria &c = *d.safety;
    const bool en = c.criteria == tav::Criteria::En50522;
    block.pairs.append({texts.text(kBasisStandard), texts.text(en ? kBasisEn50522 : kBasisIeee80)});
    block.pairs.append({texts.text(kDuration), texts.text(kSeconds).arg(given(c.faultDuration))});
    if (en)
        block.pairs.append({texts.text(kBasisFootwear), texts.text(kOhms).arg(given(c.footwear))});
    else
        block.pairs.append({texts.text(kBodyWeight),
                            texts.text(kKilograms).arg(c.body == tav::BodyWeight::Kg70 ? 70 : 50)});
    if (!c.surface) {
        block.pairs.append({texts.text(kSurface), texts.text(kNoSurface)});
    } else {
        block.pairs.append({texts.text(kSurface),
                            texts.text(kSurfaceValue)
                                .arg(given(c.surface->resistivity), given(c.surface->thickness))});
        block.pairs.append(
            {texts.text(kBasisZone),
             d.surfaceZone.empty()
                 ? texts.text(kBasisEverywhere)
                 : texts.text(kBasisPolygon)
                       .arg(int(d.surfaceZone.size()))
                       .arg(given(std::abs(tav::earthing::PlanPolygon::area(d.surfaceZone))))});
        if (safety && !en)
            block.pairs.append({texts.text(kBasisCs), ReportNumber::text(safety->onLayer.Cs)});
    }
    if (safety && en)
        block.pairs.append({texts.text(kBasisPermissible),
                            texts.text(kBasisPermissibleValue)
                                .arg(ReportNumber::text(safety->onLayer.permissibleTouch),
                                     ReportNumber::text(safety->onLayer.bodyCurrent))});
    block.lines = {
        {texts.text(en ? kBasisEn50522Words : kBasisIeee80Words), ReportLine::Tone::Plain}};
    return block;
}

ReportBlock assumptions(const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(kMethodHeading);
    for (unsigned id = kMethodFirst; id <= kMethodLast; ++id)
        block.lines.append({texts.text(id), ReportLine::Tone::Plain});
    return block;
}

} // namespace SystemMethod
