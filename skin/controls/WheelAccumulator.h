#pragma once

#include <cstdint>

// One notch of a mouse wheel.
inline constexpr int kWheelNotch = 120;

// Adds a wheel delta to the accumulator and takes whole notches off its
// magnitude, keeping the sign of the rest. Returns the notches taken: negative
// for downward turns, positive for upward ones.
int TakeWheelNotches(int32_t& accumulator, int delta);
