#include "core/soilmodel/VectorState.h"

namespace tav {

void clearUpperVectorState() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx)
        asm volatile("vzeroupper" ::: "memory");
#endif
}

} // namespace tav
