#include "decoder/pcm_format.h"

#include <array>

namespace zk {

namespace {

// Code of magnitude m (0..1023): one step per value up to 14, then segments
// of 32, 64, 128, 256 and 512 values falling by one every 2, 4, 8, 16 and 32.
constexpr uint8_t magnitude_code(int m) {
    if (m < 15) return static_cast<uint8_t>(0x7E - m);
    m -= 15;
    int code = 0x6F;
    for (int step = 2, span = 32; step <= 32; step *= 2, span *= 2) {
        if (m < span) return static_cast<uint8_t>(code - m / step);
        m -= span;
        code -= 16;
    }
    return 0x1F;
}

// Indexed by sample / 32 + 1024.
constexpr std::array<uint8_t, 2048> make_log8_table() {
    std::array<uint8_t, 2048> table{};
    for (int i = -1024; i < 1024; ++i)
        table[i + 1024] = i >= 0 ? magnitude_code(i) : static_cast<uint8_t>(magnitude_code(-i - 1) | 0x80);
    return table;
}

constexpr std::array<uint8_t, 2048> log8_table = make_log8_table();

static_assert(log8_table[1024] == 0x7E && log8_table[1023] == 0xFE);
static_assert(log8_table[2047] == 0x1F && log8_table[0] == 0x9F);

} // namespace

uint8_t log8_code(int16_t sample) { return log8_table[sample / 32 + 1024]; }

void convert_to_unsigned8(int16_t* samples, int32_t count) {
    auto* bytes = reinterpret_cast<uint8_t*>(samples);
    for (int32_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(samples[i] / 256 + 128);
}

void convert_to_log8(int16_t* samples, int32_t count) {
    auto* bytes = reinterpret_cast<uint8_t*>(samples);
    for (int32_t i = 0; i < count; ++i) bytes[i] = log8_code(samples[i]);
}

} // namespace zk
