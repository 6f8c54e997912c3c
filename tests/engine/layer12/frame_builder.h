// Hand-built layer I and II frames for the layer decoder tests, and a byte
// source that serves them to the bitstream reader.
#pragma once

#include "codec/bitstream_reader.h"
#include "zelkor.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace zk::test {

class BitWriter {
public:
    void put(uint32_t value, int bits) {
        for (int i = bits - 1; i >= 0; --i) {
            if (used_ % 8 == 0) bytes_.push_back(0);
            if ((value >> i) & 1) bytes_.back() |= uint8_t(0x80 >> (used_ % 8));
            ++used_;
        }
    }
    // Exactly `length` bytes: zero bits after what was written, or cut.
    std::vector<uint8_t> finish(size_t length) {
        bytes_.resize(length, 0);
        return bytes_;
    }
    size_t bits() const { return used_; }

private:
    std::vector<uint8_t> bytes_;
    size_t used_ = 0;
};

// MPEG-1 header without CRC: layer 1 or 2, the given bitrate and frequency
// index, mode and mode extension.
inline uint32_t mpeg1_header(int layer, int bitrate_index, int frequency_index, int mode, int extension) {
    return 0xFFE00000u | (1u << 20) | (1u << 19) | uint32_t(4 - layer) << 17 | (1u << 16) |
           uint32_t(bitrate_index) << 12 | uint32_t(frequency_index) << 10 | uint32_t(mode) << 6 |
           uint32_t(extension) << 4;
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

inline void append(std::vector<uint8_t>& stream, const std::vector<uint8_t>& frame) {
    stream.insert(stream.end(), frame.begin(), frame.end());
}

// Serves a byte vector; the end of the input after it.
class BufferSource : public ByteSource {
public:
    explicit BufferSource(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    int32_t read(void* buffer, uint32_t count) override {
        if (at_ + count > bytes_.size()) return ZK_ERROR_INPUT_END;
        std::memcpy(buffer, bytes_.data() + at_, count);
        at_ += count;
        return int32_t(count);
    }

private:
    std::vector<uint8_t> bytes_;
    size_t at_ = 0;
};

} // namespace zk::test
