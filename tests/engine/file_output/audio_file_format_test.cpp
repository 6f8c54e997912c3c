// Headers and sample layouts of the file output's containers (the WAV header
// is checked byte for byte in the module's file tests).
#include "output/file/audio_file_format.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

using namespace zk::file_output;

namespace {

uint32_t le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint32_t be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }
uint32_t be16(const uint8_t* p) { return p[0] << 8 | p[1]; }
std::string tag(const uint8_t* p) { return std::string(reinterpret_cast<const char*>(p), 4); }

TEST(OutputName, PrefixesChooseTheContainer) {
    EXPECT_EQ(parse_output_name("wav:out.wav").container, Container::Wav);
    EXPECT_EQ(parse_output_name("wav:out.wav").path, "out.wav");
    EXPECT_EQ(parse_output_name("aiff:a").container, Container::Aiff);
    EXPECT_EQ(parse_output_name("sun:a").container, Container::Sun);
    EXPECT_TRUE(parse_output_name("raw:-").is_standard_output());
    EXPECT_TRUE(parse_output_name("-").is_standard_output());
    // No known prefix: a raw file under the whole name.
    EXPECT_EQ(parse_output_name("mp3:x").container, Container::Raw);
    EXPECT_EQ(parse_output_name("mp3:x").path, "mp3:x");
    EXPECT_EQ(parse_output_name("WAV:x").path, "WAV:x");
}

TEST(Headers, WavSizesSaturateAndRawHasNone) {
    uint8_t h[kMaxHeaderSize];
    build_header(Container::Wav, SampleFormat{}, 0xFFFFFFF0u, h);
    EXPECT_EQ(le32(h + 4), 0xFFFFFFFFu);
    EXPECT_EQ(le32(h + 40), 0xFFFFFFF0u);
    EXPECT_EQ(build_header(Container::Raw, SampleFormat{}, 100, h), 0u);
}

TEST(Headers, AiffFields) {
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
    EXPECT_EQ(tag(h + 38), "SSND");
    EXPECT_EQ(be32(h + 42), 4608u + 8);
    EXPECT_EQ(be32(h + 46), 0u);
    EXPECT_EQ(be32(h + 50), 0u);
    // Odd data is counted padded.
    build_header(Container::Aiff, SampleFormat{8000, 1, 1}, 3, h);
    EXPECT_EQ(be32(h + 4), 4u + 46);
    EXPECT_EQ(be32(h + 22), 3u);
    EXPECT_EQ(be16(h + 26), 8u);
    EXPECT_EQ(be32(h + 42), 3u + 8);
}

TEST(Headers, AiffRatesAsExtendedNumbers) {
    const std::pair<uint32_t, std::array<uint8_t, 4>> rates[] = {
        {44100, {0x40, 0x0E, 0xAC, 0x44}}, {8000, {0x40, 0x0B, 0xFA, 0}}, {48000, {0x40, 0x0E, 0xBB, 0x80}}};
    for (const auto& [rate, bytes] : rates) {
        uint8_t h[kMaxHeaderSize];
        build_header(Container::Aiff, SampleFormat{rate, 1, 2}, 0, h);
        uint8_t expected[10] = {};
        std::memcpy(expected, bytes.data(), 4);
        EXPECT_EQ(std::memcmp(h + 28, expected, 10), 0) << rate;
    }
}

TEST(Headers, SunFields) {
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

TEST(Samples, ByteOrderAndSignOfEachContainer) {
    const int16_t samples[2] = {0x1234, -2};
    const uint8_t little[4] = {0x34, 0x12, 0xFE, 0xFF}, big[4] = {0x12, 0x34, 0xFF, 0xFE};
    uint8_t out[4];
    for (Container c : {Container::Raw, Container::Wav, Container::Aiff, Container::Sun}) {
        encode_samples(c, 2, reinterpret_cast<const uint8_t*>(samples), out, 4);
        const bool is_big = c == Container::Aiff || c == Container::Sun;
        EXPECT_EQ(std::memcmp(out, is_big ? big : little, 4), 0) << int(c);
    }
    // Eight-bit samples are unsigned in WAV, signed in AIFF.
    const uint8_t in[3] = {0x80, 0x00, 0xFF};
    encode_samples(Container::Wav, 1, in, out, 3);
    EXPECT_EQ(std::memcmp(out, in, 3), 0);
    encode_samples(Container::Aiff, 1, in, out, 3);
    EXPECT_EQ(out[0], 0x00);
    EXPECT_EQ(out[1], 0x80);
    EXPECT_EQ(out[2], 0x7F);
}

} // namespace
