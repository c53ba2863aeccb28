#include "report/SystemReport.h"

#include "core/earthing/PlanPolygon.h"
#include "document/PartLeakage.h"
#include "report/LeakageTable.h"
#include "report/NetworkReport.h"
#include "report/PlaceLimits.h"
#include "report/CasesReport.h"
#include "report/DesignReport.h"
#include "report/PlaceTable.h"
#include "report/PlanPicture.h"
#include "report/ProfilePicture.h"
#include "report/ReportNumber.h"
#include "report/ReportTable.h"
#include "report/SystemMethod.h"
#include "report/SystemParts.h"
#include "report/SystemPictures.h"
#include "report/TitleBlock.h"
#include "text/StringIds.h"

#include <QJsonArray>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace StringId::SystemReport;
namespace Study = StringId::Study;
using namespace tav::earthing;

namespace SystemReport {

namespace {

QString given(double value) {
    return ReportNumber::given(value);
}

QString number(double value) {
    return ReportNumber::text(value);
}

} // namespace

QString group(int group, const StudyTexts &texts) {
    return group == 0 ? texts.text(kEnergised) : texts.text(kFloating).arg(group);
}

namespace {

QString gridRods(const std::optional<tav::SystemDocument::GridRods> &rods,
                 const StudyTexts &texts) {
    if (!rods)
        return QString();
    return rods->corners ? texts.text(kRodsAtCorners).arg(given(rods->length))
                         : texts.text(kRodsOnEdge).arg(rods->count).arg(given(rods->length));
}

QString grid(const RectangularGrid &g, const StudyTexts &texts) {
    return texts.text(kGrid)
        .arg(given(g.sizeX), given(g.sizeY), given(g.x0), given(g.y0))
        .arg(g.countX)
        .arg(g.countY)
        .arg(given(g.depth), group(g.group, texts));
}

ReportLine line(const QString &text) {
    return {text, ReportLine::Tone::Plain};
}

QString place(const Point2 &p) {
    return PlaceTable::place(p);
}

// "(0, 0), (10, 0), (10, 10)": each corner in order, never cut across two lines.
QString cornerList(const std::vector<Point2> &corners) {
    QStringList shown;
    for (const Point2 &p : corners)
        shown.append(ReportTable::keptTogether(place(p)));
    return shown.join(QStringLiteral(", "));
}

QString surfaceZone(const std::vector<Point2> &zone, const StudyTexts &texts) {
    if (zone.empty())
        return texts.text(kEverywhere);
    return texts.text(kZonePolygon)
        .arg(int(zone.size()))
        .arg(given(std::round(std::abs(PlanPolygon::area(zone)) * 100) / 100));
}

} // namespace

std::optional<QLineF> keptProfileLine(const QJsonObject &studyWindow) {
    const QJsonArray kept = studyWindow.value(QStringLiteral("profile")).toArray();
    const bool given =
        kept.size() == 4 && std::all_of(kept.begin(), kept.end(), [](const QJsonValue &v) {
            return v.isDouble() && std::isfinite(v.toDouble());
        });
    if (!given)
        return std::nullopt;
    const QLineF line(kept[0].toDouble(), kept[1].toDouble(), kept[2].toDouble(),
                      kept[3].toDouble());
    return line.length() > 0 ? std::optional<QLineF>(line) : std::nullopt;
}

ProfilePicture profileFrame(const PlaceLimits &tolerable, const StudyTexts &texts) {
    ProfilePicture profile;
    profile.tolerable = tolerable;
    profile.xTitle = texts.text(kDistance);
    profile.yTitle = texts.text(kVoltage);
    profile.potentialLabel = texts.text(kPotentialCurve);
    profile.touchLabel = texts.text(kTouchCurve);
    profile.tolerableLabel = texts.text(kTolerableTouch);
    return profile;
}

QLineF profileLine(const tav::SystemDocument &document, const EarthingResult &result,
                   const QRectF &plan) {
    if (const auto kept = keptProfileLine(document.studyWindow))
        return *kept;
    const double y = result.touchMax ? result.touchMax->at.y : plan.center().y();
    return {plan.left(), y, plan.right(), y};
}

std::vector<QLineF> defaultProfiles(const EarthingResult &result, const QRectF &plan) {
    const QPointF middle = plan.center();
    std::vector<QLineF> lines{{plan.left(), middle.y(), plan.right(), middle.y()}};
    if (!result.touchMax)
        return lines;
    // At 45 degrees through the worst touch, from edge to edge of the plan.
    const QPointF p(result.touchMax->at.x, result.touchMax->at.y);
    const double from = std::max(plan.left() - p.x(), plan.top() - p.y());
    const double to = std::min(plan.right() - p.x(), plan.bottom() - p.y());
    if (to > from)
        lines.emplace_back(p + QPointF(from, from), p + QPointF(to, to));
    return lines;
}

std::vector<ReportBlock> pictures(const tav::SystemDocument &document, const EarthingResult &result,
                                  const std::optional<SystemSafety> &safety,
                                  const StudyTexts &texts) {
    // The pictures are drawn when the report is written, which may be after the caller's
    // result has gone: they keep their own.
    const auto kept = std::make_shared<const EarthingResult>(result);
    PlanPicture plan;
    plan.conductors = document.input().conductors;
    plan.result = kept.get();
    const QRectF world = plan.extent();
    const PlaceLimits tolerable = safety ? PlaceLimits::touch(*safety, result) : PlaceLimits();
    const bool drawn = keptProfileLine(document.studyWindow).has_value();
    const std::vector<QLineF> lines =
        drawn ? std::vector<QLineF>{profileLine(document, result, world)}
              : defaultProfiles(result, world);
    std::vector<ReportBlock> blocks;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const QLineF &along = lines[k];
        ReportBlock profileBlock;
        // Each by what it is: the line drawn, or across the middle, or at 45 degrees
        // through the worst touch.
        profileBlock.heading = texts.text(drawn    ? kProfileDrawn
                                          : k == 0 ? kProfile
                                                   : kProfileDiagonal);
        profileBlock.lines = {
            {texts.text(kProfileEnds)
                 .arg(place({along.x1(), along.y1()}), place({along.x2(), along.y2()})),
             ReportLine::Tone::Plain}};
        if (kept->field) {
            ProfilePicture profile = profileFrame(tolerable, texts);
            profile.sample(*kept->field, kept->gpr, along, kProfileSamples);
            profileBlock.picture = [profile](QPainter &painter, const QRectF &area) {
                profile.paint(painter, area);
            };
        }
        blocks.push_back(profileBlock);
    }
    return blocks;
}

namespace {

// Three layers or more, each down to the depth of its bottom: "300 Ω·m to 2 m, 100 Ω·m to
// 10 m, 600 Ω·m below".
QString soilLayers(const EarthingSoil &s, const StudyTexts &texts) {
    namespace Layers = StringId::SoilLayers;
    QStringList layers;
    double depth = 0;
    for (int k = 0; k + 1 < s.layerCount(); ++k) {
        depth += s.layerThickness(k);
        layers.append(texts.text(Layers::kReportLayer).arg(given(s.resistivity(k)), given(depth)));
    }
    layers.append(texts.text(Layers::kReportBottom).arg(given(s.resistivity(s.layerCount() - 1))));
    return texts.text(Layers::kReportLayers)
        .arg(s.layerCount())
        .arg(layers.join(QStringLiteral(", ")));
}

// The soil, and the sounding it was fitted to when the project says so.
QString soil(const tav::SystemDocument &d, const StudyTexts &texts) {
    const EarthingSoil &s = d.soil;
    const QString layers =
        !s.rho.empty() ? soilLayers(s, texts)
        : s.layered    ? texts.text(kTwoLayers).arg(given(s.rho1), given(s.rho2), given(s.h))
                       : texts.text(kUniform).arg(given(s.rho1));
    if (!d.soilOrigin)
        return layers;
    // The array named only where the study keeps its sounding: a count alone says none.
    const auto &sounding = d.soilOrigin->sounding;
    const unsigned id = !sounding                ? kFittedReadings
                        : sounding->schlumberger ? kFittedSchlumberger
                                                 : kFittedSoil;
    return texts.text(id)
        .arg(layers)
        .arg(d.soilOrigin->readings)
        .arg(ReportNumber::text(d.soilOrigin->rmsPercent, 2));
}

// The current to earth, and the fault it was worked out from when the project says so, or
// the network's.
QString current(const tav::SystemDocument &d, const StudyTexts &texts,
                const std::optional<tav::network::NetworkResult> &network) {
    if (d.network && network)
        return NetworkReport::studyCurrent(*d.network, *network, texts);
    if (!d.currentBasis)
        return texts.text(kCurrentGiven).arg(given(d.current));
    const tav::InputOrigin::Current &b = *d.currentBasis;
    return texts.text(kCurrentBasis)
        .arg(given(d.current), given(b.faultCurrent), given(b.decrement), given(b.split));
}

} // namespace

Pairs inputs(const tav::SystemDocument &d, const StudyTexts &texts,
             const std::optional<tav::network::NetworkResult> &network) {
    Pairs pairs{{texts.text(kSoil), soil(d, texts)},
                {texts.text(kCurrent), current(d, texts, network)}};
    if (d.siteOrigin)
        pairs.append({texts.text(StringId::DrawingReport::kSiteOrigin),
                      PlaceTable::sitePlace(*d.siteOrigin) + QStringLiteral(" m")});
    if (!d.safety) {
        pairs.append({texts.text(kSafety), texts.text(kNoSafety)});
        return pairs;
    }
    const tav::SafetyCriteria &c = *d.safety;
    pairs.append(
        {texts.text(kDuration),
         texts.text(Study::kUnit).arg(given(c.faultDuration), texts.text(Study::kSecond))});
    const bool en50522 = c.criteria == tav::Criteria::En50522;
    pairs.prepend({texts.text(kCriteriaUsed), texts.text(en50522 ? StringId::Criteria::kEn50522
                                                                 : StringId::Criteria::kIeee80)});
    pairs.append({texts.text(kSurface),
                  c.surface ? texts.text(kSurfaceValue)
                                  .arg(given(c.surface->resistivity), given(c.surface->thickness))
                            : texts.text(kNoSurface)});
    if (c.surface)
        pairs.append({texts.text(kSurfaceZone), surfaceZone(d.surfaceZone, texts)});
    // Each criteria's own person: IEEE Std 80's body weight, EN 50522's footwear.
    if (en50522)
        pairs.append({texts.text(kFootwear), texts.value(c.footwear, Study::kOhm)});
    else
        pairs.append({texts.text(kBodyWeight),
                      texts.text(kKilograms).arg(c.body == tav::BodyWeight::Kg70 ? 70 : 50)});
    return pairs;
}

std::optional<ReportBlock> sounding(const tav::SystemDocument &d, const StudyTexts &texts) {
    if (!d.soilOrigin || !d.soilOrigin->sounding)
        return std::nullopt;
    const tav::InputOrigin::Sounding &s = *d.soilOrigin->sounding;
    namespace Soil = StringId::SoilModel;
    namespace Window = StringId::SoilWindow;
    ReportBlock block;
    block.heading = texts.text(kSoundingHeading);
    block.pairs = {{texts.text(kSoundingArray),
                    texts.text(s.schlumberger ? Window::kSchlumberger : Window::kWenner)}};
    // The columns the soil model window's table has.
    block.header = {
        texts.text(s.schlumberger ? StringId::LayersReport::kAb : Soil::kSpacingColumn)};
    if (s.schlumberger)
        block.header.append(texts.text(StringId::LayersReport::kMn));
    block.header.append(texts.text(Soil::kResistivityColumn));
    for (const tav::InputOrigin::Sounding::Reading &r : s.readings) {
        QStringList row{given(r.spacing)};
        if (s.schlumberger)
            row.append(given(r.mn));
        row.append(given(r.resistivity));
        block.rows.append(row);
    }
    return block;
}

QVector<ReportLine> parts(const tav::SystemDocument &d, const StudyTexts &texts) {
    QVector<ReportLine> lines;
    if (!d.conductors.empty())
        lines.append(line(texts.text(kConductors).arg(int(d.conductors.size()))));
    for (const tav::SystemDocument::Grid &g : d.grids)
        lines.append(line(grid(g.grid, texts) + gridRods(g.rods, texts)));
    for (const tav::SystemDocument::Rods &r : d.rods)
        lines.append(line(texts.text(kRods)
                              .arg(int(r.at.size()))
                              .arg(given(r.length), given(r.top), group(r.group, texts))));
    for (const tav::SystemDocument::LGrid &l : d.lGrids)
        lines.append(line(texts.text(kLGrid).arg(grid(l.grid.bounds, texts), given(l.grid.cutX),
                                                 given(l.grid.cutY)) +
                          gridRods(l.rods, texts)));
    for (const RodRing &r : d.rings)
        lines.append(line(texts.text(kRing).arg(r.count).arg(given(r.rodLength), given(r.radius),
                                                             place(r.centre), given(r.depth),
                                                             group(r.group, texts))));
    for (const tav::SystemDocument::Fence &f : d.fences)
        lines.append(
            line((f.fence.outline.empty()
                      ? texts.text(kFence).arg(given(f.fence.distance))
                      : texts.text(StringId::Outline::kFenceAlong).arg(f.fence.outline.size()))
                     .arg(given(f.fence.length), given(f.fence.spacing),
                          f.group ? group(*f.group, texts) : texts.text(kOwnGroup))));
    for (const tav::DrawingPart &p : d.drawings) {
        double length = 0;
        for (const Conductor &c : p.conductors)
            length += std::hypot(c.to.x - c.from.x, c.to.y - c.from.y, c.to.z - c.from.z);
        lines.append(line(texts.text(StringId::DrawingReport::kPart)
                              .arg(p.name)
                              .arg(int(p.conductors.size()))
                              .arg(given(std::round(length * 100) / 100))
                              .arg(int(p.rods.size()))
                              .arg(group(p.group, texts))));
    }
    for (const TouchArea &a : d.touchAreas) {
        lines.append(line(texts.text(kGivenTouchArea)
                              .arg(int(a.outline.size()))
                              .arg(given(std::abs(tav::earthing::PlanPolygon::area(a.outline))),
                                   group(a.group, texts))));
        lines.append(line(texts.text(kAreaCorners).arg(cornerList(a.outline))));
    }
    for (const TouchPoint &p : d.touchPoints)
        lines.append(
            line(texts.text(kTouchPointPart)
                     .arg(QString::fromStdString(p.name), place(p.at), group(p.group, texts))));
    return lines;
}

namespace {

// "827.3 V on the surface layer (Grid 1); 322.1 V off it (Fence 1)": each limit with the
// places judged against it, or without places (the step's), each limit alone.
QString sides(const PlaceLimits &limits, const QStringList &on, const QStringList &off, bool named,
              const StudyTexts &texts) {
    const QString onValue = texts.value(limits.onLayer(), Study::kVolt);
    const QString offValue = texts.value(limits.offLayer(), Study::kVolt);
    QStringList parts;
    if (!named || !on.isEmpty())
        parts.append(named ? texts.text(kLimitOnLayerAt).arg(onValue, on.join(QStringLiteral(", ")))
                           : texts.text(kLimitOnLayer).arg(onValue));
    if (!named || !off.isEmpty())
        parts.append(
            named ? texts.text(kLimitOffLayerAt).arg(offValue, off.join(QStringLiteral(", ")))
                  : texts.text(kLimitOffLayer).arg(offValue));
    return parts.join(QStringLiteral("; "));
}

// The tolerable touch voltage of each place: one value where every place stands on the
// same ground, else the layer's and the bare soil's with the places each judges.
QString touchLimits(const EarthingResult &r, const SystemSafety &safety, const StudyTexts &texts) {
    const PlaceLimits limits = PlaceLimits::touch(safety, r);
    if (!limits.apart())
        return texts.value(safety.onLayer.touch, Study::kVolt);
    const QVector<PlaceTable::Row> rows = PlaceTable::rows(r, safety, texts);
    const qsizetype places = qsizetype(std::min(r.touchAreas.size(), r.areas.size()) +
                                       std::min(r.touchPoints.size(), r.touched.size()));
    QStringList on, off;
    for (qsizetype k = 0; k < places && k < rows.size(); ++k)
        if (rows[k].reached)
            (rows[k].onLayer ? on : off).append(rows[k].name);
    return sides(limits, on, off, !on.isEmpty() || !off.isEmpty(), texts);
}

// The tolerable step voltage, the layer's and the bare soil's apart where it lies in a zone.
QString stepLimits(const EarthingResult &r, const SystemSafety &safety, const StudyTexts &texts) {
    if (!safety.onLayer.stepLimited)
        return texts.text(kNoLimit);
    const PlaceLimits limits = PlaceLimits::step(safety, r);
    if (!limits.apart())
        return texts.value(safety.onLayer.step, Study::kVolt);
    return sides(limits, {}, {}, false, texts);
}

} // namespace

Pairs resultPairs(const EarthingResult &r, const std::optional<SystemSafety> &safety,
                  const StudyTexts &texts, const std::optional<Point2> &site) {
    // A place on the plan, and on site where the study knows where its 0, 0 lies.
    const auto onSite = [&](const QString &shown, const Point2 &p) {
        return site ? texts.text(StringId::DrawingReport::kOnSite)
                          .arg(shown, PlaceTable::sitePlace({site->x + p.x, site->y + p.y}))
                    : shown;
    };
    Pairs pairs{{texts.text(kResistance), texts.value(r.resistance, Study::kOhm)},
                {texts.text(kGpr), texts.value(r.gpr, Study::kVolt)},
                {texts.text(kWorstStep),
                 onSite(texts.text(kVoltageFromTo)
                            .arg(number(r.stepMax.voltage), place(r.stepMax.from),
                                 place(r.stepMax.to)),
                        r.stepMax.middle())}};
    if (r.touchMax)
        pairs.insert(2, {texts.text(kWorstTouch),
                         onSite(texts.text(kVoltageAt)
                                    .arg(number(r.touchMax->voltage), place(r.touchMax->at)),
                                r.touchMax->at)});
    if (safety) {
        pairs.append({texts.text(kTolerableTouch), touchLimits(r, *safety, texts)});
        pairs.append({texts.text(kTolerableStep), stepLimits(r, *safety, texts)});
    }
    return pairs;
}

ReportBlock groups(const EarthingResult &r, const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(kGroups);
    block.header = {texts.text(kGroupColumn), texts.text(kPotentialColumn),
                    texts.text(kCurrentColumn)};
    for (const GroupResult &g : r.groups)
        block.rows.append({group(g.group, texts), number(g.potential), number(g.current)});
    return block;
}

QVector<ReportLine> verdicts(const EarthingResult &r, const std::optional<SystemSafety> &safety,
                             const StudyTexts &texts) {
    QVector<ReportLine> lines;
    if (safety) {
        if (safety->touch)
            lines.append(texts.verdictLine(kTouchVerdict, safety->touch->voltage,
                                           safety->touch->tolerable, safety->touch->verdict));
        if (safety->step.verdict == tav::Verdict::NoLimit)
            lines.append(line(texts.text(kStepNoLimit).arg(number(safety->step.voltage))));
        else
            lines.append(texts.verdictLine(kStepVerdict, safety->step.voltage,
                                           safety->step.tolerable, safety->step.verdict));
        for (const tav::Caution &c : safety->onLayer.cautions)
            lines.append({texts.wording().caution(c), ReportLine::Tone::Caution});
    }
    for (const tav::Caution &c : r.cautions)
        lines.append({texts.wording().caution(c), ReportLine::Tone::Caution});
    return lines;
}

std::optional<ReportLine> overall(const std::optional<SystemSafety> &safety,
                                  const StudyTexts &texts) {
    if (!safety)
        return std::nullopt;
    return ReportLine{texts.text(kOverall).arg(PlaceTable::verdictWord(safety->overall, texts)),
                      PlaceTable::tone(safety->overall)};
}

// The title block first, then the summary (the verdict, the figures it rests on and the
// criteria's basis), the inputs in full, the plan to scale, the maps, the profiles, the
// results and where the current leaves the metal, and last the assumptions and method.
Report report(const tav::SystemDocument &document, const EarthingResult &result,
              const std::optional<SystemSafety> &safety, const StudyHeader &header,
              const StudyTexts &texts, const std::optional<tav::network::NetworkResult> &network) {
    Report report = header.startReport(kTitle, texts);
    report.blocks.append(TitleBlock::block(header, texts));
    const auto kept = std::make_shared<const EarthingResult>(result);
    ReportBlock summary;
    summary.heading = texts.text(kVerdict);
    summary.lines = verdicts(result, safety, texts);
    if (const std::optional<ReportLine> all = overall(safety, texts))
        summary.lines.prepend(*all);
    summary.pairs = resultPairs(result, safety, texts, document.siteOrigin);
    report.blocks.append(summary);
    report.blocks.append(PlaceTable::block(result, safety, texts));
    report.blocks.append(SystemMethod::criteria(document, safety, texts));
    ReportBlock in;
    in.heading = texts.text(kInputs);
    in.pairs = inputs(document, texts, network);
    in.lines = parts(document, texts);
    if (document.safety && document.safety->surface && !document.surfaceZone.empty())
        in.lines.append(line(texts.text(kZoneCorners).arg(cornerList(document.surfaceZone))));
    report.blocks.append(in);
    // How the layout was found, beside the inputs it was found for.
    report.blocks.append(DesignReport::blocks(document, texts));
    if (const std::optional<ReportBlock> readings = sounding(document, texts))
        report.blocks.append(*readings);
    if (document.network && network)
        report.blocks.append(NetworkReport::blocks(*document.network, *network, texts));
    report.blocks.append(SystemParts::table(document, texts));
    report.blocks.append(SystemParts::accuracy(document, result, texts));
    report.blocks.append(SystemPictures::plan(document, kept, texts));
    for (const ReportBlock &map : SystemPictures::maps(document, kept, safety, texts))
        report.blocks.append(map);
    for (const ReportBlock &profile : pictures(document, result, safety, texts))
        report.blocks.append(profile);
    report.blocks.append(groups(result, texts));
    const tav::SystemLeakage leakage = tav::SystemLeakage::of(document, result);
    report.blocks.append(LeakageTable::block(leakage, texts));
    report.blocks.append(SystemPictures::leakage(document, kept, texts));
    report.blocks.append(SystemMethod::assumptions(texts, document.network && network));
    if (const auto all = LeakageTable::appendix(document, leakage, texts))
        report.blocks.append(*all);
    return report;
}

namespace {

// Every case's maps in the cases' order, each headed with its case's name, in place of the
// governing case's maps.
void putAllMaps(Report &r, const tav::StudyEvaluation &study, const StudyTexts &texts) {
    const QStringList headings{texts.text(kMapPotential), texts.text(kMapTouch),
                               texts.text(kMapStep)};
    qsizetype at = 0;
    while (at < r.blocks.size() && r.blocks[at].heading != headings[0])
        ++at;
    qsizetype end = at;
    while (end < r.blocks.size() && headings.contains(r.blocks[end].heading))
        ++end;
    if (at == end)
        return;
    QVector<ReportBlock> all;
    for (const tav::CaseEvaluation &c : study.cases) {
        const tav::SystemEvaluation &e = c.evaluation;
        for (ReportBlock map : SystemPictures::maps(c.document, e.result, e.safety, texts)) {
            map.heading = texts.text(StringId::CaseKeys::kCaseMap).arg(c.name, map.heading);
            all.append(map);
        }
    }
    r.blocks.remove(at, end - at);
    for (qsizetype k = 0; k < all.size(); ++k)
        r.blocks.insert(at + k, all[k]);
}

} // namespace

Report report(const tav::StudyEvaluation &study, const StudyHeader &header, const StudyTexts &texts,
              const Options &options) {
    const tav::CaseEvaluation &governing = study.governing();
    const tav::SystemEvaluation &e = governing.evaluation;
    Report r = report(governing.document, *e.result, e.safety, header, texts, e.network);
    // The governing case's places give way to the cases' table and each case's places.
    const QString placesHeading = PlaceTable::block(*e.result, e.safety, texts).heading;
    qsizetype at = 0;
    while (at < r.blocks.size() && r.blocks[at].heading != placesHeading)
        ++at;
    if (at < r.blocks.size())
        r.blocks.remove(at);
    QVector<ReportBlock> blocks{CasesReport::summary(study, texts)};
    blocks.append(CasesReport::places(study, texts));
    for (qsizetype k = 0; k < blocks.size(); ++k)
        r.blocks.insert(at + k, blocks[k]);
    if (options.allMaps && study.cases.size() > 1)
        putAllMaps(r, study, texts);
    return r;
}

} // namespace SystemReport
