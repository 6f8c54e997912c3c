// Huffman decoding of one granule and channel with requantisation done value
// by value, short-block values stored at their reordered positions.
#pragma once

#include "codec/bitstream_reader.h"
#include "codec/layer3/layer3_state.h"

namespace zk {

struct SpectrumLayout {
    int rate_index; // row of the band tables
    bool mpeg1;
    bool mid_side; // folds the 1/sqrt(2) of mid/side into the gain
};

// Lines of a mixed block's long part: the first 8 (MPEG-1) or 6 long bands.
int mixed_long_lines(const SpectrumLayout& layout);

// Decodes the Huffman data from the cursor to end_bit (counted as
// bits_consumed()) into spectrum (576 lines, zeros where nothing is coded),
// and leaves the cursor at end_bit. False when the data is invalid: an unused
// table selected, or big values reaching beyond end_bit. spectrum_end gets
// the line past the last one that may be non-zero.
bool decode_spectrum(BitstreamReader& reader, const GranuleChannel& gc, const Scalefactors& sf,
                     const SpectrumLayout& layout, int32_t end_bit, float* spectrum, int32_t& spectrum_end);

} // namespace zk
