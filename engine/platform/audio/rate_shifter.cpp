#include "platform/audio/rate_shifter.h"

namespace zk::audio {

void RateShifter::set_rate(uint32_t rate) {
    rate_ = rate;
    reset();
}

void RateShifter::reset() {
    position_ = kNormal;
    previous_[0] = previous_[1] = 0;
}

uint32_t RateShifter::process(const int16_t* in, uint32_t frames, uint32_t channels, int16_t* out) {
    if (frames == 0) return 0;
    // Frame k of the sequence [previous, in[0], in[1], ...].
    auto sample = [&](uint64_t k, uint32_t c) -> int32_t { return k == 0 ? previous_[c] : in[(k - 1) * channels + c]; };
    uint32_t made = 0;
    const uint64_t end = uint64_t(frames) << 16;
    for (; position_ < end; position_ += rate_, ++made) {
        const uint64_t k = position_ >> 16;
        const int32_t fraction = static_cast<int32_t>(position_ & 0xFFFF);
        for (uint32_t c = 0; c < channels; ++c) {
            const int32_t a = sample(k, c);
            const int32_t b = sample(k + 1, c);
            out[made * channels + c] = static_cast<int16_t>(a + ((int64_t(b - a) * fraction) >> 16));
        }
    }
    position_ -= end;
    for (uint32_t c = 0; c < channels; ++c) previous_[c] = in[(frames - 1) * channels + c];
    return made;
}

} // namespace zk::audio
