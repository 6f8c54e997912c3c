// Writes layer III test streams from given spectra: long blocks, every
// granule's main data inside its own frame (main_data_begin 0), one Huffman
// table for all big values, no count1 region.
#pragma once

#include "engine/layer3/huffman_code_book.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zk::test {

struct ChannelData {
    int global_gain = 160;
    int scalefac_compress = 0;
    int scalefac_scale = 0;
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
    int main_data_begin = 0;
    ChannelData channel[2][2]; // [granule][channel]
};

// MPEG-1 44100 Hz 320 kbit/s or MPEG-2 22050 Hz 160 kbit/s frames.
std::vector<uint8_t> write_layer3_stream(const HuffmanCodeBook& book, const std::vector<FrameData>& frames);

// MPEG-1 long-block scalefactors: bands 0..10 of slen1 bits, 11..20 of slen2.
std::vector<std::pair<int, int>> mpeg1_scalefactors(int slen1, int slen2, const std::vector<int>& bands);

// Writes bytes to a fresh file in the temporary folder, removed when the
// object goes.
class TemporaryStream {
public:
    explicit TemporaryStream(const std::vector<uint8_t>& bytes);
    ~TemporaryStream();
    TemporaryStream(const TemporaryStream&) = delete;
    TemporaryStream& operator=(const TemporaryStream&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace zk::test
