#include "report/GridSafetyReport.h"

#include "report/CriteriaBlock.h"
#include "report/ReportNumber.h"
#include "text/StringIds.h"

using namespace StringId::GridSafety;
namespace Study = StringId::Study;
namespace Criteria = StringId::Criteria;

namespace GridSafetyReport {

namespace {

QString number(double value) {
    return ReportNumber::text(value);
}

// A label of the window ("Side Lx [m]") with the value after it, as given.
QPair<QString, QString> given(const StudyTexts &texts, unsigned label, double value) {
    return {texts.text(label), ReportNumber::given(value)};
}

QString rods(const tav::GroundRods &rods, const StudyTexts &texts) {
    if (rods.count <= 0)
        return texts.text(kNoRods);
    return texts.text(rods.onPerimeter ? kRodsPerimeter : kRodsInside)
        .arg(QString::number(rods.count), ReportNumber::given(rods.length));
}

} // namespace

Pairs gridInputs(const GridSafetyStudy &study, const StudyTexts &texts) {
    const tav::GridSafetyInput &in = study.grid;
    Pairs pairs{given(texts, kSoilResistivity, in.soilResistivity),
                given(texts, kSideX, in.lengthX),
                given(texts, kSideY, in.lengthY),
                given(texts, kSpacing, in.spacing),
                given(texts, kDepth, in.depth),
                given(texts, kDiameter, in.conductorDiameter),
                given(texts, kDuration, in.faultDuration)};
    pairs.append({texts.text(kSurface), in.surface
                                            ? texts.text(kSurfaceValue)
                                                  .arg(ReportNumber::given(in.surface->resistivity),
                                                       ReportNumber::given(in.surface->thickness))
                                            : texts.text(kNoSurface)});
    pairs.append(
        {texts.text(kBodyWeight),
         texts.text(kKilograms)
             .arg(in.body == tav::BodyWeight::Kg50 ? QStringLiteral("50") : QStringLiteral("70"))});
    pairs.append({texts.text(kRodCount), rods(in.rods, texts)});
    // IEEE Std 80's limits go without saying, as they always have here.
    if (in.criteria == tav::Criteria::En50522) {
        pairs.append({texts.text(Criteria::kCriteria), texts.text(Criteria::kEn50522)});
        pairs.append(given(texts, Criteria::kFootwear, in.footwear));
    }
    if (!study.fault)
        pairs.append({texts.text(kGridCurrent),
                      texts.text(Study::kUnit)
                          .arg(ReportNumber::given(in.gridCurrent), texts.text(Study::kAmpere))});
    return pairs;
}

Pairs faultInputs(const GridSafetyStudy &study, const StudyTexts &texts) {
    if (!study.fault)
        return {};
    const tav::FaultCurrentInput &in = *study.fault;
    Pairs pairs{given(texts, kFaultCurrent, in.faultCurrent),
                given(texts, kSplitFactor, in.splitFactor)};
    if (in.decrementFactor)
        pairs.append({texts.text(kDecrementFactor), ReportNumber::given(*in.decrementFactor) +
                                                        QStringLiteral(" (") +
                                                        texts.text(kDfGiven) + QLatin1Char(')')});
    else if (in.asymmetry) {
        pairs.append(given(texts, kXOverR, in.asymmetry->xOverR));
        pairs.append({texts.text(kFrequency),
                      texts.text(kHertz).arg(ReportNumber::given(in.asymmetry->frequency))});
    }
    return pairs;
}

Pairs faultResults(const GridSafetyStudy &study, const GridSafetyOutcome &outcome,
                   const StudyTexts &texts) {
    if (!study.fault || !outcome.fault)
        return {};
    Pairs pairs;
    // A typed Df is an input and stands with the fault's inputs; only one worked out here
    // is a result.
    if (!study.fault->decrementFactor) {
        if (study.fault->asymmetry)
            pairs.append({texts.text(kTimeConstant),
                          texts.value(outcome.fault->timeConstant, Study::kSecond)});
        pairs.append({texts.text(kDecrementFactor), number(outcome.fault->decrementFactor)});
    }
    pairs.append(
        {texts.text(kGridCurrent), texts.value(outcome.fault->gridCurrent, Study::kAmpere)});
    return pairs;
}

Pairs resultPairs(const tav::GridSafetyResult &r, const StudyTexts &texts) {
    // EN 50522's touch limit is the prospective permissible one, with the footwear and the
    // ground in series with the body; U_Tp and I_B it is made of follow the other results.
    const bool en50522 = r.criteria == tav::Criteria::En50522;
    Pairs pairs{{texts.text(kRg), texts.value(r.Rg, Study::kOhm)},
                {texts.text(kGpr), texts.value(r.GPR, Study::kVolt)},
                {texts.text(kMeshVoltage), texts.value(r.Em, Study::kVolt)},
                {texts.text(en50522 ? Criteria::kPermissibleVTouch : kTouchTolerable),
                 texts.value(r.touchTolerable, Study::kVolt)},
                {texts.text(kStepVoltage), texts.value(r.Es, Study::kVolt)},
                {texts.text(kStepTolerable), r.stepLimited
                                                 ? texts.value(r.stepTolerable, Study::kVolt)
                                                 : texts.text(Criteria::kNoLimit)}};
    if (en50522) {
        pairs.append({texts.text(Criteria::kPermissibleTouch),
                      texts.value(r.permissibleTouch, Study::kVolt)});
        pairs.append(
            {texts.text(Criteria::kBodyCurrent), texts.value(r.bodyCurrent, Study::kAmpere)});
    }
    return pairs;
}

QVector<ReportLine> verdicts(const tav::GridSafetyResult &r, const StudyTexts &texts) {
    const tav::Verdict step = tav::stepVerdict(r);
    QVector<ReportLine> lines{
        texts.verdictLine(r.criteria == tav::Criteria::En50522 ? Criteria::kTouchVerdict
                                                               : kTouchVerdict,
                          r.Em, r.touchTolerable, tav::verdict(r, r.touchSafe)),
        step == tav::Verdict::NoLimit
            ? ReportLine{texts.text(Criteria::kStepNoLimit).arg(number(r.Es)),
                         ReportLine::Tone::Plain}
            : texts.verdictLine(kStepVerdict, r.Es, r.stepTolerable, step)};
    if (tav::verdict(r, r.gprBelowTouch) == tav::Verdict::Safe)
        lines.append({texts.text(kGprBelowTouch).arg(number(r.GPR), number(r.touchTolerable)),
                      ReportLine::Tone::Pass});
    return lines;
}

Pairs factorPairs(const tav::GridSafetyResult &r, const StudyTexts &texts) {
    return {{texts.text(kFactorKm), number(r.Km)},
            {texts.text(kFactorKi), number(r.Ki)},
            {texts.text(kFactorKs), number(r.Ks)},
            {texts.text(kFactorKii), number(r.Kii)},
            {texts.text(kFactorKh), number(r.Kh)},
            {texts.text(kFactorN), number(r.n)},
            {texts.text(kFactorLM), texts.value(r.LM, Study::kMetre)},
            {texts.text(kFactorLS), texts.value(r.LS, Study::kMetre)},
            {texts.text(kFactorCs), number(r.Cs)}};
}

Pairs conductorInputs(const tav::ConductorSizingInput &in, const StudyTexts &texts) {
    const tav::MaterialConstants &m = tav::materialConstants(in.material);
    return {{texts.text(kMaterial), texts.text(kMaterials + unsigned(in.material))},
            given(texts, kSizingCurrent, in.current),
            given(texts, kSizingDuration, in.duration),
            given(texts, kAmbient, in.ambient),
            given(texts, kMaxTemperature, in.maxTemperature.value_or(m.fusingTemperature))};
}

Pairs conductorPairs(const tav::ConductorSize &size, const StudyTexts &texts) {
    return {{texts.text(kArea),
             texts.text(kAreaValue).arg(number(size.areaMm2), number(size.areaKcmil))},
            {texts.text(kSolidDiameter), texts.value(size.diameterMm, Study::kMillimetre)},
            {texts.text(kKf), number(size.kf)}};
}

QVector<ReportLine> cautions(const GridSafetyOutcome &outcome, const StudyTexts &texts) {
    QVector<ReportLine> lines;
    for (const tav::Caution &caution : outcome.cautions)
        lines.append({texts.wording().caution(caution), ReportLine::Tone::Caution});
    return lines;
}

QString refusal(const tav::Refusal &refusal, const StudyTexts &texts) {
    return texts.text(kRefused).arg(texts.wording().refusal(refusal));
}

Report report(const GridSafetyStudy &study, const GridSafetyOutcome &outcome,
              const StudyHeader &header, const StudyTexts &texts) {
    Report report = header.startReport(kTitle, texts);
    ReportBlock inputs;
    inputs.heading = texts.text(kInputs);
    inputs.pairs =
        gridInputs(study, texts) + faultInputs(study, texts) + faultResults(study, outcome, texts);
    report.blocks.append(inputs);
    const tav::GridSafetyInput &grid = study.grid;
    std::optional<tav::TolerableVoltages> limits;
    if (outcome.safety) {
        limits.emplace();
        limits->Cs = outcome.safety->Cs;
        limits->permissibleTouch = outcome.safety->permissibleTouch;
        limits->bodyCurrent = outcome.safety->bodyCurrent;
    }
    report.blocks.append(CriteriaBlock::block(
        {grid.faultDuration, grid.body, grid.surface, grid.criteria, grid.footwear},
        std::nullopt, limits, texts));
    ReportBlock results;
    results.heading = texts.text(kResults);
    if (outcome.safety) {
        results.pairs = resultPairs(*outcome.safety, texts);
        results.lines = verdicts(*outcome.safety, texts);
    } else if (outcome.refusal) {
        results.lines.append({refusal(*outcome.refusal, texts), ReportLine::Tone::Fail});
    }
    results.lines += cautions(outcome, texts);
    report.blocks.append(results);
    if (outcome.safety) {
        ReportBlock factors;
        factors.heading = texts.text(kFactors);
        factors.pairs = factorPairs(*outcome.safety, texts);
        report.blocks.append(factors);
    }
    if (study.conductor && outcome.conductor) {
        ReportBlock conductor;
        conductor.heading = texts.text(kConductor);
        conductor.pairs = conductorInputs(*study.conductor, texts);
        if (outcome.conductor->refused())
            conductor.lines.append({texts.text(kSizingRefused)
                                        .arg(texts.wording().refusal(outcome.conductor->refusal())),
                                    ReportLine::Tone::Fail});
        else
            conductor.pairs += conductorPairs(outcome.conductor->result(), texts);
        report.blocks.append(conductor);
    }
    return report;
}

} // namespace GridSafetyReport
