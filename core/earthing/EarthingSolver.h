#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/earthing/EarthingResult.h"
#include "core/earthing/InputCheck.h"
#include "core/earthing/KernelSettings.h"
#include "core/earthing/SolveProgress.h"
#include "core/errors.h"

#include <functional>

namespace tav::earthing {

// The earthing system solver: conductors cut into segments, each leaking a current of its
// own evenly along its length; the potential coefficients from the exact line integrals
// of the segments and their images in the soil's layers (Galerkin with constant
// elements); the currents that put every group at one potential with the injected
// current leaving group 0; then the surface potential and the worst touch and step
// voltages. docs/CALCULATIONS.md gives the method and its sources.
class EarthingSolver {
public:
    // What a study may take is set by the memory it needs (MemoryEstimate); this bound
    // only keeps the counts within the indices' range, far past any machine's memory.
    static constexpr std::size_t kMaxSegments = 20000000;
    static_assert(InputCheck::kMaxConductors <= kMaxSegments);
    static constexpr double kMaxSearchPoints = 1e6;
    // The intervals of one pair of depth classes' tables: a few hundred in practice, the
    // limit reached only by a segment length or a reach near the end of double precision.
    static constexpr double kMaxTableIntervals = 1e5;
    // The image series is summed until the terms left out are below this, relative...
    static constexpr double kSeriesTolerance = 1e-7;
    // ...within at most this many orders; a bound above kSeriesFloor then is refused.
    static constexpr int kMaxOrders = 4000;
    static constexpr double kSeriesFloor = 1e-3;

    struct Options {
        // The kernel's forms; its segment length is the input's. exact: every pair and
        // point with every image exact (slow), the reference of the faster forms.
        KernelSettings kernel;
        int threads = 0; // 0: one per core
        int denseLimit = 800;
        // From this many segments the coupling matrix is held compressed, its blocks of far
        // clusters low-rank to compressionTolerance (docs/CALCULATIONS.md).
        std::size_t compressedFrom = 4000;
        double compressionTolerance = 1e-6;
        // A study whose estimated peak memory passes this many bytes is refused; 0: what
        // the machine has available when the solve starts.
        double memoryLimit = 0;
        // When set, the current group 0 takes follows from its resistance, as the share of
        // a fault that a network of lines and cables leaves to the electrode does: the
        // solution for the input's current is scaled to the current it gives before the
        // surface and the search, which are linear in it. Its refusal refuses the solve.
        std::function<Refusable<double>(double resistance)> currentFromResistance;
    };

    static Refusable<EarthingResult> solve(const EarthingInput &input,
                                           const ProgressCallback &progress = {});
    static Refusable<EarthingResult>
    solve(const EarthingInput &input, const ProgressCallback &progress, const Options &options);
};

} // namespace tav::earthing
