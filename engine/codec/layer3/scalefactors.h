// Layer III scalefactors: MPEG-1 syntax with the selection information, and
// the MPEG-2 scalefactor compression (with its intensity-stereo variant).
#pragma once

#include "codec/bitstream_reader.h"
#include "codec/layer3/layer3_state.h"

namespace zk {

// MPEG-1. In granule 1, long-block band groups whose scfsi bit is set take
// granule 0's values (first_granule) instead of being read.
void read_scalefactors_mpeg1(BitstreamReader& reader, const GranuleChannel& gc, const int32_t scfsi[4], int granule,
                             const Scalefactors& first_granule, Scalefactors& out);

// MPEG-2 and MPEG-2.5. intensity_channel: channel 1 of a frame with intensity
// stereo. Sets gc.preflag as the scalefactor compression says.
void read_scalefactors_mpeg2(BitstreamReader& reader, GranuleChannel& gc, bool intensity_channel, Scalefactors& out);

} // namespace zk
