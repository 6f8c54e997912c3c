// Synthetic MPEG audio streams for the frame reader and decoder tests.
#pragma once

#include "codec/frame_header.h"
#include "engine/support/bit_writer.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zk::test {

using Bytes = std::vector<uint8_t>;

// Header fields as they stand in the stream; the default is MPEG-1 layer III,
// 128 kbit/s, 44100 Hz, stereo, no CRC (FF FB 90 00).
struct HeaderFields {
    int version_bits = 3; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5, 1 reserved
    int layer_code = 1;   // 3 layer I, 2 layer II, 1 layer III
    bool crc = false;
    int bitrate_index = 9;
    int frequency_index = 0;
    int padding = 0;
    int private_bit = 0;
    int mode = 0;
    int mode_extension = 0;
};

inline uint32_t header_word(const HeaderFields& f) {
    return 0xFFE00000u | uint32_t(f.version_bits) << 19 | uint32_t(f.layer_code) << 17 | (f.crc ? 0u : 1u) << 16 |
           uint32_t(f.bitrate_index) << 12 | uint32_t(f.frequency_index) << 10 | uint32_t(f.padding) << 9 |
           uint32_t(f.private_bit) << 8 | uint32_t(f.mode) << 6 | uint32_t(f.mode_extension) << 4;
}

// The fields must be valid.
inline FrameHeader decoded_header(const HeaderFields& fields) {
    FrameHeader header{};
    EXPECT_TRUE(decode_frame_header(header_word(fields), header)) << std::hex << header_word(fields);
    return header;
}

inline int body_size(const HeaderFields& fields) { return decoded_header(fields).frame_length() - 4; }

// Bytes that never hold 0xFF, so that frame bodies carry no false sync.
inline Bytes pattern_bytes(size_t count, uint32_t seed) {
    Bytes bytes(count);
    uint32_t state = seed * 2654435761u + 12345u;
    for (auto& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<uint8_t>((state >> 16) % 255);
    }
    return bytes;
}

inline void append(Bytes& stream, const Bytes& more) { stream.insert(stream.end(), more.begin(), more.end()); }

// Header followed by the body, which must be body_size(fields) long.
inline Bytes make_frame(const HeaderFields& fields, const Bytes& body) {
    EXPECT_EQ(static_cast<int>(body.size()), body_size(fields));
    const uint32_t word = header_word(fields);
    Bytes frame = {uint8_t(word >> 24), uint8_t(word >> 16), uint8_t(word >> 8), uint8_t(word)};
    append(frame, body);
    return frame;
}

// A frame with a pattern body.
inline Bytes make_frame(const HeaderFields& fields, uint32_t seed = 1) {
    return make_frame(fields, pattern_bytes(static_cast<size_t>(body_size(fields)), seed));
}

} // namespace zk::test
