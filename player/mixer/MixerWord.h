#pragma once

#include <cstdint>

// The two channel levels of a sound device's volume word: left in the low 16
// bits, right in the high 16 bits, each 0 to 65535.
struct TChannelLevels {
    uint32_t Left = 0;
    uint32_t Right = 0;

    static TChannelLevels FromWord(uint32_t word) { return {word & 0xFFFF, word >> 16}; }
    uint32_t Word() const { return (Right << 16) | Left; }
    bool operator==(const TChannelLevels&) const = default;
};

inline constexpr uint32_t MaxChannelLevel = 65535;

// Volume 0 to 255: (left + right) >> 9.
uint8_t VolumeOfLevels(TChannelLevels levels);
// Both channels at volume × 256.
TChannelLevels LevelsOfVolume(uint8_t volume);

// Balance of the wave device, 0 (all right) to 100 (all left): the left
// channel's share of the sum in percent, rounded (halves to even); 0 for silence.
uint8_t WaveBalanceOfLevels(TChannelLevels levels);
// Balance of the CD and MIDI devices: left / ((left + right) div 100), rounded
// (halves to even), at most 100; 0 when the divisor is 0.
uint8_t DeviceBalanceOfLevels(TChannelLevels levels);

// The same sum split by a balance (0 to 100, larger values count as 100): left
// := round(balance × sum / 100), right := sum − left, each limited to 65535.
TChannelLevels RebalancedLevels(TChannelLevels levels, uint8_t balance);
