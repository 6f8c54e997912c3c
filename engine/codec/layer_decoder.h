// The one interface through which the decode pipeline runs a layer decoder.
#pragma once

#include "codec/bitstream_reader.h"
#include "codec/frame_header.h"
#include "codec/synthesis.h"
#include "zelkor.h"

#include <cstdint>

namespace zk {

struct Layer3State; // layer III working storage (codec/layer3/)

// Working storage of the layer decoders, kept in the decoder's private record.
struct CodecState {
    ChannelSynthesis left;
    ChannelSynthesis right;
    Layer3State* layer3; // owned; created with the decoder

    CodecState();
    ~CodecState();
    CodecState(const CodecState&) = delete;
    CodecState& operator=(const CodecState&) = delete;

    void reset(); // after a seek: synthesis history and layer III overlap
};

// One fetched frame to decode: reader() has the frame ready, header() is it.
struct FrameContext {
    ZK_Decoder* decoder; // for the debug and error callbacks
    BitstreamReader& reader;
    CodecState& codec;
    ChannelOutput output;
    int16_t* pcm; // room for 2304 samples
};

// A layer decoder's result for a frame whose CRC does not match: nothing of
// it is used, and decode_frame mutes it.
constexpr int32_t kFrameConcealed = 1;

// Each decodes the current frame into ctx.pcm; 0, kFrameConcealed, or
// ZK_ERROR_INVALID_FRAME when the frame's contents are invalid (nothing is
// written outside the layer decoders' own storage and the PCM buffer). The
// sample count per channel is header.samples_per_channel().
int32_t decode_layer1(FrameContext& ctx);
int32_t decode_layer2(FrameContext& ctx);
int32_t decode_layer3(FrameContext& ctx);

// Dispatches on the header's layer; a concealed frame becomes silence,
// reported at debug level 1.
int32_t decode_frame(FrameContext& ctx);

} // namespace zk
