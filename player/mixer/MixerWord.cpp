#include "player/mixer/MixerWord.h"

#include <algorithm>
#include <cmath>

namespace {

// Nearest integer, halves to even (the default rounding mode).
uint32_t RoundEven(double value) { return static_cast<uint32_t>(std::nearbyint(value)); }

} // namespace

uint8_t VolumeOfLevels(TChannelLevels levels) { return static_cast<uint8_t>((levels.Left + levels.Right) >> 9); }

TChannelLevels LevelsOfVolume(uint8_t volume) { return {volume * 256u, volume * 256u}; }

uint8_t WaveBalanceOfLevels(TChannelLevels levels) {
    const uint32_t sum = levels.Left + levels.Right;
    if (sum == 0) return 0;
    return static_cast<uint8_t>(RoundEven(levels.Left * 100.0 / sum));
}

uint8_t DeviceBalanceOfLevels(TChannelLevels levels) {
    const uint32_t hundredth = (levels.Left + levels.Right) / 100;
    if (hundredth == 0) return 0;
    // Small sums make the integer divisor coarse: keep the result a percentage.
    return static_cast<uint8_t>(std::min<uint32_t>(RoundEven(double(levels.Left) / hundredth), 100));
}

TChannelLevels RebalancedLevels(TChannelLevels levels, uint8_t balance) {
    const uint32_t sum = levels.Left + levels.Right;
    const uint32_t left = RoundEven(std::min<uint8_t>(balance, 100) * double(sum) / 100.0);
    const uint32_t right = sum - left;
    return {std::min(left, MaxChannelLevel), std::min(right, MaxChannelLevel)};
}
