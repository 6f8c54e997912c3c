#include "codec/layer3/spectrum_decoder.h"

#include "codec/layer3/huffman.h"
#include "codec/tables/layer3_tables.h"

#include <algorithm>
#include <cstring>

namespace zk {

namespace {

// A run of lines in bitstream order that share one gain: a long band, or one
// window of a short band. Its values go to spectrum[dest], [dest + stride]...
struct Segment {
    int32_t end; // bitstream line past the run
    int32_t dest;
    int32_t stride;
    float gain;
};
constexpr int kMaxSegments = 22 + 13 * 3;

class SegmentBuilder {
public:
    SegmentBuilder(const GranuleChannel& gc, const Scalefactors& sf, const SpectrumLayout& layout, Segment* out)
        : gc_(gc), sf_(sf), out_(out), base_(tables::kGainOffset + gc.global_gain - (layout.mid_side ? 2 : 0)),
          shift_(1 + gc.scalefac_scale) {}

    void add_long(int band, const int16_t* bands) {
        const int pre = gc_.preflag ? tables::kPretab[band] : 0;
        out_[count_++] = {bands[band + 1], bands[band], 1,
                          tables::kGain[base_ - ((sf_.long_bands[band] + pre) << shift_)]};
    }

    void add_short(int band, const int16_t* bands) {
        const int start = bands[band];
        const int width = bands[band + 1] - start;
        for (int w = 0; w < 3; ++w) {
            const int e = base_ - 8 * gc_.subblock_gain[w] - (sf_.short_bands[band][w] << shift_);
            out_[count_++] = {3 * start + (w + 1) * width, 3 * start + w, 3, tables::kGain[e]};
        }
    }

private:
    const GranuleChannel& gc_;
    const Scalefactors& sf_;
    Segment* out_;
    int count_ = 0;
    int base_;
    int shift_;
};

void build_segments(const GranuleChannel& gc, const Scalefactors& sf, const SpectrumLayout& layout, Segment* segments) {
    const int16_t* long_bands = tables::kLongBands[layout.rate_index];
    const int16_t* short_bands = tables::kShortBands[layout.rate_index];
    SegmentBuilder builder(gc, sf, layout, segments);
    if (!gc.short_blocks()) {
        for (int band = 0; band < 22; ++band) builder.add_long(band, long_bands);
        return;
    }
    int first_short = 0;
    if (gc.mixed_block) {
        for (int band = 0; band < (layout.mpeg1 ? 8 : 6); ++band) builder.add_long(band, long_bands);
        first_short = 3;
    }
    for (int band = first_short; band < 13; ++band) builder.add_short(band, short_bands);
}

// Walks the spectrum in bitstream order, storing requantised values.
class SpectrumWriter {
public:
    SpectrumWriter(const Segment* segments, float* spectrum) : segment_(segments), spectrum_(spectrum) {
        enter_segment();
    }

    int32_t line() const { return line_; }
    // End of the current segment, or of `limit` if that comes first.
    int32_t run_end(int32_t limit) const { return std::min(limit, segment_->end); }
    void next_segment_if_done() {
        if (line_ == segment_->end && line_ < kGranuleLines) {
            ++segment_;
            enter_segment();
        }
    }
    void skip(int32_t count) {
        out_ += count * stride_;
        line_ += count;
    }
    void put(float magnitude_and_sign) {
        *out_ = magnitude_and_sign * gain_;
        out_ += stride_;
        ++line_;
    }

private:
    void enter_segment() {
        out_ = spectrum_ + segment_->dest;
        stride_ = segment_->stride;
        gain_ = segment_->gain;
    }

    const Segment* segment_;
    float* spectrum_;
    float* out_ = nullptr;
    int32_t stride_ = 1;
    float gain_ = 0;
    int32_t line_ = 0;
};

inline float signed_power(BitWindow& bits, uint32_t magnitude) {
    if (magnitude == 0) return 0.0f;
    const float value = tables::kPower43[magnitude];
    return bits.read_bits(1) ? -value : value;
}

// Pairs of one table up to run_end; linbits (0 for tables without) extend
// values of 15. A pair without linbits takes at most 21 bits, read from one
// window; linbits and signs after the code word take at most 28.
template <bool kHasLinbits>
inline void decode_pairs(BitCursor& bits, const tables::HuffmanTable& table, int32_t run_end, SpectrumWriter& out) {
    const int linbits = table.linbits;
    while (out.line() < run_end) {
        BitWindow window = bits.window();
        const uint32_t pair = huffman_decode(table, window);
        uint32_t x = pair >> 4;
        uint32_t y = pair & 15;
        if (kHasLinbits && (x == 15 || y == 15)) {
            bits.skip_bits(window.used());
            window = bits.window();
        }
        if (kHasLinbits && x == 15) x += window.read_bits(linbits);
        const float fx = signed_power(window, x);
        if (kHasLinbits && y == 15) y += window.read_bits(linbits);
        const float fy = signed_power(window, y);
        bits.skip_bits(window.used());
        out.put(fx);
        out.put(fy);
    }
}

bool decode_big_values(BitCursor& bits, const GranuleChannel& gc, int32_t end_bit, SpectrumWriter& out) {
    const int32_t big_end = 2 * gc.big_values;
    const int32_t region_end[3] = {std::min(gc.region1_start, big_end), std::min(gc.region2_start, big_end), big_end};
    for (int region = 0; region < 3; ++region) {
        const int32_t limit = region_end[region];
        if (out.line() >= limit) continue;
        const int select = gc.table_select[region];
        const tables::HuffmanTable& table = tables::kHuffmanTables[select];
        if (select != 0 && table.entries == nullptr) return false;
        while (out.line() < limit) {
            out.next_segment_if_done();
            const int32_t run_end = out.run_end(limit);
            if (select == 0) {
                out.skip(run_end - out.line());
                continue;
            }
            if (table.linbits != 0)
                decode_pairs<true>(bits, table, run_end, out);
            else
                decode_pairs<false>(bits, table, run_end, out);
            if (bits.bits_consumed() > end_bit) return false;
        }
    }
    return true;
}

void decode_count1(BitCursor& bits, const GranuleChannel& gc, int32_t end_bit, SpectrumWriter& out) {
    const tables::HuffmanTable& table = tables::kHuffmanTables[32 + gc.count1_table];
    while (out.line() < kGranuleLines && bits.bits_consumed() < end_bit) {
        BitWindow window = bits.window(); // a quadruple takes at most 10 bits
        const uint32_t quad = huffman_decode(table, window);
        float values[4];
        for (int k = 0; k < 4; ++k) values[k] = signed_power(window, (quad >> (3 - k)) & 1);
        bits.skip_bits(window.used());
        if (bits.bits_consumed() > end_bit) return; // a quadruple cut off by the end of the data is dropped
        for (int k = 0; k < 4 && out.line() < kGranuleLines; ++k) {
            out.next_segment_if_done();
            out.put(values[k]);
        }
    }
}

} // namespace

int mixed_long_lines(const SpectrumLayout& layout) {
    return tables::kLongBands[layout.rate_index][layout.mpeg1 ? 8 : 6];
}

bool decode_spectrum(BitstreamReader& reader, const GranuleChannel& gc, const Scalefactors& sf,
                     const SpectrumLayout& layout, int32_t end_bit, float* spectrum, int32_t& spectrum_end) {
    std::memset(spectrum, 0, kGranuleLines * sizeof(float));
    Segment segments[kMaxSegments];
    build_segments(gc, sf, layout, segments);
    SpectrumWriter out(segments, spectrum);
    BitCursor bits = reader.cursor();
    if (!decode_big_values(bits, gc, end_bit, out)) return false;
    decode_count1(bits, gc, end_bit, out);
    // Short-block values land up to a band's three windows beyond their
    // bitstream position.
    spectrum_end = gc.short_blocks() ? kGranuleLines : out.line();
    reader.seek_bits(end_bit);
    return true;
}

} // namespace zk
