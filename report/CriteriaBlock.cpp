#include "report/CriteriaBlock.h"

#include "report/ReportNumber.h"
#include "text/StringIds.h"

using namespace StringId::SystemReport;

namespace CriteriaBlock {

namespace {

QString given(double value) {
    return ReportNumber::given(value);
}

} // namespace

ReportBlock block(const tav::SafetyCriteria &c, const std::optional<QString> &zone,
                  const std::optional<tav::TolerableVoltages> &limits, const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(kBasisHeading);
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
        if (zone)
            block.pairs.append({texts.text(kBasisZone), *zone});
        if (limits && !en)
            block.pairs.append({texts.text(kBasisCs), ReportNumber::text(limits->Cs)});
    }
    if (limits && en)
        block.pairs.append({texts.text(kBasisPermissible),
                            texts.text(kBasisPermissibleValue)
                                .arg(ReportNumber::text(limits->permissibleTouch),
                                     ReportNumber::text(limits->bodyCurrent))});
    return block;
}

} // namespace CriteriaBlock
