#include "codec/layer3/scalefactors.h"

#include "codec/tables/layer3_tables.h"

#include <cstring>

namespace zk {

namespace {

constexpr uint8_t kMpeg1IntensityLimit = 7;

void clear(Scalefactors& out, uint8_t limit) {
    std::memset(out.long_bands, 0, sizeof out.long_bands);
    std::memset(out.short_bands, 0, sizeof out.short_bands);
    std::memset(out.long_limit, limit, sizeof out.long_limit);
    std::memset(out.short_limit, limit, sizeof out.short_limit);
    out.intensity_scale = 0;
}

uint8_t read_value(BitstreamReader& reader, int bits) { return static_cast<uint8_t>(reader.read_bits(bits)); }

void read_short_bands(BitstreamReader& reader, Scalefactors& out, int first, int last, int bits) {
    for (int band = first; band < last; ++band)
        for (uint8_t& value : out.short_bands[band]) value = read_value(reader, bits);
}

// Partition lengths and table row of an MPEG-2 scalefactor compression.
struct Mpeg2Layout {
    int slen[4];
    int block_number;
    bool preflag;
};

Mpeg2Layout mpeg2_layout(int32_t compress, bool intensity_channel) {
    if (!intensity_channel) {
        if (compress < 400)
            return {{(compress >> 4) / 5, (compress >> 4) % 5, (compress & 15) >> 2, compress & 3}, 0, false};
        if (compress < 500) {
            const int c = compress - 400;
            return {{(c >> 2) / 5, (c >> 2) % 5, c & 3, 0}, 1, false};
        }
        const int c = compress - 500;
        return {{c / 3, c % 3, 0, 0}, 2, true};
    }
    const int half = compress >> 1;
    if (half < 180) return {{half / 36, (half % 36) / 6, (half % 36) % 6, 0}, 3, false};
    if (half < 244) {
        const int c = half - 180;
        return {{(c % 64) >> 4, (c % 16) >> 2, c % 4, 0}, 4, false};
    }
    const int c = half - 244;
    return {{c / 3, c % 3, 0, 0}, 5, false};
}

} // namespace

void read_scalefactors_mpeg1(BitstreamReader& reader, const GranuleChannel& gc, const int32_t scfsi[4], int granule,
                             const Scalefactors& first_granule, Scalefactors& out) {
    const int slen1 = tables::kSlen[gc.scalefac_compress][0];
    const int slen2 = tables::kSlen[gc.scalefac_compress][1];
    if (gc.short_blocks()) {
        clear(out, kMpeg1IntensityLimit);
        int first_short = 0;
        if (gc.mixed_block) {
            for (int band = 0; band < 8; ++band) out.long_bands[band] = read_value(reader, slen1);
            first_short = 3;
        }
        read_short_bands(reader, out, first_short, 6, slen1);
        read_short_bands(reader, out, 6, 12, slen2);
        return;
    }
    static constexpr int kGroupStart[5] = {0, 6, 11, 16, 21};
    uint8_t kept[22];
    std::memcpy(kept, first_granule.long_bands, sizeof kept);
    clear(out, kMpeg1IntensityLimit);
    for (int group = 0; group < 4; ++group) {
        const bool reuse = granule == 1 && scfsi[group] != 0;
        const int bits = group < 2 ? slen1 : slen2;
        for (int band = kGroupStart[group]; band < kGroupStart[group + 1]; ++band)
            out.long_bands[band] = reuse ? kept[band] : read_value(reader, bits);
    }
}

void read_scalefactors_mpeg2(BitstreamReader& reader, GranuleChannel& gc, bool intensity_channel, Scalefactors& out) {
    const Mpeg2Layout layout = mpeg2_layout(gc.scalefac_compress, intensity_channel);
    const int kind = gc.mixed_blocks() ? 2 : gc.short_blocks() ? 1 : 0;
    const uint8_t* sizes = tables::kPartitionSizes[layout.block_number][kind];
    clear(out, 0);
    gc.preflag = layout.preflag ? 1 : 0;
    out.intensity_scale = intensity_channel ? (gc.scalefac_compress & 1) : 0;

    // Slots in reading order: long bands, then short bands window by window.
    const int long_count = kind == 0 ? 21 : kind == 2 ? 6 : 0;
    const int first_short = kind == 2 ? 3 : 0;
    int slot = 0;
    for (int part = 0; part < 4; ++part) {
        const int bits = layout.slen[part];
        const uint8_t limit = static_cast<uint8_t>((1 << bits) - 1);
        for (int n = 0; n < sizes[part]; ++n, ++slot) {
            const uint8_t value = read_value(reader, bits);
            if (slot < long_count) {
                out.long_bands[slot] = value;
                out.long_limit[slot] = limit;
            } else {
                const int index = slot - long_count;
                const int band = first_short + index / 3;
                out.short_bands[band][index % 3] = value;
                out.short_limit[band] = limit;
            }
        }
    }
}

} // namespace zk
