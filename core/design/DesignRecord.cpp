#include "core/design/DesignRecord.h"

#include <algorithm>

namespace tav::design {

bool LayoutSummary::operator==(const LayoutSummary &o) const {
    return linesX == o.linesX && linesY == o.linesY && compressX == o.compressX &&
           compressY == o.compressY && rods == o.rods && rodLength == o.rodLength &&
           surface == o.surface;
}

bool RunnerUp::operator==(const RunnerUp &o) const {
    return cost == o.cost && layout == o.layout && touchMargin == o.touchMargin &&
           stepMargin == o.stepMargin && safe == o.safe;
}

bool FamilyRecord::Rods::operator==(const Rods &o) const {
    return length == o.length && counts == o.counts;
}

bool FamilyRecord::operator==(const FamilyRecord &o) const {
    return fewestLinesX == o.fewestLinesX && mostLinesX == o.mostLinesX &&
           fewestLinesY == o.fewestLinesY && mostLinesY == o.mostLinesY &&
           equalSpacing == o.equalSpacing && compressedSpacing == o.compressedSpacing &&
           rods == o.rods && surface == o.surface && layouts == o.layouts;
}

bool DesignedQuantities::operator==(const DesignedQuantities &o) const {
    return conductorLength == o.conductorLength && rodLength == o.rodLength &&
           surfaceArea == o.surfaceArea;
}

bool DesignRecord::operator==(const DesignRecord &o) const {
    return family == o.family && prices.conductorPerM == o.prices.conductorPerM &&
           prices.rodPerM == o.prices.rodPerM && prices.surfacePerM2 == o.prices.surfacePerM2 &&
           safe == o.safe && cost == o.cost && layout == o.layout && solves == o.solves &&
           runnerUps == o.runnerUps && quantities == o.quantities;
}

LayoutSummary DesignRecord::summary(const Layout &layout, const DesignBrief &brief,
                                    const FamilyBounds &bounds) {
    LayoutSummary s;
    s.linesX = layout.linesX;
    s.linesY = layout.linesY;
    s.compressX = layout.compressX;
    s.compressY = layout.compressY;
    s.rods = layout.rods;
    if (layout.rods > 0 && layout.rodLength >= 0 &&
        std::size_t(layout.rodLength) < brief.rodLengths.size())
        s.rodLength = brief.rodLengths[std::size_t(layout.rodLength)];
    if (bounds.surfaceChoice)
        s.surface = layout.surface;
    return s;
}

namespace {

FamilyRecord familyOf(const DesignOutcome &outcome, const DesignBrief &brief,
                      const FamilyBounds &bounds) {
    FamilyRecord f;
    f.mostLinesX = bounds.mostLinesX;
    f.mostLinesY = bounds.mostLinesY;
    // DesignLayout::family compresses only where both ways have four lines or more.
    f.compressedSpacing = bounds.mostLinesX >= 4 && bounds.mostLinesY >= 4;
    for (std::size_t k = 0; k < bounds.rodCounts.size() && k < brief.rodLengths.size(); ++k)
        f.rods.push_back({brief.rodLengths[k], bounds.rodCounts[k]});
    f.surface = bounds.surfaceChoice;
    f.layouts = outcome.familySize;
    return f;
}

bool sameLayout(const Layout &a, const Layout &b) {
    return a.linesX == b.linesX && a.linesY == b.linesY && a.compressX == b.compressX &&
           a.compressY == b.compressY && a.rods == b.rods && a.rodLength == b.rodLength &&
           a.surface == b.surface;
}

std::optional<double> margin(const std::optional<double> &share) {
    return share ? std::optional<double>(1 - *share) : std::nullopt;
}

} // namespace

DesignRecord DesignRecord::of(const DesignOutcome &outcome, const DesignBrief &brief,
                              const FamilyBounds &bounds) {
    DesignRecord r;
    r.family = familyOf(outcome, brief, bounds);
    r.prices = brief.prices;
    r.safe = outcome.safe;
    r.cost = outcome.best.cost.total;
    r.layout = summary(outcome.best.layout, brief, bounds);
    r.solves = outcome.solves;
    std::vector<const Candidate *> others;
    for (const Candidate &c : outcome.solved)
        if (c.judgement && !sameLayout(c.layout, outcome.best.layout))
            others.push_back(&c);
    // Passing ones first, the cheapest first; then the failing ones, the least failing
    // first; a tie by cost, so that the order is the same however the search ran.
    std::stable_sort(others.begin(), others.end(), [](const Candidate *a, const Candidate *b) {
        if (a->judgement->safe != b->judgement->safe)
            return a->judgement->safe;
        if (!a->judgement->safe && a->judgement->share() != b->judgement->share())
            return a->judgement->share() < b->judgement->share();
        return a->cost.total < b->cost.total;
    });
    for (std::size_t k = 0; k < others.size() && k < kMostRunnerUps; ++k) {
        const Candidate &c = *others[k];
        r.runnerUps.push_back({c.cost.total, summary(c.layout, brief, bounds),
                               margin(c.judgement->touchShare), margin(c.judgement->stepShare),
                               c.judgement->safe});
    }
    return r;
}

} // namespace tav::design
