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
        if (cursor + 100 > length) return false;
        std::memcpy(out.toc, frame + cursor, 100);
        out.has_toc = true;
        cursor += 100;
    }
    if (flags & 0x8) cursor += 4; // quality
    if (cursor < length) parse_encoder_tag(frame + cursor, length - cursor, out);
    return true;
}

// The table's byte fraction at entry i; 1 past the last entry.
double toc_entry(const VbrHeader& vbr, int i) { return i >= 100 ? 1.0 : vbr.toc[i] / 256.0; }

} // namespace

double toc_bytes_at(const VbrHeader& vbr, double time_fraction) {
    const double percent = std::clamp(time_fraction, 0.0, 1.0) * 100;
    const int i = std::min(static_cast<int>(percent), 99);
    const double from = toc_entry(vbr, i);
    return from + (toc_entry(vbr, i + 1) - from) * (percent - i);
}

double toc_time_at(const VbrHeader& vbr, double byte_fraction) {
    byte_fraction = std::clamp(byte_fraction, 0.0, 1.0);
    int i = 0;
    while (i < 99 && toc_entry(vbr, i + 1) <= byte_fraction) ++i;
    const double from = toc_entry(vbr, i), to = toc_entry(vbr, i + 1);
    const double within = to > from ? std::clamp((byte_fraction - from) / (to - from), 0.0, 1.0) : 0.0;
    return (i + within) / 100;
}

bool parse_vbr_header(const FrameHeader& header, const uint8_t* frame, int32_t length, VbrHeader& out) {
    out = VbrHeader{};
    if (header.layer() != 3 || !frame) return false;
    const int32_t xing_at = 4 + header.side_info_length();
    if (has_tag(frame, length, xing_at, "Xing") || has_tag(frame, length, xing_at, "Info")) {
        if (parse_xing(frame, length, xing_at, out)) return true;
        out = VbrHeader{};
        return false;
    }
    constexpr int32_t kVbriAt = 36;
    if (has_tag(frame, length, kVbriAt, "VBRI") && kVbriAt + 18 <= length) {
        out.kind = VbrHeader::Kind::Vbri;
        out.bytes = big_endian(frame + kVbriAt + 10, 4);
        out.frames = big_endian(frame + kVbriAt + 14, 4);
        return true;
    }
    return false;
}

} // namespace zk
