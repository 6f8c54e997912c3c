// The file output module through the decoder's output interface: files
// byte for byte, standard output, errors, and a decoded stream as WAV.
#include "engine/support/conformance.h"
#include "zelkor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct DebugLine {
    int32_t level;
    std::string message, detail;
};

class FileOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(decoder_new(&decoder_), 0);
        decoder_->client = this;
        decoder_->debug = [](void* client, int32_t, int32_t level, const char* message, const char* detail) {
            static_cast<FileOutputTest*>(client)->debug_.push_back({level, message, detail ? detail : ""});
        };
        ZK_OutputModule module{};
        ASSERT_EQ(file_output_module_register(&module), 0);
        ASSERT_EQ(decoder_output_module_register(decoder_, &module), 0);
        char pattern[] = "/tmp/zk-file-output-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        decoder_delete(decoder_);
        fs::remove_all(dir_);
    }

    std::string path(const char* name) const { return (dir_ / name).string(); }

    int32_t open(const std::string& name) {
        const int32_t result = decoder_output_new(decoder_, name.c_str(), -1);
        return result < 0 ? result : decoder_output_open(decoder_);
    }

    int32_t write(const std::vector<int16_t>& samples, int stereo = 1, int rate = 44100) {
        return decoder_output_write(decoder_, samples.data(), uint32_t(samples.size() * 2), 2, stereo, rate);
    }

    bool debugged(const std::string& message, const std::string& detail) const {
        for (const DebugLine& line : debug_)
            if (line.level == 0 && line.message == message && line.detail == detail) return true;
        return false;
    }

    ZK_Decoder* decoder_ = nullptr;
    fs::path dir_;
    std::vector<DebugLine> debug_;
};

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}
uint32_t be32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

std::vector<uint8_t> expected_wav_header(uint32_t data, uint16_t channels, uint32_t rate) {
    std::vector<uint8_t> h;
    auto text = [&](const char* t) {
        for (int i = 0; i < 4; ++i) h.push_back(uint8_t(t[i]));
    };
    auto n = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) h.push_back(uint8_t(v >> 8 * i));
    };
    text("RIFF"), n(data + 36, 4), text("WAVE"), text("fmt "), n(16, 4), n(1, 2), n(channels, 2), n(rate, 4);
    n(rate * channels * 2, 4), n(channels * 2, 2), n(16, 2), text("data"), n(data, 4);
    return h;
}

std::vector<uint8_t> bytes_of(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> b;
    for (int16_t s : samples) b.push_back(uint8_t(s)), b.push_back(uint8_t(uint16_t(s) >> 8));
    return b;
}

TEST_F(FileOutputTest, WavFileIsHeaderAndSamplesWithFinalSizes) {
    ASSERT_EQ(open("wav:" + path("a.wav")), 0);
    const std::vector<int16_t> first = {1, -1, 300, -300}, second = {0x7FFF, -0x8000};
    EXPECT_EQ(write(first, 1, 48000), 8);
    EXPECT_EQ(write(second, 1, 48000), 4);
    ASSERT_EQ(decoder_output_close(decoder_), 0);

    std::vector<uint8_t> expected = expected_wav_header(12, 2, 48000);
    for (const auto& part : {first, second}) {
        const std::vector<uint8_t> b = bytes_of(part);
        expected.insert(expected.end(), b.begin(), b.end());
    }
    const std::vector<uint8_t> file = zk::test::read_file(path("a.wav"));
    EXPECT_EQ(file, expected);
    EXPECT_EQ(le32(file, 4), file.size() - 8);
}

TEST_F(FileOutputTest, MonoWavTakesItsFormatFromTheFirstWrite) {
    ASSERT_EQ(open("wav:" + path("m.wav")), 0);
    EXPECT_EQ(write({5, 6, 7}, 0, 22050), 6);
    ASSERT_EQ(decoder_output_close(decoder_), 0);
    std::vector<uint8_t> expected = expected_wav_header(6, 1, 22050);
    const std::vector<uint8_t> b = bytes_of({5, 6, 7});
    expected.insert(expected.end(), b.begin(), b.end());
    EXPECT_EQ(zk::test::read_file(path("m.wav")), expected);

    // Reopened without a new name: the file goes on where it ended.
    ASSERT_EQ(decoder_output_open(decoder_), 0);
    ASSERT_EQ(decoder_output_close(decoder_), 0);
    EXPECT_EQ(zk::test::read_file(path("m.wav")), expected);
    ASSERT_EQ(decoder_output_open(decoder_), 0);
    EXPECT_EQ(write({8}, 0, 22050), 2);
    ASSERT_EQ(decoder_output_close(decoder_), 0);
    expected = expected_wav_header(8, 1, 22050);
    const std::vector<uint8_t> all = bytes_of({5, 6, 7, 8});
    expected.insert(expected.end(), all.begin(), all.end());
    EXPECT_EQ(zk::test::read_file(path("m.wav")), expected);

    // Created anew under the name: started over.
    ASSERT_EQ(decoder_output_delete(decoder_), 0);
    ASSERT_EQ(open("wav:" + path("m.wav")), 0);
    ASSERT_EQ(decoder_output_close(decoder_), 0);
    EXPECT_EQ(zk::test::read_file(path("m.wav")), expected_wav_header(0, 2, 44100));
}

// A header describes every sample after it: a new format ends the file
// (raw files have no header and take it).
TEST_F(FileOutputTest, AFormatChangeEndsAFileWithAHeader) {
    ASSERT_EQ(open("wav:" + path("c.wav")), 0);
    EXPECT_EQ(write({1, 2, 3, 4}, 1, 44100), 8);
    EXPECT_EQ(write({9, 9}, 0, 22050), ZK_ERROR_WRITE_FAILED);
    EXPECT_EQ(write({9, 9}, 1, 48000), ZK_ERROR_WRITE_FAILED);
    ASSERT_EQ(decoder_output_close(decoder_), 0);
    std::vector<uint8_t> expected = expected_wav_header(8, 2, 44100);
    const std::vector<uint8_t> b = bytes_of({1, 2, 3, 4});
    expected.insert(expected.end(), b.begin(), b.end());
    EXPECT_EQ(zk::test::read_file(path("c.wav")), expected);
    EXPECT_TRUE(debugged("sample format changed", "22050 Hz mono after 44100 Hz stereo; the file ends before it"));

    ASSERT_EQ(open("raw:" + path("c.raw")), 0);
    EXPECT_EQ(write({1, 2}, 1, 44100), 4);
    EXPECT_EQ(write({3}, 0, 22050), 2);
    ASSERT_EQ(decoder_output_close(decoder_), 0);
    EXPECT_EQ(zk::test::read_file(path("c.raw")), bytes_of({1, 2, 3}));
}

// Standard output redirected into the middle of a file: the header is
// rewritten where the WAV began, not at offset 0.
TEST_F(FileOutputTest, HeaderIsRewrittenWhereTheFileBegan) {
    const std::string captured = path("after-prefix.wav");
    const std::vector<uint8_t> prefix = {'p', 'r', 'e', 'f', 'i', 'x'};
    const int target = ::open(captured.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(target, 0);
    ASSERT_EQ(::write(target, prefix.data(), prefix.size()), static_cast<ssize_t>(prefix.size()));
    fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    dup2(target, STDOUT_FILENO);
    const int32_t opened = open("wav:-");
    const int32_t written = write({7, 8});
    const int32_t closed = decoder_output_close(decoder_);
    dup2(saved, STDOUT_FILENO);
    ::close(saved);
    ::close(target);
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(written, 4);
    EXPECT_EQ(closed, 0);
    std::vector<uint8_t> expected = prefix;
    const std::vector<uint8_t> header = expected_wav_header(4, 2, 44100), b = bytes_of({7, 8});
    expected.insert(expected.end(), header.begin(), header.end());
    expected.insert(expected.end(), b.begin(), b.end());
    EXPECT_EQ(zk::test::read_file(captured), expected);
}

TEST_F(FileOutputTest, RawFilesHaveNoHeader) {
    const std::vector<int16_t> samples = {10, -20, 30, -40};
    for (const std::string& name : {"raw:" + path("a.raw"), path("plain.pcm")}) {
        ASSERT_EQ(open(name), 0) << name;
        EXPECT_EQ(write(samples), 8);
        ASSERT_EQ(decoder_output_close(decoder_), 0);
    }
    EXPECT_EQ(zk::test::read_file(path("a.raw")), bytes_of(samples));
    EXPECT_EQ(zk::test::read_file(path("plain.pcm")), bytes_of(samples));
}

TEST_F(FileOutputTest, AiffAndSunFilesAreBigEndianWithFinalSizes) {
    const std::vector<int16_t> samples = {0x0102, -2, 0x0304, 0x0506};
    ASSERT_EQ(open("aiff:" + path("a.aiff")), 0);
    write(samples, 1, 32000);
    ASSERT_EQ(decoder_output_close(decoder_), 0);
    const std::vector<uint8_t> aiff = zk::test::read_file(path("a.aiff"));
    ASSERT_EQ(aiff.size(), 54u + 8);
    EXPECT_EQ(be32(aiff, 4), aiff.size() - 8);
    EXPECT_EQ(be32(aiff, 22), 2u); // frames
    EXPECT_EQ(std::vector<uint8_t>(aiff.begin() + 54, aiff.begin() + 58), (std::vector<uint8_t>{1, 2, 0xFF, 0xFE}));

    ASSERT_EQ(open("sun:" + path("a.au")), 0);
    write(samples, 0, 8000);
    ASSERT_EQ(decoder_output_close(decoder_), 0);
    const std::vector<uint8_t> au = zk::test::read_file(path("a.au"));
    ASSERT_EQ(au.size(), 28u + 8);
    EXPECT_EQ(be32(au, 8), 8u);
    EXPECT_EQ(be32(au, 20), 1u);
    EXPECT_EQ(std::vector<uint8_t>(au.begin() + 28, au.begin() + 32), (std::vector<uint8_t>{1, 2, 0xFF, 0xFE}));
}

// sox, when installed, reads the headers as audio editors do.
TEST_F(FileOutputTest, SoxReadsAiffSunAndWavFiles) {
    if (std::system("command -v sox >/dev/null 2>&1") != 0) GTEST_SKIP() << "sox not installed";
    std::vector<int16_t> samples(2 * 1000, 1000);
    for (const char* name : {"aiff:s.aiff", "sun:s.au", "wav:s.wav"}) {
        const std::string file = path(std::strchr(name, ':') + 1);
        ASSERT_EQ(open(std::string(name, std::strchr(name, ':') + 1) + file), 0);
        write(samples, 1, 32000);
        ASSERT_EQ(decoder_output_close(decoder_), 0);
        FILE* pipe = popen(("sox --i -s " + file + " 2>/dev/null && sox --i -r " + file).c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        char frames[64] = {}, rate[64] = {};
        ASSERT_NE(fgets(frames, sizeof frames, pipe), nullptr) << name;
        ASSERT_NE(fgets(rate, sizeof rate, pipe), nullptr) << name;
        EXPECT_EQ(pclose(pipe), 0) << name;
        EXPECT_EQ(std::atoi(frames), 1000) << name;
        EXPECT_EQ(std::atoi(rate), 32000) << name;
    }
}

TEST_F(FileOutputTest, DashWritesToStandardOutput) {
    const std::string captured = path("stdout.raw");
    fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    FILE* target = std::fopen(captured.c_str(), "wb");
    ASSERT_NE(target, nullptr);
    dup2(fileno(target), STDOUT_FILENO);
    const std::vector<int16_t> samples = {1, 2, 3, 4};
    const int32_t opened = open("raw:-");
    const int32_t written = write(samples);
    const int32_t closed = decoder_output_close(decoder_);
    dup2(saved, STDOUT_FILENO);
    ::close(saved);
    std::fclose(target);
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(written, 8);
    EXPECT_EQ(closed, 0);
    EXPECT_EQ(zk::test::read_file(captured), bytes_of(samples));
    EXPECT_EQ(fcntl(STDOUT_FILENO, F_GETFD), 0) << "standard output stays open";
}

TEST_F(FileOutputTest, WavOnAPipeStatesAnUnknownLength) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    dup2(fds[1], STDOUT_FILENO);
    const int32_t opened = open("wav:-");
    write({1, 2});
    decoder_output_close(decoder_);
    dup2(saved, STDOUT_FILENO);
    ::close(saved);
    ::close(fds[1]);
    std::vector<uint8_t> got(64);
    const ssize_t n = read(fds[0], got.data(), got.size());
    ::close(fds[0]);
    EXPECT_EQ(opened, 0);
    ASSERT_EQ(n, 48);
    got.resize(48);
    EXPECT_EQ(le32(got, 40), 0xFFFFFFFFu);
}

TEST_F(FileOutputTest, EmptyNamesAndUnopenableFilesAreRefused) {
    EXPECT_EQ(decoder_output_new(decoder_, "", -1), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_TRUE(debugged("internal error", "null params or null/empty output name"));
    EXPECT_EQ(open("wav:" + path("missing/x.wav")), ZK_ERROR_OPEN_FAILED);
    EXPECT_TRUE(debugged("cannot open output file", std::strerror(ENOENT)));
    EXPECT_EQ(open(dir_.string()), ZK_ERROR_OPEN_FAILED); // a directory
}

// Run as an unprivileged user in a child process, so that root's rights do
// not hide the refusal.
TEST_F(FileOutputTest, RefusedAccessIsPermissionDenied) {
    const std::string locked = path("locked.raw");
    std::fclose(std::fopen(locked.c_str(), "w"));
    fs::permissions(locked, fs::perms::owner_read);
    fs::permissions(dir_, fs::perms::all);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
        const bool refused = open("raw:" + locked) == ZK_ERROR_PERMISSION_DENIED &&
                             debugged("cannot open output file", "permission denied");
        _exit(refused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(FileOutputTest, FullDiskIsAWriteError) {
    ASSERT_EQ(open("wav:/dev/full"), 0);
    EXPECT_EQ(write({1, 2, 3, 4}), ZK_ERROR_WRITE_FAILED);
    EXPECT_TRUE(debugged("cannot write output file", std::strerror(ENOSPC)));
    EXPECT_EQ(write({1, 2, 3, 4}), ZK_ERROR_WRITE_FAILED);
    EXPECT_EQ(decoder_output_close(decoder_), ZK_ERROR_WRITE_FAILED);
    EXPECT_EQ(std::count_if(debug_.begin(), debug_.end(),
                            [](const DebugLine& line) { return line.message == "cannot write output file"; }),
              1)
        << "reported once per open";
}

// Written samples are in the file at once, so a drain succeeds unless samples
// since the open were lost; requests a file cannot apply are refused.
TEST_F(FileOutputTest, DrainTellsWhetherEverySampleReachedTheFile) {
    ZK_OutputControl control{};
    auto request = [&](uint32_t bits) { return decoder_output_set_control(decoder_, &control, bits); };
    ASSERT_EQ(open("wav:" + path("d.wav")), 0);
    EXPECT_TRUE(decoder_->output->caps & ZK_OUTPUT_REQUEST_DRAIN);
    EXPECT_EQ(request(ZK_OUTPUT_REQUEST_DRAIN), 0) << "nothing written yet";
    EXPECT_EQ(write({1, 2, 3, 4}), 8);
    EXPECT_EQ(fs::file_size(path("d.wav")), 44u + 8u);
    EXPECT_EQ(request(ZK_OUTPUT_REQUEST_DRAIN), 0);
    EXPECT_EQ(request(ZK_OUTPUT_REQUEST_RESET | ZK_OUTPUT_REQUEST_PAUSE | ZK_OUTPUT_REQUEST_RESUME), 0);
    for (uint32_t refused : {ZK_OUTPUT_REQUEST_PCM_LEVEL, ZK_OUTPUT_REQUEST_MUTE, ZK_OUTPUT_REQUEST_PORTS,
                             ZK_OUTPUT_REQUEST_DRAIN | ZK_OUTPUT_REQUEST_BALANCE})
        EXPECT_EQ(request(refused), ZK_ERROR_INVALID_PARAMETERS) << refused;

    // Samples of another format were refused: not everything is in the file.
    EXPECT_EQ(write({5, 6}, 0, 22050), ZK_ERROR_WRITE_FAILED);
    EXPECT_EQ(request(ZK_OUTPUT_REQUEST_DRAIN), ZK_ERROR_WRITE_FAILED);
    ASSERT_EQ(decoder_output_close(decoder_), 0);
    ASSERT_EQ(decoder_output_open(decoder_), 0);
    EXPECT_EQ(request(ZK_OUTPUT_REQUEST_DRAIN), 0) << "a new open starts clean";
    ASSERT_EQ(decoder_output_delete(decoder_), 0);

    ASSERT_EQ(open("raw:/dev/full"), 0);
    EXPECT_EQ(write({1, 2}), ZK_ERROR_WRITE_FAILED);
    EXPECT_EQ(request(ZK_OUTPUT_REQUEST_DRAIN), ZK_ERROR_WRITE_FAILED);
}

// A stream decoded with decoder_play into a WAV file holds the decoder's
// 16-bit output, within the standard's accuracy of the reference.
TEST_F(FileOutputTest, DecodedConformanceStreamAsWav) {
    zk::test::ConformanceStream stream;
    for (const auto& s : zk::test::conformance_streams())
        if (s.file == "layer2/l2-fl11.bit") stream = s;
    ASSERT_FALSE(stream.file.empty());

    ZK_InputModule input{};
    file_input_module_register(&input);
    decoder_input_module_register(decoder_, &input);
    ASSERT_EQ(decoder_input_new(decoder_, stream.bitstream_path().c_str(), -1), 0);
    ASSERT_EQ(decoder_input_open(decoder_), 0);
    ASSERT_EQ(decoder_output_new(decoder_, ("wav:" + path("l2.wav")).c_str(), 0), 0);
    ASSERT_EQ(decoder_output_open(decoder_), 0);
    int32_t result;
    while ((result = decoder_play(decoder_)) == 0) {
    }
    EXPECT_EQ(result, ZK_ERROR_INPUT_END);
    ASSERT_EQ(decoder_output_close(decoder_), 0);

    const std::vector<uint8_t> file = zk::test::read_file(path("l2.wav"));
    const size_t frames = size_t(stream.ref_frames) * stream.samples_per_frame;
    ASSERT_EQ(file.size(), 44 + frames * 4);
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 44),
              expected_wav_header(uint32_t(frames * 4), 2, uint32_t(stream.sample_rate)));
    std::vector<int16_t> decoded(frames * 2);
    std::memcpy(decoded.data(), file.data() + 44, frames * 4);
    const std::vector<int16_t> reference = zk::test::read_pcm16le(stream.reference_path());
    ASSERT_GE(reference.size(), decoded.size());
    EXPECT_TRUE(zk::test::compare_pcm(decoded.data(), reference.data(), decoded.size()).full_accuracy());
}

} // namespace
