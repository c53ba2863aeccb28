#include "report/DesignReport.h"

#include "document/DesignStudy.h"
#include "report/PlaceTable.h"
#include "report/ReportNumber.h"
#include "text/StringIds.h"

#include <cmath>

namespace {

namespace Ids = StringId::DesignRecord;
using tav::design::DesignRecord;
using tav::design::FamilyRecord;
using tav::design::LayoutSummary;

// A cost as the prices give it: no trailing zeros, up to 6 significant digits.
QString cost(double value) {
    return ReportNumber::given(value);
}

QString given(double value) {
    return ReportNumber::given(value);
}

QString spacing(bool compressed, const StudyTexts &texts) {
    return texts.text(compressed ? StringId::Design::kCompressed : StringId::Design::kEvenly);
}

QString rods(const FamilyRecord &family, const StudyTexts &texts) {
    QStringList options;
    for (const FamilyRecord::Rods &r : family.rods) {
        QStringList counts;
        for (const int n : r.counts)
            counts.append(QString::number(n));
        options.append(
            texts.text(Ids::kRodOption).arg(counts.join(QStringLiteral(", ")), given(r.length)));
    }
    return texts.text(Ids::kNoRodsOr).arg(options.join(QStringLiteral("; ")));
}

QVector<QPair<QString, QString>> familyPairs(const DesignRecord &r, const StudyTexts &texts) {
    const FamilyRecord &f = r.family;
    const auto range = [&](int from, int to) {
        return texts.text(Ids::kLineRange).arg(from).arg(to);
    };
    const QString price =
        r.prices.surfacePerM2 ? given(*r.prices.surfacePerM2) : texts.text(Ids::kNotPriced);
    return {{texts.text(Ids::kLinesX), range(f.fewestLinesX, f.mostLinesX)},
            {texts.text(Ids::kLinesY), range(f.fewestLinesY, f.mostLinesY)},
            {texts.text(Ids::kSpacings),
             texts.text(f.compressedSpacing ? Ids::kEvenOrCompressed : Ids::kEvenOnly)},
            {texts.text(Ids::kRodsSearched), rods(f, texts)},
            {texts.text(Ids::kSurface),
             texts.text(f.surface ? Ids::kSurfaceSearched : Ids::kSurfaceNotSearched)},
            {texts.text(Ids::kLayouts), QString::number(qulonglong(f.layouts))},
            {texts.text(Ids::kConductorPrice), given(r.prices.conductorPerM)},
            {texts.text(Ids::kRodPrice), given(r.prices.rodPerM)},
            {texts.text(Ids::kSurfacePrice), price}};
}

// In per cent of the tolerable voltage, to a tenth.
QString margin(const std::optional<double> &m) {
    return m ? ReportNumber::given(std::round(1000 * *m) / 10) : QStringLiteral("-");
}

ReportBlock runnerUps(const DesignRecord &r, const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(Ids::kRunnerUpsHeading);
    if (r.runnerUps.empty()) {
        block.lines.append({texts.text(Ids::kNoRunnerUps), ReportLine::Tone::Plain});
        return block;
    }
    for (unsigned k = 0; k < 5; ++k)
        block.header.append(texts.text(Ids::kColumns + k));
    for (const tav::design::RunnerUp &u : r.runnerUps) {
        const tav::Verdict verdict = u.safe ? tav::Verdict::Safe : tav::Verdict::NotSafe;
        block.rows.append({cost(u.cost), DesignReport::layout(u.layout, texts),
                           margin(u.touchMargin), margin(u.stepMargin),
                           PlaceTable::verdictWord(verdict, texts)});
    }
    return block;
}

} // namespace

namespace DesignReport {

QString layout(const LayoutSummary &l, const StudyTexts &texts) {
    const QString spaced = l.compressX == l.compressY
                               ? spacing(l.compressX, texts)
                               : texts.text(Ids::kSpacingEach)
                                     .arg(spacing(l.compressX, texts), spacing(l.compressY, texts));
    const QString rods =
        l.rods > 0 && l.rodLength
            ? texts.text(StringId::Design::kRods).arg(l.rods).arg(given(*l.rodLength))
            : texts.text(StringId::Design::kNoRods);
    const QString words =
        texts.text(Ids::kLayoutCell)
            .arg(QString::number(l.linesX), QString::number(l.linesY), spaced, rods);
    if (!l.surface)
        return words;
    return texts.text(Ids::kWithSurface)
        .arg(words, texts.text(*l.surface ? StringId::Design::kSurfaceLaid
                                          : StringId::Design::kSurfaceNotLaid));
}

QVector<ReportBlock> blocks(const tav::SystemDocument &document, const StudyTexts &texts) {
    if (!document.designed)
        return {};
    const DesignRecord &r = *document.designed;
    ReportBlock design;
    design.heading = texts.text(Ids::kHeading);
    design.lines.append({texts.text(r.safe ? Ids::kDesigned : Ids::kLeastFailing),
                         r.safe ? ReportLine::Tone::Plain : ReportLine::Tone::Fail});
    const tav::DesignStudy::Edited edited = tav::DesignStudy::edited(document);
    design.lines.append(
        {texts.text(Ids::kLayout).arg(layout(r.layout, texts)), ReportLine::Tone::Plain});
    design.lines.append(
        {texts.text(Ids::kCost).arg(cost(r.cost)).arg(r.solves), ReportLine::Tone::Plain});
    if (edited.edited)
        design.lines.append({edited.cost
                                 ? texts.text(Ids::kChanged).arg(cost(*edited.cost), cost(r.cost))
                                 : texts.text(Ids::kChangedUnpriced),
                             ReportLine::Tone::Caution});
    ReportBlock family;
    family.heading = texts.text(Ids::kFamilyHeading);
    family.pairs = familyPairs(r, texts);
    return {design, family, runnerUps(r, texts)};
}

} // namespace DesignReport
