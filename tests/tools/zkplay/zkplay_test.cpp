#include "engine/support/conformance.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

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

TEST(Zkplay, UnopenableInputsAreReportedAndFailTheRun) {
    std::string out = temporary_file("none.raw");
    ZkplayRun run = zkplay("-o raw:" + out + " /nonexistent/track.mp3 " + std::string(TAERIN_DEMO_TRACK));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("cannot open /nonexistent/track.mp3: no such file (-512)"), std::string::npos)
        << run.output;
    EXPECT_GT(fs::file_size(out), 0u); // the second input still played
    fs::remove(out);
}

TEST(Zkplay, BadCommandLines) {
    EXPECT_EQ(zkplay("").status, 2);
    EXPECT_EQ(zkplay("-c sideways x.mp3").status, 2);
    EXPECT_EQ(zkplay("-e novalue x.mp3").status, 2);
    ZkplayRun run = zkplay("-q -o /dev/wave/99 " + std::string(TAERIN_DEMO_TRACK));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("no such device"), std::string::npos) << run.output;
}

} // namespace
