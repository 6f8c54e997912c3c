// Equalizer band values to per-subband synthesis gains and back.
#include "decoder/decoder_private.h"

#include <cmath>
#include <new>

namespace {

constexpr int kBands = 32;

float gain_of(int8_t value) { return value >= 0 ? 1.0f + value / 32.0f : 1.0f / (1.0f - value / 32.0f); }

// Truncated toward zero; the small allowance absorbs the rounding of the
// stored float gain so that every band value reads back as it was set.
int8_t value_of(float gain) {
    const double g = gain;
    const double value = g >= 1 ? (g - 1) * 32 : (1 - 1 / g) * 32;
    const double allowance = value >= 0 ? 1e-3 : -1e-3;
    const double truncated = std::trunc(value + allowance);
    return static_cast<int8_t>(std::fmax(-128.0, std::fmin(127.0, truncated)));
}

int32_t set_channel(float*& gains, const int8_t* values) {
    if (!gains) gains = new (std::nothrow) float[kBands];
    if (!gains) return ZK_ERROR_OUT_OF_MEMORY;
    for (int band = 0; band < kBands; ++band) gains[band] = gain_of(values[band]);
    return ZK_OK;
}

void get_channel(const float* gains, int8_t* values) {
    for (int band = 0; band < kBands; ++band) values[band] = gains ? value_of(gains[band]) : 0;
}

} // namespace

extern "C" ZK_API int32_t decoder_codec_set_equalizer(ZK_Decoder* decoder, const ZK_EqualizerInfo* equalizer) {
    if (!decoder) return ZK_ERROR_INVALID_PARAMETERS;
    zk::CodecState& codec = decoder->private_data->codec;
    if (!equalizer) {
        delete[] codec.left.equalizer;
        delete[] codec.right.equalizer;
        codec.left.equalizer = codec.right.equalizer = nullptr;
        return ZK_OK;
    }
    const int32_t result = set_channel(codec.left.equalizer, equalizer->left);
    if (result != ZK_OK) return result;
    return set_channel(codec.right.equalizer, equalizer->right);
}

extern "C" ZK_API int32_t decoder_codec_get_equalizer(ZK_Decoder* decoder, ZK_EqualizerInfo* equalizer) {
    if (!decoder || !equalizer) return ZK_ERROR_INVALID_PARAMETERS;
    const zk::CodecState& codec = decoder->private_data->codec;
    get_channel(codec.left.equalizer, equalizer->left);
    get_channel(codec.right.equalizer, equalizer->right);
    return codec.left.equalizer && codec.right.equalizer ? ZK_OK : ZK_FAILURE;
}
