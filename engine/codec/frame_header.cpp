#include "codec/frame_header.h"

#include "codec/tables/frame_tables.h"
#include "zelkor.h"

namespace zk {

namespace {

constexpr int kVersionReserved = 3;
constexpr int kVersionMpeg25 = 2;
constexpr int kLayerCodeReserved = 0;
constexpr int kLayerCodeLayer2 = 2;
constexpr int kFreeFormat = 0;
constexpr int kForbiddenBitrate = 15;
constexpr int kFrequencyReserved = 3;

// MPEG-1 layer II: the bitrates that only single-channel streams may use
// (32, 48, 56, 80 kbit/s) and those they may not (224 to 384 kbit/s).
bool layer2_bitrate_allowed(int bitrate_index, int mode) {
    const bool single = mode == ZK_MODE_SINGLE_CHANNEL;
    switch (bitrate_index) {
    case 1:
    case 2:
    case 3:
    case 5: return single;
    case 11:
    case 12:
    case 13:
    case 14: return !single;
    default: return true;
    }
}

} // namespace

bool decode_frame_header(uint32_t word, FrameHeader& header) {
    header.version_id = static_cast<int32_t>((word >> 19) & 1) + (((word >> 20) & 1) ? 0 : 2);
    header.layer_code = static_cast<int32_t>((word >> 17) & 3);
    header.protection = static_cast<int32_t>((word >> 16) & 1);
    header.bitrate_index = static_cast<int32_t>((word >> 12) & 15);
    header.frequency_index = static_cast<int32_t>((word >> 10) & 3);
    header.padding = static_cast<int32_t>((word >> 9) & 1);
    header.private_bit = static_cast<int32_t>((word >> 8) & 1);
    header.mode = static_cast<int32_t>((word >> 6) & 3);
    header.mode_extension = static_cast<int32_t>((word >> 4) & 3);
    header.copyright = static_cast<int32_t>((word >> 3) & 1);
    header.original = static_cast<int32_t>((word >> 2) & 1);
    header.emphasis = static_cast<int32_t>(word & 3);

    header.free_format_bytes = 0;

    if (header.bitrate_index == kForbiddenBitrate) return false;
    if (header.layer_code == kLayerCodeReserved) return false;
    if (header.frequency_index == kFrequencyReserved) return false;
    if (header.version_id == kVersionReserved) return false;
    if (header.version_id == kVersionMpeg25 && header.layer() != 3) return false;
    if (header.is_mpeg1() && header.layer_code == kLayerCodeLayer2 && header.bitrate_index != kFreeFormat &&
        !layer2_bitrate_allowed(header.bitrate_index, header.mode))
        return false;
    return true;
}

namespace {

// Frame bytes per kbit/s at 1 Hz, times 1000 (the frame length formula).
int bytes_per_kbps_times_1000(const FrameHeader& header) {
    switch (header.layer()) {
    case 1: return 12000 * 4;
    case 3: return header.is_mpeg1() ? 144000 : 72000;
    default: return 144000;
    }
}

} // namespace

int FrameHeader::bitrate_kbps() const {
    if (layer_code == kLayerCodeReserved || version_id == kVersionReserved) return 0;
    if (is_free_format()) {
        const int64_t bytes = free_format_bytes;
        return static_cast<int>(bytes * frequency_hz() / bytes_per_kbps_times_1000(*this));
    }
    const int kbps = tables::kBitrateKbps[is_mpeg1() ? 0 : 1][layer() - 1][bitrate_index];
    return kbps > 0 ? kbps : 0;
}

int FrameHeader::frequency_hz() const {
    if (version_id == kVersionReserved) return 0;
    const int hz = tables::kSampleRateHz[version_id][frequency_index];
    return hz > 0 ? hz : 0;
}

int FrameHeader::frame_length() const {
    const int frequency = frequency_hz();
    if (frequency == 0) return 0;
    if (layer_code == kLayerCodeReserved) return 0;
    if (is_free_format()) return free_format_bytes ? free_format_bytes + padding * slot_bytes() : 0;
    const int bitrate = bitrate_kbps();
    const int pad = padding;
    switch (layer()) {
    case 1: return (12000 * bitrate / frequency + pad) * 4;
    case 2: return 144000 * bitrate / frequency + pad;
    case 3: return (is_mpeg1() ? 144000 * bitrate / frequency : 144000 * bitrate / frequency / 2) + pad;
    default: return 0;
    }
}

int FrameHeader::side_info_length() const {
    const bool single = mode == ZK_MODE_SINGLE_CHANNEL;
    const int length = is_mpeg1() ? (single ? 17 : 32) : (single ? 9 : 17);
    return protection == 0 ? length + 2 : length;
}

int FrameHeader::samples_per_channel() const {
    switch (layer()) {
    case 1: return 384;
    case 3: return is_mpeg1() ? 1152 : 576;
    default: return 1152;
    }
}

void set_stream_info(const FrameHeader& header, ZK_StreamInfo& info) {
    info.level = header.level();
    info.layer = header.layer();
    info.bitrate = header.bitrate_kbps();
    info.frequency = header.frequency_hz();
    info.mode = header.mode;
}

} // namespace zk
