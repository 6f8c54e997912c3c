#include "input_fixture.h"

#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>

namespace zk::test {
namespace {

class FileInput : public InputTest {
protected:
    void SetUp() override {
        InputTest::SetUp();
        ASSERT_EQ(register_file_input(), 0);
    }
    int32_t open(const std::string& path) {
        const int32_t result = decoder_input_new(decoder, path.c_str(), -1);
        return result ? result : decoder_input_open(decoder);
    }
};

TEST_F(FileInput, OpenFailuresGiveTheirCodesAndTexts) {
    EXPECT_EQ(open(temp_path("missing.mp3")), ZK_ERROR_NO_SUCH_FILE);
    EXPECT_EQ(last_debug(), "cannot open input file: file not found");

    const std::string directory = temp_path("folder.mp3");
    std::filesystem::create_directory(directory);
    EXPECT_EQ(open(directory), ZK_ERROR_OPEN_FAILED);
    EXPECT_EQ(last_debug(), "cannot open input file: Is a directory");
    EXPECT_EQ(decoder->input->state, 0);

    if (::geteuid() != 0) { // root reads anything
        const std::string locked = temp_file("locked.mp3", {1, 2, 3});
        ::chmod(locked.c_str(), 0);
        EXPECT_EQ(open(locked), ZK_ERROR_PERMISSION_DENIED);
        EXPECT_EQ(last_debug(), "cannot open input file: permission denied");
    }
}

TEST_F(FileInput, NamedPipeWithoutAWriterEndsInsteadOfBlocking) {
    const std::string fifo = temp_path("pipe.mp3");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(open(fifo), 0);
    EXPECT_EQ(decoder->input->caps, 0u);
    uint8_t byte;
    EXPECT_EQ(decoder_input_read(decoder, &byte, 1), ZK_ERROR_INPUT_END);
}

TEST_F(FileInput, ReadsExactCountsAndEndsBeforeAShortTail) {
    ASSERT_EQ(open(temp_file("ten", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9})), 0);
    uint8_t bytes[8];
    EXPECT_EQ(decoder_input_read(decoder, bytes, 8), 8);
    EXPECT_EQ(bytes[7], 7);
    EXPECT_EQ(decoder_input_read(decoder, bytes, 8), ZK_ERROR_INPUT_END);
    EXPECT_EQ(decoder_input_read(decoder, bytes, 0), 0);

    ASSERT_EQ(open(temp_file("empty", {})), 0);
    EXPECT_EQ(decoder->input->size, 0u);
    EXPECT_EQ(decoder_input_read(decoder, bytes, 1), ZK_ERROR_INPUT_END);
}

TEST_F(FileInput, SeeksClampAndSetPositionAndTimecode) {
    ASSERT_EQ(open(temp_file("thousand", std::vector<uint8_t>(1000, 0))), 0);
    ASSERT_EQ(decoder->input->size, 1000u);
    EXPECT_EQ(decoder_input_seek_to_offset(decoder, 1100), 0);
    EXPECT_EQ(decoder->input->offset, 1000u);
    EXPECT_FLOAT_EQ(decoder->status->position, 1.0f);
    uint8_t byte;
    EXPECT_EQ(decoder_input_read(decoder, &byte, 1), ZK_ERROR_INPUT_END);

    decoder->input->duration = 300;
    ASSERT_EQ(decoder_input_seek_to_time(decoder, 30.0), 0);
    EXPECT_EQ(decoder->input->offset, 100u);
    EXPECT_FLOAT_EQ(decoder->input->position, 0.1f);
    EXPECT_EQ(decoder->status->timecode.seconds, 30);

    decoder->input->duration = 125;
    const ZK_Timecode timecode{0, 1, 2, 50}; // 62.5 s
    ASSERT_EQ(decoder_input_seek_to_timecode(decoder, &timecode), 0);
    EXPECT_EQ(decoder->input->offset, 500u);
    EXPECT_EQ(decoder->input->timecode.minutes, 1);
    EXPECT_EQ(decoder->input->timecode.seconds, 2);
    EXPECT_EQ(decoder->input->timecode.hundredths, 50);
    EXPECT_EQ(decoder_input_seek_to_timecode(decoder, nullptr), ZK_ERROR_INVALID_PARAMETERS);

    // Out of range, not a number, or without a duration: clamped.
    const auto offset_after = [&](auto seek) { return seek() == 0 ? decoder->input->offset : 9999u; };
    EXPECT_EQ(offset_after([&] { return decoder_input_seek_to_time(decoder, -5.0); }), 0u);
    EXPECT_EQ(offset_after([&] { return decoder_input_seek_to_time(decoder, NAN); }), 0u);
    EXPECT_EQ(offset_after([&] { return decoder_input_seek_to_position(decoder, 0.25f); }), 250u);
    EXPECT_EQ(offset_after([&] { return decoder_input_seek_to_position(decoder, 7.0f); }), 1000u);
    decoder->input->duration = 0;
    EXPECT_EQ(offset_after([&] { return decoder_input_seek_to_time(decoder, 30.0); }), 0u);

    ASSERT_EQ(decoder_input_close(decoder), 0);
    EXPECT_EQ(decoder_input_seek_to_offset(decoder, 10), ZK_ERROR_INTERNAL);
}

// Standard input replaced by a pipe for the duration of a test.
class PipedStandardInput {
public:
    explicit PipedStandardInput(const std::vector<uint8_t>& bytes) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        saved_ = ::dup(STDIN_FILENO);
        ::dup2(fds[0], STDIN_FILENO);
        ::close(fds[0]);
        ok_ = ::write(fds[1], bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        ::close(fds[1]);
    }
    ~PipedStandardInput() {
        ::dup2(saved_, STDIN_FILENO);
        ::close(saved_);
    }
    bool ok() const { return ok_; }

private:
    int saved_ = -1;
    bool ok_ = false;
};

TEST_F(FileInput, StandardInputCannotSeekAndSkipsALeadingTagAsItReads) {
    std::vector<uint8_t> bytes = {'I', 'D', '3', 4, 0, 0x10, 0, 0, 0, 5, 9, 9, 9, 9, 9};
    bytes.insert(bytes.end(), {'3', 'D', 'I', 'F', 'o', 'o', 't', 'e', 'r', '!'}); // footer
    bytes.insert(bytes.end(), {0xFF, 0xFB, 0x90, 0x64, 1, 2, 3});
    PipedStandardInput input(bytes);
    ASSERT_TRUE(input.ok());
    ASSERT_EQ(open("-"), 0);
    EXPECT_EQ(decoder->input->caps, 0u);
    EXPECT_EQ(decoder->input->size, 0u);
    EXPECT_EQ(decoder_input_seek_to_offset(decoder, 0), ZK_FAILURE);
    uint8_t first[4];
    ASSERT_EQ(decoder_input_read(decoder, first, 4), 4);
    EXPECT_EQ(first[0], 0xFF);
    EXPECT_EQ(first[3], 0x64);
    EXPECT_EQ(decoder->input->offset, 4u);
    ASSERT_EQ(decoder_input_close(decoder), 0);
}

TEST_F(FileInput, StandardInputWithoutATagDeliversEveryByte) {
    const std::vector<uint8_t> bytes = {'I', 'D', '4', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    PipedStandardInput input(bytes);
    ASSERT_TRUE(input.ok());
    ASSERT_EQ(open("-"), 0);
    uint8_t got[12];
    ASSERT_EQ(decoder_input_read(decoder, got, 12), 12);
    EXPECT_EQ(std::vector<uint8_t>(got, got + 12), std::vector<uint8_t>(bytes.begin(), bytes.begin() + 12));
    EXPECT_EQ(decoder_input_read(decoder, got, 4), ZK_ERROR_INPUT_END);
}

TEST_F(FileInput, TagThatClaimsMoreThanTheFileIsNotSkipped) {
    std::vector<uint8_t> bytes = {'I', 'D', '3', 3, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F};
    bytes.resize(200, 0);
    ASSERT_EQ(open(temp_file("bigtag", bytes)), 0);
    EXPECT_EQ(decoder->input->size, 200u);
    uint8_t got[3];
    ASSERT_EQ(decoder_input_read(decoder, got, 3), 3);
    EXPECT_EQ(got[0], 'I');
}

} // namespace
} // namespace zk::test
