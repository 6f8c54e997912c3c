// The player writing a WAV file onto a disk that fills: the file output
// reports it, the player neither hangs nor stops answering, and the file
// keeps a valid header over the samples that were written in full.
#include "engine/faults/fault_player.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

using zk::test::PlayerClient;

// The process's file size limit lowered for a scope: writes beyond it fail
// with EFBIG, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_handler_);
    }
    bool active() const { return active_; }

private:
    rlimit saved_{};
    void (*previous_handler_)(int) = nullptr;
    bool active_ = false;
};

uint32_t le32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}

// Plays the demo track into a WAV file until the track ends (at the end of
// the input, or stopped by a failed write), then closes the file; the
// player's error notifications.
std::vector<zk::test::Notification> record(const std::string& path) {
    PlayerClient client;
    const std::string name = "wav:" + path;
    control_message_send_I(client.channel(), ZK_MSG_SET_PLAYER_MODE, ZK_PLAYER_MODE_CLOSE_OUTPUT_ON_EOF);
    control_message_send_S(client.channel(), ZK_MSG_SET_OUTPUT_NAME, name.c_str());
    control_message_send_S(client.channel(), ZK_MSG_COMMAND_INPUT_OPEN, TAERIN_DEMO_TRACK);
    control_message_send_N(client.channel(), ZK_MSG_COMMAND_PLAY);
    EXPECT_EQ(client.result_of(ZK_MSG_COMMAND_PLAY, 30000), 0);
    EXPECT_TRUE(zk::test::wait_until(
        client, [&] { return zk::test::last_player_state(client) != ZK_PLAYER_STATE_PLAYING; }, 120000))
        << "the track ends";
    control_message_send_N(client.channel(), ZK_MSG_COMMAND_OUTPUT_CLOSE);
    client.result_of(ZK_MSG_COMMAND_OUTPUT_CLOSE, 30000);
    // Still answering after the failure.
    control_message_send_I(client.channel(), ZK_MSG_COMMAND_PING, 1);
    EXPECT_EQ(client.result_of(ZK_MSG_COMMAND_PING, 30000), 0);
    return zk::test::errors(client);
}

TEST(DiskFaults, AFullDiskIsReportedOnceAndTheWavWrittenSoFarStaysValid) {
    const std::string whole_path = testing::TempDir() + "faults_whole.wav";
    const std::string cut_path = testing::TempDir() + "faults_cut.wav";
    EXPECT_TRUE(record(whole_path).empty());
    const std::vector<uint8_t> whole = zk::test::read_file(whole_path);
    ASSERT_GT(whole.size(), 1000000u);

    constexpr rlim_t kRoom = 100001; // ends within a frame's samples
    std::vector<zk::test::Notification> reported;
    {
        FileSizeLimit limit(kRoom);
        ASSERT_TRUE(limit.active());
        reported = record(cut_path);
    }
    // The file output's report, then the track's end on it; not one per frame.
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[0].message.error.code, ZK_ERROR_WRITE_FAILED);
    EXPECT_NE(reported[0].text.find(std::strerror(EFBIG)), std::string::npos) << reported[0].text;
    EXPECT_EQ(reported[1].message.error.code, ZK_ERROR_WRITE_FAILED);

    const std::vector<uint8_t> cut = zk::test::read_file(cut_path);
    ASSERT_GE(cut.size(), 44u);
    EXPECT_LE(cut.size(), kRoom);
    // The header is the whole file's but for the sizes, which count only the
    // samples written in full: whole stereo frames, all in the file.
    EXPECT_TRUE(std::equal(cut.begin(), cut.begin() + 4, whole.begin()));
    EXPECT_TRUE(std::equal(cut.begin() + 8, cut.begin() + 40, whole.begin() + 8));
    const uint32_t data_size = le32(cut, 40);
    EXPECT_EQ(le32(cut, 4), 36 + data_size);
    EXPECT_EQ(data_size % 4, 0u);
    EXPECT_GT(data_size, kRoom - 44 - 2 * 4608);
    ASSERT_LE(44 + size_t{data_size}, cut.size());
    EXPECT_TRUE(std::equal(cut.begin() + 44, cut.begin() + 44 + data_size, whole.begin() + 44))
        << "the samples are those of the whole file";
    std::remove(whole_path.c_str());
    std::remove(cut_path.c_str());
}

} // namespace
