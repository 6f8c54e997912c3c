// The track as heard: information frames left out, LAME's delay and padding
// trimmed, durations from the frame index, and seeks that land on the sample.
#include "engine/support/conformance.h"
#include "zelkor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string track(const std::string& name) { return std::string(TAERIN_SOURCE_DIR) + "/tests/data/gapless/" + name; }

std::vector<uint8_t> bytes_of(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

class Timeline : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(decoder_new(&decoder), 0);
        ZK_InputModule module{};
        file_input_module_register(&module);
        ASSERT_EQ(decoder_input_module_register(decoder, &module), 0);
    }
    void TearDown() override {
        decoder_delete(decoder);
        for (const std::string& path : temporary) std::remove(path.c_str());
    }
    void open(const std::string& path) {
        ASSERT_EQ(decoder_input_new(decoder, path.c_str(), -1), 0);
        ASSERT_EQ(decoder_input_open(decoder), 0);
    }
    std::string temp(const std::string& name, const std::vector<uint8_t>& bytes) {
        const auto path = std::filesystem::temp_directory_path() / ("zk-timeline-" + std::to_string(getpid()) + name);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        temporary.push_back(path.string());
        return temporary.back();
    }
    // Interleaved samples of every frame from here to the end (at most `limit`).
    std::vector<int16_t> decode_rest(size_t limit = SIZE_MAX) {
        std::vector<int16_t> samples;
        int32_t result;
        while (samples.size() < limit && (result = decoder_decode(decoder, nullptr)) != ZK_ERROR_INPUT_END) {
            if (result != 0) continue;
            const ZK_PcmBuffer& pcm = *decoder->output_buffer;
            const auto* data = static_cast<const int16_t*>(pcm.samples);
            samples.insert(samples.end(), data, data + pcm.size / 2);
        }
        if (samples.size() > limit) samples.resize(limit);
        return samples;
    }

    ZK_Decoder* decoder = nullptr;
    std::vector<std::string> temporary;
};

struct Track {
    const char* file;
    int channels;
    size_t source_samples; // per channel, as the encoder was given them
    size_t untrimmed;      // per channel, every audio frame decoded
};

const Track kTracks[] = {
    {"sweep_v2.mp3", 2, 91876, 81 * 1152},
    {"chirp_v2.mp3", 2, 71458, 64 * 1152},
    {"tone_32k.mp3", 1, 46667, 42 * 1152},
};

TEST_F(Timeline, LameTracksDecodeToTheirSourceLengthUnlessGaplessIsOff) {
    for (const Track& t : kTracks) {
        SCOPED_TRACE(t.file);
        open(track(t.file));
        const int32_t rate = std::strcmp(t.file, "tone_32k.mp3") == 0 ? 32000 : 44100;
        EXPECT_EQ(decoder->input->duration, int32_t(t.source_samples / rate));
        EXPECT_EQ(decode_rest().size(), t.source_samples * t.channels);

        ASSERT_EQ(decoder_set_environment_integer(decoder, ZK_GAPLESS_VARIABLE, 0), 0);
        ASSERT_EQ(decoder_input_close(decoder), 0);
        ASSERT_EQ(decoder_input_open(decoder), 0);
        EXPECT_EQ(decode_rest().size(), t.untrimmed * t.channels); // the information frame still is not played
        ASSERT_EQ(decoder_unset_environment(decoder, ZK_GAPLESS_VARIABLE), 0);
    }
    // Without an information frame every frame is played.
    open(track("sweep_plain.mp3"));
    EXPECT_EQ(decoder->input->duration, 2);
    EXPECT_EQ(decode_rest().size(), 81u * 1152 * 2);
}

TEST_F(Timeline, InformationFramesWithoutLameTagsAreSkippedButTrimNothing) {
    const std::vector<uint8_t> tagged = bytes_of(track("sweep_v2.mp3"));
    std::vector<uint8_t> other_encoder = tagged;
    const auto lame = std::search(other_encoder.begin(), other_encoder.end(), "LAME", "LAME" + 4);
    ASSERT_NE(lame, other_encoder.end());
    std::memcpy(&*lame, "XYZW", 4);
    open(temp("other.mp3", other_encoder));
    EXPECT_EQ(decode_rest().size(), 81u * 1152 * 2);

    // A VBRI frame (36 bytes into the frame) ahead of plain frames.
    const std::vector<uint8_t> plain = bytes_of(track("sweep_plain.mp3"));
    std::vector<uint8_t> vbri(417, 0); // MPEG-1 layer III, 128 kbit/s, 44.1 kHz, no padding
    const uint8_t header[4] = {0xFF, 0xFB, 0x90, 0x00};
    std::memcpy(vbri.data(), header, 4);
    std::memcpy(vbri.data() + 36, "VBRI", 4);
    vbri.insert(vbri.end(), plain.begin(), plain.end());
    ASSERT_EQ(decoder_input_close(decoder), 0);
    open(temp("vbri.mp3", vbri));
    EXPECT_EQ(decode_rest().size(), 81u * 1152 * 2);
}

TEST_F(Timeline, SeeksLandOnTheSampleTheFullDecodeHasThere) {
    struct Case {
        std::string path;
        int32_t rate;
    };
    const Case cases[] = {
        {track("sweep_v2.mp3"), 44100},
        {track("tone_32k.mp3"), 32000},
        {zk::test::conformance_dir() + "/layer2/l2-fl13.bit", 32000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        open(c.path);
        const std::vector<int16_t> full = decode_rest();
        const int channels = decoder->output_buffer->stereo == 1 ? 2 : 1;
        const size_t total = full.size() / channels;
        for (size_t target : {size_t{0}, size_t{1}, size_t{1151}, size_t{3 * 1152 + 17}, total / 2, total - 5}) {
            SCOPED_TRACE(target);
            ASSERT_EQ(decoder_input_seek_to_time(decoder, double(target) / c.rate), 0);
            const ZK_Timecode& tc = decoder->input->timecode;
            EXPECT_NEAR(tc.seconds + tc.minutes * 60 + tc.hundredths / 100.0, double(target) / c.rate, 0.011);
            const std::vector<int16_t> after = decode_rest(64 * channels);
            ASSERT_EQ(after.size(), std::min<size_t>(64, total - target) * channels);
            for (size_t i = 0; i < after.size(); ++i)
                ASSERT_LE(std::abs(after[i] - full[target * channels + i]), 1) << "sample " << i;
        }
        // By fraction, and past the end.
        ASSERT_EQ(decoder_input_seek_to_position(decoder, 0.5f), 0);
        const std::vector<int16_t> half = decode_rest(16);
        const size_t at = size_t(0.5 * double(total));
        for (size_t i = 0; i < half.size(); ++i) ASSERT_LE(std::abs(half[i] - full[at * channels + i]), 1);
        ASSERT_EQ(decoder_input_seek_to_time(decoder, 1e9), 0);
        EXPECT_EQ(decoder->input->position, 1.0f);
        EXPECT_TRUE(decode_rest().empty());
        ASSERT_EQ(decoder_input_close(decoder), 0);
    }
}

TEST_F(Timeline, StartVariableOpensAtThatTime) {
    open(track("sweep_v2.mp3"));
    const std::vector<int16_t> full = decode_rest();
    ASSERT_EQ(decoder_input_close(decoder), 0);
    ASSERT_EQ(decoder_set_environment_integer(decoder, ZK_INPUT_START_VARIABLE, 1500), 0);
    ASSERT_EQ(decoder_input_open(decoder), 0);
    const std::vector<int16_t> rest = decode_rest();
    const size_t from = 1500 * 44100 / 1000 * 2;
    ASSERT_EQ(rest.size(), full.size() - from);
    for (size_t i = 0; i < rest.size(); ++i) ASSERT_LE(std::abs(rest[i] - full[from + i]), 1) << i;
}

} // namespace
