#include "report/SystemParts.h"

#include "report/ReportNumber.h"
#include "report/SystemReport.h"
#include "text/StringIds.h"

#include <algorithm>

using namespace StringId::SystemReport;
using namespace tav::earthing;

namespace SystemParts {

namespace {

QString given(double value) {
    return ReportNumber::given(value);
}

QString millimetres(double metres) {
    return ReportNumber::given(metres * 1000);
}

QString group(int group, const StudyTexts &texts) {
    return SystemReport::group(group, texts);
}

QString rods(const std::optional<tav::SystemDocument::GridRods> &r, const StudyTexts &texts) {
    if (!r)
        return texts.text(kPartNone);
    return texts.text(r->corners ? kPartRodsCorners : kPartRods)
        .arg(r->count)
        .arg(given(r->length), millimetres(r->diameter));
}

// "8 × 8, meshes 10 × 10 m": the spacing of a rectangle's lines.
QString mesh(const RectangularGrid &g, const StudyTexts &texts) {
    const auto spacing = [](double size, int count) { return count > 1 ? size / (count - 1) : 0; };
    return texts.text(kPartMesh).arg(g.countX).arg(g.countY).arg(given(spacing(g.sizeX, g.countX)),
                                                                 given(spacing(g.sizeY, g.countY)));
}

QString rectangle(const RectangularGrid &g, const StudyTexts &texts) {
    return texts.text(kPartRectangle).arg(given(g.sizeX), given(g.sizeY), given(g.x0), given(g.y0));
}

// The least or the most of what the rows hold.
template <class Rows, class Value> double spreadEnd(const Rows &rows, Value value, bool most) {
    double end = value(rows.front());
    for (const auto &row : rows)
        end = most ? std::max(end, value(row)) : std::min(end, value(row));
    return end;
}

// "0.5" or "0.5–0.8": what a drawing's rows hold, from least to most.
template <class Rows, class Value>
QString spread(const Rows &rows, Value value, QString (*shown)(double)) {
    const double least = spreadEnd(rows, value, false);
    const double most = spreadEnd(rows, value, true);
    return least == most ? shown(least) : QStringLiteral("%1–%2").arg(shown(least), shown(most));
}

QString point(const Point3 &p) {
    return QStringLiteral("(%1, %2, %3)").arg(given(p.x), given(p.y), given(p.z));
}

void conductors(const tav::SystemDocument &d, const StudyTexts &texts, QVector<QStringList> &rows) {
    for (std::size_t k = 0; k < d.conductors.size(); ++k) {
        const Conductor &c = d.conductors[k];
        rows.append({texts.text(kPartConductor).arg(int(k) + 1),
                     texts.text(kPartFromTo).arg(point(c.from), point(c.to)), QStringLiteral("1"),
                     c.from.z == c.to.z
                         ? given(c.from.z)
                         : QStringLiteral("%1–%2").arg(given(c.from.z), given(c.to.z)),
                     millimetres(c.diameter), texts.text(kPartNone), group(c.group, texts)});
    }
}

void shapes(const tav::SystemDocument &d, const StudyTexts &texts, QVector<QStringList> &rows) {
    for (std::size_t k = 0; k < d.grids.size(); ++k) {
        const RectangularGrid &g = d.grids[k].grid;
        rows.append({texts.text(kPartGrid).arg(int(k) + 1), rectangle(g, texts), mesh(g, texts),
                     given(g.depth), millimetres(g.diameter), rods(d.grids[k].rods, texts),
                     group(g.group, texts)});
    }
    for (std::size_t k = 0; k < d.rods.size(); ++k) {
        const tav::SystemDocument::Rods &r = d.rods[k];
        rows.append({texts.text(kPartRodsAtPoints).arg(int(k) + 1),
                     texts.text(kPartPoints).arg(int(r.at.size())), QStringLiteral("–"),
                     given(r.top), millimetres(r.diameter),
                     texts.text(kPartRods)
                         .arg(int(r.at.size()))
                         .arg(given(r.length), millimetres(r.diameter)),
                     group(r.group, texts)});
    }
    for (std::size_t k = 0; k < d.lGrids.size(); ++k) {
        const LShapedGrid &l = d.lGrids[k].grid;
        rows.append(
            {texts.text(kPartLGrid).arg(int(k) + 1),
             rectangle(l.bounds, texts) + texts.text(kPartCut).arg(given(l.cutX), given(l.cutY)),
             mesh(l.bounds, texts), given(l.bounds.depth), millimetres(l.bounds.diameter),
             rods(d.lGrids[k].rods, texts), group(l.bounds.group, texts)});
    }
    for (std::size_t k = 0; k < d.rings.size(); ++k) {
        const RodRing &r = d.rings[k];
        rows.append(
            {texts.text(kPartRing).arg(int(k) + 1),
             texts.text(kPartCircle).arg(given(r.radius), given(r.centre.x), given(r.centre.y)),
             QString::number(r.count), given(r.depth), millimetres(r.diameter),
             texts.text(kPartRods).arg(r.count).arg(given(r.rodLength), millimetres(r.rodDiameter)),
             group(r.group, texts)});
    }
    for (std::size_t k = 0; k < d.fences.size(); ++k) {
        const tav::SystemDocument::Fence &f = d.fences[k];
        rows.append(
            {texts.text(kPartFence).arg(int(k) + 1),
             f.fence.outline.empty()
                 ? texts.text(kPartFenceAt).arg(given(f.fence.distance))
                 : texts.text(StringId::Outline::kPartFenceAlong).arg(f.fence.outline.size()),
             texts.text(kPartSpacing).arg(given(f.fence.spacing)), given(f.fence.top),
             millimetres(f.fence.diameter),
             texts.text(kPartPosts).arg(given(f.fence.length), millimetres(f.fence.diameter)),
             f.group ? group(*f.group, texts) : texts.text(kOwnGroup)});
    }
}

// A drawing: the box its conductors and rods lie in, its rows' depths and diameters, its rods.
void drawings(const tav::SystemDocument &d, const StudyTexts &texts, QVector<QStringList> &rows) {
    using Rod = tav::DrawingPart::Rod;
    for (std::size_t k = 0; k < d.drawings.size(); ++k) {
        const tav::DrawingPart &p = d.drawings[k];
        const std::vector<Conductor> all = p.expanded();
        if (all.empty()) {
            rows.append({p.name, texts.text(kPartNone), QStringLiteral("0"), texts.text(kPartNone),
                         texts.text(kPartNone), texts.text(kPartNone), group(p.group, texts)});
            continue;
        }
        RectangularGrid box;
        const double x0 = spreadEnd(
            all, [](const Conductor &c) { return std::min(c.from.x, c.to.x); }, false);
        const double y0 = spreadEnd(
            all, [](const Conductor &c) { return std::min(c.from.y, c.to.y); }, false);
        box.x0 = x0;
        box.y0 = y0;
        box.sizeX = spreadEnd(
                        all, [](const Conductor &c) { return std::max(c.from.x, c.to.x); }, true) -
                    x0;
        box.sizeY = spreadEnd(
                        all, [](const Conductor &c) { return std::max(c.from.y, c.to.y); }, true) -
                    y0;
        const auto depth = [](const Conductor &c) { return std::min(c.from.z, c.to.z); };
        const auto diameter = [](const Conductor &c) { return c.diameter; };
        QString rodText = texts.text(kPartNone);
        if (!p.rods.empty())
            rodText = texts.text(kPartRods)
                          .arg(int(p.rods.size()))
                          .arg(spread(
                                   p.rods, [](const Rod &r) { return r.length; }, &given),
                               spread(
                                   p.rods, [](const Rod &r) { return r.diameter; }, &millimetres));
        const std::vector<Conductor> &lines = p.conductors.empty() ? all : p.conductors;
        rows.append({p.name, rectangle(box, texts), QString::number(p.conductors.size()),
                     spread(all, depth, &given), spread(lines, diameter, &millimetres), rodText,
                     group(p.group, texts)});
    }
}

} // namespace

ReportBlock table(const tav::SystemDocument &document, const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(kPartsHeading);
    block.header = {texts.text(kPartColumn),  texts.text(kSizeColumn),     texts.text(kLinesColumn),
                    texts.text(kDepthColumn), texts.text(kDiameterColumn), texts.text(kRodsColumn),
                    texts.text(kGroupColumn)};
    conductors(document, texts, block.rows);
    shapes(document, texts, block.rows);
    drawings(document, texts, block.rows);
    return block;
}

ReportBlock accuracy(const tav::SystemDocument &document, const EarthingResult &result,
                     const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(kAccuracyHeading);
    const SearchOptions &s = document.search;
    block.pairs = {
        {texts.text(kSegmentLength), texts.text(kMetres).arg(given(document.segmentLength))},
        {texts.text(kRasterStep), texts.text(kMetres).arg(given(s.step))},
        {texts.text(kStepMargin), texts.text(kMetres).arg(given(s.margin))},
        {texts.text(kReach), texts.text(kMetres).arg(given(s.reach))},
        {texts.text(kSegments), QString::number(result.segments)},
        {texts.text(kImageTerms), QString::number(result.imageTerms)},
        {texts.text(kRasterNodes),
         texts.text(kRasterSize).arg(result.raster.nx).arg(result.raster.ny)}};
    return block;
}

} // namespace SystemParts
