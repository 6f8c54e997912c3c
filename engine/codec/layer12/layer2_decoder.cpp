#include "codec/layer_decoder.h"
#include "codec/layer_unavailable.h"

namespace zk {

int32_t decode_layer2(FrameContext& ctx) { return report_layer_unavailable(ctx, 2); }

} // namespace zk
