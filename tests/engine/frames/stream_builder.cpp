#include "stream_builder.h"

#include <gtest/gtest.h>

namespace zk::test {

uint32_t header_word(const HeaderSpec& fields) {
    return 0xFFE00000u | static_cast<uint32_t>(fields.version_bits) << 19 |
           static_cast<uint32_t>(fields.layer_code) << 17 | (fields.crc ? 0u : 1u) << 16 |
           static_cast<uint32_t>(fields.bitrate_index) << 12 | static_cast<uint32_t>(fields.frequency_index) << 10 |
           static_cast<uint32_t>(fields.padding) << 9 | static_cast<uint32_t>(fields.private_bit) << 8 |
           static_cast<uint32_t>(fields.mode) << 6 | static_cast<uint32_t>(fields.mode_extension) << 4;
}

FrameHeader decoded_header(const HeaderSpec& fields) {
    FrameHeader header{};
    EXPECT_TRUE(decode_frame_header(header_word(fields), header)) << std::hex << header_word(fields);
    return header;
}

int body_size(const HeaderSpec& fields) { return decoded_header(fields).frame_length() - 4; }

Bytes pattern_bytes(size_t count, uint32_t seed) {
    Bytes bytes(count);
    uint32_t state = seed * 2654435761u + 12345u;
    for (auto& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<uint8_t>((state >> 16) % 255);
    }
    return bytes;
}

Bytes make_frame(const HeaderSpec& fields, const Bytes& body) {
    EXPECT_EQ(static_cast<int>(body.size()), body_size(fields));
    const uint32_t word = header_word(fields);
    Bytes frame = {static_cast<uint8_t>(word >> 24), static_cast<uint8_t>(word >> 16),
                   static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word)};
    frame.insert(frame.end(), body.begin(), body.end());
    return frame;
}

Bytes make_frame(const HeaderSpec& fields, uint32_t seed) {
    return make_frame(fields, pattern_bytes(static_cast<size_t>(body_size(fields)), seed));
}

void append(Bytes& stream, const Bytes& more) { stream.insert(stream.end(), more.begin(), more.end()); }

} // namespace zk::test
