#include "buffer/gain.h"

#include <cmath>

namespace zk::dsound {

uint32_t gain_of_attenuation(int32_t hundredths) {
    if (hundredths <= -10000) return 0;
    if (hundredths >= 0) return 0xFFFF;
    return static_cast<uint32_t>(std::lround(65535.0 * std::pow(10.0, hundredths / 2000.0)));
}

uint32_t volume_word_of(int32_t volume, int32_t pan) {
    const uint32_t left = gain_of_attenuation(volume - (pan > 0 ? pan : 0));
    const uint32_t right = gain_of_attenuation(volume + (pan < 0 ? pan : 0));
    return left | right << 16;
}

} // namespace zk::dsound
