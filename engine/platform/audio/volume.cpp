#include "platform/audio/volume.h"

#include <cstring>

namespace zk::audio {

namespace {

// 0..65535 to a 16.16 factor where 65535 is exactly 1.
int32_t gain_of(uint32_t level) { return static_cast<int32_t>(level + (level >> 15)); }

} // namespace

void copy_with_volume(const int16_t* in, int16_t* out, uint32_t frames, uint32_t channels, uint32_t volume) {
    const uint32_t samples = frames * channels;
    if (volume == kFullVolume || (channels == 1 && (volume & 0xFFFF) == 0xFFFF)) {
        std::memcpy(out, in, samples * sizeof(int16_t));
        return;
    }
    const int32_t left = gain_of(volume & 0xFFFF);
    const int32_t right = channels == 2 ? gain_of(volume >> 16) : left;
    for (uint32_t i = 0; i < samples; i += channels) {
        out[i] = static_cast<int16_t>(in[i] * left / 65536);
        if (channels == 2) out[i + 1] = static_cast<int16_t>(in[i + 1] * right / 65536);
    }
}

} // namespace zk::audio
