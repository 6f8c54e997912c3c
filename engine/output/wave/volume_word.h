// The wave device's volume word (left level in the low 16 bits, right in the
// high 16 bits, 0 to 65535 each) and how pcm level and balance make it.
#pragma once

#include <cstdint>

namespace zk::wave {

constexpr uint32_t left_of(uint32_t word) { return word & 0xFFFF; }
constexpr uint32_t right_of(uint32_t word) { return word >> 16; }
constexpr uint32_t louder_of(uint32_t word) { return left_of(word) > right_of(word) ? left_of(word) : right_of(word); }

// The louder channel's level for a pcm level of 0 to 100.
uint32_t full_level_of(int32_t pcm_level);

// Both channels from the louder one's level and the balance fraction b
// (0 left only, 0.5 centred, 1 right only).
uint32_t volume_word(uint32_t full, double balance);

// right / (left + right), or 0.5 when both are 0.
double balance_of(uint32_t word);

// Percentages read back: the louder channel as a pcm level, b as a balance.
int32_t pcm_level_of(uint32_t word);
int32_t balance_percent(double balance);

} // namespace zk::wave
