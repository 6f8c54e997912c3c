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
    // Free format: the frame length without padding, found from the distance
    // to the next header (0 until it is known).
    int32_t free_format_bytes = 0;

    int layer() const { return 4 - layer_code; } // 1, 2 or 3
    int level() const { return 2 - version_id; } // 1 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    bool is_mpeg1() const { return version_id == 1; }
    bool is_free_format() const { return bitrate_index == 0; }
    int slot_bytes() const { return layer_code == 3 ? 4 : 1; } // the padding unit
    int channels() const { return mode == 3 ? 1 : 2; }
    // Derived values; meaningful for headers that decode_frame_header accepted
    // (0 for a reserved layer or version, so that nothing divides by zero).
    int bitrate_kbps() const; // from the ISO tables, or the free-format length
    int frequency_hz() const;
    int frame_length() const;        // bytes, header included; 0 for free format of unknown length
    int side_info_length() const;    // layer III, CRC included
    int samples_per_channel() const; // 384, 1152 or 576
};

// True when the first 11 bits of the word are the sync pattern.
inline bool has_sync(uint32_t word) { return (word & 0xFFE00000u) == 0xFFE00000u; }

// Splits the word into its fields; returns false when the header breaks the
// validity rules (reserved values, the forbidden bitrate, layer II
// bitrate/mode limits, MPEG-2.5 other than layer III).
bool decode_frame_header(uint32_t word, FrameHeader& header);

// Level, layer, bitrate, frequency and mode of the header into info
// (info.changed is left to the caller).
void set_stream_info(const FrameHeader& header, ZK_StreamInfo& info);

// The fields that stay the same from frame to frame of one stream: sync,
// version, layer, CRC flag, bitrate index and sampling frequency.
constexpr uint32_t kFixedHeaderBits = 0xFFFFFC00u;

} // namespace zk
