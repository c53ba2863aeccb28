#pragma once

// A loop over many independent kernel evaluations is compiled twice on x86-64 by GCC: for
// every processor, and for those with AVX2 (four doubles at a time, the tables' cells read
// by gathers), the one taken chosen as the program loads. Without FMA: a fused
// multiply-add rounds once where the other build rounds twice, and a figure must not
// depend on the processor it was computed on. Elsewhere the loop is compiled once.
#if defined(__x86_64__) && defined(__linux__) && defined(__GNUC__) && !defined(__clang__)
#define TAV_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define TAV_VECTOR_CLONES
#endif
