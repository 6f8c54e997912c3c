// Vector code selected at run time. Functions marked ZK_SIMD_CLONES are
// compiled twice on x86-64, for the x86-64-v3 level (AVX2, FMA, BMI2) and
// for the baseline (SSE2), and the dynamic loader binds the one the
// processor runs; elsewhere they are plain functions. Helpers they call are
// ZK_ALWAYS_INLINE so that each copy gets them compiled for its own
// instruction set. The v3 copy fuses multiply-adds (one rounding instead of
// two), so its 16-bit output can differ from the baseline's by one step in
// rare samples; both meet full ISO accuracy. Defining ZK_BASELINE_ONLY
// (-DCMAKE_CXX_FLAGS=-DZK_BASELINE_ONLY) builds the baseline copy alone, to
// test it on a machine with AVX2.
#pragma once

// ThreadSanitizer's runtime is not ready when the loader runs the clones'
// resolvers in a statically linked program, so such builds take the baseline.
#if defined(__x86_64__) && defined(__has_attribute) && !defined(__SANITIZE_THREAD__) && !defined(ZK_BASELINE_ONLY)
#if __has_attribute(target_clones)
#define ZK_SIMD_CLONES __attribute__((target_clones("arch=x86-64-v3", "default")))
#endif
#endif
#ifndef ZK_SIMD_CLONES
#define ZK_SIMD_CLONES
#endif

#define ZK_ALWAYS_INLINE inline __attribute__((always_inline))

// Helpers that take or return 8-float vectors are always inlined: GCC's note
// that passing them by value differs with and without AVX concerns no call.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

namespace zk {

// Vectors of 4 and 8 floats (GCC/Clang vector extensions).
using Vec4 = float __attribute__((vector_size(16)));
using Vec8 = float __attribute__((vector_size(32)));

} // namespace zk
