// The synthesis of one vector follows the ISO matrixing and windowing,
// reorganised as explained in tools/tables/gen_synthesis_tables.py: a 32-point
// DCT-II gives A[0..31]; the row F[k] = A[16 + k] (F[16] = 0) goes into the
// current window and the row G[k] = A[16 - k] into the other one, at the ring
// position. Output samples k and 32 - k are then sums over the 16 rows of the
// current window, each weighted by the window coefficient of its lag.
#include "codec/synthesis.h"

#include "codec/tables/synthesis_tables.h"

#include <cstring>

namespace zk {

namespace {

constexpr int kRowLength = 17;
constexpr int kRingSize = 16;

template <int N>
constexpr const float* dct_factors() {
    if constexpr (N == 32) return tables::kDctFactors32;
    else if constexpr (N == 16) return tables::kDctFactors16;
    else if constexpr (N == 8) return tables::kDctFactors8;
    else if constexpr (N == 4) return tables::kDctFactors4;
    else return tables::kDctFactors2;
}

// out[m] = sum_k in[k] cos(pi m (2k + 1) / 2N), by halving: the even outputs
// are the half-size transform of in[k] + in[N-1-k]; the odd outputs are sums
// of neighbours of the half-size transform of the weighted differences.
template <int N>
inline void dct2(const float* in, float* out) {
    if constexpr (N == 1) {
        out[0] = in[0];
    } else {
        constexpr int H = N / 2;
        const float* factors = dct_factors<N>();
        float sums[H], differences[H], even[H], odd[H];
        for (int k = 0; k < H; ++k) {
            sums[k] = in[k] + in[N - 1 - k];
            differences[k] = (in[k] - in[N - 1 - k]) * factors[k];
        }
        dct2<H>(sums, even);
        dct2<H>(differences, odd);
        for (int r = 0; r < H - 1; ++r) {
            out[2 * r] = even[r];
            out[2 * r + 1] = odd[r] + odd[r + 1];
        }
        out[N - 2] = even[H - 1];
        out[N - 1] = odd[H - 1];
    }
}

inline int16_t to_pcm(float value) {
    if (value > 32767.0f) value = 32767.0f;
    if (value < -32768.0f) value = -32768.0f;
    // Adding 1.5 * 2^23 rounds to an integer, ties to even, in the default
    // rounding mode; the integer sits in the low mantissa bits.
    float shifted = value + 12582912.0f;
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

    float a[32];
    dct2<32>(subbands, a);

    const int position = channel.position;
    float* f = channel.window[channel.current] + position * kRowLength;
    float* g = channel.window[channel.current ^ 1] + position * kRowLength;
    for (int k = 0; k < 16; ++k) f[k] = a[16 + k];
    f[16] = 0.0f;
    for (int k = 0; k <= 16; ++k) g[k] = a[16 - k];

    float direct[kRowLength] = {};
    float mirror[kRowLength] = {};
    const float* rows = channel.window[channel.current];
    for (int lag = 0; lag < kRingSize; ++lag) {
        const float* row = rows + ((position + lag) & (kRingSize - 1)) * kRowLength;
        const float* direct_weights = tables::kSynthesisWindow[lag][0];
        const float* mirror_weights = tables::kSynthesisWindow[lag][1];
        for (int k = 0; k < kRowLength; ++k) {
            direct[k] += direct_weights[k] * row[k];
            mirror[k] += mirror_weights[k] * row[k];
        }
    }
    for (int k = 0; k <= 16; ++k) out[k * stride] = to_pcm(direct[k]);
    for (int k = 1; k < 16; ++k) out[(32 - k) * stride] = to_pcm(mirror[k]);

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
