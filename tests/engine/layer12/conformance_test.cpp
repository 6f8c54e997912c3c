// Every layer I and II conformance stream decoded through the public
// interface, compared with its 16-bit reference and, where present, its
// 24-bit reference; channel selections against the reference channels.
#include "engine/support/conformance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>

namespace zk::test {
namespace {

std::vector<ConformanceStream> layer12_streams() {
    std::vector<ConformanceStream> streams;
    for (const ConformanceStream& s : conformance_streams())
        if (s.layer == 1 || s.layer == 2) streams.push_back(s);
    return streams;
}

// Samples of a 24-bit RIFF WAVE file, or nothing when it is absent or not
// 24-bit PCM.
std::optional<std::vector<int32_t>> read_wav24(const std::string& path) {
    std::vector<uint8_t> bytes = read_file(path);
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) || std::memcmp(bytes.data() + 8, "WAVE", 4))
        return std::nullopt;
    auto u16 = [&](size_t at) { return uint32_t(bytes[at] | bytes[at + 1] << 8); };
    auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
    int bits = 0;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const uint32_t size = u32(at + 4);
        if (!std::memcmp(&bytes[at], "fmt ", 4) && size >= 16) bits = int(u16(at + 8 + 14));
        if (!std::memcmp(&bytes[at], "data", 4)) {
            if (bits != 24 || at + 8 + size > bytes.size()) return std::nullopt;
            std::vector<int32_t> samples(size / 3);
            for (size_t i = 0; i < samples.size(); ++i) {
                const uint8_t* p = &bytes[at + 8 + 3 * i];
                samples[i] = int32_t(uint32_t(p[0]) << 8 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 24) >> 8;
            }
            return samples;
        }
        at += 8 + size + (size & 1);
    }
    return std::nullopt;
}

class Layer12Conformance : public testing::TestWithParam<ConformanceStream> {};

TEST_P(Layer12Conformance, MatchesReference) {
    const ConformanceStream& s = GetParam();
    const DecodedStream decoded = decode_file(s.bitstream_path());
    EXPECT_EQ(decoded.end_result, ZK_ERROR_INPUT_END);
    EXPECT_EQ(decoded.invalid_frames, 0);
    ASSERT_EQ(int(decoded.frames.size()), s.stream_frames);
    ASSERT_LE(s.ref_first_stream_frame + s.ref_frames, s.stream_frames);
    for (const DecodedFrame& frame : decoded.frames) {
        EXPECT_EQ(frame.sample_rate, s.sample_rate);
        EXPECT_EQ(frame.stereo, s.ref_channels == 2 ? 1 : 0);
    }
    std::vector<int16_t> samples;
    for (int k = s.compare_from; k < s.ref_frames; ++k) {
        const auto& pcm = decoded.frames[size_t(s.ref_first_stream_frame + k)].samples;
        samples.insert(samples.end(), pcm.begin(), pcm.end());
    }
    const size_t expected = size_t(s.ref_frames - s.compare_from) * s.samples_per_frame * s.ref_channels;
    ASSERT_EQ(samples.size(), expected);
    const std::vector<int16_t> reference = read_pcm16le(s.reference_path());
    ASSERT_GE(reference.size(), expected);
    const PcmComparison c = compare_pcm(samples.data(), reference.data(), expected);
    std::printf("%-28s 16-bit reference: RMS %.4f LSB, max %d LSB\n", s.file.c_str(), c.rms, c.max_difference);
    EXPECT_TRUE(c.full_accuracy()) << "RMS " << c.rms << " max " << c.max_difference;
    EXPECT_LE(c.max_difference, 1);

    const std::string name = s.file.substr(s.file.find('/') + 1);
    const auto wav = read_wav24(conformance_dir() + "/ref24/" + name.substr(0, name.size() - 4) + ".wav");
    if (!wav) return;
    ASSERT_GE(wav->size(), expected);
    double sum = 0, max = 0;
    for (size_t i = 0; i < expected; ++i) {
        const double d = std::fabs(samples[i] - (*wav)[i] / 256.0);
        sum += d * d;
        max = std::fmax(max, d);
    }
    const double rms = std::sqrt(sum / double(expected));
    std::printf("%-28s 24-bit reference: RMS %.4f LSB, max %.4f LSB\n", s.file.c_str(), rms, max);
    // 16-bit output carries its own rounding (RMS 1/sqrt(12) = 0.2887 for
    // uniform rounding error); anything beyond that is decoding error.
    EXPECT_LE(max, 0.51);
    EXPECT_LT(rms, 0.2887 * 1.02);
}

INSTANTIATE_TEST_SUITE_P(Streams, Layer12Conformance, testing::ValuesIn(layer12_streams()),
                         [](const testing::TestParamInfo<ConformanceStream>& info) { return info.param.test_name(); });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Layer12Conformance);

// One stereo stream of each layer: LEFT and RIGHT give the reference's
// channels, MIX their average; a single-channel stream ignores the selection.
TEST(Layer12Channels, SelectionsAgainstTheReferenceChannels) {
    for (const char* file : {"layer1/l1-fl6.bit", "layer2/l2-fl15.bit"}) {
        SCOPED_TRACE(file);
        const std::string path = conformance_dir() + "/" + file;
        const std::vector<int16_t> reference = read_pcm16le(path.substr(0, path.size() - 4) + ".pcm");
        std::vector<int16_t> left, right, mix;
        for (auto [selection, out] :
             {std::pair{ZK_OUTPUT_CHANNELS_LEFT, &left}, std::pair{ZK_OUTPUT_CHANNELS_RIGHT, &right},
              std::pair{ZK_OUTPUT_CHANNELS_MIX, &mix}}) {
            const DecodedStream decoded = decode_file(path, selection);
            ASSERT_EQ(decoded.end_result, ZK_ERROR_INPUT_END);
            for (const DecodedFrame& frame : decoded.frames) {
                ASSERT_EQ(frame.stereo, 0);
                out->insert(out->end(), frame.samples.begin(), frame.samples.end());
            }
        }
        ASSERT_FALSE(left.empty());
        ASSERT_EQ(left.size(), right.size());
        ASSERT_EQ(left.size(), mix.size());
        ASSERT_GE(reference.size(), 2 * left.size());
        for (size_t i = 0; i < left.size(); ++i) {
            ASSERT_LE(std::abs(left[i] - reference[2 * i]), 1) << i;
            ASSERT_LE(std::abs(right[i] - reference[2 * i + 1]), 1) << i;
            ASSERT_LE(std::fabs(mix[i] - (reference[2 * i] + reference[2 * i + 1]) / 2.0), 1.5) << i;
        }
    }

    const std::string mono = conformance_dir() + "/layer2/l2-fl13.bit";
    const DecodedStream plain = decode_file(mono);
    for (int selection : {ZK_OUTPUT_CHANNELS_LEFT, ZK_OUTPUT_CHANNELS_RIGHT, ZK_OUTPUT_CHANNELS_MIX}) {
        const DecodedStream selected = decode_file(mono, selection);
        ASSERT_EQ(selected.frames.size(), plain.frames.size());
        for (size_t f = 0; f < plain.frames.size(); ++f) ASSERT_EQ(selected.frames[f].samples, plain.frames[f].samples);
    }
}

} // namespace
} // namespace zk::test
