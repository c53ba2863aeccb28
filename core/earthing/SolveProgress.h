#pragma once

#include <functional>

namespace tav::earthing {

// Where a solve is, for a progress bar.
struct SolveProgress {
    enum class Stage { Tables, Matrix, Solution, Surface, Search };
    Stage stage = Stage::Tables;
    double fraction = 0; // of this stage, 0 to 1
};

// Called on the thread that runs the solve, at least every few tens of milliseconds while
// it works; returning false stops it, and the solve returns Error::Cancelled.
using ProgressCallback = std::function<bool(const SolveProgress &)>;

} // namespace tav::earthing
