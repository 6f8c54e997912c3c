#include "codec/layer3/layer3_state.h"
#include "codec/layer_decoder.h"
#include "decoder/debug_report.h"

#include <cstring>

namespace zk {

CodecState::CodecState() : left{}, right{}, layer3(new Layer3State{}) {}

CodecState::~CodecState() {
    delete[] left.equalizer;
    delete[] right.equalizer;
    delete layer3;
}

void CodecState::reset() {
    left.reset();
    right.reset();
    layer3->reset();
}

namespace {

int32_t decode_layer(FrameContext& ctx) {
    switch (ctx.reader.header().layer()) {
    case 1: return decode_layer1(ctx);
    case 2: return decode_layer2(ctx);
    default: return decode_layer3(ctx);
    }
}

} // namespace

int32_t decode_frame(FrameContext& ctx) {
    const int32_t result = decode_layer(ctx);
    if (result != kFrameConcealed) return result;
    const FrameHeader& header = ctx.reader.header();
    const int channels = ctx.output == ChannelOutput::Stereo && header.channels() == 2 ? 2 : 1;
    std::memset(ctx.pcm, 0, sizeof(int16_t) * static_cast<size_t>(header.samples_per_channel() * channels));
    report_debug(ctx.decoder, 1, "CRC mismatch", "frame muted");
    return 0;
}

} // namespace zk
