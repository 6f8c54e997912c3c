// The decoder's private record: codec state, bitstream reader over the
// input, the internal PCM buffer, the public records the decoder points to,
// the input and output layers and the environment.
#pragma once

#include "zelkor.h"

#include "codec/bitstream_reader.h"
#include "codec/layer_decoder.h"
#include "decoder/environment.h"
#include "decoder/input_byte_source.h"
#include "input/input_layer.h"
#include "output/output_layer.h"

// Invalid frame contents are reported by the layer decoders' ZK_ERROR_INVALID_FRAME
// result, which abandons the frame before the decoder's records are touched.
struct ZK_DecoderPrivate {
    static constexpr uint32_t kPcmBytes = 4608; // one stereo frame of 1152 16-bit samples per channel

    explicit ZK_DecoderPrivate(ZK_Decoder* decoder);

    // Declared first, destroyed last: modules may remove their listeners
    // while they are deleted.
    zk::Environment environment;

    zk::CodecState codec;
    zk::InputByteSource source;
    zk::BitstreamReader reader;
    int16_t pcm[kPcmBytes / 2] = {};

    ZK_InputInfo input_info = {};
    ZK_OutputInfo output_info = {};
    int32_t module_counts[2] = {};
    ZK_DecodeStatus status = {};
    ZK_PcmBuffer output_buffer = {};

    zk::InputLayer input;
    zk::OutputLayer output;
};

namespace zk {

using DecoderPrivate = ZK_DecoderPrivate;

inline DecoderPrivate& private_of(ZK_Decoder* decoder) { return *decoder->private_data; }

} // namespace zk
