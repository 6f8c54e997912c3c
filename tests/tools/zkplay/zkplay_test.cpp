#include "engine/support/conformance.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct ZkplayRun {
    int status = -1;
    std::string output; // standard error and output together
};

ZkplayRun zkplay(const std::string& arguments) {
    ZkplayRun run;
    std::string command = std::string(ZKPLAY_PATH) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char chunk[512];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0) run.output.append(chunk, n);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string temporary_file(const std::string& name) {
    return (fs::temp_directory_path() / ("zkplay-test-" + std::to_string(getpid()) + "-" + name)).string();
}

// Every conformance stream written raw by zkplay equals what the decoder
// object yields for it.
TEST(Zkplay, RawOutputEqualsTheDecoderOutput) {
    auto streams = zk::test::conformance_streams();
    ASSERT_FALSE(streams.empty());
    for (const auto& stream : streams) {
        std::string out = temporary_file("out.raw");
        ZkplayRun run = zkplay("-q -o raw:" + out + " " + stream.bitstream_path());
        EXPECT_EQ(run.status, 0) << stream.file << ": " << run.output;
        zk::test::DecodedStream decoded = zk::test::decode_file(stream.bitstream_path());
        std::vector<int16_t> expected;
        for (const auto& frame : decoded.frames)
            expected.insert(expected.end(), frame.samples.begin(), frame.samples.end());
        std::vector<int16_t> written = zk::test::read_pcm16le(out);
        EXPECT_TRUE(written == expected) << stream.file << ": " << written.size() << " samples written, "
                                         << expected.size() << " decoded";
        fs::remove(out);
    }
}

TEST(Zkplay, WavOutputHasTheStreamFormat) {
    std::string out = temporary_file("demo.wav");
    ZkplayRun run = zkplay("-q -c mix -o wav:" + out + " " + std::string(TAERIN_DEMO_TRACK));
    ASSERT_EQ(run.status, 0) << run.output;
    std::vector<uint8_t> wav = zk::test::read_file(out);
    ASSERT_GT(wav.size(), 44u);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(wav[22], 1); // one channel: mixed
    EXPECT_EQ(wav[24] | (wav[25] << 8) | (wav[26] << 16), 44100);
    fs::remove(out);
}

// The file output has everything written when the last frame is: the run's
// final drain is acknowledged.
TEST(Zkplay, AFileOutputDrainsWithoutError) {
    const std::string out = temporary_file("drained.raw");
    const ZkplayRun run = zkplay("-v -o raw:" + out + " " + std::string(TAERIN_DEMO_TRACK));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("ack [ZK_MSG_COMMAND_OUTPUT_DRAIN]"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("nack"), std::string::npos) << run.output;
    fs::remove(out);
}

TEST(Zkplay, UnopenableInputsAreReportedAndFailTheRun) {
    std::string out = temporary_file("none.raw");
    ZkplayRun run = zkplay("-o raw:" + out + " /nonexistent/track.mp3 " + std::string(TAERIN_DEMO_TRACK));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("cannot open /nonexistent/track.mp3: no such file (-512)"), std::string::npos)
        << run.output;
    EXPECT_GT(fs::file_size(out), 0u); // the second input still played
    fs::remove(out);
}

// Each run ends with its status and the reason on standard error, -q or not.
TEST(Zkplay, EveryFailureHasAStatusAndAReason) {
    const std::string demo = TAERIN_DEMO_TRACK;
    const std::string text = temporary_file("text.mp3");
    {
        std::ofstream out(text);
        for (int i = 0; i < 100; ++i) out << "<html><body>not audio</body></html>\n";
    }
    const struct {
        std::string arguments;
        int status;
        const char* reason;
    } cases[] = {
        {"", 2, "no input given"},
        {"-c sideways x.mp3", 2, "unknown channel selection"},
        {"-e novalue x.mp3", 2, "NAME=VALUE"},
        {"-e INPUT.STREAM.BUFFER-SIZE=16k " + demo, 2, "not a 32-bit integer"},
        {"-q -o raw:/dev/null -e INPUT.STREAM.BUFFER-SIZE=16385 " + demo, 2, "cannot set INPUT.STREAM.BUFFER-SIZE"},
        {"-q -o /dev/wave/99 " + demo, 2, "no such device"},
        {"-q -o ogg:/tmp/x " + demo, 2, "unknown output type"},
        {"-q -o raw:/dev/null " + text, 1, "no MPEG audio found (-601)"},
        {"-q -o wav:/dev/full " + demo, 1, "cannot write output file"},
        {"-q -o wav:/dev/full " + demo, 1, "cannot play out output \"wav:/dev/full\": write failed (-503)"},
        {"-q -o raw:/dev/null /proc/self/mem " + demo, 1, "read failed (-502)"},
    };
    for (const auto& c : cases) {
        const ZkplayRun run = zkplay(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments << ": " << run.output;
        EXPECT_NE(run.output.find(c.reason), std::string::npos) << c.arguments << ": " << run.output;
    }
    fs::remove(text);
}

TEST(Zkplay, VersionAndDevices) {
    ZkplayRun run = zkplay("--version");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output.rfind("zkplay ", 0), 0u) << run.output;
    run = zkplay("--list-devices");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("Output To File"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("wav:*"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("/dev/wave/0"), std::string::npos) << run.output;
}

// zkplay stopped by SIGINT or SIGTERM while it writes a long recording: the
// WAV states its true length.
TEST(Zkplay, StopSignalsFinishTheWavFile) {
    const std::vector<uint8_t> track = zk::test::read_file(TAERIN_DEMO_TRACK);
    const std::string long_input = temporary_file("long.mp3");
    {
        std::ofstream input(long_input, std::ios::binary);
        for (int i = 0; i < 60; ++i) input.write(reinterpret_cast<const char*>(track.data()), track.size());
    }
    for (int signal_number : {SIGINT, SIGTERM}) {
        const std::string out = temporary_file("interrupted.wav");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            dup2(null, STDERR_FILENO);
            execl(ZKPLAY_PATH, "zkplay", "-q", "-o", ("wav:" + out).c_str(), long_input.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 200 && (!fs::exists(out) || fs::file_size(out) < 100000); ++i) usleep(10000);
        kill(child, signal_number);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 128 + signal_number);
        const std::vector<uint8_t> wav = zk::test::read_file(out);
        ASSERT_GT(wav.size(), 44u);
        EXPECT_LT(wav.size(), 60 * 20 * 44100 * 4u) << "stopped before the end";
        const uint32_t data = wav[40] | wav[41] << 8 | wav[42] << 16 | uint32_t(wav[43]) << 24;
        EXPECT_EQ(data, wav.size() - 44);
        fs::remove(out);
    }
    fs::remove(long_input);
}

} // namespace
