// Headers and sample layouts of the file output's containers.
#include "output/file/audio_file_format.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace zk::file_output;

namespace {

uint32_t le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint32_t le16(const uint8_t* p) { return p[0] | p[1] << 8; }
uint32_t be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }
uint32_t be16(const uint8_t* p) { return p[0] << 8 | p[1]; }
std::string tag(const uint8_t* p) { return std::string(reinterpret_cast<const char*>(p), 4); }

TEST(OutputName, PrefixesChooseTheContainer) {
    EXPECT_EQ(parse_output_name("wav:out.wav").container, Container::Wav);
    EXPECT_EQ(parse_output_name("wav:out.wav").path, "out.wav");
    EXPECT_EQ(parse_output_name("aiff:a").container, Container::Aiff);
    EXPECT_EQ(parse_output_name("sun:a").container, Container::Sun);
    EXPECT_EQ(parse_output_name("raw:-").container, Container::Raw);
    EXPECT_TRUE(parse_output_name("raw:-").is_standard_output());
    EXPECT_TRUE(parse_output_name("-").is_standard_output());
    // No known prefix: a raw file under the whole name.
    EXPECT_EQ(parse_output_name("mp3:x").container, Container::Raw);
    EXPECT_EQ(parse_output_name("mp3:x").path, "mp3:x");
    EXPECT_EQ(parse_output_name("WAV:x").path, "WAV:x");
}

TEST(WavHeader, FieldsOfStereoAndMono) {
    uint8_t h[kMaxHeaderSize];
    ASSERT_EQ(build_header(Container::Wav, SampleFormat{48000, 2, 2}, 1000, h), 44u);
    EXPECT_EQ(tag(h), "RIFF");
    EXPECT_EQ(le32(h + 4), 1036u);
    EXPECT_EQ(tag(h + 8), "WAVE");
    EXPECT_EQ(tag(h + 12), "fmt ");
    EXPECT_EQ(le32(h + 16), 16u);
    EXPECT_EQ(le16(h + 20), 1u);
    EXPECT_EQ(le16(h + 22), 2u);
    EXPECT_EQ(le32(h + 24), 48000u);
    EXPECT_EQ(le32(h + 28), 192000u);
    EXPECT_EQ(le16(h + 32), 4u);
    EXPECT_EQ(le16(h + 34), 16u);
    EXPECT_EQ(tag(h + 36), "data");
    EXPECT_EQ(le32(h + 40), 1000u);

    build_header(Container::Wav, SampleFormat{22050, 1, 2}, 0, h);
    EXPECT_EQ(le16(h + 22), 1u);
    EXPECT_EQ(le32(h + 28), 44100u);
    EXPECT_EQ(le16(h + 32), 2u);
}

TEST(WavHeader, SizesSaturateInsteadOfWrapping) {
    uint8_t h[kMaxHeaderSize];
    build_header(Container::Wav, SampleFormat{}, 0xFFFFFFF0u, h);
    EXPECT_EQ(le32(h + 4), 0xFFFFFFFFu);
    EXPECT_EQ(le32(h + 40), 0xFFFFFFF0u);
}

TEST(AiffHeader, Fields) {
    uint8_t h[kMaxHeaderSize];
    ASSERT_EQ(build_header(Container::Aiff, SampleFormat{44100, 2, 2}, 4608, h), 54u);
    EXPECT_EQ(tag(h), "FORM");
    EXPECT_EQ(be32(h + 4), 4608u + 46);
    EXPECT_EQ(tag(h + 8), "AIFF");
    EXPECT_EQ(tag(h + 12), "COMM");
    EXPECT_EQ(be32(h + 16), 18u);
    EXPECT_EQ(be16(h + 20), 2u);
    EXPECT_EQ(be32(h + 22), 1152u); // sample frames
    EXPECT_EQ(be16(h + 26), 16u);
    // 44100 as an 80-bit extended number.
    const uint8_t rate[10] = {0x40, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(h + 28, rate, 10), 0);
    EXPECT_EQ(tag(h + 38), "SSND");
    EXPECT_EQ(be32(h + 42), 4608u + 8);
    EXPECT_EQ(be32(h + 46), 0u);
    EXPECT_EQ(be32(h + 50), 0u);
}

TEST(AiffHeader, RatesAsExtendedNumbers) {
    uint8_t h[kMaxHeaderSize];
    build_header(Container::Aiff, SampleFormat{8000, 1, 2}, 0, h);
    const uint8_t rate8000[10] = {0x40, 0x0B, 0xFA, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(h + 28, rate8000, 10), 0);
    build_header(Container::Aiff, SampleFormat{48000, 1, 2}, 0, h);
    const uint8_t rate48000[10] = {0x40, 0x0E, 0xBB, 0x80, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(h + 28, rate48000, 10), 0);
}

TEST(AiffHeader, OddDataIsCountedPadded) {
    uint8_t h[kMaxHeaderSize];
    build_header(Container::Aiff, SampleFormat{8000, 1, 1}, 3, h);
    EXPECT_EQ(be32(h + 4), 4u + 46);
    EXPECT_EQ(be32(h + 22), 3u);
    EXPECT_EQ(be16(h + 26), 8u);
    EXPECT_EQ(be32(h + 42), 3u + 8);
}

TEST(SunHeader, Fields) {
    uint8_t h[kMaxHeaderSize];
    ASSERT_EQ(build_header(Container::Sun, SampleFormat{32000, 1, 2}, 640, h), 28u);
    EXPECT_EQ(tag(h), ".snd");
    EXPECT_EQ(be32(h + 4), 28u);
    EXPECT_EQ(be32(h + 8), 640u);
    EXPECT_EQ(be32(h + 12), 3u); // 16-bit linear
    EXPECT_EQ(be32(h + 16), 32000u);
    EXPECT_EQ(be32(h + 20), 1u);
    EXPECT_EQ(be32(h + 24), 0u);
    build_header(Container::Sun, SampleFormat{32000, 2, 1}, kUnknownDataSize, h);
    EXPECT_EQ(be32(h + 8), 0xFFFFFFFFu);
    EXPECT_EQ(be32(h + 12), 2u); // 8-bit linear
}

TEST(RawHeader, IsEmpty) {
    uint8_t h[kMaxHeaderSize];
    EXPECT_EQ(build_header(Container::Raw, SampleFormat{}, 100, h), 0u);
}

TEST(Samples, LittleEndianForRawAndWavBigEndianForAiffAndSun) {
    const int16_t samples[2] = {0x1234, -2};
    uint8_t out[4];
    for (Container c : {Container::Raw, Container::Wav}) {
        encode_samples(c, 2, reinterpret_cast<const uint8_t*>(samples), out, 4);
        EXPECT_EQ(out[0], 0x34);
        EXPECT_EQ(out[1], 0x12);
        EXPECT_EQ(out[2], 0xFE);
        EXPECT_EQ(out[3], 0xFF);
    }
    for (Container c : {Container::Aiff, Container::Sun}) {
        encode_samples(c, 2, reinterpret_cast<const uint8_t*>(samples), out, 4);
        EXPECT_EQ(out[0], 0x12);
        EXPECT_EQ(out[1], 0x34);
        EXPECT_EQ(out[2], 0xFF);
        EXPECT_EQ(out[3], 0xFE);
    }
}

TEST(Samples, EightBitIsUnsignedInWavAndSignedInAiff) {
    const uint8_t in[3] = {0x80, 0x00, 0xFF};
    uint8_t out[3];
    encode_samples(Container::Wav, 1, in, out, 3);
    EXPECT_EQ(std::memcmp(out, in, 3), 0);
    encode_samples(Container::Aiff, 1, in, out, 3);
    EXPECT_EQ(out[0], 0x00);
    EXPECT_EQ(out[1], 0x80);
    EXPECT_EQ(out[2], 0x7F);
}

} // namespace
