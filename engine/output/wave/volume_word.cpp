#include "output/wave/volume_word.h"

#include <algorithm>

namespace zk::wave {

namespace {

// Truncation that a product such as 0.3 x 2 x 40000 does not push below the
// whole number it stands for.
uint32_t truncate(double value) { return static_cast<uint32_t>(value + 1e-9); }

} // namespace

uint32_t full_level_of(int32_t pcm_level) {
    return static_cast<uint32_t>(std::clamp(pcm_level, 0, 100)) * 65535u / 100u;
}

uint32_t volume_word(uint32_t full, double balance) {
    uint32_t left = full;
    uint32_t right = full;
    if (balance > 0.5)
        left = truncate((1.0 - balance) * 2.0 * full);
    else
        right = truncate(balance * 2.0 * full);
    return left | right << 16;
}

double balance_of(uint32_t word) {
    const uint32_t sum = left_of(word) + right_of(word);
    return sum == 0 ? 0.5 : static_cast<double>(right_of(word)) / sum;
}

int32_t pcm_level_of(uint32_t word) { return static_cast<int32_t>(louder_of(word) * 100 / 65535); }

int32_t balance_percent(double balance) { return static_cast<int32_t>(truncate(balance * 100.0)); }

} // namespace zk::wave
