#pragma once

#include "core/design/DesignSearch.h"
#include "document/CaseStudy.h"
#include "document/SystemDocument.h"

#include <optional>

namespace tav {

// What a design gives: the search's outcome and its best layout as a complete document.
struct DesignResult {
    design::DesignOutcome outcome;
    design::DesignBrief brief;
    design::FamilyBounds bounds; // surfaceChoice: the surface layer was the design's to lay
    // The best layout, with the record of how it was found (designed).
    SystemDocument document;
};

// The automatic design over a document with a "design": the search of core/design, each
// layout laid out into the document and judged by CaseStudy::evaluate, the evaluation
// tav-calc system makes, over every case. The entry point of tav-calc design and of the
// study window's design: a progress callback (returning false cancels) and the result.
class DesignStudy {
public:
    // The document with the layout laid into it: the perimeter and the lines as
    // conductors, the rods as a part of rods, both of group 0, beside the document's own
    // parts; the surface layer as the layout chooses (over the outline when laid); the
    // design itself left out, so that the document is a study like any other.
    static SystemDocument laidOut(const SystemDocument &document, const design::Layout &layout);
    // A study's evaluation as the search judges it: the envelope's worst touch and step
    // over their tolerable values, safe only when every case is.
    static design::Judgement judged(const StudyEvaluation &study);
    // IEEE Std 80's mesh and step voltages over their tolerable values for the layout's
    // equivalent grid (as many square meshes each way over the outline's area) in the top
    // layer's resistivity; none where they do not apply (a network gives the current).
    static std::optional<double> estimate(const SystemDocument &document,
                                          const design::Layout &layout);
    // The layouts of one stage judged, each by its own evaluation, one after another with
    // the solver on every core.
    static Refusable<std::vector<design::Judgement>>
    evaluate(const SystemDocument &document, const std::vector<design::Layout> &layouts,
             const earthing::ProgressCallback &progress);

    // The document's buried conductor and rods in metres, and the area of its surface layer
    // when prices price it; none when its parts do not expand, or the layer lies everywhere
    // (no area to price).
    static std::optional<design::DesignedQuantities> quantities(const SystemDocument &document,
                                                                const design::Prices &prices);
    // Whether a designed document's layout was edited since (its quantities differ from the
    // record's), and what it costs now by the record's prices, where that is known.
    struct Edited {
        bool edited = false;
        std::optional<double> cost;
    };
    static Edited edited(const SystemDocument &document);

    struct Options {
        int stageSize = 1; // layouts judged at once
        // How a stage is judged when not by evaluate() in this process; empty: evaluate().
        design::Evaluate evaluate;
        // At most this many lines each way (a coarser family); 0: as many as the least
        // spacing allows.
        int mostLines = 0;
    };
    // Only for a document with a design and safety criteria.
    static Refusable<DesignResult> run(const SystemDocument &document,
                                       const design::DesignProgressCallback &progress,
                                       const Options &options);
    static Refusable<DesignResult> run(const SystemDocument &document,
                                       const design::DesignProgressCallback &progress = {}) {
        return run(document, progress, Options());
    }
};

} // namespace tav
