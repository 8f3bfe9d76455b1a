#pragma once

// Qt's drawing and the OpenGL driver can leave the upper halves of the AVX
// registers in use. This program is built for every x86-64 processor, so its
// arithmetic and the C library's maths that follows then pay a transition
// penalty on many instructions, several times over in a pass of trigonometry.
// Called at the entry of such a pass, this marks the upper halves clean; it
// does nothing on processors without AVX, where the instruction does not exist.
namespace VectorState {

inline void clearUpper()
{
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        __asm__ volatile("vzeroupper");
#endif
}

}  // namespace VectorState
