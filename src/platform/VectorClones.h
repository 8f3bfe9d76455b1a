#pragma once

// The program is built for every x86-64 processor. A function marked with
// this is built once more for processors of the x86-64-v3 level (fused
// multiply-add, AVX2), and the loader picks the build the processor runs:
// for chains of dependent arithmetic run over a million records, where the
// fused instructions shorten every step.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define NORVANE_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define NORVANE_VECTOR_CLONES
#endif
