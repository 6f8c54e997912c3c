#pragma once

#include <cstdint>

// Index arithmetic of the playlist buttons and the seek steps.

// The line Play starts: the list's item index, or 0 when none is marked (-1).
int PlayIndex(int itemIndex);

// The line after / before `itemIndex` in a list of `count` > 0 lines,
// wrapping from the last line to the first and from the first to the last.
int NextIndex(int itemIndex, int count);
int PreviousIndex(int itemIndex, int count);

// The units Forward and Rewind move in the position range.
inline constexpr int kSeekStep = 5;

// `position` + `step` kept within 0 ... `range`, the offset a seek sends.
uint32_t SeekOffset(int position, int step, int range);
