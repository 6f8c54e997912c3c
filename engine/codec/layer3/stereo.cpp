#include "codec/layer3/stereo.h"

#include "codec/tables/layer3_tables.h"

#include <algorithm>

namespace zk {

namespace {

void mid_side(float* left, float* right, int32_t end) {
    for (int32_t i = 0; i < end; ++i) {
        const float mid = left[i];
        const float side = right[i];
        left[i] = mid + side;
        right[i] = mid - side;
    }
}

// Intensity factors of one band, or false when its position is not valid
// (the band then stays as decoded, or mid/side).
class IntensityFactors {
public:
    IntensityFactors(const StereoModes& modes, const SpectrumLayout& layout, const Scalefactors& sf)
        : mpeg1_(layout.mpeg1), scale_(sf.intensity_scale),
          // Mid/side frames carry 1/sqrt(2) in channel 0, which intensity
          // bands must not have.
          correction_(modes.mid_side ? tables::kSqrt2 : 1.0f) {}

    bool get(int position, int limit, float& left, float& right) const {
        if (position >= limit) return false;
        const float* pair = mpeg1_ ? tables::kIntensityMpeg1[position] : tables::kIntensityMpeg2[scale_][position];
        left = pair[0] * correction_;
        right = pair[1] * correction_;
        return true;
    }

private:
    bool mpeg1_;
    int scale_;
    float correction_;
};

void intensity_lines(float* left, float* right, int32_t first, int32_t end, int32_t stride, float kl, float kr) {
    for (int32_t i = first; i < end; i += stride) {
        const float value = left[i];
        left[i] = value * kl;
        right[i] = value * kr;
    }
}

// Band holding the line, in a boundary list.
int band_of(const int16_t* bands, int count, int line) {
    int band = 0;
    while (band + 1 < count && bands[band + 1] <= line) ++band;
    return band;
}

// Highest line (in per-window frequency order) of window w that is non-zero
// in channel 1 among short lines from first_line on, or -1.
int last_short_line(const float* right, int window, int first_line) {
    for (int f = 191; f >= first_line; --f)
        if (right[3 * f + window] != 0.0f) return f;
    return -1;
}

int last_line(const float* right, int end) {
    for (int i = end - 1; i >= 0; --i)
        if (right[i] != 0.0f) return i;
    return -1;
}

// Where intensity stereo starts: the band after channel 1's last non-zero
// line, per window for short blocks. Found before mid/side changes channel 1.
struct IntensityStart {
    int long_band; // long bands from here on (up to long_end)
    int long_end;
    int short_band[3]; // short bands from here on, per window (13: none)
};

IntensityStart find_intensity_start(const SpectrumLayout& layout, const GranuleChannel& gc, const float* right,
                                    int32_t right_end) {
    const int16_t* long_bands = tables::kLongBands[layout.rate_index];
    IntensityStart start{};
    if (!gc.short_blocks()) {
        const int last = last_line(right, right_end);
        start.long_band = last < 0 ? 0 : band_of(long_bands, 22, last) + 1;
        start.long_end = 22;
        start.short_band[0] = start.short_band[1] = start.short_band[2] = 13;
        return start;
    }
    const int16_t* short_bands = tables::kShortBands[layout.rate_index];
    const int first_short_band = gc.mixed_block ? 3 : 0;
    bool short_part_empty = true;
    for (int w = 0; w < 3; ++w) {
        const int last = last_short_line(right, w, short_bands[first_short_band]);
        if (last >= 0) short_part_empty = false;
        start.short_band[w] = last < 0 ? first_short_band : band_of(short_bands, 13, last) + 1;
    }
    start.long_end = 0;
    start.long_band = 0;
    if (gc.mixed_block && short_part_empty) {
        // The long part takes part only when no short window has data.
        const int long_band_count = layout.mpeg1 ? 8 : 6;
        const int last = last_line(right, mixed_long_lines(layout));
        start.long_band = last < 0 ? 0 : band_of(long_bands, long_band_count, last) + 1;
        start.long_end = long_band_count;
    }
    return start;
}

void intensity(const IntensityFactors& factors, const IntensityStart& start, const SpectrumLayout& layout,
               const Scalefactors& sf, float* left, float* right) {
    const int16_t* long_bands = tables::kLongBands[layout.rate_index];
    const int16_t* short_bands = tables::kShortBands[layout.rate_index];
    for (int band = start.long_band; band < start.long_end; ++band) {
        const int source = std::min(band, 20); // band 21 has no scalefactor
        float kl, kr;
        if (factors.get(sf.long_bands[source], sf.long_limit[source], kl, kr))
            intensity_lines(left, right, long_bands[band], long_bands[band + 1], 1, kl, kr);
    }
    for (int w = 0; w < 3; ++w)
        for (int band = start.short_band[w]; band < 13; ++band) {
            const int source = std::min(band, 11); // band 12 has no scalefactor
            float kl, kr;
            if (factors.get(sf.short_bands[source][w], sf.short_limit[source], kl, kr))
                intensity_lines(left, right, 3 * short_bands[band] + w, 3 * short_bands[band + 1], 3, kl, kr);
        }
}

} // namespace

void apply_joint_stereo(const StereoModes& modes, const SpectrumLayout& layout, const GranuleChannel& right_gc,
                        const Scalefactors& right_sf, float* left, float* right, int32_t& left_end,
                        int32_t& right_end) {
    IntensityStart start{};
    if (modes.intensity) start = find_intensity_start(layout, right_gc, right, right_end);
    // Intensity bands lie above channel 1's last non-zero line, where
    // mid/side leaves channel 0 as it is and copies it to channel 1; the
    // intensity pass then overwrites the bands with a valid position.
    if (modes.mid_side) mid_side(left, right, std::max(left_end, right_end));
    if (modes.intensity) intensity(IntensityFactors(modes, layout, right_sf), start, layout, right_sf, left, right);
    left_end = right_end = std::max(left_end, right_end);
}

} // namespace zk
