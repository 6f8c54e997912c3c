// Layer I: 4-bit allocations, 6-bit scalefactors, then 12 time slots of one
// sample per allocated subband and channel (allocation + 1 bits each).
#include "codec/layer12/layer12_frame.h"
#include "codec/layer_decoder.h"
#include "codec/tables/layer12_tables.h"

namespace zk {

namespace {

constexpr int kSubbands = 32;
constexpr int kForbiddenAllocation = 15;
constexpr int kForbiddenScalefactor = 63;

} // namespace

int32_t decode_layer1(FrameContext& ctx) {
    BitstreamReader& reader = ctx.reader;
    const FrameHeader& header = reader.header();
    const int channels = header.channels();
    const int bound = layer12::joint_stereo_bound(header, kSubbands);
    if (!reader.crc_intact(4 * (channels * bound + kSubbands - bound))) return kFrameConcealed;

    int allocation[2][kSubbands] = {};
    for (int sb = 0; sb < kSubbands; ++sb) {
        if (sb < bound) {
            for (int ch = 0; ch < channels; ++ch) allocation[ch][sb] = reader.read_bits(4);
        } else {
            allocation[0][sb] = allocation[1][sb] = reader.read_bits(4);
        }
        if (allocation[0][sb] == kForbiddenAllocation || allocation[1][sb] == kForbiddenAllocation)
            return ZK_ERROR_INVALID_FRAME;
    }

    // Per subband and channel: value = (code - offset) * factor.
    float factor[2][kSubbands] = {};
    int32_t sample_bits = 0;
    for (int sb = 0; sb < kSubbands; ++sb) {
        for (int ch = 0; ch < channels; ++ch) {
            const int a = allocation[ch][sb];
            if (a == 0) continue;
            const uint32_t index = reader.read_bits(6);
            if (index == kForbiddenScalefactor) return ZK_ERROR_INVALID_FRAME;
            factor[ch][sb] = tables::kScalefactors[index] * tables::kLayer1Step[a];
            if (sb < bound || ch == 0) sample_bits += 12 * (a + 1);
        }
    }
    if (!layer12::samples_fit(reader, sample_bits)) return ZK_ERROR_INVALID_FRAME;

    int16_t* out = ctx.pcm;
    for (int slot = 0; slot < 12; ++slot) {
        float samples[2][kSubbands] = {};
        for (int sb = 0; sb < bound; ++sb) {
            for (int ch = 0; ch < channels; ++ch) {
                const int a = allocation[ch][sb];
                if (a == 0) continue;
                const int32_t code = static_cast<int32_t>(reader.read_bits(a + 1));
                samples[ch][sb] = float(code - tables::kLayer1Offset[a]) * factor[ch][sb];
            }
        }
        for (int sb = bound; sb < kSubbands; ++sb) {
            const int a = allocation[0][sb];
            if (a == 0) continue;
            const float level = float(static_cast<int32_t>(reader.read_bits(a + 1)) - tables::kLayer1Offset[a]);
            samples[0][sb] = level * factor[0][sb];
            samples[1][sb] = level * factor[1][sb];
        }
        out = synthesize_slot(ctx.output, ctx.codec.left, ctx.codec.right, samples[0], samples[1], out);
    }
    return 0;
}

} // namespace zk
