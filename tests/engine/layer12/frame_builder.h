// Hand-built layer I and II frames for the layer decoder tests.
#pragma once

#include "engine/frames/memory_byte_source.h"
#include "engine/frames/stream_builder.h"
#include "zelkor.h"

#include <cstdint>
#include <vector>

namespace zk::test {

// MPEG-1 header without CRC: layer 1 or 2, the given bitrate and frequency
// index, mode and mode extension.
inline uint32_t mpeg1_header(int layer, int bitrate_index, int frequency_index, int mode, int extension) {
    return header_word({.layer_code = 4 - layer,
                        .bitrate_index = bitrate_index,
                        .frequency_index = frequency_index,
                        .mode = mode,
                        .mode_extension = extension});
}

// A layer I frame, 384 kbit/s at 48000 Hz (384 bytes; what does not fit is cut). Allocation,
// scalefactor index and sample code per channel and subband (the same code in
// all 12 slots; a slot's code is negated around the middle level on odd slots
// when `alternate` is set). Channel 1 is ignored for single-channel mode and
// above the bound in joint stereo (allocation and codes; scalefactors count).
struct Layer1Frame {
    int mode = ZK_MODE_STEREO;
    int extension = 0;
    int allocation[2][32] = {};
    int scalefactor[2][32] = {};
    int code[2][32] = {};
    bool alternate = false;

    std::vector<uint8_t> bytes() const {
        BitWriter w;
        w.put(mpeg1_header(1, 12, 1, mode, extension), 32);
        const int channels = mode == ZK_MODE_SINGLE_CHANNEL ? 1 : 2;
        const int bound = mode == ZK_MODE_JOINT_STEREO ? 4 * extension + 4 : 32;
        for (int sb = 0; sb < 32; ++sb)
            for (int ch = 0; ch < (sb < bound ? channels : 1); ++ch) w.put(allocation[ch][sb], 4);
        for (int sb = 0; sb < 32; ++sb)
            for (int ch = 0; ch < channels; ++ch)
                if (allocation[sb < bound ? ch : 0][sb]) w.put(scalefactor[ch][sb], 6);
        for (int slot = 0; slot < 12; ++slot)
            for (int sb = 0; sb < 32; ++sb)
                for (int ch = 0; ch < (sb < bound ? channels : 1); ++ch) {
                    const int bits = allocation[ch][sb] + 1;
                    if (bits == 1) continue;
                    const int top = (1 << bits) - 2;
                    const int c = alternate && slot % 2 ? top - code[ch][sb] : code[ch][sb];
                    w.put(c, bits);
                }
        return w.finish(384);
    }
};

// A layer II frame whose allocations are all 0: silence. 192 kbit/s stereo
// (or single channel) at 48000 Hz, 576 bytes.
inline std::vector<uint8_t> silent_layer2_frame(int mode = ZK_MODE_STEREO) {
    BitWriter w;
    w.put(mpeg1_header(2, 10, 1, mode, 0), 32);
    return w.finish(576);
}

// A single-channel layer II frame, 192 kbit/s at 48000 Hz, whose only
// allocated subband is 0: the largest allocation of the frame's table, one
// scalefactor index for the whole frame, every sample at the largest code.
inline std::vector<uint8_t> layer2_frame_with_subband0(int scalefactor_index, const int8_t* nbal) {
    BitWriter w;
    w.put(mpeg1_header(2, 10, 1, ZK_MODE_SINGLE_CHANNEL, 0), 32);
    w.put((1u << nbal[0]) - 1, nbal[0]);
    for (int sb = 1; sb < 32 && nbal[sb]; ++sb) w.put(0, nbal[sb]);
    w.put(2, 2); // one scalefactor for all three parts
    w.put(scalefactor_index, 6);
    for (int sample = 0; sample < 36; ++sample) w.put(0xFFFF, 16);
    return w.finish(576);
}

} // namespace zk::test
