// Placeholder answer for a layer whose decoder is not built yet: reports it
// through the debug callback and refuses the frame.
#pragma once

#include "codec/layer_decoder.h"
#include "zelkor.h"

namespace zk {

inline int32_t report_layer_unavailable(FrameContext& ctx, int layer) {
    static const char* const details[] = {"", "layer I decoder not built", "layer II decoder not built",
                                          "layer III decoder not built"};
    if (ctx.decoder->debug)
        ctx.decoder->debug(ctx.decoder->client, 0, 0, "unsupported frame", details[layer]);
    return ZK_ERROR_INVALID_FRAME;
}

} // namespace zk
