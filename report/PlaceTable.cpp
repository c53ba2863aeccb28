#include "report/PlaceTable.h"

#include "report/ReportNumber.h"
#include "text/StringIds.h"

#include <cmath>

using namespace StringId::SystemReport;
using namespace tav::earthing;

namespace {

PlaceTable::Row judged(const QString &name, const JudgedVoltage &j, const SystemSafety &s) {
    return {name,      j.voltage, j.at,        std::isfinite(j.voltage),
            j.onLayer, j.verdict, j.tolerable, s.surfaceLayer};
}

} // namespace

QString PlaceTable::areaName(const TouchArea &area, const StudyTexts &texts) {
    unsigned id = kPlaceGiven;
    switch (area.kind) {
    case TouchAreaKind::Conductors:
        id = kPlaceConductors;
        break;
    case TouchAreaKind::Grid:
        id = kPlaceGrid;
        break;
    case TouchAreaKind::Ring:
        id = kPlaceRing;
        break;
    case TouchAreaKind::Fence:
        id = kPlaceFence;
        break;
    case TouchAreaKind::Given:
        break;
    }
    return texts.text(id).arg(area.part + 1);
}

QVector<PlaceTable::Row> PlaceTable::rows(const EarthingResult &result,
                                          const std::optional<SystemSafety> &safety,
                                          const StudyTexts &texts) {
    QVector<Row> rows;
    for (std::size_t k = 0; k < result.touchAreas.size() && k < result.areas.size(); ++k) {
        const QString name = areaName(result.touchAreas[k], texts);
        if (safety && k < safety->areas.size()) {
            rows.append(judged(name, safety->areas[k], *safety));
            continue;
        }
        const TouchMaximum &worst = result.areas[k].worst();
        const bool onLayer = !(result.areas[k].offLayer.voltage > result.areas[k].onLayer.voltage);
        rows.append({name, worst.voltage, worst.at, std::isfinite(worst.voltage), onLayer,
                     std::nullopt, 0});
    }
    for (std::size_t k = 0; k < result.touchPoints.size() && k < result.touched.size(); ++k) {
        const TouchPoint &p = result.touchPoints[k];
        const QString name = p.name.empty() ? texts.text(kPlacePoint).arg(int(k) + 1)
                                            : QString::fromStdString(p.name);
        if (safety && k < safety->points.size()) {
            rows.append(judged(name, safety->points[k], *safety));
            continue;
        }
        rows.append({name, result.touched[k].touch, p.at, true, result.touched[k].onLayer,
                     std::nullopt, 0});
    }
    if (safety) {
        for (const JudgedVoltage &step : safety->steps)
            rows.append(judged(texts.text(kPlaceStep), step, *safety));
        if (safety->steps.empty())
            rows.append(judged(texts.text(kPlaceStep), safety->step, *safety));
    } else {
        const StepMaximum &worst = result.steps.worst();
        const bool onLayer = !(result.steps.offLayer.voltage > result.steps.onLayer.voltage);
        rows.append({texts.text(kPlaceStep), worst.voltage, worst.middle(),
                     std::isfinite(worst.voltage), onLayer, std::nullopt, 0});
    }
    return rows;
}

QStringList PlaceTable::header(const StudyTexts &texts) {
    return {texts.text(kPlaceColumn),      texts.text(kPlaceVoltageColumn),
            texts.text(kPlaceAtColumn),    texts.text(kPlaceLayerColumn),
            texts.text(kPlaceLimitColumn), texts.text(kPlaceVerdictColumn)};
}

QString PlaceTable::place(const Point2 &p) {
    return QStringLiteral("(%1, %2)")
        .arg(ReportNumber::given(std::round(p.x * 100) / 100),
             ReportNumber::given(std::round(p.y * 100) / 100));
}

QString PlaceTable::sitePlace(const Point2 &p) {
    const auto centimetres = [](double v) {
        QString text = QString::number(std::round(v * 100) / 100, 'f', 2);
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
        return text == QLatin1String("-0") ? QStringLiteral("0") : text;
    };
    return QStringLiteral("(%1, %2)").arg(centimetres(p.x), centimetres(p.y));
}

QString PlaceTable::verdictWord(tav::Verdict verdict, const StudyTexts &texts) {
    switch (verdict) {
    case tav::Verdict::Safe:
        return texts.text(StringId::GridSafety::kPass);
    case tav::Verdict::NotSafe:
        break;
    case tav::Verdict::OutsideMethodRange:
        return texts.text(StringId::GridSafety::kOutsideRange);
    case tav::Verdict::NoLimit:
        return texts.text(kForInformation);
    }
    return texts.text(StringId::GridSafety::kFail);
}

ReportLine::Tone PlaceTable::tone(tav::Verdict verdict) {
    switch (verdict) {
    case tav::Verdict::Safe:
        return ReportLine::Tone::Pass;
    case tav::Verdict::NotSafe:
        break;
    case tav::Verdict::OutsideMethodRange:
        return ReportLine::Tone::Caution;
    case tav::Verdict::NoLimit:
        return ReportLine::Tone::Plain;
    }
    return ReportLine::Tone::Fail;
}

QStringList PlaceTable::cells(const Row &row, const StudyTexts &texts) {
    if (!row.reached)
        return {row.name, texts.text(kNotReached), QString(), QString(), QString(), QString()};
    const bool limited = row.verdict && *row.verdict != tav::Verdict::NoLimit;
    return {row.name,
            ReportNumber::text(row.voltage),
            place(row.at),
            texts.text(!row.surfaceLayer ? StringId::SurfaceLayer::kNoneCell
                       : row.onLayer     ? kOnLayer
                                         : kOffLayer),
            limited ? ReportNumber::text(row.tolerable) : texts.text(kNoLimit),
            row.verdict ? verdictWord(*row.verdict, texts) : QString()};
}

ReportBlock PlaceTable::block(const EarthingResult &result,
                              const std::optional<SystemSafety> &safety, const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(kPlaces);
    block.header = header(texts);
    for (const Row &row : rows(result, safety, texts))
        block.rows.append(cells(row, texts));
    return block;
}
