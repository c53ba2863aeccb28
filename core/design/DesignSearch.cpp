#include "core/design/DesignSearch.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <tuple>

namespace tav::design {

double Judgement::share() const {
    return std::max(touchShare.value_or(0.0), stepShare.value_or(0.0));
}

namespace {

// Cheapest first; a tie goes to the plainer layout, so that the order never depends on
// the sort's own.
bool cheaper(const Candidate &a, const Candidate &b) {
    const auto key = [](const Candidate &c) {
        const Layout &l = c.layout;
        return std::make_tuple(c.cost.total, l.rods, l.rodLength, l.linesX + l.linesY, l.linesX,
                               l.compressX, l.compressY, l.surface);
    };
    return key(a) < key(b);
}

class Search {
public:
    Search(const DesignBrief &brief, const Evaluate &evaluate, const DesignSearch::Options &options,
           const DesignProgressCallback &progress)
        : m_brief(brief), m_evaluate(evaluate), m_options(options), m_progress(progress) {}

    Refusable<DesignOutcome> run(const FamilyBounds &bounds) {
        for (const Layout &l : DesignLayout::family(m_brief, bounds))
            m_order.push_back({l, DesignLayout::cost(m_brief, l), std::nullopt});
        std::sort(m_order.begin(), m_order.end(), cheaper);
        m_outcome.familySize = m_order.size();
        std::size_t next = 0;
        bool ceilingsSolved = false;
        while (!m_outcome.safe && next < m_order.size()) {
            std::vector<std::size_t> stage = nextStage(next);
            if (m_cancelled)
                return Refusal{Error::Cancelled, Quantity::None, {}};
            if (stage.empty())
                break;
            if (const std::optional<Refusal> refused = solve(stage))
                return *refused;
            if (!ceilingsSolved && !m_outcome.safe &&
                m_outcome.solved.size() >= std::size_t(DesignSearch::kCeilingsAfter)) {
                ceilingsSolved = true;
                if (const std::optional<Refusal> refused = solve(ceilings(bounds), false))
                    return *refused;
            }
        }
        if (!m_outcome.safe) {
            // The richest layout of the family shows how far the outline can go at all.
            if (!m_order.empty() && !m_order.back().judgement) {
                // Every layout left unsolved was skipped: this one no longer is.
                m_outcome.pruned -= std::min<std::size_t>(m_outcome.pruned, 1);
                if (const std::optional<Refusal> refused = solve({m_order.size() - 1}))
                    return *refused;
            }
            leastFailing();
        }
        return m_outcome;
    }

private:
    // The richest layout of each kind that dominance compares (each spacing, each rod
    // length with its most rods), unsolved: between them they hold at least the copper of
    // every layout of the family, so that where each fails well past its limit, no layout
    // passes and the search ends without solving the family through.
    std::vector<std::size_t> ceilings(const FamilyBounds &bounds) const {
        std::vector<Layout> richest;
        for (const bool compressed : {false, true}) {
            if (compressed && (bounds.mostLinesX < 4 || bounds.mostLinesY < 4))
                continue;
            Layout l;
            l.linesX = bounds.mostLinesX;
            l.linesY = bounds.mostLinesY;
            l.compressX = l.compressY = compressed;
            l.surface = bounds.surfaceChoice;
            for (std::size_t length = 0; length < bounds.rodCounts.size(); ++length) {
                if (bounds.rodCounts[length].empty())
                    continue;
                l.rods = bounds.rodCounts[length].back();
                l.rodLength = int(length);
                richest.push_back(l);
            }
            if (bounds.rodCounts.empty())
                richest.push_back(l);
        }
        std::vector<std::size_t> found;
        for (const Layout &r : richest)
            for (std::size_t k = 0; k < m_order.size(); ++k) {
                const Layout &l = m_order[k].layout;
                if (!m_order[k].judgement && l.linesX == r.linesX && l.linesY == r.linesY &&
                    l.compressX == r.compressX && l.compressY == r.compressY &&
                    l.rods == r.rods && l.rodLength == r.rodLength && l.surface == r.surface) {
                    found.push_back(k);
                    break;
                }
            }
        return found;
    }

    // The next layouts to solve from next on, cheapest first, the skipped ones passed over.
    // A layout solved ahead of its turn (a ceiling) is not solved again: one that failed is
    // passed over, and one that passed is the answer once every cheaper one is decided.
    std::vector<std::size_t> nextStage(std::size_t &next) {
        std::vector<std::size_t> stage;
        const int size = std::max(1, m_options.stageSize);
        for (; next < m_order.size() && int(stage.size()) < size; ++next) {
            if (!report(next))
                return {};
            const Candidate &c = m_order[next];
            if (c.judgement) {
                if (!c.judgement->safe)
                    continue;
                if (stage.empty()) {
                    m_outcome.safe = true;
                    m_outcome.best = c;
                    ++next;
                }
                return stage;
            }
            if (skipped(m_order[next]))
                ++m_outcome.pruned;
            else
                stage.push_back(next);
        }
        return stage;
    }

    // A layout is passed over when a failure that holds at least its copper every way
    // failed by more than kDominanceSlack, or when its estimate, scaled by the ratio of
    // solved share to estimate of its neighbours (else of every layout solved), fails by
    // more than kEstimateSlack.
    bool skipped(const Candidate &c) const {
        for (const Calibration &s : m_calibration)
            if (s.share > 1 + DesignSearch::kDominanceSlack &&
                DesignLayout::dominates(s.layout, c.layout, m_brief))
                return true;
        if (!m_options.estimate || m_calibration.empty())
            return false;
        const std::optional<double> estimate = m_options.estimate(c.layout);
        return estimate && *estimate * ratioNear(c.layout) > 1 + DesignSearch::kEstimateSlack;
    }

    // The least ratio of the solved layouts of the same kind (spacing, rods, surface) within
    // kNeighbourhood lines; without one, the least of all, lowered by kOtherKind.
    double ratioNear(const Layout &l) const {
        double near = std::numeric_limits<double>::infinity();
        double all = near;
        for (const Calibration &s : m_calibration) {
            if (!(s.ratio > 0))
                continue;
            all = std::min(all, s.ratio);
            const Layout &o = s.layout;
            if (o.compressX == l.compressX && o.compressY == l.compressY && o.rods == l.rods &&
                o.rodLength == l.rodLength && o.surface == l.surface &&
                std::abs(o.linesX - l.linesX) + std::abs(o.linesY - l.linesY) <=
                    DesignSearch::kNeighbourhood)
                near = std::min(near, s.ratio);
        }
        return near < std::numeric_limits<double>::infinity() ? near
                                                              : all * DesignSearch::kOtherKind;
    }

    // The stage solved and learnt from; in its turn (answer), the first that passes is the
    // answer.
    std::optional<Refusal> solve(const std::vector<std::size_t> &stage, bool answer = true) {
        if (stage.empty())
            return std::nullopt;
        std::vector<Layout> layouts;
        for (const std::size_t k : stage)
            layouts.push_back(m_order[k].layout);
        const std::size_t decided = stage.front();
        const auto relay = [&](const earthing::SolveProgress &p) { return report(decided, p); };
        Refusable<std::vector<Judgement>> judged = m_evaluate(layouts, relay);
        if (judged.refused())
            return judged.refusal();
        if (m_cancelled)
            return Refusal{Error::Cancelled, Quantity::None, {}};
        for (std::size_t i = 0; i < stage.size() && i < judged.result().size(); ++i) {
            Candidate &c = m_order[stage[i]];
            c.judgement = judged.result()[i];
            m_outcome.solves += c.judgement->solves;
            m_outcome.solved.push_back(c);
            learn(c);
            if (answer && c.judgement->safe && !m_outcome.safe) {
                m_outcome.safe = true;
                m_outcome.best = c;
            }
        }
        return std::nullopt;
    }

    void learn(const Candidate &c) {
        Calibration s{c.layout, c.judgement->share(), 0};
        const std::optional<double> estimate =
            m_options.estimate ? m_options.estimate(c.layout) : std::nullopt;
        if (estimate && *estimate > 0)
            s.ratio = s.share / *estimate;
        m_calibration.push_back(s);
    }

    void leastFailing() {
        const auto worse = [](const Candidate &a, const Candidate &b) {
            return a.judgement->share() < b.judgement->share();
        };
        const auto least =
            std::min_element(m_outcome.solved.begin(), m_outcome.solved.end(), worse);
        if (least != m_outcome.solved.end())
            m_outcome.best = *least;
    }

    bool report(std::size_t decided, const earthing::SolveProgress &solve = {}) {
        if (m_cancelled)
            return false;
        if (m_progress &&
            !m_progress({decided, m_order.size(), int(m_outcome.solved.size()), solve}))
            m_cancelled = true;
        return !m_cancelled;
    }

    const DesignBrief &m_brief;
    const Evaluate &m_evaluate;
    const DesignSearch::Options &m_options;
    const DesignProgressCallback &m_progress;
    std::vector<Candidate> m_order;
    DesignOutcome m_outcome;
    // What each solve taught: its layout, worst share, and share over estimate (0: none).
    struct Calibration {
        Layout layout;
        double share = 0;
        double ratio = 0;
    };
    std::vector<Calibration> m_calibration;
    bool m_cancelled = false;
};

} // namespace

Refusable<DesignOutcome> DesignSearch::run(const DesignBrief &brief, const FamilyBounds &bounds,
                                           const Evaluate &evaluate, const Options &options,
                                           const DesignProgressCallback &progress) {
    Search search(brief, evaluate, options, progress);
    return search.run(bounds);
}

} // namespace tav::design
