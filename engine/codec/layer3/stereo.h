// Joint stereo of layer III: mid/side and intensity stereo (MPEG-1 and
// MPEG-2), applied to the requantised spectra of one granule.
#pragma once

#include "codec/layer3/layer3_state.h"
#include "codec/layer3/spectrum_decoder.h"

namespace zk {

struct StereoModes {
    bool mid_side;
    bool intensity;
};

// left/right hold channel 0 and 1 as decoded (mid/side already scaled by
// 1/sqrt(2)); right_gc and right_sf are channel 1's side information and
// scalefactors, which carry the intensity positions. Updates both ends.
void apply_joint_stereo(const StereoModes& modes, const SpectrumLayout& layout, const GranuleChannel& right_gc,
                        const Scalefactors& right_sf, float* left, float* right, int32_t& left_end, int32_t& right_end);

} // namespace zk
