// The synthesis of one vector follows the ISO matrixing and windowing,
// reorganised as explained in tools/tables/gen_synthesis_tables.py: a 32-point
// DCT-II gives A[0..31]; the row F[k] = A[16 + k] (F[16] = 0) goes into the
// current window and the row G[k] = A[16 - k] into the other one, at the ring
// position. Output samples k and 32 - k are then sums over the 16 rows of the
// current window, each weighted by the window coefficient of its lag.
//
// The DCT works on vectors that hold 4 values of one channel per half: 4
// floats for one channel, 8 for a stereo pair (left in the low half, right in
// the high half), so that both channels of a slot share every instruction.
// The windowing sums 8 outputs per vector. Every output is computed by the
// same operations in the same order for one channel and for a stereo pair,
// so the two agree bit for bit.
#include "codec/synthesis.h"

#include "codec/simd.h"
#include "codec/tables/synthesis_tables.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zk {

namespace {

constexpr int kRowLength = 17;
constexpr int kRingSize = 16;

template <class V> ZK_ALWAYS_INLINE V load(const float* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class V> ZK_ALWAYS_INLINE void store(float* p, V v) { std::memcpy(p, &v, sizeof v); }

// Index of lane i (0..7: 4..7 from the second operand) of a 4-lane shuffle
// in the low half of an 8-lane one.
constexpr int wide(int i) { return i < 4 ? i : i + 4; }

// The 4-lane shuffle <A B C D> of x and y (4..7 pick from y), applied to each
// half of an 8-lane vector on its own.
template <int A, int B, int C, int D, class V> ZK_ALWAYS_INLINE V shuffle(V x, V y) {
    if constexpr (sizeof(V) == 16)
        return __builtin_shufflevector(x, y, A, B, C, D);
    else
        return __builtin_shufflevector(x, y, wide(A), wide(B), wide(C), wide(D), wide(A) + 4, wide(B) + 4, wide(C) + 4,
                                       wide(D) + 4);
}

// 4 values repeated into each half.
template <class V> ZK_ALWAYS_INLINE V repeat(Vec4 q) {
    if constexpr (sizeof(V) == 16)
        return q;
    else
        return __builtin_shufflevector(q, q, 0, 1, 2, 3, 0, 1, 2, 3);
}

template <int N> constexpr const float* dct_factors() {
    if constexpr (N == 32)
        return tables::kDctFactors32;
    else if constexpr (N == 16)
        return tables::kDctFactors16;
    else
        return tables::kDctFactors8;
}

// The 32-point DCT-II out[m] = sum_k in[k] cos(pi m (2k + 1) / 64), held as 8
// vectors, by repeated halving, one stage over all blocks at a time. A split
// turns each block of N values into the sums in[k] + in[N-1-k] (whose
// half-size transform gives the even outputs) followed by the differences
// weighted by 1 / (2 cos((2k + 1) pi / 2N)) (whose half-size transform gives
// the odd outputs as sums of neighbours); a merge interleaves the two
// half-size results of each block accordingly.
template <int N, class V> // 32, 16, 8: blocks of whole vectors
ZK_ALWAYS_INLINE void split(V* v) {
    constexpr int vectors = N / 4;
    constexpr int half = vectors / 2;
    const float* factors = dct_factors<N>();
    for (int b = 0; b < 8; b += vectors) {
        V t[vectors];
        for (int j = 0; j < vectors; ++j) t[j] = v[b + j];
        for (int j = 0; j < half; ++j) {
            const V mirrored = shuffle<3, 2, 1, 0>(t[vectors - 1 - j], t[vectors - 1 - j]);
            v[b + j] = t[j] + mirrored;
            v[b + half + j] = (t[j] - mirrored) * repeat<V>(load<Vec4>(factors + 4 * j));
        }
    }
}

template <class V> ZK_ALWAYS_INLINE void split_within_vectors(V* v) {
    const V signs4 = repeat<V>(Vec4{1.0f, 1.0f, -1.0f, -1.0f});
    const V weights4 = repeat<V>(Vec4{1.0f, 1.0f, tables::kDctFactors4[0], tables::kDctFactors4[1]});
    const V signs2 = repeat<V>(Vec4{1.0f, -1.0f, 1.0f, -1.0f});
    const V weights2 = repeat<V>(Vec4{1.0f, tables::kDctFactors2[0], 1.0f, tables::kDctFactors2[0]});
    const V zero = {};
    for (int j = 0; j < 8; ++j) {
        // [a b c d] -> [a+d, b+c, (a-d) w0, (b-c) w1]
        V x = v[j];
        x = (shuffle<0, 1, 0, 1>(x, x) + shuffle<3, 2, 3, 2>(x, x) * signs4) * weights4;
        // [a b c d] -> [a+b, (a-b) w, c+d, (c-d) w]; the blocks of 2 are then
        // transformed, and a merge of blocks of 2 changes nothing.
        x = (shuffle<0, 0, 2, 2>(x, x) + shuffle<1, 1, 3, 3>(x, x) * signs2) * weights2;
        // Merge of blocks of 4: [e0 e1 o0 o1] -> [e0, o0+o1, e1, o1].
        v[j] = shuffle<0, 2, 1, 3>(x, x) + shuffle<4, 3, 4, 4>(x, zero);
    }
}

template <int N, class V> // 8, 16, 32
ZK_ALWAYS_INLINE void merge(V* v) {
    constexpr int vectors = N / 4;
    constexpr int half = vectors / 2;
    const V zero = {};
    for (int b = 0; b < 8; b += vectors) {
        V t[vectors];
        for (int j = 0; j < vectors; ++j) t[j] = v[b + j];
        for (int j = 0; j < half; ++j) {
            const V& odd = t[half + j];
            const V& next = j + 1 < half ? t[half + j + 1] : zero;
            const V sums = odd + shuffle<1, 2, 3, 4>(odd, next);
            v[b + 2 * j] = shuffle<0, 4, 1, 5>(t[j], sums);
            v[b + 2 * j + 1] = shuffle<2, 6, 3, 7>(t[j], sums);
        }
    }
}

template <class V> ZK_ALWAYS_INLINE void dct32(V* v) {
    split<32>(v);
    split<16>(v);
    split<8>(v);
    split_within_vectors(v);
    merge<8>(v);
    merge<16>(v);
    merge<32>(v);
}

ZK_ALWAYS_INLINE void apply_equalizer(const ChannelSynthesis& channel, float subbands[32]) {
    if (channel.equalizer)
        for (int i = 0; i < 32; ++i) subbands[i] *= channel.equalizer[i];
}

ZK_ALWAYS_INLINE Vec8 reversed(Vec8 v) { return __builtin_shufflevector(v, v, 7, 6, 5, 4, 3, 2, 1, 0); }

// Stores the DCT output a[0..31] as the rows F and G at the ring position
// (both copies), sums the current window into the 32 output values (in
// order) and moves the ring on.
ZK_ALWAYS_INLINE void window(ChannelSynthesis& channel, const float* a, float* sums) {
    constexpr int kCopy = kRingSize * kRowLength; // offset of a row's second copy
    const int position = channel.position;
    float* f = channel.window[channel.current] + position * kRowLength;
    float* g = channel.window[channel.current ^ 1] + position * kRowLength;
    const Vec8 f0 = load<Vec8>(a + 16);
    const Vec8 f1 = load<Vec8>(a + 24);
    const Vec8 g1 = reversed(load<Vec8>(a + 8));
    const Vec8 g9 = reversed(load<Vec8>(a));
    for (int copy = 0; copy < 2 * kCopy; copy += kCopy) {
        store(f + copy, f0);
        store(f + copy + 8, f1);
        f[copy + 16] = 0.0f;
        g[copy] = a[16];
        store(g + copy + 1, g1);
        store(g + copy + 9, g9);
    }

    // d0, d1: outputs k = 0..15; m0, m1: outputs 32 - k for k = 1..16 (the
    // coefficient of k = 16 is 0); last: output 16.
    Vec8 d0 = {}, d1 = {}, m0 = {}, m1 = {};
    float last = 0.0f;
#pragma GCC unroll 16
    for (int lag = 0; lag < kRingSize; ++lag) {
        const float* row = f + lag * kRowLength;
        const float* dw = tables::kSynthesisWindow[lag][0];
        const float* mw = tables::kSynthesisWindow[lag][1] + 1;
        d0 += load<Vec8>(dw) * load<Vec8>(row);
        d1 += load<Vec8>(dw + 8) * load<Vec8>(row + 8);
        m0 += load<Vec8>(mw) * load<Vec8>(row + 1);
        m1 += load<Vec8>(mw + 8) * load<Vec8>(row + 9);
        if (lag & 1) // output 16's window coefficient is zero at even lags
            last += dw[16] * row[16];
    }
    store(sums, d0);
    store(sums + 8, d1);
    store(sums + 16, reversed(m1)); // 32 - k for k = 16..9: k = 16 is overwritten
    store(sums + 24, reversed(m0)); // k = 8..1
    sums[16] = last;

    channel.position = (position - 1) & (kRingSize - 1);
    channel.current ^= 1;
}

// 16-bit samples, rounded half to even, clipped.
inline int16_t to_pcm(float value) {
    value = std::min(std::max(value, -32768.0f), 32767.0f);
    // Adding 1.5 * 2^23 rounds to an integer, ties to even, in the default
    // rounding mode; the integer sits in the low mantissa bits.
    const float shifted = value + 12582912.0f;
    int32_t bits;
    std::memcpy(&bits, &shifted, sizeof bits);
    return static_cast<int16_t>(bits - 0x4B400000);
}

#if defined(__SSE2__)
// 8 samples: the conversion rounds half to even (the default mode) and the
// packing clips below; only the top needs a clip before the conversion.
ZK_ALWAYS_INLINE __m128i pcm8(const float* values) {
    const __m128 top = _mm_set1_ps(32767.0f);
    return _mm_packs_epi32(_mm_cvtps_epi32(_mm_min_ps(_mm_loadu_ps(values), top)),
                           _mm_cvtps_epi32(_mm_min_ps(_mm_loadu_ps(values + 4), top)));
}
#endif

ZK_ALWAYS_INLINE void write_pcm(const float* values, int16_t* out, int stride) {
#if defined(__SSE2__)
    if (stride == 1) {
        for (int k = 0; k < 32; k += 8) _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), pcm8(values + k));
        return;
    }
#endif
    for (int k = 0; k < 32; ++k) out[k * stride] = to_pcm(values[k]);
}

ZK_ALWAYS_INLINE void write_pcm_interleaved(const float* left, const float* right, int16_t* out) {
#if defined(__SSE2__)
    for (int k = 0; k < 32; k += 8) {
        const __m128i l = pcm8(left + k);
        const __m128i r = pcm8(right + k);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * k), _mm_unpacklo_epi16(l, r));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * k + 8), _mm_unpackhi_epi16(l, r));
    }
#else
    for (int k = 0; k < 32; ++k) {
        out[2 * k] = to_pcm(left[k]);
        out[2 * k + 1] = to_pcm(right[k]);
    }
#endif
}

} // namespace

void ChannelSynthesis::reset() {
    std::memset(window, 0, sizeof window);
    position = 0;
    current = 0;
}

ZK_SIMD_CLONES
void synthesize(ChannelSynthesis& channel, float subbands[32], int16_t* out, int stride) {
    apply_equalizer(channel, subbands);
    Vec4 v[8];
    for (int j = 0; j < 8; ++j) v[j] = load<Vec4>(subbands + 4 * j);
    dct32(v);
    float a[32];
    for (int j = 0; j < 8; ++j) store(a + 4 * j, v[j]);
    float sums[32];
    window(channel, a, sums);
    write_pcm(sums, out, stride);
}

// Both channels of a slot, interleaved left first.
ZK_SIMD_CLONES
void synthesize_stereo(ChannelSynthesis& left, ChannelSynthesis& right, float left_subbands[32],
                       float right_subbands[32], int16_t* out) {
    apply_equalizer(left, left_subbands);
    apply_equalizer(right, right_subbands);
    Vec8 v[8];
    for (int j = 0; j < 8; ++j)
        v[j] = __builtin_shufflevector(load<Vec4>(left_subbands + 4 * j), load<Vec4>(right_subbands + 4 * j), 0, 1, 2,
                                       3, 4, 5, 6, 7);
    dct32(v);
    float a_left[32];
    float a_right[32];
    for (int j = 0; j < 8; ++j) {
        store(a_left + 4 * j, __builtin_shufflevector(v[j], v[j], 0, 1, 2, 3));
        store(a_right + 4 * j, __builtin_shufflevector(v[j], v[j], 4, 5, 6, 7));
    }
    float sums_left[32];
    float sums_right[32];
    window(left, a_left, sums_left);
    window(right, a_right, sums_right);
    write_pcm_interleaved(sums_left, sums_right, out);
}

int16_t* synthesize_slot(ChannelOutput output, ChannelSynthesis& left, ChannelSynthesis& right, float left_subbands[32],
                         float right_subbands[32], int16_t* out) {
    switch (output) {
    case ChannelOutput::Stereo: synthesize_stereo(left, right, left_subbands, right_subbands, out); return out + 64;
    case ChannelOutput::Right: synthesize(right, right_subbands, out, 1); return out + 32;
    case ChannelOutput::Mix:
        for (int i = 0; i < 32; ++i) left_subbands[i] = (left_subbands[i] + right_subbands[i]) * 0.5f;
        synthesize(left, left_subbands, out, 1);
        return out + 32;
    case ChannelOutput::Mono:
    case ChannelOutput::Left: break;
    }
    synthesize(left, left_subbands, out, 1);
    return out + 32;
}

} // namespace zk
