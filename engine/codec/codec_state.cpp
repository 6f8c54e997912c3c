#include "codec/layer3/layer3_state.h"
#include "codec/layer_decoder.h"

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

int32_t decode_frame(FrameContext& ctx) {
    switch (ctx.reader.header().layer()) {
    case 1: return decode_layer1(ctx);
    case 2: return decode_layer2(ctx);
    default: return decode_layer3(ctx);
    }
}

} // namespace zk
