#pragma once

#include "core/design/DesignBrief.h"
#include "core/design/DesignLayout.h"
#include "core/design/DesignSearch.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace tav::design {

// A layout in a few words of data: what a report lists and a reader checks, without the
// outline it was laid in.
struct LayoutSummary {
    int linesX = 2;
    int linesY = 2;
    bool compressX = false;
    bool compressY = false;
    int rods = 0;
    std::optional<double> rodLength; // m; none without rods
    // Laid or not; none where the layer was not the design's to choose.
    std::optional<bool> surface;

    bool operator==(const LayoutSummary &other) const;
};

// A layout solved beside the designed one.
struct RunnerUp {
    double cost = 0;
    LayoutSummary layout;
    // 1 less the worst voltage over its tolerable one; none where no limit was set.
    std::optional<double> touchMargin;
    std::optional<double> stepMargin;
    bool safe = false;

    bool operator==(const RunnerUp &other) const;
};

// What the search went through.
struct FamilyRecord {
    int fewestLinesX = 2;
    int mostLinesX = 2;
    int fewestLinesY = 2;
    int mostLinesY = 2;
    bool equalSpacing = true;
    bool compressedSpacing = true;
    struct Rods {
        double length = 0;
        std::vector<int> counts;
        bool operator==(const Rods &other) const;
    };
    std::vector<Rods> rods;
    bool surface = false; // the surface layer searched, laid and not
    std::size_t layouts = 0;

    bool operator==(const FamilyRecord &other) const;
};

// The document's own quantities as designed: its buried conductor and rods, and the
// priced area of the surface layer, so that a layout edited since is known to be.
struct DesignedQuantities {
    double conductorLength = 0; // m
    double rodLength = 0;       // m
    double surfaceArea = 0;     // m²; 0 where the layer is not priced

    bool operator==(const DesignedQuantities &other) const;
};

// How a document's layout was found: the family searched, the prices, the designed
// layout and its cost, the solves it took and the runner-up layouts. It describes the
// layout as first found, and stays with the document when the layout is edited.
struct DesignRecord {
    static constexpr std::size_t kMostRunnerUps = 5;

    FamilyRecord family;
    Prices prices;
    bool safe = false;
    double cost = 0;
    LayoutSummary layout;
    int solves = 0;
    std::vector<RunnerUp> runnerUps;
    DesignedQuantities quantities;

    bool operator==(const DesignRecord &other) const;

    // The record of a search's outcome (quantities left for the caller): the runner-ups
    // are the next cheapest passing layouts solved, then the least failing.
    static DesignRecord of(const DesignOutcome &outcome, const DesignBrief &brief,
                           const FamilyBounds &bounds);
    static LayoutSummary summary(const Layout &layout, const DesignBrief &brief,
                                 const FamilyBounds &bounds);
};

} // namespace tav::design
