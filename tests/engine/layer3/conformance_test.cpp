// Every layer III conformance stream decoded through the public interface
// and compared with its reference as the manifest lines them up.
#include "engine/support/conformance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace zk::test {
namespace {

std::vector<ConformanceStream> layer3_streams() {
    std::vector<ConformanceStream> streams;
    for (const ConformanceStream& s : conformance_streams())
        if (s.layer == 3) streams.push_back(s);
    return streams;
}

bool is(const ConformanceStream& s, const std::string& name) { return s.file.find(name + ".bit") != std::string::npos; }

class Layer3Conformance : public ::testing::TestWithParam<ConformanceStream> {};

// The free-format stream's reference lines up as those of the other "he_"
// streams: it lacks the first frame.
ConformanceStream aligned(ConformanceStream s) {
    if (s.ref_first_stream_frame < 0 && is(s, "l3-he_free")) {
        s.ref_first_stream_frame = 1;
        s.compare_from = 1;
    }
    return s;
}

TEST_P(Layer3Conformance, MatchesTheReference) {
    const ConformanceStream s = aligned(GetParam());
    const DecodedStream decoded = decode_file(s.bitstream_path());
    EXPECT_EQ(decoded.end_result, ZK_ERROR_INPUT_END);
    EXPECT_EQ(decoded.invalid_frames, 0);
    ASSERT_GE(s.ref_first_stream_frame, 0);
    ASSERT_EQ(static_cast<int>(decoded.frames.size()), s.complete_frames);
    if (is(s, "l3-sin1k0db")) {
        // Frames 0 and 1 refer to main data before the stream: silence.
        for (int f = 0; f < 2; ++f)
            EXPECT_EQ(decoded.frames[f].samples, std::vector<int16_t>(2304, 0)) << "frame " << f;
    }

    const std::vector<int16_t> reference = read_pcm16le(s.reference_path());
    // M2L3_bitrate_24_all: another good decoder differs from its reference
    // by 2 as well. M2L3_compl24 is held to 1: its reference agrees with the
    // 24 kHz long band boundary at 332 (at 330 frames 196-201 and 209-211
    // differ by up to 1245).
    const int allowed = is(s, "M2L3_bitrate_24_all") ? 2 : 1;
    double squares = 0;
    size_t compared = 0;
    int largest = 0;
    size_t offset = 0;
    for (int k = 0; k < s.ref_frames; ++k) {
        const int frame = s.ref_first_stream_frame + k;
        const std::vector<int16_t>& samples = decoded.frames[frame].samples;
        ASSERT_LE(offset + samples.size(), reference.size()) << "frame " << frame;
        const int16_t* ref = reference.data() + offset;
        offset += samples.size();
        if (k < s.compare_from) continue;
        const PcmComparison c = compare_pcm(samples.data(), ref, samples.size());
        EXPECT_LE(c.max_difference, allowed) << "frame " << frame;
        largest = std::max(largest, c.max_difference);
        squares += c.rms * c.rms * static_cast<double>(c.samples);
        compared += c.samples;
    }
    EXPECT_EQ(offset, reference.size());
    const double rms = compared ? std::sqrt(squares / static_cast<double>(compared)) : 0;
    EXPECT_LT(rms, 0.28867513);
    std::cout << "[ accuracy ] " << s.file << ": " << compared << " samples, rms " << rms << " LSB, max " << largest
              << " LSB\n";
}

INSTANTIATE_TEST_SUITE_P(Streams, Layer3Conformance, ::testing::ValuesIn(layer3_streams()),
                         [](const ::testing::TestParamInfo<ConformanceStream>& info) {
                             return info.param.test_name();
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Layer3Conformance);

} // namespace
} // namespace zk::test
