// The information frame some encoders put first in a layer III file: a
// "Xing" or "Info" frame (frame count, byte count, table of contents, and
// LAME's encoder delay and padding) or a "VBRI" frame (frame and byte counts,
// seek table). It carries no audio.
#pragma once

#include "codec/frame_header.h"
#include "codec/seek_table.h"

#include <cstdint>

namespace zk {

struct VbrHeader {
    enum class Kind { None, Xing, Vbri };
    Kind kind = Kind::None;
    uint32_t frames = 0; // audio frames after this one, 0 when not given
    uint32_t bytes = 0;  // bytes of the stream, 0 when not given
    // From LAME's tag: samples the encoder added before and after the audio;
    // -1 when the frame has no such tag.
    int32_t encoder_delay = -1;
    int32_t padding = -1;
    // Xing's table of contents or VBRI's table, in fractions of `bytes`
    // counted from the information frame's first byte; empty when the frame
    // has none or it does not hold together.
    SeekTable table;
};

// Samples by which a layer III decoder's filterbanks delay the signal.
constexpr int32_t kDecoderDelay = 529;

// The 32-bit header word of 4 stream bytes.
inline uint32_t header_word(const uint8_t bytes[4]) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
}

// Looks for an information frame in the bytes of one whole frame (header
// included). False for an ordinary audio frame.
bool parse_vbr_header(const FrameHeader& header, const uint8_t* frame, int32_t length, VbrHeader& out);

} // namespace zk
