#include "codec/layer3/hybrid_transform.h"

#include "codec/tables/layer3_tables.h"

#include <cstring>

namespace zk {

namespace {

constexpr int kSubbands = 32;
constexpr int kSlots = 18;

struct Complex {
    float re;
    float im;
};

inline Complex multiply(Complex a, const float w[2]) {
    return {a.re * w[0] - a.im * w[1], a.re * w[1] + a.im * w[0]};
}

// 3-point DFT of (a, b, c) into out[0], out[step], out[2 * step].
inline void dft3(Complex a, Complex b, Complex c, Complex* out, int step) {
    const Complex sum{b.re + c.re, b.im + c.im};
    const Complex diff{(b.re - c.re) * tables::kSqrt3Half, (b.im - c.im) * tables::kSqrt3Half};
    const Complex mid{a.re - 0.5f * sum.re, a.im - 0.5f * sum.im};
    out[0] = {a.re + sum.re, a.im + sum.im};
    out[step] = {mid.re + diff.im, mid.im - diff.re};
    out[2 * step] = {mid.re - diff.im, mid.im + diff.re};
}

// 9-point DFT as 3 x 3: inner DFTs over n1 (n = 3 n1 + n2), twiddles, outer
// DFTs giving X[k1 + 3 k2].
void dft9(const Complex* in, Complex* out) {
    Complex inner[3][3]; // [n2][k1]
    for (int n2 = 0; n2 < 3; ++n2)
        dft3(in[n2], in[3 + n2], in[6 + n2], inner[n2], 1);
    inner[1][1] = multiply(inner[1][1], tables::kDft9Twiddle[0]);
    inner[1][2] = multiply(inner[1][2], tables::kDft9Twiddle[1]);
    inner[2][1] = multiply(inner[2][1], tables::kDft9Twiddle[1]);
    inner[2][2] = multiply(inner[2][2], tables::kDft9Twiddle[2]);
    for (int k1 = 0; k1 < 3; ++k1)
        dft3(inner[0][k1], inner[1][k1], inner[2][k1], out + k1, 3);
}

// 36-point IMDCT of a long block, windowed: first half added to the overlap
// into the output, second half kept as the new overlap.
void long_block(const float* lines, const float* window, float* overlap, float* output) {
    float y[18];
    dct4_18(lines, y);
    for (int i = 0; i < 9; ++i) {
        output[i * kSubbands] = overlap[i] + window[i] * y[i + 9];
        output[(i + 9) * kSubbands] = overlap[i + 9] + window[i + 9] * y[17 - i];
        overlap[i] = window[18 + i] * y[8 - i];
        overlap[i + 9] = window[27 + i] * y[i];
    }
}

// Three 12-point IMDCTs, windowed and overlapped at 6 + 6 w within the block.
void short_block(const float* lines, const float* window, float* overlap, float* output) {
    float block[36] = {};
    for (int w = 0; w < 3; ++w) {
        float in[6];
        float y[6];
        for (int k = 0; k < 6; ++k)
            in[k] = lines[3 * k + w];
        dct4_6(in, y);
        float* z = block + 6 + 6 * w;
        for (int i = 0; i < 3; ++i) {
            z[i] += window[i] * y[i + 3];
            z[i + 3] += window[i + 3] * y[5 - i];
            z[i + 6] += window[i + 6] * y[2 - i];
            z[i + 9] += window[i + 9] * y[i];
        }
    }
    for (int i = 0; i < kSlots; ++i) {
        output[i * kSubbands] = overlap[i] + block[i];
        overlap[i] = block[18 + i];
    }
}

} // namespace

void dct4_18(const float* in, float* out) {
    Complex twiddled[9];
    for (int n = 0; n < 9; ++n)
        twiddled[n] = multiply({in[2 * n], in[17 - 2 * n]}, tables::kImdct36Pre[n]);
    Complex spectrum[9];
    dft9(twiddled, spectrum);
    for (int k = 0; k < 9; ++k) {
        const Complex u = multiply(spectrum[k], tables::kImdct36Post[k]);
        out[2 * k] = u.re;
        out[17 - 2 * k] = -u.im;
    }
}

void dct4_6(const float* in, float* out) {
    Complex spectrum[3];
    dft3(multiply({in[0], in[5]}, tables::kImdct12Pre[0]), multiply({in[2], in[3]}, tables::kImdct12Pre[1]),
         multiply({in[4], in[1]}, tables::kImdct12Pre[2]), spectrum, 1);
    for (int k = 0; k < 3; ++k) {
        const Complex u = multiply(spectrum[k], tables::kImdct12Post[k]);
        out[2 * k] = u.re;
        out[5 - 2 * k] = -u.im;
    }
}

void reduce_aliases(float* spectrum, int boundaries) {
    for (int sb = 0; sb < boundaries; ++sb) {
        float* lower = spectrum + 18 * sb + 17;
        float* upper = spectrum + 18 * (sb + 1);
        for (int i = 0; i < 8; ++i) {
            const float a = lower[-i];
            const float b = upper[i];
            lower[-i] = a * tables::kAliasCs[i] - b * tables::kAliasCa[i];
            upper[i] = b * tables::kAliasCs[i] + a * tables::kAliasCa[i];
        }
    }
}

void transform_subband(const float* lines, int block_type, int subband, float* overlap, float* output) {
    const int odd = subband & 1;
    if (block_type == 2) {
        short_block(lines, tables::kShortWindow[odd], overlap, output);
        return;
    }
    const int window = block_type == 0 ? 0 : block_type == 1 ? 1 : 2;
    long_block(lines, tables::kLongWindows[window][odd], overlap, output);
}

void transform_granule(const float* spectrum, int block_type, int long_subbands, int active, float* overlap,
                       float* hybrid) {
    for (int sb = 0; sb < active; ++sb) {
        const int type = sb < long_subbands ? 0 : block_type;
        transform_subband(spectrum + 18 * sb, type, sb, overlap + 18 * sb, hybrid + sb);
    }
    // Silent subbands: only the overlap comes out.
    for (int sb = active; sb < kSubbands; ++sb) {
        float* overlap_sb = overlap + 18 * sb;
        for (int i = 0; i < kSlots; ++i)
            hybrid[i * kSubbands + sb] = overlap_sb[i];
        std::memset(overlap_sb, 0, kSlots * sizeof(float));
    }
}

} // namespace zk
