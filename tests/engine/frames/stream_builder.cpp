#include "stream_builder.h"

#include <gtest/gtest.h>

namespace zk::test {

uint32_t header_word(const HeaderSpec& spec) {
    return 0xFFE00000u | static_cast<uint32_t>(spec.version_bits) << 19 |
           static_cast<uint32_t>(spec.layer_code) << 17 | (spec.crc ? 0u : 1u) << 16 |
           static_cast<uint32_t>(spec.bitrate_index) << 12 | static_cast<uint32_t>(spec.frequency_index) << 10 |
           static_cast<uint32_t>(spec.padding) << 9 | static_cast<uint32_t>(spec.private_bit) << 8 |
           static_cast<uint32_t>(spec.mode) << 6 | static_cast<uint32_t>(spec.mode_extension) << 4;
}

FrameHeader decoded_header(const HeaderSpec& spec) {
    FrameHeader header{};
    EXPECT_TRUE(decode_frame_header(header_word(spec), header)) << std::hex << header_word(spec);
    return header;
}

int body_size(const HeaderSpec& spec) { return decoded_header(spec).frame_length() - 4; }

Bytes pattern_bytes(size_t count, uint32_t seed) {
    Bytes bytes(count);
    uint32_t state = seed * 2654435761u + 12345u;
    for (auto& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<uint8_t>((state >> 16) % 255);
    }
    return bytes;
}

Bytes make_frame(const HeaderSpec& spec, const Bytes& body) {
    EXPECT_EQ(static_cast<int>(body.size()), body_size(spec));
    const uint32_t word = header_word(spec);
    Bytes frame = {static_cast<uint8_t>(word >> 24), static_cast<uint8_t>(word >> 16),
                   static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word)};
    frame.insert(frame.end(), body.begin(), body.end());
    return frame;
}

Bytes make_frame(const HeaderSpec& spec, uint32_t seed) {
    return make_frame(spec, pattern_bytes(static_cast<size_t>(body_size(spec)), seed));
}

void append(Bytes& stream, const Bytes& more) { stream.insert(stream.end(), more.begin(), more.end()); }

} // namespace zk::test
