// Layer III frame decoding: side information, then every granule's
// scalefactors and Huffman data (all validated before any state changes),
// then joint stereo, alias reduction, the hybrid filterbank and synthesis.
#include "codec/layer3/hybrid_transform.h"
#include "codec/layer3/layer3_state.h"
#include "codec/layer3/scalefactors.h"
#include "codec/layer3/side_info.h"
#include "codec/layer3/spectrum_decoder.h"
#include "codec/layer3/stereo.h"
#include "codec/layer_decoder.h"
#include "zelkor.h"

#include <algorithm>
#include <cstring>

namespace zk {

namespace {

constexpr int kSubbands = 32;
constexpr int kSlots = 18;

struct FrameLayout {
    int granules;
    int channels;
    SpectrumLayout spectrum;
    StereoModes stereo;
};

FrameLayout frame_layout(const FrameHeader& header) {
    const bool joint = header.mode == 1;
    FrameLayout layout{};
    layout.granules = header.is_mpeg1() ? 2 : 1;
    layout.channels = header.channels();
    layout.stereo = {joint && (header.mode_extension & 2) != 0, joint && (header.mode_extension & 1) != 0};
    layout.spectrum = {layer3_rate_index(header), header.is_mpeg1(), layout.stereo.mid_side};
    return layout;
}

// Scalefactors and Huffman data of every granule and channel; false when
// the main data is invalid.
bool decode_main_data(BitstreamReader& reader, const FrameLayout& layout, Layer3State& state) {
    int32_t granule_start = 0;
    for (int gr = 0; gr < layout.granules; ++gr)
        for (int ch = 0; ch < layout.channels; ++ch) {
            GranuleChannel& gc = state.side.granule[gr][ch];
            Scalefactors& sf = state.scalefactors[gr][ch];
            const int32_t end_bit = granule_start + gc.part2_3_length;
            if (layout.spectrum.mpeg1)
                read_scalefactors_mpeg1(reader, gc, state.side.scfsi[ch], gr, state.scalefactors[0][ch], sf);
            else
                read_scalefactors_mpeg2(reader, gc, layout.stereo.intensity && ch == 1, sf);
            if (reader.bits_consumed() > end_bit) return false;
            if (!decode_spectrum(reader, gc, sf, layout.spectrum, end_bit, state.spectrum[gr][ch],
                                 state.spectrum_end[gr][ch]))
                return false;
            granule_start = end_bit;
        }
    return true;
}

// Subbands that the IMDCT has to transform: the non-zero ones and, after
// alias reduction, the one above them.
int active_subbands(int32_t spectrum_end) { return std::min(kSubbands, (spectrum_end + 17) / 18 + 1); }

// Alias reduction and hybrid transform of one channel of one granule.
void transform_channel(Layer3State& state, const FrameLayout& layout, int gr, int ch) {
    const GranuleChannel& gc = state.side.granule[gr][ch];
    float* spectrum = state.spectrum[gr][ch];
    // The mixed flag gives the lowest subbands the normal window whatever the
    // block type; for short blocks they are the long-block part.
    int long_subbands = 0;
    if (gc.mixed_blocks()) {
        long_subbands = mixed_long_lines(layout.spectrum) / 18;
        reduce_aliases(spectrum, long_subbands - 1);
    } else {
        if (gc.window_switching && gc.mixed_block) long_subbands = 2;
        if (!gc.short_blocks())
            reduce_aliases(spectrum, std::min(kSubbands - 1, (state.spectrum_end[gr][ch] + 17) / 18));
    }
    transform_granule(spectrum, gc.block_type, long_subbands, active_subbands(state.spectrum_end[gr][ch]),
                      state.overlap[ch], state.hybrid[ch]);
}

// A single-channel stream always decodes its one channel.
ChannelOutput effective_output(const FrameContext& ctx, const FrameLayout& layout) {
    return layout.channels == 1 ? ChannelOutput::Mono : ctx.output;
}

int output_channels(ChannelOutput output) { return output == ChannelOutput::Stereo ? 2 : 1; }

void synthesize_granule(FrameContext& ctx, Layer3State& state, const FrameLayout& layout, int gr) {
    const ChannelOutput output = effective_output(ctx, layout);
    if (output != ChannelOutput::Right) transform_channel(state, layout, gr, 0);
    if (output == ChannelOutput::Right || output == ChannelOutput::Stereo || output == ChannelOutput::Mix)
        transform_channel(state, layout, gr, 1);
    int16_t* pcm = ctx.pcm + gr * kSlots * kSubbands * output_channels(output);
    for (int t = 0; t < kSlots; ++t)
        pcm = synthesize_slot(output, ctx.codec.left, ctx.codec.right, state.hybrid[0] + t * kSubbands,
                              state.hybrid[1] + t * kSubbands, pcm);
}

void write_silence(FrameContext& ctx, const FrameLayout& layout) {
    const int samples = layout.granules * kSlots * kSubbands * output_channels(effective_output(ctx, layout));
    std::memset(ctx.pcm, 0, sizeof(int16_t) * samples);
}

// Frames given up before their main data is read still count towards the
// reservoir, so that later frames can refer back into them.
int32_t abandon(BitstreamReader& reader) {
    reader.load_main_data(0, 0);
    return ZK_ERROR_INVALID_FRAME;
}

} // namespace

void Layer3State::reset() {
    std::memset(spectrum, 0, sizeof spectrum);
    std::memset(hybrid, 0, sizeof hybrid);
    std::memset(overlap, 0, sizeof overlap);
}

int32_t decode_layer3(FrameContext& ctx) {
    Layer3State& state = *ctx.codec.layer3;
    BitstreamReader& reader = ctx.reader;
    const FrameHeader& header = reader.header();
    const FrameLayout layout = frame_layout(header);

    if (!reader.crc_intact((header.side_info_length() - 2) * 8)) {
        reader.load_main_data(0, 0);
        state.reset();
        return kFrameConcealed;
    }
    if (!read_side_info(reader, header, state.side)) return abandon(reader);
    const int32_t frame_main_bytes = header.frame_length() - 4 - header.side_info_length();
    if (state.side.part2_3_total > 8 * (state.side.main_data_begin + frame_main_bytes)) return abandon(reader);
    if (!reader.load_main_data(state.side.main_data_begin, state.side.part2_3_total)) {
        write_silence(ctx, layout);
        state.reset();
        return 0;
    }
    if (!decode_main_data(reader, layout, state)) return ZK_ERROR_INVALID_FRAME;

    for (int gr = 0; gr < layout.granules; ++gr) {
        if (layout.channels == 2 && (layout.stereo.mid_side || layout.stereo.intensity))
            apply_joint_stereo(layout.stereo, layout.spectrum, state.side.granule[gr][1], state.scalefactors[gr][1],
                               state.spectrum[gr][0], state.spectrum[gr][1], state.spectrum_end[gr][0],
                               state.spectrum_end[gr][1]);
        synthesize_granule(ctx, state, layout, gr);
    }
    return 0;
}

} // namespace zk
