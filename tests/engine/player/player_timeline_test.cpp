// What the listener hears, taken from the silent device's capture file:
// tracks played one after the other join without a gap, and the timecode
// follows the sound, not the decoder.
#include "engine/player/player_client.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using zk::test::PlayerClient;

std::string track(const std::string& name) { return std::string(TAERIN_SOURCE_DIR) + "/tests/data/gapless/" + name; }

// The whole decode of a file, interleaved.
std::vector<int16_t> decoded(const std::string& path) {
    ZK_Decoder* decoder = nullptr;
    std::vector<int16_t> samples;
    if (decoder_new(&decoder) != 0) return samples;
    ZK_InputModule module{};
    file_input_module_register(&module);
    decoder_input_module_register(decoder, &module);
    if (decoder_input_new(decoder, path.c_str(), -1) == 0 && decoder_input_open(decoder) == 0) {
        int32_t result;
        while ((result = decoder_decode(decoder, nullptr)) != ZK_ERROR_INPUT_END) {
            if (result != 0) continue;
            const auto* data = static_cast<const int16_t*>(decoder->output_buffer->samples);
            samples.insert(samples.end(), data, data + decoder->output_buffer->size / 2);
        }
    }
    decoder_delete(decoder);
    return samples;
}

class CapturedPlayback : public ::testing::Test {
protected:
    void SetUp() override {
        capture = (std::filesystem::temp_directory_path() / ("zk-capture-" + std::to_string(getpid()))).string();
        std::remove(capture.c_str());
        setenv("ZELKOR_AUDIO_CAPTURE", capture.c_str(), 1);
        client = std::make_unique<PlayerClient>();
    }
    void TearDown() override {
        client.reset();
        unsetenv("ZELKOR_AUDIO_CAPTURE");
        std::remove(capture.c_str());
    }
    void play(const std::string& path) {
        control_message_send_S(client->channel(), ZK_MSG_COMMAND_INPUT_OPEN, path.c_str());
        ASSERT_EQ(client->result_of(ZK_MSG_COMMAND_INPUT_OPEN), 0);
        control_message_send_N(client->channel(), ZK_MSG_COMMAND_PLAY);
        ASSERT_EQ(client->result_of(ZK_MSG_COMMAND_PLAY), 0);
    }
    // Receives until the condition holds on what arrived (at most a minute).
    template <typename Condition> void receive_until(Condition condition) {
        for (int turn = 0; !condition(); ++turn) {
            ASSERT_LT(turn, 600);
            client->wait_for(ZK_MSG_NOTIFY_EXITED, 100);
        }
    }
    void await_end() {
        receive_until([&] {
            const auto states = client->of_code(ZK_MSG_NOTIFY_PLAYER_STATE);
            return !states.empty() && states.back().message.byte.state == ZK_PLAYER_STATE_EOF;
        });
    }
    std::vector<int16_t> heard() {
        control_message_send_N(client->channel(), ZK_MSG_COMMAND_OUTPUT_DRAIN);
        EXPECT_EQ(client->result_of(ZK_MSG_COMMAND_OUTPUT_DRAIN, 20000), 0);
        control_message_send_N(client->channel(), ZK_MSG_COMMAND_OUTPUT_CLOSE);
        EXPECT_EQ(client->result_of(ZK_MSG_COMMAND_OUTPUT_CLOSE, 20000), 0);
        std::ifstream file(capture, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
        std::vector<int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

    std::string capture;
    std::unique_ptr<PlayerClient> client;
};

TEST_F(CapturedPlayback, TracksOpenedAfterTheEndJoinWholeAndWithoutAGap) {
    play(track("sweep_v2.mp3"));
    await_end();
    client->clear();
    play(track("chirp_v2.mp3"));
    await_end();
    const std::vector<int16_t> samples = heard();

    std::vector<int16_t> expected = decoded(track("sweep_v2.mp3"));
    const std::vector<int16_t> second = decoded(track("chirp_v2.mp3"));
    expected.insert(expected.end(), second.begin(), second.end());
    ASSERT_EQ(expected.size(), (91876u + 71458u) * 2);
    ASSERT_EQ(samples.size(), expected.size());
    for (size_t i = 0; i < samples.size(); ++i) ASSERT_LE(std::abs(samples[i] - expected[i]), 1) << "sample " << i;
}

TEST_F(CapturedPlayback, TimecodeFollowsTheSoundAndNeverGoesBack) {
    const auto started = std::chrono::steady_clock::now();
    play(TAERIN_DEMO_TRACK);
    receive_until([&] {
        const auto timecodes = client->of_code(ZK_MSG_NOTIFY_INPUT_TIMECODE);
        return !timecodes.empty() && timecodes.back().message.timecode.seconds == 2;
    });
    // The decoder runs 1.6 s of audio ahead of the device.
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1900));
    uint32_t last = 0;
    for (const auto& p : client->of_code(ZK_MSG_NOTIFY_INPUT_POSITION)) {
        EXPECT_GE(p.message.seek.offset, last);
        last = p.message.seek.offset;
    }
    EXPECT_GT(last, 0u);
}

} // namespace
