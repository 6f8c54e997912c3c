// Volume and pan of a looping buffer, in hundredths of a decibel, as the
// per-channel gains of a device volume word (left in the low 16 bits, right
// in the high 16 bits, 65535 unchanged).
#pragma once

#include <cstdint>

namespace zk::dsound {

// 65535 × 10^(hundredths / 2000), rounded; 0 at -10000 and below.
uint32_t gain_of_attenuation(int32_t hundredths);

// Pan attenuates one side only: a negative pan the right channel, a
// positive one the left, by as many hundredths of a decibel.
uint32_t volume_word_of(int32_t volume, int32_t pan);

} // namespace zk::dsound
