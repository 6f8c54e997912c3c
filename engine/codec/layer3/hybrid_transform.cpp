#include "codec/layer3/hybrid_transform.h"

#include "codec/simd.h"
#include "codec/tables/layer3_tables.h"

#include <cstring>

namespace zk {

namespace {

constexpr int kSubbands = 32;
constexpr int kSlots = 18;
constexpr int kLanes = 8; // subbands transformed together by the vector path

// The transforms are written once for T = float (one subband) and T = Vec8
// (eight subbands, one per lane, the same operations in each).
template <class T> struct Complex {
    T re;
    T im;
};

template <class T> ZK_ALWAYS_INLINE Complex<T> multiply(Complex<T> a, const float w[2]) {
    return {a.re * w[0] - a.im * w[1], a.re * w[1] + a.im * w[0]};
}

// 3-point DFT of (a, b, c) into out[0], out[step], out[2 * step].
template <class T> ZK_ALWAYS_INLINE void dft3(Complex<T> a, Complex<T> b, Complex<T> c, Complex<T>* out, int step) {
    const Complex<T> sum{b.re + c.re, b.im + c.im};
    const Complex<T> diff{(b.re - c.re) * tables::kSqrt3Half, (b.im - c.im) * tables::kSqrt3Half};
    const Complex<T> mid{a.re - 0.5f * sum.re, a.im - 0.5f * sum.im};
    out[0] = {a.re + sum.re, a.im + sum.im};
    out[step] = {mid.re + diff.im, mid.im - diff.re};
    out[2 * step] = {mid.re - diff.im, mid.im + diff.re};
}

// 9-point DFT as 3 x 3: inner DFTs over n1 (n = 3 n1 + n2), twiddles, outer
// DFTs giving X[k1 + 3 k2].
template <class T> ZK_ALWAYS_INLINE void dft9(const Complex<T>* in, Complex<T>* out) {
    Complex<T> inner[3][3]; // [n2][k1]
    for (int n2 = 0; n2 < 3; ++n2) dft3(in[n2], in[3 + n2], in[6 + n2], inner[n2], 1);
    inner[1][1] = multiply(inner[1][1], tables::kDft9Twiddle[0]);
    inner[1][2] = multiply(inner[1][2], tables::kDft9Twiddle[1]);
    inner[2][1] = multiply(inner[2][1], tables::kDft9Twiddle[1]);
    inner[2][2] = multiply(inner[2][2], tables::kDft9Twiddle[2]);
    for (int k1 = 0; k1 < 3; ++k1) dft3(inner[0][k1], inner[1][k1], inner[2][k1], out + k1, 3);
}

template <class T> ZK_ALWAYS_INLINE void dct4_18_of(const T* in, T* out) {
    Complex<T> twiddled[9];
    for (int n = 0; n < 9; ++n) twiddled[n] = multiply(Complex<T>{in[2 * n], in[17 - 2 * n]}, tables::kImdct36Pre[n]);
    Complex<T> spectrum[9];
    dft9(twiddled, spectrum);
    for (int k = 0; k < 9; ++k) {
        const Complex<T> u = multiply(spectrum[k], tables::kImdct36Post[k]);
        out[2 * k] = u.re;
        out[17 - 2 * k] = -u.im;
    }
}

template <class T> ZK_ALWAYS_INLINE void dct4_6_of(const T* in, T* out) {
    using C = Complex<T>;
    C spectrum[3];
    dft3(multiply(C{in[0], in[5]}, tables::kImdct12Pre[0]), multiply(C{in[2], in[3]}, tables::kImdct12Pre[1]),
         multiply(C{in[4], in[1]}, tables::kImdct12Pre[2]), spectrum, 1);
    for (int k = 0; k < 3; ++k) {
        const C u = multiply(spectrum[k], tables::kImdct12Post[k]);
        out[2 * k] = u.re;
        out[5 - 2 * k] = -u.im;
    }
}

// Factors of the window taps: 1 for a subband whose window is its own; for
// vectors of subbands that take the even subbands' window, -1 at the odd
// taps of the odd lanes (odd subbands' windows differ from the even ones only
// in the sign of their odd taps, which flips the sign of those products
// exactly).
template <class T> struct TapSigns {
    T even;
    T odd;
    const T& of(int tap) const { return tap & 1 ? odd : even; }
};

constexpr TapSigns<float> kOwnWindow{1.0f, 1.0f};
constexpr TapSigns<Vec8> kEvenWindowLanes{{1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f},
                                          {1.0f, -1.0f, 1.0f, -1.0f, 1.0f, -1.0f, 1.0f, -1.0f}};

// 36-point IMDCT of a long block, windowed: now[] is added to the overlap
// into the output, next[] is the new overlap.
template <class T>
ZK_ALWAYS_INLINE void imdct_long(const T* lines, const float* window, const TapSigns<T>& signs, T* now, T* next) {
    T y[kSlots];
    dct4_18_of(lines, y);
    for (int i = 0; i < 9; ++i) {
        now[i] = window[i] * y[i + 9] * signs.of(i);
        now[i + 9] = window[i + 9] * y[17 - i] * signs.of(i + 9);
        next[i] = window[18 + i] * y[8 - i] * signs.of(18 + i);
        next[i + 9] = window[27 + i] * y[i] * signs.of(27 + i);
    }
}

// Three 12-point IMDCTs (lines interleaved, 3 k + w), windowed and overlapped
// at 6 + 6 w within the block; now[] and next[] as for long blocks.
template <class T>
ZK_ALWAYS_INLINE void imdct_short(const T* lines, const float* window, const TapSigns<T>& signs, T* now, T* next) {
    T block[2 * kSlots] = {};
    for (int w = 0; w < 3; ++w) {
        T in[6];
        T y[6];
        for (int k = 0; k < 6; ++k) in[k] = lines[3 * k + w];
        dct4_6_of(in, y);
        T* z = block + 6 + 6 * w;
        for (int i = 0; i < 3; ++i) {
            z[i] += window[i] * y[i + 3] * signs.of(i);
            z[i + 3] += window[i + 3] * y[5 - i] * signs.of(i + 3);
            z[i + 6] += window[i + 6] * y[2 - i] * signs.of(i + 6);
            z[i + 9] += window[i + 9] * y[i] * signs.of(i + 9);
        }
    }
    for (int i = 0; i < kSlots; ++i) {
        now[i] = block[i];
        next[i] = block[kSlots + i];
    }
}

// The window of long blocks of type 0 (normal), 1 (start) or 3 (stop), for
// even or odd subbands.
inline const float* long_window(int block_type, int odd) {
    return tables::kLongWindows[block_type == 3 ? 2 : block_type][odd];
}

// Transposes 8 vectors of 8 (rows) into their 8 columns.
ZK_ALWAYS_INLINE void transpose8(const Vec8* rows, Vec8* columns) {
    Vec8 pairs[8]; // rows 2i and 2i + 1 interleaved within each half
    for (int i = 0; i < 8; i += 2) {
        pairs[i] = __builtin_shufflevector(rows[i], rows[i + 1], 0, 8, 1, 9, 4, 12, 5, 13);
        pairs[i + 1] = __builtin_shufflevector(rows[i], rows[i + 1], 2, 10, 3, 11, 6, 14, 7, 15);
    }
    Vec8 quads[8]; // columns j and j + 4 of four rows
    for (int i = 0; i < 8; i += 4)
        for (int k = 0; k < 2; ++k) {
            quads[i + 2 * k] = __builtin_shufflevector(pairs[i + k], pairs[i + k + 2], 0, 1, 8, 9, 4, 5, 12, 13);
            quads[i + 2 * k + 1] = __builtin_shufflevector(pairs[i + k], pairs[i + k + 2], 2, 3, 10, 11, 6, 7, 14, 15);
        }
    for (int j = 0; j < 4; ++j) {
        columns[j] = __builtin_shufflevector(quads[j], quads[j + 4], 0, 1, 2, 3, 8, 9, 10, 11);
        columns[j + 4] = __builtin_shufflevector(quads[j], quads[j + 4], 4, 5, 6, 7, 12, 13, 14, 15);
    }
}

// The 18 values of subbands first .. first + 7 (18 apart in data) as 18
// vectors, one subband per lane.
ZK_ALWAYS_INLINE void gather_lanes(const float* data, int first, Vec8* lanes) {
    const float* base = data + 18 * first;
    for (int half = 0; half < 16; half += 8) {
        Vec8 rows[kLanes];
        for (int j = 0; j < kLanes; ++j) std::memcpy(&rows[j], base + 18 * j + half, sizeof rows[j]);
        transpose8(rows, lanes + half);
    }
    for (int k = 16; k < kSlots; ++k)
        for (int j = 0; j < kLanes; ++j) lanes[k][j] = base[18 * j + k];
}

// The inverse of gather_lanes.
ZK_ALWAYS_INLINE void scatter_lanes(const Vec8* lanes, int first, float* data) {
    float* base = data + 18 * first;
    for (int half = 0; half < 16; half += 8) {
        Vec8 rows[kLanes];
        transpose8(lanes + half, rows);
        for (int j = 0; j < kLanes; ++j) std::memcpy(base + 18 * j + half, &rows[j], sizeof rows[j]);
    }
    for (int k = 16; k < kSlots; ++k)
        for (int j = 0; j < kLanes; ++j) base[18 * j + k] = lanes[k][j];
}

// Subbands first .. first + 7 at once, one per lane, with the even subbands'
// window: short blocks or long ones.
template <bool kShort>
ZK_ALWAYS_INLINE void transform_lanes(const float* spectrum, const float* window, int first, float* overlap,
                                      float* hybrid) {
    Vec8 in[kSlots];
    gather_lanes(spectrum, first, in);
    Vec8 now[kSlots];
    Vec8 next[kSlots];
    if constexpr (kShort)
        imdct_short(in, window, kEvenWindowLanes, now, next);
    else
        imdct_long(in, window, kEvenWindowLanes, now, next);
    Vec8 before[kSlots];
    gather_lanes(overlap, first, before);
    for (int i = 0; i < kSlots; ++i) {
        const Vec8 out = before[i] + now[i];
        std::memcpy(hybrid + i * kSubbands + first, &out, sizeof out);
    }
    scatter_lanes(next, first, overlap);
}

} // namespace

void dct4_18(const float* in, float* out) { dct4_18_of(in, out); }

void dct4_6(const float* in, float* out) { dct4_6_of(in, out); }

ZK_SIMD_CLONES
void reduce_aliases(float* spectrum, int boundaries) {
    Vec8 cs;
    Vec8 ca;
    std::memcpy(&cs, tables::kAliasCs, sizeof cs);
    std::memcpy(&ca, tables::kAliasCa, sizeof ca);
    for (int sb = 0; sb < boundaries; ++sb) {
        // The 8 lines below the boundary (read downwards) against the 8 above.
        float* lower = spectrum + 18 * sb + 10;
        float* upper = spectrum + 18 * (sb + 1);
        Vec8 a;
        Vec8 b;
        std::memcpy(&a, lower, sizeof a);
        std::memcpy(&b, upper, sizeof b);
        a = __builtin_shufflevector(a, a, 7, 6, 5, 4, 3, 2, 1, 0);
        Vec8 new_lower = a * cs - b * ca;
        const Vec8 new_upper = b * cs + a * ca;
        new_lower = __builtin_shufflevector(new_lower, new_lower, 7, 6, 5, 4, 3, 2, 1, 0);
        std::memcpy(lower, &new_lower, sizeof new_lower);
        std::memcpy(upper, &new_upper, sizeof new_upper);
    }
}

void transform_subband(const float* lines, int block_type, int subband, float* overlap, float* output) {
    const int odd = subband & 1;
    float now[kSlots];
    float next[kSlots];
    if (block_type == 2) {
        imdct_short(lines, tables::kShortWindow[odd], kOwnWindow, now, next);
    } else {
        imdct_long(lines, long_window(block_type, odd), kOwnWindow, now, next);
    }
    for (int i = 0; i < kSlots; ++i) {
        output[i * kSubbands] = overlap[i] + now[i];
        overlap[i] = next[i];
    }
}

ZK_SIMD_CLONES
void transform_granule(const float* spectrum, int block_type, int long_subbands, int active, float* overlap,
                       float* hybrid) {
    int sb = 0;
    while (sb < active) {
        // Whole groups of subbands of one block type go through the vector
        // path; subbands of a group above `active` are zero and come out as
        // their overlap.
        if (sb % kLanes == 0 && sb >= long_subbands) {
            if (block_type == 2)
                transform_lanes<true>(spectrum, tables::kShortWindow[0], sb, overlap, hybrid);
            else
                transform_lanes<false>(spectrum, long_window(block_type, 0), sb, overlap, hybrid);
            sb += kLanes;
            continue;
        }
        const int type = sb < long_subbands ? 0 : block_type;
        transform_subband(spectrum + 18 * sb, type, sb, overlap + 18 * sb, hybrid + sb);
        ++sb;
    }
    // Silent subbands: only the overlap comes out.
    for (; sb < kSubbands; ++sb) {
        float* overlap_sb = overlap + 18 * sb;
        for (int i = 0; i < kSlots; ++i) hybrid[i * kSubbands + sb] = overlap_sb[i];
        std::memset(overlap_sb, 0, kSlots * sizeof(float));
    }
}

} // namespace zk
