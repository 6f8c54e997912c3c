// Durations and seeks of MPEG streams served over HTTP by the Python radio
// server: VBR tracks made with sox and lame, with and without their Xing
// frame (and a CBR one without), from servers that send byte ranges, ignore them, or only claim to.
#include "child_process.h"
#include "engine/player/fake_output.h"
#include "engine/player/player_client.h"
#include "scripted_server.h"
#include "stream_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace zk::test {
namespace {

namespace fs = std::filesystem;

constexpr int kSeconds = 30;
constexpr uint64_t kSamples = kSeconds * 44100;

class StreamTimelineTest : public StreamInputTest {
protected:
    static void SetUpTestSuite() {
        folder = fs::temp_directory_path() / ("zk-stream-timeline-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        const std::string in = "cd '" + folder.string() + "' && ";
        ASSERT_EQ(std::system((in + "sox -n -r 44100 -c 2 -b 16 sweep.wav synth " + std::to_string(kSeconds) +
                               " sine 200-4000 sine 300-6000 gain -6 && "
                               "lame --quiet -V2 sweep.wav xing.mp3 && lame --quiet -V2 -t sweep.wav plain.mp3 && "
                               "lame --quiet -b 128 -t sweep.wav cbr.mp3")
                                  .c_str()),
                  0);
    }
    static void TearDownTestSuite() { fs::remove_all(folder); }
    void SetUp() override {
        StreamInputTest::SetUp();
        decoder_set_environment_integer(decoder, "INPUT.STREAM.STALL-TIMEOUT", 5000);
    }
    void TearDown() override {
        server.reset();
        StreamInputTest::TearDown();
    }

    // Serves the file with a length and the range behaviour; its URL.
    std::string serve(const std::string& file, const std::string& ranges, const std::string& framing = "length") {
        server.reset();
        server = std::make_unique<ChildProcess>(std::vector<std::string>{
            "/usr/bin/python3", TAERIN_SOURCE_DIR "/tests/engine/stream/radio_server.py", "--port",
            std::to_string(port), "--file", (folder / file).string(), "--framing", framing, "--ranges", ranges});
        EXPECT_TRUE(server->started() && wait_for_tcp_server(port));
        return "http://127.0.0.1:" + std::to_string(port) + "/" + file;
    }

    // Decodes a frame, waiting while the stream fills; the decode result.
    int32_t decode() {
        int32_t result = ZK_ERROR_TIMEOUT;
        for (int attempt = 0; attempt < 2000 && result == ZK_ERROR_TIMEOUT; ++attempt)
            result = decoder_decode(decoder, nullptr);
        return result;
    }
    // Decodes to the end: the samples per channel and each duration seen.
    uint64_t decode_to_end(std::vector<int32_t>& durations) {
        uint64_t samples = 0;
        while (decode() == 0) {
            samples += static_cast<uint64_t>(decoder->output_buffer->size / 4);
            if (durations.empty() || durations.back() != decoder->input->duration)
                durations.push_back(decoder->input->duration);
        }
        return samples;
    }
    double timecode_seconds() const {
        const ZK_Timecode& t = decoder->status->timecode;
        return t.hours * 3600.0 + t.minutes * 60.0 + t.seconds + t.hundredths / 100.0;
    }
    int range_requests() const {
        std::ifstream in((folder / (served + ".requests")).string());
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        int count = 0;
        for (size_t at = text.find("Range: bytes="); at != std::string::npos; at = text.find("Range: bytes=", at + 1))
            ++count;
        return count;
    }

    static inline fs::path folder;
    std::string served;
    const uint16_t port = free_port();
    std::unique_ptr<ChildProcess> server;
};

TEST_F(StreamTimelineTest, XingStreamHasOneSteadyDurationAndPlaysGapless) {
    ASSERT_EQ(open(serve("xing.mp3", "none")), 0);
    EXPECT_EQ(decoder->input->caps, 0u);
    std::vector<int32_t> durations;
    const uint64_t samples = decode_to_end(durations);
    EXPECT_EQ(durations, std::vector<int32_t>{kSeconds});
    // The information frame is not played and the encoder delay is trimmed;
    // the padding stays (a stream's frame count cannot be checked).
    EXPECT_GE(samples, kSamples);
    EXPECT_LT(samples, kSamples + 1152);
}

TEST_F(StreamTimelineTest, StreamWithoutInformationFrameRefinesItsDurationOncePerSecond) {
    ASSERT_EQ(open(serve("plain.mp3", "none")), 0);
    std::vector<int32_t> durations;
    decode_to_end(durations);
    ASSERT_FALSE(durations.empty());
    EXPECT_LE(durations.size(), size_t(kSeconds + 1));
    EXPECT_NEAR(durations.back(), kSeconds, 1);
}

TEST_F(StreamTimelineTest, LiveStreamWithoutLengthHasNoDurationAndCannotSeek) {
    ASSERT_EQ(open(serve("xing.mp3", "none", "close")), 0);
    ASSERT_EQ(decode(), 0);
    EXPECT_EQ(decoder->input->caps, 0u);
    EXPECT_EQ(decoder_input_seek_to_time(decoder, 10), ZK_FAILURE);
    // Without a length, the Xing frame's count still gives the duration.
    EXPECT_EQ(decoder->input->duration, kSeconds);
    ASSERT_EQ(open(serve("plain.mp3", "none", "close")), 0);
    std::vector<int32_t> durations;
    decode_to_end(durations);
    EXPECT_EQ(durations, std::vector<int32_t>{0});
}

// Through the Xing frame's table of contents, or at the average bitrate.
TEST_F(StreamTimelineTest, SeeksByTimeAndPositionReopenAtTheTarget) {
    for (const char* file : {"xing.mp3", "cbr.mp3"}) {
        served = file;
        ASSERT_EQ(open(serve(file, "honoured")), 0) << file;
        EXPECT_EQ(decoder->input->caps, ZK_INPUT_CAN_SEEK_BY_REOPEN);
        for (int i = 0; i < 100; ++i) ASSERT_EQ(decode(), 0);

        ASSERT_EQ(decoder_input_seek_to_time(decoder, 20), 0) << file;
        EXPECT_EQ(range_requests(), 1);
        EXPECT_NEAR(timecode_seconds(), 20, 0.1) << file;
        ASSERT_EQ(decode(), 0);
        EXPECT_NEAR(timecode_seconds(), 20, 0.2) << file << ": the timecode follows the target";
        std::vector<int32_t> durations;
        const double rest = double(decode_to_end(durations)) / 44100;
        EXPECT_NEAR(rest, kSeconds - 20, 1.0) << file << ": what plays is the rest from the target";

        ASSERT_EQ(decoder_input_seek_to_position(decoder, 0.5f), 0) << file;
        EXPECT_NEAR(timecode_seconds(), kSeconds / 2, 1.0) << file;
        ASSERT_EQ(decode(), 0);
        ASSERT_EQ(decoder_input_seek_to_position(decoder, 0.0f), 0) << file;
        durations.clear();
        EXPECT_NEAR(double(decode_to_end(durations)) / 44100, kSeconds, 0.1) << file << ": back at the start";
        decoder_input_close(decoder);
    }
}

TEST_F(StreamTimelineTest, ServersWithoutRangesRefuseTheSeekAndPlayOn) {
    for (const char* ranges : {"none", "advertised"}) {
        ASSERT_EQ(open(serve("xing.mp3", ranges)), 0) << ranges;
        for (int i = 0; i < 100; ++i) ASSERT_EQ(decode(), 0);
        const double before = timecode_seconds();
        EXPECT_LT(decoder_input_seek_to_time(decoder, 20), 0) << ranges;
        EXPECT_EQ(timecode_seconds(), before) << ranges;
        ASSERT_EQ(decode(), 0);
        EXPECT_NEAR(timecode_seconds(), before + 1152.0 / 44100, 0.02) << ranges << ": the stream plays on";
        decoder_input_close(decoder);
    }
}

// Through the player: a refused seek is nacked and the output keeps what
// it holds; an accepted one resets it.
TEST_F(StreamTimelineTest, PlayerNacksASeekTheStreamRefusesAndKeepsTheOutput) {
    for (const char* ranges : {"none", "honoured"}) {
        const std::string url = serve("xing.mp3", ranges);
        PlayerClient client;
        const std::string output = fake_output_module_name();
        control_message_send_S(client.channel(), ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER, output.c_str());
        control_message_send_S(client.channel(), ZK_MSG_SET_OUTPUT_NAME, "fake");
        control_message_send_S(client.channel(), ZK_MSG_COMMAND_INPUT_OPEN, url.c_str());
        ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_INPUT_OPEN, 20000), 0) << ranges;
        control_message_send_N(client.channel(), ZK_MSG_COMMAND_PLAY);
        ASSERT_EQ(client.result_of(ZK_MSG_COMMAND_PLAY, 20000), 0) << ranges;
        fake_output_log().requests_seen = 0;
        control_message_send_II(client.channel(), ZK_MSG_COMMAND_SEEK, 1, 2);
        const bool refused = std::string(ranges) == "none";
        EXPECT_EQ(client.result_of(ZK_MSG_COMMAND_SEEK, 20000) != 0, refused) << ranges;
        // The first frame's format may reach the output after the reset.
        EXPECT_EQ((fake_output_log().requests_seen & ZK_OUTPUT_REQUEST_RESET) != 0, !refused) << ranges;
    }
}

} // namespace
} // namespace zk::test
