#pragma once

namespace tav {

// Marks the upper halves of the x86 AVX registers clean. Code elsewhere in the process
// (found under Qt's test runner) can leave them dirty; every SSE instruction of this
// library, which the build compiles without AVX, then waits on them, and a layered fit
// takes ten times as long. Long calculations call this on entry. Nothing on other
// processors or compilers.
void clearUpperVectorState();

} // namespace tav
