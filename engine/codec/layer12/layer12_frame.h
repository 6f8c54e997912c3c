// Frame-level rules shared by the layer I and layer II decoders.
#pragma once

#include "codec/bitstream_reader.h"
#include "codec/frame_header.h"
#include "zelkor.h"

#include <cstdint>

namespace zk::layer12 {

// First subband whose values both channels share: 4 x mode extension + 4 in
// joint stereo; otherwise `limit` (every coded subband separate, or the one
// channel of a single-channel stream).
inline int joint_stereo_bound(const FrameHeader& header, int limit) {
    return header.mode == ZK_MODE_JOINT_STEREO ? 4 * header.mode_extension + 4 : limit;
}

// True when `sample_bits` more bits still lie within the frame body. A frame
// whose allocations claim more sample bits than it carries is damaged.
inline bool samples_fit(const BitstreamReader& reader, int32_t sample_bits) {
    return reader.bits_consumed() + sample_bits <= reader.data_bits();
}

} // namespace zk::layer12
