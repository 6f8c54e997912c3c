#include "codec/vbr_header.h"

#include <algorithm>
#include <cstring>

namespace zk {

namespace {

uint32_t big_endian(const uint8_t* bytes, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | bytes[i];
    return value;
}

bool has_tag(const uint8_t* frame, int32_t length, int32_t at, const char* tag) {
    return at >= 0 && at + 4 <= length && std::memcmp(frame + at, tag, 4) == 0;
}

// LAME's tag after the Xing fields; other encoders reuse its layout.
void parse_encoder_tag(const uint8_t* tag, int32_t available, VbrHeader& out) {
    constexpr int32_t kDelayField = 21;
    if (available < kDelayField + 3) return;
    const bool known = std::memcmp(tag, "LAME", 4) == 0 || std::memcmp(tag, "Lavc", 4) == 0 ||
                       std::memcmp(tag, "Lavf", 4) == 0 || std::memcmp(tag, "L3.99", 5) == 0;
    if (!known) return;
    const uint32_t field = big_endian(tag + kDelayField, 3);
    out.encoder_delay = static_cast<int32_t>(field >> 12);
    out.padding = static_cast<int32_t>(field & 0xFFF);
}

bool parse_xing(const uint8_t* frame, int32_t length, int32_t at, VbrHeader& out) {
    int32_t cursor = at + 4;
    if (cursor + 4 > length) return false;
    const uint32_t flags = big_endian(frame + cursor, 4);
    cursor += 4;
    out.kind = VbrHeader::Kind::Xing;
    if (flags & 0x1) {
        if (cursor + 4 > length) return false;
        out.frames = big_endian(frame + cursor, 4);
        cursor += 4;
    }
    if (flags & 0x2) {
        if (cursor + 4 > length) return false;
        out.bytes = big_endian(frame + cursor, 4);
        cursor += 4;
    }
    if (flags & 0x4) {
        // toc[i] / 256 of the bytes is where i % of the playing time begins.
        constexpr int32_t kTocEntries = 100;
        if (cursor + kTocEntries > length) return false;
        for (int32_t i = 0; i < kTocEntries; ++i) out.table.add(i / 100.0, frame[cursor + i] / 256.0);
        cursor += kTocEntries;
    }
    if (flags & 0x8) cursor += 4; // quality
    if (cursor < length) parse_encoder_tag(frame + cursor, length - cursor, out);
    return true;
}

// VBRI's table after its counts: the entry count, the scale, the bytes of an
// entry and the frames an entry covers, then the entries, each the bytes of
// its frames divided by the scale. A table that does not fit the frame or
// covers nothing is left out; a long one is thinned to every few entries.
void parse_vbri_table(const uint8_t* fields, int32_t available, VbrHeader& out) {
    constexpr int32_t kFieldBytes = 8;
    if (available < kFieldBytes) return;
    const uint32_t entries = big_endian(fields, 2), scale = big_endian(fields + 2, 2);
    const uint32_t entry_size = big_endian(fields + 4, 2), frames_per_entry = big_endian(fields + 6, 2);
    if (entries == 0 || scale == 0 || entry_size < 1 || entry_size > 4 || frames_per_entry == 0 ||
        entries * entry_size > static_cast<uint32_t>(available - kFieldBytes))
        return;
    const uint8_t* entry = fields + kFieldBytes;
    uint64_t table_bytes = 0;
    for (uint32_t i = 0; i < entries; ++i) table_bytes += uint64_t{big_endian(entry + i * entry_size, entry_size)};
    table_bytes *= scale;
    if (table_bytes == 0) return;
    const uint64_t frames = out.frames ? out.frames : uint64_t{entries} * frames_per_entry;
    const uint64_t bytes = out.bytes ? out.bytes : std::min<uint64_t>(table_bytes, UINT32_MAX);
    const uint32_t step = (entries + SeekTable::kMaxPoints - 1) / SeekTable::kMaxPoints;
    uint64_t sum = 0;
    for (uint32_t i = 0; i < entries; ++i) {
        // Points stop where the table runs past the last frame.
        if (i % step == 0 && !out.table.add(double(i) * frames_per_entry / double(frames), double(sum) / double(bytes)))
            break;
        sum += uint64_t{big_endian(entry + i * entry_size, entry_size)} * scale;
    }
    out.frames = static_cast<uint32_t>(std::min<uint64_t>(frames, UINT32_MAX));
    out.bytes = static_cast<uint32_t>(bytes);
}

} // namespace

bool parse_vbr_header(const FrameHeader& header, const uint8_t* frame, int32_t length, VbrHeader& out) {
    out = VbrHeader{};
    if (header.layer() != 3 || !frame) return false;
    const int32_t xing_at = 4 + header.side_info_length();
    if (has_tag(frame, length, xing_at, "Xing") || has_tag(frame, length, xing_at, "Info")) {
        if (parse_xing(frame, length, xing_at, out)) return true;
        out = VbrHeader{};
        return false;
    }
    // 32 bytes after the header: the tag, version, delay and quality, then
    // the byte and frame counts and the table.
    constexpr int32_t kVbriAt = 36, kCountsAt = kVbriAt + 10, kTableAt = kCountsAt + 8;
    if (has_tag(frame, length, kVbriAt, "VBRI") && kTableAt <= length) {
        out.kind = VbrHeader::Kind::Vbri;
        out.bytes = big_endian(frame + kCountsAt, 4);
        out.frames = big_endian(frame + kCountsAt + 4, 4);
        parse_vbri_table(frame + kTableAt, length - kTableAt, out);
        return true;
    }
    return false;
}

} // namespace zk
