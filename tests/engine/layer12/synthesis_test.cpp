#include "codec/synthesis.h"
#include "iso_synthesis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace zk {
namespace {

using test::IsoSynthesis;

int16_t iso_round(double value) {
    double r = std::nearbyint(value);
    return static_cast<int16_t>(std::fmax(-32768.0, std::fmin(32767.0, r)));
}

std::unique_ptr<ChannelSynthesis> fresh_channel() {
    auto channel = std::make_unique<ChannelSynthesis>();
    channel->equalizer = nullptr;
    channel->reset();
    return channel;
}

// Random vectors at a level where the output stays within 16 bits; the
// fast synthesis must agree with the ISO formula to well below one step.
TEST(Synthesis, MatchesIsoFormulaOverManyVectors) {
    IsoSynthesis iso;
    if (!iso.ready()) GTEST_SKIP() << "no ISO table data";
    auto channel = fresh_channel();
    std::mt19937 random(7);
    std::uniform_real_distribution<float> level(-0.03f, 0.03f);
    double worst = 0;
    int rounding_differences = 0;
    for (int vector = 0; vector < 400; ++vector) {
        float subbands[32];
        for (float& s : subbands) s = level(random);
        double expected[32];
        iso.run(subbands, expected);
        int16_t out[32];
        synthesize(*channel, subbands, out, 1);
        for (int j = 0; j < 32; ++j) {
            ASSERT_LT(std::fabs(expected[j]), 32767.0);
            double error = std::fabs(out[j] - expected[j]);
            worst = std::fmax(worst, error);
            if (out[j] != iso_round(expected[j])) ++rounding_differences;
        }
    }
    EXPECT_LT(worst, 0.51);
    EXPECT_LT(rounding_differences, 40); // only values within a hair of .5
}

TEST(Synthesis, StrideTwoWritesEveryOtherSampleOnly) {
    auto a = fresh_channel();
    auto b = fresh_channel();
    int16_t dense[32];
    int16_t sparse[64];
    for (int16_t& s : sparse) s = 12345;
    for (int vector = 0; vector < 20; ++vector) {
        float x[32], y[32];
        for (int i = 0; i < 32; ++i) x[i] = y[i] = 0.01f * std::sin(0.3f * (i + 32 * vector));
        synthesize(*a, x, dense, 1);
        synthesize(*b, y, sparse, 2);
        for (int j = 0; j < 32; ++j) {
            EXPECT_EQ(sparse[2 * j], dense[j]);
            EXPECT_EQ(sparse[2 * j + 1], 12345);
        }
    }
}

// A full-scale input drives the sums far beyond 16 bits: output is clipped
// to the range, never wrapped.
TEST(Synthesis, ClipsInsteadOfWrapping) {
    IsoSynthesis iso;
    if (!iso.ready()) GTEST_SKIP() << "no ISO table data";
    auto channel = fresh_channel();
    bool clipped_high = false, clipped_low = false;
    for (int vector = 0; vector < 64; ++vector) {
        float subbands[32] = {};
        subbands[1] = (vector % 2 ? 2.0f : -2.0f) * 1.9f;
        subbands[0] = 3.5f * std::cos(0.7f * vector);
        float copy[32];
        std::copy(subbands, subbands + 32, copy);
        double expected[32];
        iso.run(copy, expected);
        int16_t out[32];
        synthesize(*channel, subbands, out, 1);
        for (int j = 0; j < 32; ++j) {
            if (expected[j] > 32768.0) {
                EXPECT_EQ(out[j], 32767);
                clipped_high = true;
            } else if (expected[j] < -32769.0) {
                EXPECT_EQ(out[j], -32768);
                clipped_low = true;
            } else {
                // float sums of this size carry a few hundredths of error
                EXPECT_LE(std::abs(out[j] - expected[j]), 0.55);
            }
        }
    }
    EXPECT_TRUE(clipped_high);
    EXPECT_TRUE(clipped_low);
}

TEST(Synthesis, SilenceAfterHistoryDecaysAndAfterReset) {
    auto channel = fresh_channel();
    int16_t out[32];
    for (int vector = 0; vector < 10; ++vector) {
        float loud[32];
        for (int i = 0; i < 32; ++i) loud[i] = 0.5f * std::sin(1.1f * i + vector);
        synthesize(*channel, loud, out, 1);
    }
    // 15 silent vectors still carry history; the 16th has none left.
    for (int vector = 0; vector < 16; ++vector) {
        float silent[32] = {};
        synthesize(*channel, silent, out, 1);
    }
    for (int16_t s : out) EXPECT_EQ(s, 0);

    float loud[32];
    for (int i = 0; i < 32; ++i) loud[i] = 0.5f;
    synthesize(*channel, loud, out, 1);
    channel->reset();
    auto fresh = fresh_channel();
    float x[32], y[32];
    for (int i = 0; i < 32; ++i) x[i] = y[i] = 0.02f * i;
    int16_t after_reset[32], from_fresh[32];
    synthesize(*channel, x, after_reset, 1);
    synthesize(*fresh, y, from_fresh, 1);
    for (int j = 0; j < 32; ++j) EXPECT_EQ(after_reset[j], from_fresh[j]);
}

// Equalizer gains scale each subband before matrixing: the result equals the
// synthesis of the scaled vector without equalizer.
TEST(Synthesis, EqualizerScalesEachSubband) {
    auto equalised = fresh_channel();
    auto plain = fresh_channel();
    std::vector<float> gains(32);
    for (int i = 0; i < 32; ++i) gains[i] = i % 3 == 0 ? 0.2f : (i % 3 == 1 ? 1.0f : 2.5f);
    equalised->equalizer = gains.data();
    for (int vector = 0; vector < 30; ++vector) {
        float x[32], scaled[32];
        for (int i = 0; i < 32; ++i) {
            x[i] = 0.01f * std::cos(0.37f * i * (vector + 1));
            scaled[i] = x[i] * gains[i];
        }
        int16_t a[32], b[32];
        synthesize(*equalised, x, a, 1);
        synthesize(*plain, scaled, b, 1);
        for (int j = 0; j < 32; ++j) ASSERT_EQ(a[j], b[j]);
    }
}

TEST(Synthesis, SlotLayoutPerChannelSelection) {
    auto reference_left = fresh_channel();
    auto reference_right = fresh_channel();
    auto left = fresh_channel();
    auto right = fresh_channel();
    float l[32], r[32];
    for (int i = 0; i < 32; ++i) {
        l[i] = 0.01f * i;
        r[i] = -0.005f * i;
    }
    int16_t expected_left[32], expected_right[32], stereo[64];
    float l1[32], r1[32];
    std::copy(l, l + 32, l1);
    std::copy(r, r + 32, r1);
    synthesize(*reference_left, l1, expected_left, 1);
    synthesize(*reference_right, r1, expected_right, 1);

    std::copy(l, l + 32, l1);
    std::copy(r, r + 32, r1);
    EXPECT_EQ(synthesize_slot(ChannelOutput::Stereo, *left, *right, l1, r1, stereo), stereo + 64);
    for (int j = 0; j < 32; ++j) {
        EXPECT_EQ(stereo[2 * j], expected_left[j]);
        EXPECT_EQ(stereo[2 * j + 1], expected_right[j]);
    }

    // Mix of the two through the left synthesis: (l + r) / 2.
    auto mixed = fresh_channel();
    auto unused = fresh_channel();
    auto reference_mix = fresh_channel();
    float average[32];
    for (int i = 0; i < 32; ++i) average[i] = (l[i] + r[i]) * 0.5f;
    int16_t expected_mix[32], mix[32];
    synthesize(*reference_mix, average, expected_mix, 1);
    std::copy(l, l + 32, l1);
    std::copy(r, r + 32, r1);
    EXPECT_EQ(synthesize_slot(ChannelOutput::Mix, *mixed, *unused, l1, r1, mix), mix + 32);
    for (int j = 0; j < 32; ++j) EXPECT_EQ(mix[j], expected_mix[j]);
    EXPECT_EQ(unused->position, 0); // the right synthesis is not run

    auto right_only = fresh_channel();
    auto idle = fresh_channel();
    int16_t right_out[32];
    std::copy(l, l + 32, l1);
    std::copy(r, r + 32, r1);
    synthesize_slot(ChannelOutput::Right, *idle, *right_only, l1, r1, right_out);
    for (int j = 0; j < 32; ++j) EXPECT_EQ(right_out[j], expected_right[j]);
    EXPECT_EQ(idle->position, 0);
}

} // namespace
} // namespace zk
