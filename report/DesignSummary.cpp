#include "report/DesignSummary.h"

#include "core/NumericText.h"
#include "text/StringIds.h"

namespace {

using tav::design::Candidate;
using tav::design::Judgement;
using tav::design::Layout;
using namespace StringId::Design;

QString designFigure(double value) {
    return QString::fromStdString(
        tav::NumericText::formatReal(value, tav::NumericText::kSingleDigits));
}

} // namespace

QString DesignSummary::percent(const std::optional<double> &share) {
    return share ? designFigure(100 * *share) : QStringLiteral("-");
}

QString DesignSummary::layout(const Candidate &c, const tav::DesignResult &r,
                              const StudyTexts &texts) {
    const Layout &l = c.layout;
    const auto spacing = [&texts](bool compressed) {
        return texts.text(compressed ? kCompressed : kEvenly);
    };
    const QString rods =
        l.rods > 0
            ? texts.text(kRods).arg(l.rods).arg(designFigure(r.brief.rodLengths[std::size_t(l.rodLength)]))
            : texts.text(kNoRods);
    const unsigned surface = !r.bounds.surfaceChoice ? kSurfaceAsStudy
                             : l.surface             ? kSurfaceLaid
                                                     : kSurfaceNotLaid;
    return texts.text(kLayout).arg(QString::number(l.linesX), spacing(l.compressX),
                                   QString::number(l.linesY), spacing(l.compressY), rods,
                                   texts.text(surface));
}

QStringList DesignSummary::limits(const tav::DesignResult &r, const StudyTexts &texts) {
    if (r.outcome.safe || !r.outcome.best.judgement)
        return {};
    const Judgement &j = *r.outcome.best.judgement;
    QStringList words;
    if (j.touchShare && *j.touchShare > 1)
        words << texts.text(kTouchLimits)
                     .arg(designFigure(j.touchVoltage), designFigure(j.touchTolerable), designFigure(j.gpr));
    if (j.stepShare && *j.stepShare > 1)
        words << texts.text(kStepLimits).arg(designFigure(j.stepVoltage), designFigure(j.stepTolerable));
    words << texts.text(kWouldHelp);
    return words;
}

QStringList DesignSummary::lines(const tav::DesignResult &r, const StudyTexts &texts) {
    const tav::design::DesignOutcome &o = r.outcome;
    const Candidate &best = o.best;
    QStringList lines{texts.text(o.safe ? kSafe : kNotSafe).arg(designFigure(best.cost.total))};
    if (best.judgement) {
        lines << layout(best, r, texts);
        lines << texts.text(kShares).arg(percent(best.judgement->touchShare),
                                         percent(best.judgement->stepShare));
    }
    lines << limits(r, texts);
    lines << texts.text(kSolves)
                 .arg(o.solved.size())
                 .arg(o.solves)
                 .arg(o.familySize)
                 .arg(o.pruned);
    return lines;
}
