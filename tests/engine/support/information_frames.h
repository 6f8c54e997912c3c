// Hand-built information frames (Xing and VBRI) at the head of a layer III
// stream: their counts and seek tables, laid out as encoders write them.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace zk::test {

// MPEG-1 layer III stereo frames without padding at 44100 Hz: header words
// and lengths for 64, 128 and 192 kbit/s; 320 kbit/s at 32000 Hz is the
// longest frame of a fixed bitrate.
struct PlainFrame {
    uint32_t header;
    size_t length;
};
constexpr PlainFrame k64kbit{0xFFFB5000u, 208}, k128kbit{0xFFFB9000u, 417}, k192kbit{0xFFFBB000u, 626},
    k320kbitAt32kHz{0xFFFBE800u, 1440};

inline void put_big_endian(std::vector<uint8_t>& bytes, size_t at, uint64_t value, int count) {
    for (int i = count - 1; i >= 0; --i, value >>= 8) bytes[at + size_t(i)] = uint8_t(value);
}

// A frame of the given kind, its body all zeros (silence once decoded).
inline std::vector<uint8_t> silent_frame(PlainFrame kind) {
    std::vector<uint8_t> frame(kind.length, 0);
    put_big_endian(frame, 0, kind.header, 4);
    return frame;
}

struct VbriFields {
    uint32_t bytes = 0, frames = 0;
    uint32_t scale = 1, entry_size = 2, frames_per_entry = 1;
    std::vector<uint32_t> entries; // each the bytes of its frames divided by the scale
    int64_t stated_entries = -1;   // the count written, when not entries.size()
};

// "VBRI" 32 bytes after the header: version 1, delay, quality, counts, table.
inline std::vector<uint8_t> vbri_frame(const VbriFields& f, PlainFrame kind = k128kbit) {
    std::vector<uint8_t> frame = silent_frame(kind);
    std::memcpy(frame.data() + 36, "VBRI", 4);
    put_big_endian(frame, 40, 1, 2);
    put_big_endian(frame, 42, 0x3C20, 2);
    put_big_endian(frame, 44, 75, 2);
    put_big_endian(frame, 46, f.bytes, 4);
    put_big_endian(frame, 50, f.frames, 4);
    put_big_endian(frame, 54, f.stated_entries >= 0 ? uint64_t(f.stated_entries) : f.entries.size(), 2);
    put_big_endian(frame, 56, f.scale, 2);
    put_big_endian(frame, 58, f.entry_size, 2);
    put_big_endian(frame, 60, f.frames_per_entry, 2);
    size_t at = 62;
    for (uint32_t entry : f.entries) {
        if (at + f.entry_size > frame.size()) break;
        put_big_endian(frame, at, entry, int(f.entry_size));
        at += f.entry_size;
    }
    return frame;
}

// "Xing" after the stereo side information, with frames, bytes and the table.
inline std::vector<uint8_t> xing_frame(const uint8_t (&toc)[100], uint32_t frames, uint32_t bytes) {
    std::vector<uint8_t> frame = silent_frame(k128kbit);
    std::memcpy(frame.data() + 36, "Xing", 4);
    put_big_endian(frame, 40, 0x7, 4);
    put_big_endian(frame, 44, frames, 4);
    put_big_endian(frame, 48, bytes, 4);
    std::memcpy(frame.data() + 52, toc, 100);
    return frame;
}

} // namespace zk::test
