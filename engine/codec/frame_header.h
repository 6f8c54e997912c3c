// MPEG audio frame header: decoding, validity and derived values.
#pragma once

#include <cstdint>

struct ZK_StreamInfo;

namespace zk {

// The twelve header fields, decoded from the 32-bit header word.
struct FrameHeader {
    int32_t version_id;      // 1 MPEG-1, 0 MPEG-2, 2 MPEG-2.5, 3 reserved
    int32_t layer_code;      // 3 layer I, 2 layer II, 1 layer III, 0 reserved
    int32_t protection;      // 0: a 16-bit CRC follows the header
    int32_t bitrate_index;   // 0..15
    int32_t frequency_index; // 0..3
    int32_t padding;
    int32_t private_bit;
    int32_t mode; // ZK_MODE_*
    int32_t mode_extension;
    int32_t copyright;
    int32_t original;
    int32_t emphasis;

    int layer() const { return 4 - layer_code; } // 1, 2 or 3
    int level() const { return 2 - version_id; } // 1 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    bool is_mpeg1() const { return version_id == 1; }
    int channels() const { return mode == 3 ? 1 : 2; }
    // Derived values; meaningful for headers that decode_frame_header accepted
    // (0 for a reserved layer or version, so that nothing divides by zero).
    int bitrate_kbps() const; // from the ISO tables
    int frequency_hz() const;
    int frame_length() const;        // bytes, header included
    int side_info_length() const;    // layer III, CRC included
    int samples_per_channel() const; // 384, 1152 or 576
};

// True when the first 11 bits of the word are the sync pattern.
inline bool has_sync(uint32_t word) { return (word & 0xFFE00000u) == 0xFFE00000u; }

// Splits the word into its fields; returns false when the header breaks the
// validity rules (reserved values, free format, padding at rates that never
// need it, layer II bitrate/mode limits, MPEG-2.5 other than layer III).
bool decode_frame_header(uint32_t word, FrameHeader& header);

// Level, layer, bitrate, frequency and mode of the header into info
// (info.changed is left to the caller).
void set_stream_info(const FrameHeader& header, ZK_StreamInfo& info);

} // namespace zk
