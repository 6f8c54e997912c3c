// Synthetic MPEG audio streams for the frame reader tests.
#pragma once

#include "codec/frame_header.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zk::test {

using Bytes = std::vector<uint8_t>;

// Header fields as they stand in the stream; the default is MPEG-1 layer III,
// 128 kbit/s, 44100 Hz, stereo, no CRC (FF FB 90 00).
struct HeaderSpec {
    int version_bits = 3;   // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5, 1 reserved
    int layer_code = 1;     // 3 layer I, 2 layer II, 1 layer III
    bool crc = false;
    int bitrate_index = 9;
    int frequency_index = 0;
    int padding = 0;
    int private_bit = 0;
    int mode = 0;
    int mode_extension = 0;
};

uint32_t header_word(const HeaderSpec& fields);
FrameHeader decoded_header(const HeaderSpec& fields); // the fields must be valid
int body_size(const HeaderSpec& fields);              // frame length - 4

// Bytes that never hold 0xFF, so that frame bodies carry no false sync.
Bytes pattern_bytes(size_t count, uint32_t seed);

// Header followed by the body; body.size() must be body_size(fields).
Bytes make_frame(const HeaderSpec& fields, const Bytes& body);
// A frame with a pattern body.
Bytes make_frame(const HeaderSpec& fields, uint32_t seed = 1);

void append(Bytes& stream, const Bytes& more);

} // namespace zk::test
