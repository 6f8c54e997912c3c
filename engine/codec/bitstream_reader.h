// Frames from the decoder's input: sync search, staged fetch with successor
// check, the layer III main-data reservoir, and the bit reader the layer
// decoders use.
#pragma once

#include "codec/frame_header.h"

#include <cstdint>

struct ZK_StreamInfo;

namespace zk {

// Where the reader takes its bytes from: the decoder's input chain, or a
// buffer in tests. read() delivers exactly count bytes and returns count, or
// a negative code (-513 at the end of the input).
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual int32_t read(void* buffer, uint32_t count) = 0;
};

class BitstreamReader {
public:
    explicit BitstreamReader(ByteSource& source);

    // Next accepted frame: 0 with header() and the frame data ready, or a
    // negative input code (-513 at the end); never -600. Resumable after a
    // failed read.
    int32_t fetch_frame();
    const FrameHeader& header() const { return header_; }

    // Next n bits (0..16), most significant first.
    uint32_t read_bits(int n);
    // Moves the cursor back by n bits.
    void put_back_bits(int n);
    // Bits consumed since the cursor was last reset to the frame buffer start.
    int32_t bits_consumed() const;

    // Layer III: assembles this frame's main data (main_data_begin bytes back
    // into the reservoir, bit_count bits) at the start of the frame buffer.
    // False when the reservoir does not reach back far enough.
    bool load_main_data(int32_t main_data_begin, int32_t bit_count);

    void reset_all();        // open, close, seek by offset
    void reset_reservoir();  // codec reset after a seek

private:
    // Implementation state: frame buffer (2048 bytes as 32-bit words),
    // bit cursor, 4096-byte reservoir ring, stage, look-ahead header.
    ByteSource& source_;
    FrameHeader header_{};
};

// Parses 4 bytes as a header for the open-time probe (first byte 0xFF, second
// at least 0xE0, valid header). On success fills level, layer, bitrate,
// frequency and mode of info and the stream's bytes per second.
bool probe_frame_header(const uint8_t bytes[4], ZK_StreamInfo& info, int32_t& bytes_per_second);

} // namespace zk
