// Output control levels as a looping buffer's volume and pan.
#pragma once

#include <cstdint>

namespace zk::dsound {

// Attenuation of a pcm level (0 to 100, clamped) in hundredths of a decibel:
// -10000 for 0, else 1000 × log2(level / 100) truncated toward zero, with
// level 25 giving -1999 and level 50 giving -999. Each halving of the level
// lowers the volume by about 10 dB.
int32_t volume_of_level(int32_t level);
// The pcm level read back from a volume: volume / 100 + 100.
int32_t level_of_volume(int32_t volume);

// Balance 0 (left) to 100 (right), clamped, as a pan of -10000 to 10000.
int32_t pan_of_balance(int32_t balance);
int32_t balance_of_pan(int32_t pan);

} // namespace zk::dsound
