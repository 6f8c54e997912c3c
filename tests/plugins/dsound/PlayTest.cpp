// Whole plays on the silent device at real-time pace: the module registered
// into a decoder, and into a running player by name through zkplay.
#include "zk_dsound_output.h"
#include "zelkor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Log {
    std::vector<std::string> debugs;
    std::vector<std::string> errors;
};

class DsoundPlay : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(decoder_new(&decoder), ZK_OK);
        decoder->client = &log;
        decoder->debug = [](void* client, int32_t, int32_t, const char* message, const char*) {
            static_cast<Log*>(client)->debugs.push_back(message);
        };
        decoder->error = [](void* client, int32_t, int32_t, const char* message, const char* detail) {
            static_cast<Log*>(client)->errors.push_back(std::string(message) + ": " + (detail ? detail : ""));
        };
        ZK_InputModule input{};
        file_input_module_register(&input);
        decoder_input_module_register(decoder, &input);
        ZK_OutputModule output{};
        ASSERT_EQ(dsound_output_module_register(&output), ZK_OK);
        module = decoder_output_module_register(decoder, &output);
        ASSERT_GE(module, 0);
    }
    void TearDown() override { decoder_delete(decoder); }

    bool logged(const std::string& message) const {
        for (const std::string& debug : log.debugs)
            if (debug == message) return true;
        return false;
    }

    ZK_Decoder* decoder = nullptr;
    int32_t module = -1;
    Log log;
};

TEST_F(DsoundPlay, WithoutTheWindowVariableNoOutputIsMade) {
    EXPECT_EQ(decoder_output_new(decoder, "/dev/dsound/0", -1), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_TRUE(logged("DirectSound needs a window handle"));
}

TEST_F(DsoundPlay, DecodesASecondAndPlaysItOutToSilence) {
    decoder_set_environment_integer(decoder, "OUTPUT.DIRECTSOUND.WINDOW", 1);
    ASSERT_EQ(decoder_output_new(decoder, "/dev/dsound/0", -1), ZK_OK);
    EXPECT_EQ(decoder->output->module, module);
    ASSERT_EQ(decoder_output_open(decoder), ZK_OK);
    EXPECT_EQ(decoder->output->caps, 0x03FFFFBFu);
    ASSERT_EQ(decoder_input_new(decoder, TAERIN_DEMO_TRACK, -1), ZK_OK);
    ASSERT_EQ(decoder_input_open(decoder), ZK_OK);

    ZK_OutputControl control{};
    decoder_output_set_control(decoder, &control, ZK_OUTPUT_REQUEST_RESUME);
    for (int frame = 0; frame < 40; ++frame) ASSERT_EQ(decoder_play(decoder), ZK_OK) << frame;
    ASSERT_EQ(decoder_output_set_control(decoder, &control, ZK_OUTPUT_REQUEST_DRAIN), ZK_OK);
    EXPECT_TRUE(logged("DirectSound buffer played out"));
    EXPECT_TRUE(log.errors.empty()) << log.errors.front();

    control = {};
    ASSERT_EQ(decoder_output_get_control(decoder, &control, ZK_OUTPUT_REQUEST_PCM_LEVEL), ZK_OK);
    EXPECT_EQ(control.pcm_level, 100);
    EXPECT_EQ(decoder_output_close(decoder), ZK_OK);
}

#ifdef DSOUND_ZKPLAY
// Seconds of audio in the demo track, from its stream's frame count.
double demo_seconds(ZK_Decoder* decoder) {
    ZK_InputModule input{};
    file_input_module_register(&input);
    decoder_input_module_register(decoder, &input);
    if (decoder_input_new(decoder, TAERIN_DEMO_TRACK, -1) != ZK_OK || decoder_input_open(decoder) != ZK_OK) return 0;
    double seconds = 0;
    while (decoder_decode(decoder, nullptr) == ZK_OK) {
        const ZK_PcmBuffer& pcm = *decoder->output_buffer;
        seconds += double(pcm.size) / (pcm.bytes_per_sample * (pcm.stereo == 1 ? 2 : 1)) / pcm.sample_rate;
    }
    return seconds;
}

TEST(DsoundZkplay, PlaysTheDemoTrackByNameToTheEnd) {
    ZK_Decoder* probe = nullptr;
    ASSERT_EQ(decoder_new(&probe), ZK_OK);
    const double seconds = demo_seconds(probe);
    decoder_delete(probe);
    ASSERT_GT(seconds, 1.0);

    const std::string command = std::string("ZELKOR_AUDIO=null LD_LIBRARY_PATH='") + DSOUND_LIBRARY_DIR + "' '" +
                                DSOUND_ZKPLAY +
                                "' -v -e OUTPUT.DIRECTSOUND.WINDOW=1"
                                " -m dsound_output_module_register@libzk_dsound_output.so -o /dev/dsound/0 '" +
                                TAERIN_DEMO_TRACK + "' 2>&1";
    const auto start = std::chrono::steady_clock::now();
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char chunk[4096];
    while (size_t n = fread(chunk, 1, sizeof chunk, pipe)) output.append(chunk, n);
    const int status = pclose(pipe);
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    EXPECT_EQ(status, 0) << output;
    // The plug-in's caps show that it is the output in use.
    EXPECT_NE(output.find("output caps [67108799]"), std::string::npos) << output;
    EXPECT_NE(output.find("DirectSound buffer played out"), std::string::npos) << output;
    EXPECT_EQ(output.find("error"), std::string::npos) << output;
    // The silent device plays at real-time pace: the whole track took at
    // least its own length.
    EXPECT_GE(elapsed, seconds - 0.5);
}
#endif

} // namespace
