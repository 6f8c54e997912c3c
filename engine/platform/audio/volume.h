// A device volume word in software: the left channel's gain in the low 16
// bits, the right channel's in the high 16 bits, each 0 (silent) to 65535
// (unchanged). A single channel takes the left gain.
#pragma once

#include <cstdint>

namespace zk::audio {

constexpr uint32_t kFullVolume = 0xFFFFFFFFu;

// Copies frames from in to out, scaled by the volume word.
void copy_with_volume(const int16_t* in, int16_t* out, uint32_t frames, uint32_t channels, uint32_t volume);

} // namespace zk::audio
