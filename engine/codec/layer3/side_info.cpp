#include "codec/layer3/side_info.h"

#include "codec/tables/layer3_tables.h"

#include <algorithm>

namespace zk {

namespace {

constexpr int32_t kMaxBigValues = 288;

int version_row(const FrameHeader& header) {
    switch (header.version_id) {
    case 1: return 0;  // MPEG-1
    case 0: return 1;  // MPEG-2
    default: return 2; // MPEG-2.5
    }
}

// The fields common to both syntaxes, from big_values on.
bool read_granule_channel(BitstreamReader& reader, const FrameHeader& header, GranuleChannel& gc) {
    const bool mpeg1 = header.is_mpeg1();
    gc.part2_3_length = static_cast<int32_t>(reader.read_bits(12));
    gc.big_values = static_cast<int32_t>(reader.read_bits(9));
    gc.global_gain = static_cast<int32_t>(reader.read_bits(8));
    gc.scalefac_compress = static_cast<int32_t>(reader.read_bits(mpeg1 ? 4 : 9));
    gc.window_switching = static_cast<int32_t>(reader.read_bits(1));
    if (gc.window_switching) {
        gc.block_type = static_cast<int32_t>(reader.read_bits(2));
        gc.mixed_block = static_cast<int32_t>(reader.read_bits(1));
        gc.table_select[0] = static_cast<int32_t>(reader.read_bits(5));
        gc.table_select[1] = static_cast<int32_t>(reader.read_bits(5));
        gc.table_select[2] = 0;
        for (int32_t& gain : gc.subblock_gain) gain = static_cast<int32_t>(reader.read_bits(3));
        if (gc.block_type == 0) return false;
        // Region 0 is 8 long bands, or 3 short bands of each window; 36 or
        // 54 lines at every rate but 8000 Hz, where it is 108 or 72.
        const int rate = layer3_rate_index(header);
        gc.region1_start = gc.block_type == 2 ? 3 * tables::kShortBands[rate][3] : tables::kLongBands[rate][8];
        gc.region2_start = kGranuleLines;
    } else {
        gc.block_type = 0;
        gc.mixed_block = 0;
        for (int32_t& table : gc.table_select) table = static_cast<int32_t>(reader.read_bits(5));
        gc.subblock_gain[0] = gc.subblock_gain[1] = gc.subblock_gain[2] = 0;
        const int region0_count = static_cast<int>(reader.read_bits(4));
        const int region1_count = static_cast<int>(reader.read_bits(3));
        const int16_t* bands = tables::kLongBands[layer3_rate_index(header)];
        gc.region1_start = bands[std::min(region0_count + 1, 22)];
        gc.region2_start = bands[std::min(region0_count + region1_count + 2, 22)];
    }
    gc.preflag = mpeg1 ? static_cast<int32_t>(reader.read_bits(1)) : 0;
    gc.scalefac_scale = static_cast<int32_t>(reader.read_bits(1));
    gc.count1_table = static_cast<int32_t>(reader.read_bits(1));
    return gc.big_values <= kMaxBigValues;
}

} // namespace

int layer3_rate_index(const FrameHeader& header) { return 3 * version_row(header) + header.frequency_index; }

bool read_side_info(BitstreamReader& reader, const FrameHeader& header, SideInfo& side) {
    const int channels = header.channels();
    const int granules = header.is_mpeg1() ? 2 : 1;
    if (header.is_mpeg1()) {
        side.main_data_begin = static_cast<int32_t>(reader.read_bits(9));
        side.private_bits = static_cast<int32_t>(reader.read_bits(channels == 1 ? 5 : 3));
        for (int ch = 0; ch < channels; ++ch)
            for (int32_t& group : side.scfsi[ch]) group = static_cast<int32_t>(reader.read_bits(1));
    } else {
        side.main_data_begin = static_cast<int32_t>(reader.read_bits(8));
        side.private_bits = static_cast<int32_t>(reader.read_bits(channels == 1 ? 1 : 2));
    }
    side.part2_3_total = 0;
    bool valid = true;
    for (int gr = 0; gr < granules; ++gr)
        for (int ch = 0; ch < channels; ++ch) {
            GranuleChannel& gc = side.granule[gr][ch];
            valid = read_granule_channel(reader, header, gc) && valid;
            side.part2_3_total += gc.part2_3_length;
        }
    return valid;
}

} // namespace zk
