// Layer III side information (MPEG-1 and MPEG-2/2.5 syntax).
#pragma once

#include "codec/bitstream_reader.h"
#include "codec/frame_header.h"
#include "codec/layer3/layer3_state.h"

namespace zk {

// Row of the band tables for the header's version and sampling frequency.
int layer3_rate_index(const FrameHeader& header);

// Reads the side information at the bit cursor. False when it is invalid:
// big_values above 288, or window switching with block type 0.
bool read_side_info(BitstreamReader& reader, const FrameHeader& header, SideInfo& side);

} // namespace zk
