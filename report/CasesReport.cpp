#include "report/CasesReport.h"

#include "report/PlaceTable.h"
#include "report/ReportNumber.h"
#include "text/StringIds.h"

namespace {

using tav::earthing::JudgedVoltage;

QString number(double value) {
    return ReportNumber::text(value);
}

QString limit(const JudgedVoltage &j) {
    return j.verdict == tav::Verdict::NoLimit ? QStringLiteral("-") : number(j.tolerable);
}

QStringList row(const tav::CaseEvaluation &c, const StudyTexts &texts) {
    const tav::earthing::EarthingResult &r = *c.evaluation.result;
    const std::optional<tav::earthing::SystemSafety> &s = c.evaluation.safety;
    const bool touch = s && s->touch;
    return {c.name,
            number(r.groups.empty() ? 0 : r.groups[0].current),
            number(r.resistance),
            number(r.gpr),
            touch ? number(s->touch->voltage) : QStringLiteral("-"),
            touch ? limit(*s->touch) : QStringLiteral("-"),
            number(r.stepMax.voltage),
            s ? limit(s->step) : QStringLiteral("-"),
            s ? PlaceTable::verdictWord(s->overall, texts) : QStringLiteral("-")};
}

} // namespace

namespace CasesReport {

ReportBlock summary(const tav::StudyEvaluation &study, const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(StringId::Cases::kHeading);
    for (unsigned k = 0; k < 9; ++k)
        block.header.append(texts.text(StringId::Cases::kColumns + k));
    for (const tav::CaseEvaluation &c : study.cases)
        block.rows.append(row(c, texts));
    if (study.envelope)
        block.lines.append(
            ReportLine{texts.text(StringId::Cases::kReportVerdict)
                           .arg(PlaceTable::verdictWord(study.envelope->overall, texts),
                                study.governing().name),
                       PlaceTable::tone(study.envelope->overall)});
    return block;
}

QVector<ReportBlock> places(const tav::StudyEvaluation &study, const StudyTexts &texts) {
    QVector<ReportBlock> blocks;
    for (const tav::CaseEvaluation &c : study.cases) {
        ReportBlock block = PlaceTable::block(*c.evaluation.result, c.evaluation.safety, texts);
        block.heading = texts.text(StringId::Cases::kReportPlaces).arg(c.name);
        blocks.append(block);
    }
    return blocks;
}

} // namespace CasesReport
