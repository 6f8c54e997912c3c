// The decode step through the public interface: frames, sizes, channel
// selections, 8-bit formats, changes, status and the handling of bad frames.
#include "engine/support/conformance.h"
#include "zelkor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using zk::test::ConformanceStream;

std::string stream_path(const std::string& file) { return zk::test::conformance_dir() + "/" + file; }

std::string temp_file(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("zk-decode-" + std::to_string(::getpid()) + "-" + name)).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return path;
}

struct DebugLog {
    std::vector<std::string> lines;
    static void callback(void* client, int32_t, int32_t, const char* message, const char* detail) {
        static_cast<DebugLog*>(client)->lines.push_back(std::string(message) + ": " + detail);
    }
};

class Decoding : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(decoder_new(&decoder), 0);
        decoder->client = &log;
        decoder->debug = DebugLog::callback;
        ZK_InputModule module{};
        file_input_module_register(&module);
        ASSERT_EQ(decoder_input_module_register(decoder, &module), 0);
    }
    void TearDown() override {
        decoder_delete(decoder);
        for (const std::string& path : temporary) std::remove(path.c_str());
    }
    bool open_stream(const std::string& file) { return open_path(stream_path(file)); }
    bool open_path(const std::string& path) {
        return decoder_input_new(decoder, path.c_str(), -1) == 0 && decoder_input_open(decoder) == 0;
    }
    std::string temp(const std::string& name, const std::vector<uint8_t>& bytes) {
        temporary.push_back(temp_file(name, bytes));
        return temporary.back();
    }

    ZK_Decoder* decoder = nullptr;
    DebugLog log;
    std::vector<std::string> temporary;
};

#define OPEN_STREAM(file) ASSERT_TRUE(open_stream(file)) << file

TEST_F(Decoding, WithoutAnOpenInputTheStepRefuses) {
    EXPECT_EQ(decoder_decode(decoder, nullptr), ZK_ERROR_INTERNAL);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0], "internal error: input not open");
    EXPECT_EQ(decoder_decode(nullptr, nullptr), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(decoder_play(decoder), ZK_ERROR_INTERNAL);
    EXPECT_EQ(log.lines.back(), "internal error: output not open");
}

TEST_F(Decoding, FirstFrameReportsEveryChangeAndCallersMemoryIsUsed) {
    OPEN_STREAM("layer2/l2-fl10.bit");
    const ZK_PcmBuffer& pcm = *decoder->output_buffer;
    ASSERT_EQ(decoder_decode(decoder, nullptr), 0);
    EXPECT_EQ(pcm.changes, 7);
    ASSERT_EQ(decoder_decode(decoder, nullptr), 0);
    EXPECT_EQ(pcm.changes, 0);
    std::vector<int16_t> mine(2304); // into the caller's memory
    ASSERT_EQ(decoder_decode(decoder, mine.data()), 0);
    EXPECT_EQ(pcm.samples, mine.data());
}

// Decoding from the start again (seek 0 clears all history) gives the same
// frames in the format the output settings ask for.
TEST_F(Decoding, OutputSettingsShapeTheSameFrames) {
    OPEN_STREAM("layer2/l2-fl10.bit");
    const ZK_PcmBuffer& pcm = *decoder->output_buffer;
    auto decode_eleventh = [&] {
        ASSERT_EQ(decoder_input_seek_to_offset(decoder, 0), 0);
        for (int i = 0; i < 11; ++i) ASSERT_EQ(decoder_decode(decoder, nullptr), 0);
    };
    decode_eleventh();
    const auto* samples = static_cast<const int16_t*>(pcm.samples);
    const std::vector<int16_t> wide(samples, samples + pcm.size / 2);

    decoder->output->channels = ZK_OUTPUT_CHANNELS_LEFT;
    decode_eleventh();
    EXPECT_EQ(pcm.stereo, 0);
    ASSERT_EQ(pcm.size, 2304);
    EXPECT_EQ(pcm.changes, 0); // reported by the first frame after the change
    for (int i = 0; i < 1152; ++i) ASSERT_EQ(static_cast<const int16_t*>(pcm.samples)[i], wide[2 * i]) << i;
    decoder->output->channels = ZK_OUTPUT_CHANNELS_STEREO;
    ASSERT_EQ(decoder_decode(decoder, nullptr), 0);
    EXPECT_EQ(pcm.changes, ZK_PCM_CHANGED_CHANNELS | ZK_PCM_CHANGED_SAMPLE_RATE);
    for (int32_t invalid : {4, -1}) {
        decoder->output->channels = invalid;
        EXPECT_EQ(decoder_decode(decoder, nullptr), ZK_ERROR_INTERNAL);
    }
    decoder->output->channels = ZK_OUTPUT_CHANNELS_STEREO;

    decoder->output->caps = 0; // neither 16-bit nor logarithmic
    decode_eleventh();
    EXPECT_EQ(pcm.bytes_per_sample, 1);
    ASSERT_EQ(pcm.size, static_cast<int32_t>(wide.size()));
    const uint8_t* narrow = static_cast<const uint8_t*>(pcm.samples);
    for (size_t i = 0; i < wide.size(); ++i) ASSERT_EQ(narrow[i], uint8_t(wide[i] / 256 + 128)) << i;

    decoder->output->caps = ZK_OUTPUT_CAP_LOG8;
    decode_eleventh();
    EXPECT_EQ(pcm.changes, 0); // still 8-bit
    narrow = static_cast<const uint8_t*>(pcm.samples);
    for (size_t i = 0; i < wide.size(); ++i) {
        ASSERT_EQ((narrow[i] & 0x80) != 0, wide[i] / 32 < 0) << i;
        if (wide[i] / 32 == 0) {
            ASSERT_EQ(narrow[i], 0x7E) << i;
        }
    }
    decoder->output->caps = ZK_OUTPUT_CAPS_INITIAL;
    ASSERT_EQ(decoder_decode(decoder, nullptr), 0);
    EXPECT_EQ(pcm.changes, ZK_PCM_CHANGED_SAMPLE_SIZE);
}

TEST_F(Decoding, StatusFollowsTheStream) {
    OPEN_STREAM("layer2/l2-fl13.bit");
    const ZK_DecodeStatus& status = *decoder->status;
    const ZK_InputInfo& input = *decoder->input;
    EXPECT_EQ(input.info.changed, 1); // known from the probe at open
    EXPECT_EQ(input.info.layer, 2);
    ASSERT_EQ(decoder_decode(decoder, nullptr), 0);
    EXPECT_EQ(status.info.changed, 1);
    EXPECT_EQ(status.info.level, 1);
    EXPECT_EQ(status.info.layer, 2);
    EXPECT_EQ(status.info.frequency, 32000);
    EXPECT_GT(status.info.bitrate, 0);
    const int32_t duration = input.duration;
    ASSERT_EQ(decoder_decode(decoder, nullptr), 0);
    EXPECT_EQ(status.info.changed, 0);
    float last = 0;
    int32_t result;
    int frames = 2;
    while ((result = decoder_decode(decoder, nullptr)) == 0) {
        EXPECT_GE(status.position, last);
        last = status.position;
        EXPECT_EQ(input.position, status.position);
        ++frames;
    }
    EXPECT_EQ(result, ZK_ERROR_INPUT_END);
    EXPECT_FLOAT_EQ(last, 1.0f);
    // The duration counts the frames indexed at open, the timecode the samples decoded.
    const double played = frames * 1152 / 32000.0;
    EXPECT_EQ(duration, int32_t(played));
    EXPECT_EQ(input.duration, duration);
    const double seconds = status.timecode.hours * 3600 + status.timecode.minutes * 60 + status.timecode.seconds +
                           status.timecode.hundredths / 100.0;
    EXPECT_NEAR(seconds, played, 0.011);
}

// Layer I, mono, 44100 Hz, silent: 32-byte frames at 32 kbit/s (index 1),
// 68-byte frames at 64 kbit/s (index 2). Allocation 15 is forbidden.
std::vector<uint8_t> layer1_frame(bool invalid, int bitrate_index = 1) {
    std::vector<uint8_t> frame(bitrate_index == 1 ? 32 : 68, 0);
    frame[0] = 0xFF;
    frame[1] = 0xFF;
    frame[2] = static_cast<uint8_t>(bitrate_index << 4);
    frame[3] = 0xC0;
    if (invalid) frame[4] = 0xF0;
    return frame;
}

TEST_F(Decoding, VariableBitrateDurationIsCountedOnceAndTheTimecodeRises) {
    // 3000 frames of 384 samples at 44.1 kHz: 26.1 s, the first half at twice the bitrate.
    std::vector<uint8_t> bytes;
    for (int index : {2, 1}) {
        const std::vector<uint8_t> frame = layer1_frame(false, index);
        for (int i = 0; i < 1500; ++i) bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    ASSERT_TRUE(open_path(temp("vbr.mp1", bytes)));
    EXPECT_EQ(decoder->input->duration, 26);
    std::vector<int32_t> durations;
    double last = -1;
    while (decoder_decode(decoder, nullptr) == 0) {
        durations.push_back(decoder->input->duration);
        const ZK_Timecode& tc = decoder->status->timecode;
        const double now = tc.minutes * 60 + tc.seconds + tc.hundredths / 100.0;
        ASSERT_GE(now, last);
        last = now;
    }
    ASSERT_EQ(durations.size(), 3000u);
    EXPECT_EQ(std::count(durations.begin(), durations.end(), 26), 3000);
    EXPECT_NEAR(last, 3000 * 384 / 44100.0, 0.011);
}

TEST_F(Decoding, InvalidFrameLeavesTheRecordsAsTheLastGoodFrameLeftThem) {
    std::vector<uint8_t> bytes;
    for (bool invalid : {false, true, false}) {
        const std::vector<uint8_t> frame = layer1_frame(invalid);
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    ASSERT_TRUE(open_path(temp("invalid.mp1", bytes)));
    ASSERT_EQ(decoder_decode(decoder, nullptr), 0);
    const ZK_DecodeStatus status = *decoder->status;
    const ZK_PcmBuffer pcm = *decoder->output_buffer;
    std::vector<int16_t> other(2304);
    EXPECT_EQ(decoder_decode(decoder, other.data()), ZK_ERROR_INVALID_FRAME);
    EXPECT_EQ(std::memcmp(&status, decoder->status, sizeof status), 0);
    EXPECT_EQ(std::memcmp(&pcm, decoder->output_buffer, sizeof pcm), 0);
    ASSERT_EQ(decoder_decode(decoder, nullptr), 0);
    EXPECT_EQ(decoder->output_buffer->size, 768);
    EXPECT_EQ(decoder_decode(decoder, nullptr), ZK_ERROR_INPUT_END);
}

TEST_F(Decoding, LeadingId3v2TagIsSkippedByItsSize) {
    OPEN_STREAM("layer2/l2-fl13.bit");
    const std::vector<uint8_t> plain = zk::test::read_file(stream_path("layer2/l2-fl13.bit"));
    // A tag whose body is full of sync-like bytes that a scan would take for frames.
    std::vector<uint8_t> tagged = {'I', 'D', '3', 3, 0, 0, 0, 0, 0x08, 0x00}; // 1024-byte body
    for (int i = 0; i < 1024; ++i) tagged.push_back(i % 4 == 0 ? 0xFF : plain[i % 4]);
    tagged.insert(tagged.end(), plain.begin(), plain.end());
    const std::string path = temp("tagged.mp2", tagged);

    const zk::test::DecodedStream a = zk::test::decode_file(stream_path("layer2/l2-fl13.bit"));
    const zk::test::DecodedStream b = zk::test::decode_file(path);
    ASSERT_EQ(a.frames.size(), b.frames.size());
    for (size_t i = 0; i < a.frames.size(); ++i) ASSERT_EQ(a.frames[i].samples, b.frames[i].samples) << i;

    ASSERT_TRUE(open_path(path));
    EXPECT_EQ(decoder->input->size, plain.size()); // counted from the first frame
    EXPECT_EQ(decoder->input->info.changed, 1);    // the probe saw the first real frame
    uint8_t first[2];
    ASSERT_EQ(decoder_input_read(decoder, first, 2), 2);
    EXPECT_EQ(first[0], plain[0]);
    EXPECT_EQ(first[1], plain[1]);
}

TEST_F(Decoding, BadFilesEndCleanly) {
    std::vector<uint8_t> noise(200000);
    uint32_t state = 12345;
    for (uint8_t& byte : noise) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(state >> 24);
    }
    std::vector<uint8_t> text(5000, 'a');
    std::vector<uint8_t> truncated = zk::test::read_file(stream_path("layer2/l2-fl10.bit"));
    ASSERT_FALSE(truncated.empty());
    truncated.resize(truncated.size() / 3 + 17);
    const std::vector<uint8_t> bogus_tag = {'I', 'D', '3', 4, 0, 0x10, 0x7F, 0x7F, 0x7F, 0x7F, 0xFF, 0xFB};
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::vector<uint8_t>>>{
             {"empty", {}}, {"noise", noise}, {"text", text}, {"truncated", truncated}, {"tag", bogus_tag}}) {
        const zk::test::DecodedStream decoded = zk::test::decode_file(temp(name, bytes));
        // Inputs without a single frame say so.
        EXPECT_EQ(decoded.end_result, decoded.frames.empty() ? ZK_ERROR_NO_AUDIO : ZK_ERROR_INPUT_END) << name;
        EXPECT_EQ(decoded.frames.empty(), name != "truncated") << name;
    }
}

} // namespace
