// Layer II: allocation table chosen by level, frequency and per-channel
// bitrate; allocations, scalefactor selection information and one to three
// scalefactors per subband; then 12 granules of 3 samples per subband, grouped
// classes as one code per granule.
#include "codec/layer12/layer12_frame.h"
#include "codec/layer_decoder.h"
#include "codec/tables/layer12_tables.h"

namespace zk {

namespace {

constexpr int kSubbands = 32;
constexpr int kGranules = 12;

// The allocation table of the frame, or null when the header names none.
const tables::Layer2AllocTable* allocation_table(const FrameHeader& header) {
    if (!header.is_mpeg1()) return &tables::kLayer2AllocTables[tables::kLayer2LsfTable];
    int index = header.bitrate_index;
    if (header.channels() == 2) index = index == 4 ? 1 : index - 4;
    if (index < 1 || index > 14 || header.frequency_index > 2) return nullptr;
    const int table = tables::kLayer2TableChoice[header.frequency_index][index];
    return table < 0 ? nullptr : &tables::kLayer2AllocTables[table];
}

// Reads one granule of a subband: three levels that the caller multiplies by
// the subband's factor. Grouped classes give their dequantised triple; the
// ungrouped ones give code - offset, their step being part of the factor.
inline void read_granule(BitstreamReader& reader, const tables::Layer2QuantClass& cls, float* levels) {
    const uint32_t code = reader.read_bits(cls.bits);
    if (cls.triples) {
        const float* triple = cls.triples + 3 * code;
        levels[0] = triple[0];
        levels[1] = triple[1];
        levels[2] = triple[2];
        return;
    }
    levels[0] = float(static_cast<int32_t>(code) - cls.offset);
    levels[1] = float(static_cast<int32_t>(reader.read_bits(cls.bits)) - cls.offset);
    levels[2] = float(static_cast<int32_t>(reader.read_bits(cls.bits)) - cls.offset);
}

} // namespace

int32_t decode_layer2(FrameContext& ctx) {
    BitstreamReader& reader = ctx.reader;
    const FrameHeader& header = reader.header();
    const tables::Layer2AllocTable* table = allocation_table(header);
    if (!table) return ZK_ERROR_INVALID_FRAME;
    const int channels = header.channels();
    const int sblimit = table->sblimit;
    const int bound = layer12::joint_stereo_bound(header, sblimit);
    if (bound > sblimit) return ZK_ERROR_INVALID_FRAME;

    // Class of each coded subband and channel; null where nothing is allocated.
    const tables::Layer2QuantClass* cls[2][kSubbands] = {};
    for (int sb = 0; sb < sblimit; ++sb) {
        const int width = table->nbal[sb];
        const int8_t* classes = table->quant_class[sb];
        if (sb < bound) {
            for (int ch = 0; ch < channels; ++ch) {
                const int index = reader.read_bits(width);
                if (index) cls[ch][sb] = &tables::kLayer2QuantClasses[classes[index]];
            }
        } else {
            const int index = reader.read_bits(width);
            if (index) cls[0][sb] = cls[1][sb] = &tables::kLayer2QuantClasses[classes[index]];
        }
    }

    int selection[2][kSubbands] = {};
    for (int sb = 0; sb < sblimit; ++sb)
        for (int ch = 0; ch < channels; ++ch)
            if (cls[ch][sb]) selection[ch][sb] = reader.read_bits(2);
    // The CRC covers the allocations and the scalefactor selection.
    if (!reader.crc_intact(reader.bits_consumed() - 16)) return kFrameConcealed;

    // Per subband, channel and part of the frame (4 granules each):
    // scalefactor, times the step for the ungrouped classes.
    float factor[2][kSubbands][3] = {};
    int32_t sample_bits = 0;
    for (int sb = 0; sb < sblimit; ++sb) {
        for (int ch = 0; ch < channels; ++ch) {
            const tables::Layer2QuantClass* c = cls[ch][sb];
            if (!c) continue;
            uint32_t index[3];
            switch (selection[ch][sb]) {
            case 0:
                index[0] = reader.read_bits(6);
                index[1] = reader.read_bits(6);
                index[2] = reader.read_bits(6);
                break;
            case 1:
                index[0] = index[1] = reader.read_bits(6);
                index[2] = reader.read_bits(6);
                break;
            case 2: index[0] = index[1] = index[2] = reader.read_bits(6); break;
            default:
                index[0] = reader.read_bits(6);
                index[1] = index[2] = reader.read_bits(6);
                break;
            }
            const float step = c->triples ? 1.0f : c->step;
            for (int part = 0; part < 3; ++part) factor[ch][sb][part] = tables::kScalefactors[index[part]] * step;
            if (sb < bound || ch == 0) sample_bits += kGranules * c->bits * (c->triples ? 1 : 3);
        }
    }
    if (!layer12::samples_fit(reader, sample_bits)) return ZK_ERROR_INVALID_FRAME;

    int16_t* out = ctx.pcm;
    for (int granule = 0; granule < kGranules; ++granule) {
        const int part = granule / 4;
        float samples[3][2][kSubbands] = {};
        float levels[3];
        for (int sb = 0; sb < bound; ++sb) {
            for (int ch = 0; ch < channels; ++ch) {
                if (!cls[ch][sb]) continue;
                read_granule(reader, *cls[ch][sb], levels);
                for (int s = 0; s < 3; ++s) samples[s][ch][sb] = levels[s] * factor[ch][sb][part];
            }
        }
        for (int sb = bound; sb < sblimit; ++sb) {
            if (!cls[0][sb]) continue;
            read_granule(reader, *cls[0][sb], levels);
            for (int s = 0; s < 3; ++s) {
                samples[s][0][sb] = levels[s] * factor[0][sb][part];
                samples[s][1][sb] = levels[s] * factor[1][sb][part];
            }
        }
        for (int s = 0; s < 3; ++s)
            out = synthesize_slot(ctx.output, ctx.codec.left, ctx.codec.right, samples[s][0], samples[s][1], out);
    }
    return 0;
}

} // namespace zk
