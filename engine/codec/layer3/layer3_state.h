// Layer III working storage: side information, scalefactors, spectra, and
// the IMDCT overlap that carries over from granule to granule.
#pragma once

#include <cstdint>

namespace zk {

// Side information of one granule of one channel; region starts are lines.
struct GranuleChannel {
    int32_t part2_3_length;
    int32_t big_values;
    int32_t global_gain;
    int32_t scalefac_compress;
    int32_t window_switching;
    int32_t block_type; // 0 long, 1 start, 2 short, 3 stop
    int32_t mixed_block;
    int32_t table_select[3];
    int32_t subblock_gain[3];
    int32_t region1_start;
    int32_t region2_start;
    int32_t preflag;
    int32_t scalefac_scale;
    int32_t count1_table;

    bool short_blocks() const { return block_type == 2; }
    bool mixed_blocks() const { return block_type == 2 && mixed_block != 0; }
};

struct SideInfo {
    int32_t main_data_begin;
    int32_t private_bits;
    int32_t scfsi[2][4];
    GranuleChannel granule[2][2]; // [granule][channel]
    int32_t part2_3_total;        // bits of all granules and channels
};

// Scalefactors of one granule and channel. intensity_limit holds, per band,
// the first intensity position that is not a valid one (MPEG-1: 7; MPEG-2:
// the largest value of the band's scalefactor length).
struct Scalefactors {
    uint8_t long_bands[22];
    uint8_t short_bands[13][3];
    uint8_t long_limit[22];
    uint8_t short_limit[13];
    int32_t intensity_scale; // MPEG-2, channel 1 with intensity stereo
};

constexpr int kGranuleLines = 576;

struct Layer3State {
    SideInfo side;
    Scalefactors scalefactors[2][2];     // [granule][channel]
    float spectrum[2][2][kGranuleLines]; // [granule][channel], short blocks reordered
    int32_t spectrum_end[2][2];          // lines past the last possibly non-zero one
    float hybrid[2][kGranuleLines];      // [channel], 18 slots of 32 subbands
    float overlap[2][kGranuleLines];     // [channel], 18 per subband

    void reset(); // clears spectra, hybrid output and overlap
};

} // namespace zk
