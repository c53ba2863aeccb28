#pragma once

#include "core/design/DesignBrief.h"
#include "core/design/DesignLayout.h"
#include "core/earthing/SolveProgress.h"
#include "core/errors.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace tav::design {

// A layout as the full evaluation judged it, over every case of the study.
struct Judgement {
    bool safe = false;
    // The worst touch and step voltage over its tolerable one (1 at the limit), of every
    // case and place; none where the criteria set no limit.
    std::optional<double> touchShare;
    std::optional<double> stepShare;
    // For the words of what limits a layout that fails: the ground potential rise and the
    // worst touch voltage with its tolerable value, of the case of the worst touch.
    double gpr = 0;
    double touchVoltage = 0;
    double touchTolerable = 0;
    double stepVoltage = 0;
    double stepTolerable = 0;
    int solves = 0; // the solver's runs the evaluation took (one per distinct soil)

    // The worst of the two shares; 0 without either.
    double share() const;
};

struct Candidate {
    Layout layout;
    LayoutCost cost;
    std::optional<Judgement> judgement; // none until solved
};

struct DesignOutcome {
    bool safe = false;
    // The cheapest passing layout; when none passes, the least failing solved.
    Candidate best;
    std::vector<Candidate> solved; // in the order they were solved
    std::size_t familySize = 0;
    std::size_t pruned = 0; // left unsolved: the estimate's bound or a richer failure skipped them
    int solves = 0;
};

struct DesignProgress {
    std::size_t decided = 0; // the family's layouts solved, pruned or beaten
    std::size_t total = 0;
    int solved = 0;
    earthing::SolveProgress solve; // of the layout being solved
};
// Returning false cancels the search, which then refuses with Error::Cancelled.
using DesignProgressCallback = std::function<bool(const DesignProgress &)>;

// The layouts of one stage judged by the full evaluation, in their order; a solve hears
// cancel through the callback. Its refusal refuses the search.
using Evaluate = std::function<Refusable<std::vector<Judgement>>(
    const std::vector<Layout> &, const earthing::ProgressCallback &)>;
// A quick estimate of a layout's worst share (IEEE Std 80's formulas); none where it has
// nothing to say. It only prunes: a layout is skipped when its estimate, scaled by the
// least ratio of solved share to estimate among its solved neighbours, still fails by
// more than kEstimateSlack; no layout is ever called passing by it.
using Estimate = std::function<std::optional<double>(const Layout &)>;

// The least-cost layout of the family that passes: the layouts in order of cost, each
// solved in turn (in stages of stageSize) unless the estimate's bound skips it; the first
// to pass is the answer, since every cheaper one failed or was skipped.
class DesignSearch {
public:
    static constexpr double kEstimateSlack = 0.15;
    // A failure this far past its limit is taken to fail for every layout of less copper
    // of its kind (fewer lines each way, fewer or shorter rods, no surface layer where it
    // had none); closer to the limit it proves nothing of them.
    static constexpr double kDominanceSlack = 0.05;
    // Lines (across x and y together) within which a solved layout of the same kind
    // calibrates the estimate.
    static constexpr int kNeighbourhood = 6;
    // A kind of layout not yet solved near may beat the estimate by more than any solved
    // one did (spacing compressed toward the edges does by a fifth where IEEE Std 80's
    // uniform grid is the estimate): the least ratio of every kind, times this.
    static constexpr double kOtherKind = 0.7;
    // After this many layouts solved without a pass, the richest layout of each kind is
    // solved ahead of its turn: where all fail past kDominanceSlack, nothing in the family
    // can pass, and the search says so in a few solves rather than the family's thousands.
    static constexpr int kCeilingsAfter = 10;

    struct Options {
        int stageSize = 1; // layouts handed to the evaluation at once
        Estimate estimate;
    };

    static Refusable<DesignOutcome> run(const DesignBrief &brief, const FamilyBounds &bounds,
                                        const Evaluate &evaluate, const Options &options,
                                        const DesignProgressCallback &progress = {});
};

} // namespace tav::design
