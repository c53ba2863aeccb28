#include "document/DesignStudy.h"

#include "core/GridSafety.h"
#include "core/earthing/PlanPolygon.h"
#include "core/earthing/TouchAreas.h"

#include <algorithm>
#include <cmath>

namespace tav {

using design::Judgement;
using design::Layout;

namespace {

bool surfaceChoice(const SystemDocument &document) {
    return document.design && document.design->prices.surfacePerM2 && document.safety &&
           document.safety->surface;
}

bool sameOutline(const std::vector<earthing::Point2> &a, const std::vector<earthing::Point2> &b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const earthing::Point2 &p, const earthing::Point2 &q) {
                          return p.x == q.x && p.y == q.y;
                      });
}

// The layout's touch is judged over the outline, the yard the design was asked to cover,
// as a grid's is over its own area: without this, its conductors (given one by one) would
// add the ground within reach outside the perimeter, and a layout would be judged where a
// grid of the same copper is not. The document's other areas stay as its parts give them,
// written out so that the laid document reads back the same; a part of the document's own
// that touches the layout keeps its network's reach.
void judgedOverOutline(SystemDocument &d, const std::vector<earthing::Conductor> &layout,
                       const std::vector<earthing::Point2> &outline) {
    if (layout.empty())
        return;
    std::vector<earthing::TouchArea> areas;
    if (d.shapesGiveTouchAreas) {
        const std::vector<earthing::TouchArea> own =
            earthing::TouchAreas::ofClusters(layout, d.search.reach);
        for (earthing::TouchArea &a : d.input().touchAreas) {
            const bool layouts = a.kind == earthing::TouchAreaKind::Conductors &&
                                 std::any_of(own.begin(), own.end(), [&a](const auto &o) {
                                     return sameOutline(o.outline, a.outline);
                                 });
            if (!layouts)
                areas.push_back(std::move(a));
        }
    } else {
        areas = d.touchAreas;
    }
    earthing::TouchArea yard;
    yard.outline = outline;
    areas.push_back(yard);
    for (std::size_t k = 0; k < areas.size(); ++k) {
        areas[k].kind = earthing::TouchAreaKind::Given;
        areas[k].part = int(k);
    }
    d.touchAreas = std::move(areas);
    d.shapesGiveTouchAreas = false;
}

} // namespace

SystemDocument DesignStudy::laidOut(const SystemDocument &document, const Layout &layout) {
    SystemDocument d = document;
    d.design.reset();
    const design::DesignBrief &brief = *document.design;
    const design::LayoutGeometry g = design::DesignLayout::geometry(brief, layout);
    d.conductors.insert(d.conductors.end(), g.conductors.begin(), g.conductors.end());
    if (!g.rods.empty())
        d.rods.push_back({g.rods, brief.depth, g.rodLength, brief.diameter, 0});
    judgedOverOutline(d, g.conductors, brief.outline);
    if (surfaceChoice(document)) {
        if (layout.surface) {
            d.surfaceZone = brief.outline;
        } else {
            // No rock laid: no case stands on any, a season's own layer included.
            d.safety->surface.reset();
            for (StudyCase &c : d.cases)
                c.surface.reset();
        }
    }
    return d;
}

Judgement DesignStudy::judged(const StudyEvaluation &study) {
    Judgement j;
    j.solves = study.solves;
    if (!study.envelope)
        return j;
    const earthing::CaseEnvelope &e = *study.envelope;
    j.safe = e.overall == Verdict::Safe;
    if (e.touch) {
        j.touchShare = e.touch->share;
        j.touchVoltage = e.touch->judged.voltage;
        j.touchTolerable = e.touch->judged.tolerable;
        j.gpr = study.cases[std::size_t(e.touch->caseIndex)].evaluation.result->gpr;
    }
    if (e.step) {
        j.stepShare = e.step->share;
        j.stepVoltage = e.step->judged.voltage;
        j.stepTolerable = e.step->judged.tolerable;
    }
    return j;
}

std::optional<double> DesignStudy::estimate(const SystemDocument &document, const Layout &layout) {
    if (!document.design || !document.safety || document.network || !(document.current > 0))
        return std::nullopt;
    const design::DesignBrief &brief = *document.design;
    // IEEE Std 80's grid has one spacing both ways: the meshes of the layout's count, each
    // square, over the outline's area.
    const double area = std::abs(earthing::PlanPolygon::area(brief.outline));
    const double meshesX = layout.linesX - 1;
    const double meshesY = layout.linesY - 1;
    GridSafetyInput in;
    in.soilResistivity = document.soil.resistivity(0);
    in.spacing = std::sqrt(area / (meshesX * meshesY));
    in.lengthX = in.spacing * meshesX;
    in.lengthY = in.spacing * meshesY;
    in.depth = brief.depth;
    in.conductorDiameter = brief.diameter;
    in.gridCurrent = document.current;
    in.faultDuration = document.safety->faultDuration;
    in.body = document.safety->body;
    in.criteria = document.safety->criteria;
    in.footwear = document.safety->footwear;
    if (document.safety->surface && (!surfaceChoice(document) || layout.surface))
        in.surface = document.safety->surface;
    if (layout.rods > 0) {
        in.rods.count = layout.rods;
        in.rods.length = brief.rodLengths[std::size_t(layout.rodLength)];
        in.rods.onPerimeter = true;
    }
    const Refusable<GridSafetyResult> r = calculateGridSafety(in);
    if (r.refused() || !(r.result().touchTolerable > 0))
        return std::nullopt;
    double share = r.result().Em / r.result().touchTolerable;
    if (r.result().stepLimited && r.result().stepTolerable > 0)
        share = std::max(share, r.result().Es / r.result().stepTolerable);
    return share;
}

Refusable<std::vector<Judgement>>
DesignStudy::evaluate(const SystemDocument &document, const std::vector<Layout> &layouts,
                      const earthing::ProgressCallback &progress) {
    std::vector<Judgement> judged;
    for (const Layout &layout : layouts) {
        const Refusable<StudyEvaluation> study =
            CaseStudy::evaluate(laidOut(document, layout), progress);
        if (study.refused())
            return study.refusal();
        judged.push_back(DesignStudy::judged(study.result()));
    }
    return judged;
}

std::optional<design::DesignedQuantities> DesignStudy::quantities(const SystemDocument &document,
                                                                  const design::Prices &prices) {
    const SystemDocument::Expansion expansion = document.expanded();
    if (expansion.input.refused())
        return std::nullopt;
    design::DesignedQuantities q;
    for (const earthing::Conductor &c : expansion.input.result().conductors) {
        const double across = std::hypot(c.to.x - c.from.x, c.to.y - c.from.y);
        const double down = std::abs(c.to.z - c.from.z);
        // A rod stands; anything else runs along.
        (down > across ? q.rodLength : q.conductorLength) += std::hypot(across, down);
    }
    if (prices.surfacePerM2 && document.safety && document.safety->surface) {
        if (document.surfaceZone.empty())
            return std::nullopt;
        q.surfaceArea = std::abs(earthing::PlanPolygon::area(document.surfaceZone));
    }
    return q;
}

DesignStudy::Edited DesignStudy::edited(const SystemDocument &document) {
    if (!document.designed)
        return {};
    const design::DesignRecord &r = *document.designed;
    const std::optional<design::DesignedQuantities> now = quantities(document, r.prices);
    if (!now)
        return {true, std::nullopt};
    const design::DesignedQuantities &then = r.quantities;
    // Both summed in the same order from what the record was written from: a millimetre
    // apart is an edit.
    const auto moved = [](double a, double b) { return !(std::abs(a - b) <= 1e-3); };
    if (!moved(now->conductorLength, then.conductorLength) &&
        !moved(now->rodLength, then.rodLength) && !moved(now->surfaceArea, then.surfaceArea))
        return {};
    return {true, r.cost + (now->conductorLength - then.conductorLength) * r.prices.conductorPerM +
                      (now->rodLength - then.rodLength) * r.prices.rodPerM +
                      (now->surfaceArea - then.surfaceArea) * r.prices.surfacePerM2.value_or(0)};
}

Refusable<DesignResult> DesignStudy::run(const SystemDocument &document,
                                         const design::DesignProgressCallback &progress,
                                         const Options &given) {
    DesignResult result;
    result.brief = *document.design;
    result.bounds = design::DesignLayout::bounds(*document.design, surfaceChoice(document));
    if (given.mostLines >= 2) {
        result.bounds.mostLinesX = std::min(result.bounds.mostLinesX, given.mostLines);
        result.bounds.mostLinesY = std::min(result.bounds.mostLinesY, given.mostLines);
    }
    design::DesignSearch::Options options;
    options.stageSize = given.stageSize;
    options.estimate = [&](const Layout &l) { return estimate(document, l); };
    const design::Evaluate own = [&](const std::vector<Layout> &layouts,
                                     const earthing::ProgressCallback &monitor) {
        return DesignStudy::evaluate(document, layouts, monitor);
    };
    const Refusable<design::DesignOutcome> outcome = design::DesignSearch::run(
        *document.design, result.bounds, given.evaluate ? given.evaluate : own, options, progress);
    if (outcome.refused())
        return outcome.refusal();
    result.outcome = outcome.result();
    result.document = laidOut(document, result.outcome.best.layout);
    design::DesignRecord record =
        design::DesignRecord::of(result.outcome, result.brief, result.bounds);
    record.quantities =
        quantities(result.document, record.prices).value_or(design::DesignedQuantities{});
    result.document.designed = record;
    return result;
}

} // namespace tav
