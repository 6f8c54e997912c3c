// 8-bit sample formats for outputs that do not take 16-bit PCM.
#pragma once

#include <cstdint>

namespace zk {

// The logarithmic code of a 16-bit sample (its value / 32 on the 2048-step scale).
uint8_t log8_code(int16_t sample);

// In place: the first count bytes of samples receive the 8-bit form of the
// count samples.
void convert_to_unsigned8(int16_t* samples, int32_t count);
void convert_to_log8(int16_t* samples, int32_t count);

} // namespace zk
