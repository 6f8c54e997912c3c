// Alias reduction and the hybrid filterbank (IMDCT, windows, overlap) that
// turns a granule's spectrum into 18 slots of 32 subband samples.
#pragma once

#include "codec/layer3/layer3_state.h"

#include <cstdint>

namespace zk {

// Alias-reduction butterflies between the subbands of a granule; boundaries
// below `subbands` - 1 only (a long block's non-zero subbands).
void reduce_aliases(float* spectrum, int boundaries);

// IMDCT of one subband's 18 lines (block type 0, 1, 2 or 3; short blocks
// read their three windows interleaved, line 3 * k + w), windowed, added to
// the overlap (18 values, replaced by the new overlap). Odd subbands come out
// frequency-inverted. Writes output[0], output[32], ... output[17 * 32].
void transform_subband(const float* lines, int block_type, int subband, float* overlap, float* output);

// The n-point DCT-IV (n = 18 or 6) through a half-size complex DFT.
void dct4_18(const float* in, float* out);
void dct4_6(const float* in, float* out);

// Transforms a whole granule: subbands below long_subbands use the block
// type 0 window (mixed blocks); subbands from `active` on are known to be
// zero. hybrid is slot-major (18 x 32).
void transform_granule(const float* spectrum, int block_type, int long_subbands, int active, float* overlap,
                       float* hybrid);

} // namespace zk
