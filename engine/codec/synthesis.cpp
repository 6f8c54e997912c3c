// The synthesis of one vector follows the ISO matrixing and windowing,
// reorganised as explained in tools/tables/gen_synthesis_tables.py: a 32-point
// DCT-II gives A[0..31]; the row F[k] = A[16 + k] (F[16] = 0) goes into the
// current window and the row G[k] = A[16 - k] into the other one, at the ring
// position. Output samples k and 32 - k are then sums over the 16 rows of the
// current window, each weighted by the window coefficient of its lag.
//
// Both steps work on vectors of 4 floats (GCC/Clang vector extensions), so
// that the compiler emits SIMD code at any optimisation level.
#include "codec/synthesis.h"

#include "codec/tables/synthesis_tables.h"

#include <algorithm>
#include <cstring>

namespace zk {

namespace {

constexpr int kRowLength = 17;
constexpr int kRingSize = 16;

using Vec4 = float __attribute__((vector_size(16)));

inline Vec4 load(const float* p) {
    Vec4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void store(float* p, Vec4 v) { std::memcpy(p, &v, sizeof v); }

inline Vec4 reversed(Vec4 v) { return __builtin_shufflevector(v, v, 3, 2, 1, 0); }

template <int N>
constexpr const float* dct_factors() {
    if constexpr (N == 32) return tables::kDctFactors32;
    else if constexpr (N == 16) return tables::kDctFactors16;
    else return tables::kDctFactors8;
}

// The 32-point DCT-II out[m] = sum_k in[k] cos(pi m (2k + 1) / 64), held as 8
// vectors, by repeated halving, one stage over all blocks at a time. A split
// turns each block of N values into the sums in[k] + in[N-1-k] (whose
// half-size transform gives the even outputs) followed by the differences
// weighted by 1 / (2 cos((2k + 1) pi / 2N)) (whose half-size transform gives
// the odd outputs as sums of neighbours); a merge interleaves the two
// half-size results of each block accordingly.
template <int N> // 32, 16, 8: blocks of whole vectors
inline void split(Vec4* v) {
    constexpr int vectors = N / 4;
    constexpr int half = vectors / 2;
    const float* factors = dct_factors<N>();
    for (int b = 0; b < 8; b += vectors) {
        Vec4 t[vectors];
        for (int j = 0; j < vectors; ++j) t[j] = v[b + j];
        for (int j = 0; j < half; ++j) {
            const Vec4 mirrored = reversed(t[vectors - 1 - j]);
            v[b + j] = t[j] + mirrored;
            v[b + half + j] = (t[j] - mirrored) * load(factors + 4 * j);
        }
    }
}

inline void split_within_vectors(Vec4* v) {
    const Vec4 signs4 = {1.0f, 1.0f, -1.0f, -1.0f};
    const Vec4 weights4 = {1.0f, 1.0f, tables::kDctFactors4[0], tables::kDctFactors4[1]};
    const Vec4 signs2 = {1.0f, -1.0f, 1.0f, -1.0f};
    const Vec4 weights2 = {1.0f, tables::kDctFactors2[0], 1.0f, tables::kDctFactors2[0]};
    for (int j = 0; j < 8; ++j) {
        // [a b c d] -> [a+d, b+c, (a-d) w0, (b-c) w1]
        Vec4 x = v[j];
        x = (__builtin_shufflevector(x, x, 0, 1, 0, 1) + __builtin_shufflevector(x, x, 3, 2, 3, 2) * signs4) *
            weights4;
        // [a b c d] -> [a+b, (a-b) w, c+d, (c-d) w]; the blocks of 2 are then
        // transformed, and a merge of blocks of 2 changes nothing.
        x = (__builtin_shufflevector(x, x, 0, 0, 2, 2) + __builtin_shufflevector(x, x, 1, 1, 3, 3) * signs2) *
            weights2;
        // Merge of blocks of 4: [e0 e1 o0 o1] -> [e0, o0+o1, e1, o1].
        const Vec4 zero = {};
        v[j] = __builtin_shufflevector(x, x, 0, 2, 1, 3) + __builtin_shufflevector(x, zero, 4, 3, 4, 4);
    }
}

template <int N> // 8, 16, 32
inline void merge(Vec4* v) {
    constexpr int vectors = N / 4;
    constexpr int half = vectors / 2;
    const Vec4 zero = {};
    for (int b = 0; b < 8; b += vectors) {
        Vec4 t[vectors];
        for (int j = 0; j < vectors; ++j) t[j] = v[b + j];
        for (int j = 0; j < half; ++j) {
            const Vec4& odd = t[half + j];
            const Vec4& next = j + 1 < half ? t[half + j + 1] : zero;
            const Vec4 sums = odd + __builtin_shufflevector(odd, next, 1, 2, 3, 4);
            v[b + 2 * j] = __builtin_shufflevector(t[j], sums, 0, 4, 1, 5);
            v[b + 2 * j + 1] = __builtin_shufflevector(t[j], sums, 2, 6, 3, 7);
        }
    }
}

inline void dct32(Vec4* v) {
    split<32>(v);
    split<16>(v);
    split<8>(v);
    split_within_vectors(v);
    merge<8>(v);
    merge<16>(v);
    merge<32>(v);
}

inline int16_t to_pcm(float value) {
    value = std::min(std::max(value, -32768.0f), 32767.0f);
    // Adding 1.5 * 2^23 rounds to an integer, ties to even, in the default
    // rounding mode; the integer sits in the low mantissa bits.
    const float shifted = value + 12582912.0f;
    int32_t bits;
    std::memcpy(&bits, &shifted, sizeof bits);
    return static_cast<int16_t>(bits - 0x4B400000);
}

} // namespace

void ChannelSynthesis::reset() {
    std::memset(window, 0, sizeof window);
    position = 0;
    current = 0;
}

void synthesize(ChannelSynthesis& channel, float subbands[32], int16_t* out, int stride) {
    if (channel.equalizer)
        for (int i = 0; i < 32; ++i) subbands[i] *= channel.equalizer[i];

    Vec4 v[8];
    for (int j = 0; j < 8; ++j) v[j] = load(subbands + 4 * j);
    dct32(v);
    float a[32];
    for (int j = 0; j < 8; ++j) store(a + 4 * j, v[j]);

    const int position = channel.position;
    float* f = channel.window[channel.current] + position * kRowLength;
    float* g = channel.window[channel.current ^ 1] + position * kRowLength;
    for (int k = 0; k < 16; ++k) f[k] = a[16 + k];
    f[16] = 0.0f;
    for (int k = 0; k <= 16; ++k) g[k] = a[16 - k];

    // d0..d3: outputs k = 0..15; m0..m3: outputs 32 - k for k = 1..16 (the
    // coefficient of k = 16 is 0); last: output 16. Kept in registers.
    Vec4 d0 = {}, d1 = {}, d2 = {}, d3 = {};
    Vec4 m0 = {}, m1 = {}, m2 = {}, m3 = {};
    float last = 0.0f;
    const float* rows = channel.window[channel.current];
    for (int lag = 0; lag < kRingSize; ++lag) {
        const float* row = rows + ((position + lag) & (kRingSize - 1)) * kRowLength;
        const float* dw = tables::kSynthesisWindow[lag][0];
        const float* mw = tables::kSynthesisWindow[lag][1] + 1;
        d0 += load(dw) * load(row);
        d1 += load(dw + 4) * load(row + 4);
        d2 += load(dw + 8) * load(row + 8);
        d3 += load(dw + 12) * load(row + 12);
        m0 += load(mw) * load(row + 1);
        m1 += load(mw + 4) * load(row + 5);
        m2 += load(mw + 8) * load(row + 9);
        m3 += load(mw + 12) * load(row + 13);
        last += dw[16] * row[16];
    }
    float sums[32];
    store(sums, d0);
    store(sums + 4, d1);
    store(sums + 8, d2);
    store(sums + 12, d3);
    store(sums + 16, m0);
    store(sums + 20, m1);
    store(sums + 24, m2);
    store(sums + 28, m3);
    for (int k = 0; k < 16; ++k) out[k * stride] = to_pcm(sums[k]);
    out[16 * stride] = to_pcm(last);
    for (int k = 1; k < 16; ++k) out[(32 - k) * stride] = to_pcm(sums[15 + k]);

    channel.position = (position - 1) & (kRingSize - 1);
    channel.current ^= 1;
}

int16_t* synthesize_slot(ChannelOutput output, ChannelSynthesis& left, ChannelSynthesis& right,
                         float left_subbands[32], float right_subbands[32], int16_t* out) {
    switch (output) {
    case ChannelOutput::Stereo:
        synthesize(left, left_subbands, out, 2);
        synthesize(right, right_subbands, out + 1, 2);
        return out + 64;
    case ChannelOutput::Right:
        synthesize(right, right_subbands, out, 1);
        return out + 32;
    case ChannelOutput::Mix:
        for (int i = 0; i < 32; ++i) left_subbands[i] = (left_subbands[i] + right_subbands[i]) * 0.5f;
        synthesize(left, left_subbands, out, 1);
        return out + 32;
    case ChannelOutput::Mono:
    case ChannelOutput::Left:
        break;
    }
    synthesize(left, left_subbands, out, 1);
    return out + 32;
}

} // namespace zk
