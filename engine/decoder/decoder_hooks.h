// What the input and output layers ask of the decoder they belong to.
#pragma once

#include "zelkor.h"

namespace zk {

// A new stream position (open, close, seek): empties the bitstream reader and
// the bytes held for it, and clears the codec's history. A newly opened input
// also takes the CRC check setting ("CODEC.CRC-CHECK", 0 turns it off).
void reset_decoding(ZK_Decoder* decoder, bool new_input = false);

// Position and timecode for both the input record and the decode status.
void publish_position(ZK_Decoder* decoder, float position, const ZK_Timecode& timecode);

// A newly opened output: the next frame announces its format again, and the
// PCM of the last frame is dropped.
void forget_pcm_format(ZK_Decoder* decoder);

} // namespace zk
