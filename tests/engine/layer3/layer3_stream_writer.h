// Writes layer III test streams from given spectra: long blocks, every
// granule's main data inside its own frame, one Huffman table for all big
// values, no count1 region. MPEG-1 44100 Hz 320 kbit/s or MPEG-2 22050 Hz
// 160 kbit/s frames, no padding.
#pragma once

#include "engine/support/bit_writer.h"
#include "engine/layer3/huffman_code_book.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <utility>
#include <vector>

namespace zk::test {

struct ChannelData {
    int global_gain = 160;
    int scalefac_compress = 0;
    // Scalefactor fields in reading order: (value, bits).
    std::vector<std::pair<int, int>> scalefactors;
    std::vector<int> values; // spectral values by line; missing lines are 0
    int table = 15;
    int big_values_override = -1; // written instead of the true count when >= 0
};

struct FrameData {
    bool mpeg1 = true;
    int mode = 0; // 0 stereo, 1 joint stereo, 2 dual, 3 single channel
    int mode_extension = 0;
    ChannelData channel[2][2]; // [granule][channel]
};

// Scalefactors then big-value pairs of one granule and channel.
inline BitWriter write_main_data(const HuffmanCodeBook& book, const ChannelData& data, int& big_values) {
    BitWriter out;
    for (const auto& [value, bits] : data.scalefactors) out.put(static_cast<uint32_t>(value), bits);
    size_t lines = data.values.size();
    while (lines > 0 && data.values[lines - 1] == 0) --lines;
    big_values = static_cast<int>((lines + 1) / 2);
    const int linbits = book.linbits(data.table);
    for (size_t line = 0; line < 2 * static_cast<size_t>(big_values); line += 2) {
        const int v[2] = {data.values[line], line + 1 < data.values.size() ? data.values[line + 1] : 0};
        const int x = std::abs(v[0]), y = std::abs(v[1]);
        const int cx = linbits ? std::min(x, 15) : x, cy = linbits ? std::min(y, 15) : y;
        if (cx > 15 || cy > 15) throw std::invalid_argument("value too large for the table");
        out.put_code(book.code(data.table, static_cast<unsigned>(cx << 4 | cy)));
        for (int k = 0; k < 2; ++k) {
            const int magnitude = std::abs(v[k]);
            if (linbits && magnitude >= 15) out.put(static_cast<uint32_t>(magnitude - 15), linbits);
            if (magnitude != 0) out.put(v[k] < 0 ? 1 : 0, 1);
        }
    }
    return out;
}

inline std::vector<uint8_t> write_layer3_stream(const HuffmanCodeBook& book, const std::vector<FrameData>& frames) {
    std::vector<uint8_t> stream;
    for (const FrameData& frame : frames) {
        const int channels = frame.mode == 3 ? 1 : 2;
        const size_t length = frame.mpeg1 ? 1044 : 522;
        BitWriter whole;
        whole.put(frame.mpeg1 ? 0xFFFB : 0xFFF3, 16);
        whole.put(14, 4); // bitrate index
        whole.put(0, 4);  // sampling frequency index, padding, private bit
        whole.put(static_cast<uint32_t>(frame.mode), 2);
        whole.put(static_cast<uint32_t>(frame.mode_extension), 2);
        whole.put(0, 4);
        whole.put(0, frame.mpeg1 ? 9 : 8); // main_data_begin
        whole.put(0, frame.mpeg1 ? (channels == 1 ? 5 : 3) : (channels == 1 ? 1 : 2));
        if (frame.mpeg1) whole.put(0, 4 * channels); // scfsi
        BitWriter data;
        for (int gr = 0; gr < (frame.mpeg1 ? 2 : 1); ++gr)
            for (int ch = 0; ch < channels; ++ch) {
                const ChannelData& c = frame.channel[gr][ch];
                int big_values = 0;
                const BitWriter bits = write_main_data(book, c, big_values);
                if (c.big_values_override >= 0) big_values = c.big_values_override;
                whole.put(static_cast<uint32_t>(bits.bits()), 12);
                whole.put(static_cast<uint32_t>(big_values), 9);
                whole.put(static_cast<uint32_t>(c.global_gain), 8);
                whole.put(static_cast<uint32_t>(c.scalefac_compress), frame.mpeg1 ? 4 : 9);
                whole.put(0, 1); // no window switching
                for (int region = 0; region < 3; ++region) whole.put(static_cast<uint32_t>(c.table), 5);
                whole.put(15, 4);                  // region0_count
                whole.put(7, 3);                   // region1_count
                whole.put(0, frame.mpeg1 ? 3 : 2); // preflag (MPEG-1), scalefac_scale, count1 table
                data.append(bits);
            }
        whole.append(data);
        if (whole.bits() > length * 8) throw std::invalid_argument("frame data does not fit");
        const std::vector<uint8_t> bytes = whole.finish(length);
        stream.insert(stream.end(), bytes.begin(), bytes.end());
    }
    return stream;
}

} // namespace zk::test
