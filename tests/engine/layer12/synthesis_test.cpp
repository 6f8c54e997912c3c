// The equalizer inside the polyphase synthesis. The synthesis itself is held
// to the 24-bit references of the conformance streams (within rounding), its
// clipping and silence are checked through the layer decoders.
#include "codec/synthesis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zk {
namespace {

// Gains scale each subband before matrixing.
TEST(Synthesis, EqualizerScalesEachSubband) {
    ChannelSynthesis equalised{}, plain{};
    equalised.reset();
    plain.reset();
    std::vector<float> gains(32);
    for (int i = 0; i < 32; ++i) gains[i] = i % 3 == 0 ? 0.2f : (i % 3 == 1 ? 1.0f : 2.5f);
    equalised.equalizer = gains.data();
    for (int vector = 0; vector < 30; ++vector) {
        float x[32], scaled[32];
        for (int i = 0; i < 32; ++i) {
            x[i] = 0.01f * std::cos(0.37f * i * (vector + 1));
            scaled[i] = x[i] * gains[i];
        }
        int16_t a[32], b[32];
        synthesize(equalised, x, a, 1);
        synthesize(plain, scaled, b, 1);
        for (int j = 0; j < 32; ++j) ASSERT_EQ(a[j], b[j]);
    }
}

} // namespace
} // namespace zk
