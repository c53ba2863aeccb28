#include "cli/CasesText.h"

#include "cli/CliStrings.h"
#include "cli/TextTable.h"
#include "core/NumericText.h"
#include "text/StringIds.h"

#include <cmath>

namespace {

using tav::earthing::EnvelopeEntry;
using tav::earthing::JudgedVoltage;
using tav::earthing::Point2;

QString shown(double value) {
    return QString::fromStdString(
        tav::NumericText::formatReal(value, tav::NumericText::kSingleDigits));
}

QString at(const Point2 &p) {
    const auto mm = [](double v) {
        return QString::fromStdString(tav::NumericText::formatReal(
            std::round(v * 1000) / 1000, tav::NumericText::kDoubleDigits));
    };
    return QStringLiteral("(") + mm(p.x) + QStringLiteral(", ") + mm(p.y) + QStringLiteral(")");
}

QString verdictWord(tav::Verdict verdict) {
    return CliStrings::text(verdict == tav::Verdict::NoLimit
                                ? StringId::kSystemNoLimit
                                : StringId::kSystemVerdicts + unsigned(verdict));
}

QString limit(const JudgedVoltage &j) {
    return j.verdict == tav::Verdict::NoLimit ? QStringLiteral("-") : shown(j.tolerable);
}

std::string casesTable(const tav::StudyEvaluation &study) {
    std::vector<std::string> headings;
    for (unsigned k = 0; k < 9; ++k)
        headings.push_back(CliStrings::text(StringId::Cases::kColumns + k).toStdString());
    TextTable table(headings, TextTable::FirstColumn::Label);
    for (const tav::CaseEvaluation &c : study.cases) {
        const tav::earthing::EarthingResult &r = *c.evaluation.result;
        const std::optional<tav::earthing::SystemSafety> &s = c.evaluation.safety;
        const double current = r.groups.empty() ? 0 : r.groups[0].current;
        std::vector<QString> row{c.name, shown(current), shown(r.resistance), shown(r.gpr)};
        const bool touch = s && s->touch;
        row.push_back(touch        ? shown(s->touch->voltage)
                      : r.touchMax ? shown(r.touchMax->voltage)
                                   : QStringLiteral("-"));
        row.push_back(touch ? limit(*s->touch) : QStringLiteral("-"));
        row.push_back(shown(r.stepMax.voltage));
        row.push_back(s ? limit(s->step) : QStringLiteral("-"));
        row.push_back(s ? verdictWord(s->overall) : QStringLiteral("-"));
        std::vector<std::string> cells;
        for (const QString &cell : row)
            cells.push_back(cell.toStdString());
        table.addRow(cells);
    }
    return table.render();
}

// "...: 123 V at (x, y) m; tolerable 456 V: safe; case Dry".
QString judged(const EnvelopeEntry &e, const tav::StudyEvaluation &study) {
    return CliStrings::text(StringId::Cases::kPlaceJudged)
        .arg(shown(e.judged.voltage), at(e.judged.at), limit(e.judged),
             verdictWord(e.judged.verdict), study.cases[std::size_t(e.caseIndex)].name);
}

std::string envelopeText(const tav::StudyEvaluation &study) {
    const tav::earthing::CaseEnvelope &envelope = *study.envelope;
    const tav::earthing::EarthingResult &r = *study.governing().evaluation.result;
    QString text = CliStrings::text(StringId::Cases::kEnvelope) + QLatin1Char('\n');
    for (std::size_t k = 0; k < envelope.areas.size() && k < r.touchAreas.size(); ++k) {
        const tav::earthing::TouchArea &a = r.touchAreas[k];
        text += CliStrings::text(StringId::Cases::kEnvelopeArea)
                    .arg(QString::number(k + 1),
                         CliStrings::text(StringId::kSystemAreaKinds + unsigned(a.kind)),
                         QString::number(a.part), judged(envelope.areas[k], study)) +
                QLatin1Char('\n');
    }
    for (std::size_t k = 0; k < envelope.points.size() && k < r.touchPoints.size(); ++k) {
        const tav::earthing::TouchPoint &p = r.touchPoints[k];
        text += CliStrings::text(StringId::Cases::kEnvelopePoint)
                    .arg(p.name.empty() ? QString::number(k + 1) : QString::fromStdString(p.name),
                         judged(envelope.points[k], study)) +
                QLatin1Char('\n');
    }
    // Without a surface layer in any case a step stands on no side of it; where only some
    // cases lay one, a case without it stands off the layer, on the bare soil.
    bool layer = false;
    for (const tav::CaseEvaluation &c : study.cases)
        layer = layer || c.evaluation.safety->surfaceLayer;
    for (const EnvelopeEntry &step : envelope.steps)
        text +=
            (layer
                 ? CliStrings::text(StringId::Cases::kEnvelopeStep)
                       .arg(CliStrings::text(StringId::kSystemStepSides +
                                             (step.judged.onLayer ? 0 : 1)),
                            judged(step, study))
                 : CliStrings::text(StringId::Cases::kEnvelopeStepAlone).arg(judged(step, study))) +
            QLatin1Char('\n');
    text += CliStrings::text(StringId::Cases::kEnvelopeOverall).arg(verdictWord(envelope.overall)) +
            QLatin1Char('\n');
    return text.toStdString();
}

} // namespace

namespace CasesText {

std::string governing(const tav::StudyEvaluation &study) {
    return CliStrings::text(StringId::Cases::kGoverning)
               .arg(study.governing().name, QString::number(study.cases.size()),
                    QString::number(study.solves))
               .toStdString() +
           "\n";
}

std::string text(const tav::StudyEvaluation &study) {
    std::string text =
        CliStrings::text(StringId::Cases::kHeading).toStdString() + "\n" + casesTable(study);
    if (study.envelope)
        text += "\n" + envelopeText(study);
    return text;
}

} // namespace CasesText
