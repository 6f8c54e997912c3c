#include "decoder/decoder_private.h"

#include <gtest/gtest.h>

namespace {

class Equalizer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(decoder_new(&decoder), 0); }
    void TearDown() override { decoder_delete(decoder); }
    zk::CodecState& codec() { return decoder->private_data->codec; }
    ZK_Decoder* decoder = nullptr;
};

// v >= 0: 1 + v / 32; v < 0: 1 / (1 - v / 32).
TEST_F(Equalizer, BandValuesBecomeGains) {
    ZK_EqualizerInfo info{};
    info.left[0] = 32;
    info.left[1] = -32;
    info.left[2] = 127;
    info.left[3] = -128;
    info.right[31] = 16;
    ASSERT_EQ(decoder_codec_set_equalizer(decoder, &info), 0);
    ASSERT_NE(codec().left.equalizer, nullptr);
    ASSERT_NE(codec().right.equalizer, nullptr);
    EXPECT_FLOAT_EQ(codec().left.equalizer[0], 2.0f);
    EXPECT_FLOAT_EQ(codec().left.equalizer[1], 0.5f);
    EXPECT_FLOAT_EQ(codec().left.equalizer[2], 4.96875f);
    EXPECT_FLOAT_EQ(codec().left.equalizer[3], 0.2f);
    EXPECT_EQ(codec().left.equalizer[4], 1.0f);
    EXPECT_FLOAT_EQ(codec().right.equalizer[31], 1.5f);
}

TEST_F(Equalizer, EveryBandValueReadsBackAsSet) {
    for (int base = -128; base < 128; base += 64) {
        ZK_EqualizerInfo info{};
        for (int band = 0; band < 32; ++band) {
            info.left[band] = static_cast<int8_t>(base + band);
            info.right[band] = static_cast<int8_t>(base + 32 + band);
        }
        ASSERT_EQ(decoder_codec_set_equalizer(decoder, &info), 0);
        ZK_EqualizerInfo back{};
        ASSERT_EQ(decoder_codec_get_equalizer(decoder, &back), 0);
        for (int band = 0; band < 32; ++band) {
            EXPECT_EQ(back.left[band], info.left[band]) << "value " << int(info.left[band]);
            EXPECT_EQ(back.right[band], info.right[band]) << "value " << int(info.right[band]);
        }
    }
}

TEST_F(Equalizer, OffReadsAsZerosAndMinusOne) {
    ZK_EqualizerInfo back;
    std::memset(&back, 0x55, sizeof back);
    EXPECT_EQ(decoder_codec_get_equalizer(decoder, &back), ZK_FAILURE);
    for (int band = 0; band < 32; ++band) EXPECT_EQ(back.left[band] | back.right[band], 0);

    ZK_EqualizerInfo info{};
    info.left[5] = 10;
    ASSERT_EQ(decoder_codec_set_equalizer(decoder, &info), 0);
    ASSERT_EQ(decoder_codec_set_equalizer(decoder, nullptr), 0);
    EXPECT_EQ(codec().left.equalizer, nullptr);
    EXPECT_EQ(codec().right.equalizer, nullptr);
    std::memset(&back, 0x55, sizeof back);
    EXPECT_EQ(decoder_codec_get_equalizer(decoder, &back), ZK_FAILURE);
    EXPECT_EQ(back.left[5], 0);
    EXPECT_EQ(decoder_codec_get_equalizer(decoder, nullptr), ZK_ERROR_INVALID_PARAMETERS);
}

} // namespace
