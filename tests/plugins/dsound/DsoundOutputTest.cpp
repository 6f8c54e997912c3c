// The output instance on a device whose clock the test moves, and the
// module's device handling on the machine's devices.
#include "manual_device.h"
#include "module/dsound_output.h"
#include "module/named_mutex.h"
#include "zk_dsound_output.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace zk::dsound {
namespace {

using testing::ManualDevice;
using testing::play_bytes;
using testing::RecordingDecoder;

constexpr uint32_t kSecond = 176400; // bytes of a second at 44100 Hz stereo

// A table of manual devices, one per entry.
class ManualTable {
public:
    ManualTable()
        : table([this](int entry) {
              ++opened;
              auto device = std::make_unique<ManualDevice>();
              devices[entry] = device.get();
              return device;
          }) {}

    int opened = 0;
    ManualDevice* devices[DeviceTable::kEntries] = {};
    DeviceTable table;
};

class DsoundOutputTest : public ::testing::Test {
protected:
    void SetUp() override { recorder.set_window(); }

    std::unique_ptr<DsoundOutput> make(const char* name = "/dev/dsound/0") {
        auto output = std::make_unique<DsoundOutput>(recorder.decoder, 3, name, devices.table);
        EXPECT_EQ(output->create(), ZK_OK);
        return output;
    }

    static void set_format(DsoundOutput& output, int32_t rate = 44100, int32_t stereo = 1) {
        ZK_OutputControl format{};
        format.sample_size = 2;
        format.sample_rate = rate;
        format.stereo = stereo;
        output.set_control(format,
                           ZK_OUTPUT_REQUEST_SAMPLE_SIZE | ZK_OUTPUT_REQUEST_STEREO | ZK_OUTPUT_REQUEST_SAMPLE_RATE);
    }

    static void request(DsoundOutput& output, uint32_t bits, int32_t pcm_level = 0, int32_t balance = 0) {
        ZK_OutputControl control{};
        control.pcm_level = pcm_level;
        control.balance = balance;
        output.set_control(control, bits);
    }

    // Writes bytes of a constant sample value.
    static void write(DsoundOutput& output, uint32_t bytes, int16_t value = 1234) {
        std::vector<int16_t> samples(bytes / 2, value);
        ASSERT_EQ(output.write(samples.data(), bytes), static_cast<int32_t>(bytes));
    }

    // One update of our own; the monitor may be running one meanwhile.
    static void update(DsoundOutput& output) {
        while (!output.update_play_state()) std::this_thread::yield();
    }

    static uint32_t queued(const DsoundOutput& output) {
        return queued_bytes(output.write_cursor(), output.buffer()->play_cursor(), output.buffer()->size());
    }

    RecordingDecoder recorder;
    ManualTable devices;
};

TEST_F(DsoundOutputTest, NeedsTheWindowVariable) {
    decoder_unset_environment(recorder.decoder, "OUTPUT.DIRECTSOUND.WINDOW");
    DsoundOutput output(recorder.decoder, 3, "", devices.table);
    EXPECT_EQ(output.create(), ZK_ERROR_INVALID_PARAMETERS);
    ASSERT_EQ(recorder.debugs.size(), 1u);
    EXPECT_EQ(recorder.debugs[0].message, "DirectSound needs a window handle");
    EXPECT_EQ(devices.opened, 0);

    decoder_set_environment_integer(recorder.decoder, "OUTPUT.DIRECTSOUND.WINDOW", 0);
    DsoundOutput zero(recorder.decoder, 3, "", devices.table);
    EXPECT_EQ(zero.create(), ZK_ERROR_INVALID_PARAMETERS);
}

TEST_F(DsoundOutputTest, InstancesOnOneDeviceShareIt) {
    auto last = make("/dev/dsound/8");
    EXPECT_EQ(last->device(), devices.devices[9]);
    DsoundOutput beyond(recorder.decoder, 3, "/dev/dsound/9", devices.table);
    EXPECT_EQ(beyond.create(), ZK_ERROR_NO_SUCH_OUTPUT_DEVICE);

    auto one = make();
    auto two = make();
    EXPECT_EQ(devices.opened, 2);
    EXPECT_EQ(one->device(), two->device());
    EXPECT_EQ(devices.table.users(1), 2);
    one.reset();
    EXPECT_EQ(devices.table.users(1), 1);
    set_format(*two);
    EXPECT_NE(two->buffer(), nullptr);
    two.reset();
    EXPECT_EQ(devices.table.users(1), 0);
    make();
    EXPECT_EQ(devices.opened, 3);
}

TEST_F(DsoundOutputTest, BufferSizeAndMarksFollowTheFormat) {
    auto output = make();
    EXPECT_EQ(output->buffer(), nullptr);
    int16_t samples[4] = {};
    EXPECT_EQ(output->write(samples, sizeof samples), ZK_ERROR_INTERNAL) << "no format yet";
    set_format(*output);
    ASSERT_NE(output->buffer(), nullptr);
    EXPECT_EQ(output->buffer()->size(), 352800u);
    EXPECT_EQ(output->marks().start, 88200u);
    EXPECT_EQ(output->marks().high, 264600u);
    EXPECT_EQ(output->marks().low, 44100u);

    set_format(*output, 22050, 0);
    EXPECT_EQ(output->buffer()->size(), 88200u);
    EXPECT_EQ(output->buffer()->format().channels, 1u);
    EXPECT_EQ(devices.devices[1]->buffers_made, 2);
}

TEST_F(DsoundOutputTest, PlayStatesFollowTheClock) {
    auto output = make();
    set_format(*output);
    LoopingBuffer& buffer = *output->buffer();

    write(*output, 88200);
    update(*output);
    EXPECT_EQ(output->play_state(), PlayState::Idle);
    EXPECT_FALSE(buffer.playing());

    write(*output, 4);
    update(*output);
    EXPECT_EQ(output->play_state(), PlayState::Playing);
    EXPECT_TRUE(buffer.playing());

    write(*output, 264600 - 88204);
    update(*output);
    EXPECT_EQ(output->play_state(), PlayState::Full);

    // The clock plays down to just under the low mark: a second of silence
    // is appended after the data.
    play_bytes(buffer, 264600 - 44096);
    update(*output);
    EXPECT_EQ(output->play_state(), PlayState::Draining);
    EXPECT_EQ(queued(*output), 44096u + kSecond);

    // The data plays out; the silence keeps the state until it has begun.
    play_bytes(buffer, 44096);
    update(*output);
    EXPECT_EQ(output->play_state(), PlayState::Draining);
    play_bytes(buffer, 4);
    update(*output);
    EXPECT_EQ(output->play_state(), PlayState::Idle);
    EXPECT_FALSE(buffer.playing());
    EXPECT_EQ(output->write_cursor(), 0u);
    EXPECT_EQ(buffer.play_cursor(), 0u);
}

TEST_F(DsoundOutputTest, AppendedSilenceIsZeros) {
    auto output = make();
    set_format(*output);
    LoopingBuffer& buffer = *output->buffer();
    write(*output, 88204, 0x5555);
    update(*output);
    play_bytes(buffer, 88204 - 40000);
    update(*output);
    ASSERT_EQ(output->play_state(), PlayState::Draining);
    std::vector<int16_t> played(40000 / 2 + kSecond / 2);
    PlaybackSettings settings;
    ASSERT_EQ(buffer.take(played.data(), played.size() / 2, settings), played.size() / 2);
    for (size_t i = 0; i < played.size(); ++i) ASSERT_EQ(played[i], i < 20000 ? 0x5555 : 0) << i;
}

TEST_F(DsoundOutputTest, LargeWritesNeverOvertakeThePlayCursor) {
    auto output = make();
    set_format(*output);
    // More than the free space at once: the writer copies in pieces and
    // waits for room as the clock plays.
    std::vector<int16_t> samples(300000 / 2, 77);
    std::thread clock([&] {
        while (output->write_cursor() < 264600) std::this_thread::yield();
        play_bytes(*output->buffer(), 100000);
    });
    EXPECT_EQ(output->write(samples.data(), 300000), 300000);
    clock.join();
    EXPECT_EQ(output->write_cursor(), 300000u);
    EXPECT_EQ(output->buffer()->play_cursor(), 100000u);
}

TEST_F(DsoundOutputTest, PausedFullBufferTakesNoMore) {
    auto output = make();
    set_format(*output);
    write(*output, 264600);
    update(*output);
    update(*output);
    ASSERT_EQ(output->play_state(), PlayState::Full);
    request(*output, ZK_OUTPUT_REQUEST_PAUSE);
    int16_t samples[2] = {};
    EXPECT_EQ(output->write(samples, sizeof samples), 0);
    request(*output, ZK_OUTPUT_REQUEST_RESUME);
    EXPECT_TRUE(output->buffer()->playing());
}

TEST_F(DsoundOutputTest, ResetStopsAndEmptiesTheBuffer) {
    auto output = make();
    set_format(*output);
    write(*output, 100000, 99);
    update(*output);
    play_bytes(*output->buffer(), 1000);
    ASSERT_TRUE(output->buffer()->playing());
    request(*output, ZK_OUTPUT_REQUEST_RESET);
    EXPECT_FALSE(output->buffer()->playing());
    EXPECT_EQ(output->play_state(), PlayState::Idle);
    EXPECT_EQ(output->write_cursor(), 0u);
    EXPECT_EQ(output->buffer()->play_cursor(), 0u);
    // A resume of the idle buffer waits for data instead of looping over zeros.
    request(*output, ZK_OUTPUT_REQUEST_RESUME);
    EXPECT_FALSE(output->buffer()->playing());
}

TEST_F(DsoundOutputTest, DrainStartsAShortStreamAndPlaysItOut) {
    auto output = make();
    set_format(*output);
    write(*output, 20000);
    std::thread clock([&] {
        // Plays what is queued, never beyond it, until the buffer stops.
        while (!output->buffer()->playing()) std::this_thread::yield();
        while (output->buffer()->playing()) {
            if (queued(*output) >= 4000) play_bytes(*output->buffer(), 4000);
            std::this_thread::yield();
        }
    });
    request(*output, ZK_OUTPUT_REQUEST_DRAIN);
    clock.join();
    EXPECT_EQ(output->play_state(), PlayState::Idle);
    EXPECT_TRUE(recorder.has_debug("DirectSound buffer played out"));
}

// The lock of the device table is a lock file: a process that died holding
// it does not keep others waiting.
TEST(DsoundNamedMutex, AHolderThatDiedReleasesIt) {
    const std::string name = "zk-dsound-test-" + std::to_string(getpid());
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        NamedMutex mutex(name.c_str());
        const char taken = mutex.lock() ? 1 : 0;
        (void)!write(ready[1], &taken, 1);
        _exit(0); // dies holding it
    }
    char taken = 0;
    ASSERT_EQ(read(ready[0], &taken, 1), 1);
    ASSERT_EQ(taken, 1);
    waitpid(child, nullptr, 0);
    NamedMutex mutex(name.c_str());
    EXPECT_TRUE(mutex.lock());
    mutex.unlock();
    close(ready[0]);
    close(ready[1]);
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::remove(
        ((runtime && *runtime ? std::string(runtime) : "/tmp") + "/" + name + "-" + std::to_string(getuid()) + ".lock")
            .c_str());
}

TEST_F(DsoundOutputTest, LevelsBalanceAndMute) {
    auto output = make();
    ZK_OutputControl control{};
    output->get_control(control, ZK_OUTPUT_REQUEST_PCM_LEVEL);
    EXPECT_EQ(control.pcm_level, 100);
    request(*output, ZK_OUTPUT_REQUEST_PCM_LEVEL, 10); // without a buffer: ignored

    set_format(*output);
    LoopingBuffer& buffer = *output->buffer();
    request(*output, ZK_OUTPUT_REQUEST_PCM_LEVEL, 50);
    EXPECT_EQ(buffer.volume(), -999);
    control = {};
    output->get_control(control,
                        ZK_OUTPUT_REQUEST_PCM_LEVEL | ZK_OUTPUT_REQUEST_BALANCE | ZK_OUTPUT_REQUEST_MASTER_LEVEL);
    EXPECT_EQ(control.pcm_level, 91);
    EXPECT_EQ(control.balance, 50);
    EXPECT_EQ(control.master_level, 0); // not reported

    request(*output, ZK_OUTPUT_REQUEST_BALANCE, 0, 0);
    EXPECT_EQ(buffer.pan(), -10000);

    request(*output, ZK_OUTPUT_REQUEST_MUTE);
    request(*output, ZK_OUTPUT_REQUEST_MUTE); // twice keeps the saved volume
    EXPECT_EQ(buffer.volume(), -10000);
    // A level set while muted is heard once unmuted.
    request(*output, ZK_OUTPUT_REQUEST_PCM_LEVEL, 50);
    EXPECT_EQ(buffer.volume(), -10000);
    request(*output, ZK_OUTPUT_REQUEST_UNMUTE);
    EXPECT_EQ(buffer.volume(), -999);
    request(*output, ZK_OUTPUT_REQUEST_UNMUTE); // not muted: nothing changes
    EXPECT_EQ(buffer.volume(), -999);
}

TEST_F(DsoundOutputTest, PitchSetsTheFrequency) {
    auto output = make();
    set_format(*output);
    LoopingBuffer& buffer = *output->buffer();
    decoder_set_environment_integer(recorder.decoder, "OUTPUT.DIRECTSOUND.PITCH", 2000);
    EXPECT_EQ(buffer.frequency(), 88200u);
    decoder_unset_environment(recorder.decoder, "OUTPUT.DIRECTSOUND.PITCH");
    EXPECT_EQ(buffer.frequency(), 44100u);

    // Beyond what the device can play: the frequency stays, with a report.
    decoder_set_environment_integer(recorder.decoder, "OUTPUT.DIRECTSOUND.PITCH", -1);
    EXPECT_EQ(buffer.frequency(), 44100u);
    EXPECT_TRUE(recorder.has_debug("pitch not supported"));

    // A new buffer plays at the pitch already set.
    decoder_set_environment_integer(recorder.decoder, "OUTPUT.DIRECTSOUND.PITCH", 500);
    set_format(*output, 22050, 1);
    EXPECT_EQ(output->buffer()->frequency(), 11025u);
}

TEST_F(DsoundOutputTest, BadFormatReportsTheBufferFailure) {
    auto output = make();
    set_format(*output, 0);
    EXPECT_EQ(output->buffer(), nullptr);
    ASSERT_EQ(recorder.errors.size(), 1u);
    EXPECT_EQ(recorder.errors[0].message, "Direct Sound Error");
    EXPECT_EQ(recorder.errors[0].detail.rfind("Cannot Create Secondary Buffer \nDirect Sound Error ", 0), 0u);
    // A later good format still makes a buffer.
    set_format(*output);
    EXPECT_NE(output->buffer(), nullptr);
}

TEST_F(DsoundOutputTest, LostBufferIsRestoredAndReportedOnce) {
    auto output = make();
    set_format(*output);
    output->buffer()->mark_lost();
    write(*output, 400, 5);
    EXPECT_FALSE(output->buffer()->lost());
    EXPECT_EQ(output->write_cursor(), 400u);
    write(*output, 400);
    write(*output, 400);
    ASSERT_EQ(recorder.errors.size(), 1u);
    EXPECT_EQ(recorder.errors[0].detail.rfind("Buffer Lost \nDirect Sound Error ", 0), 0u);
}

// The module on the machine's devices (the silent device under ZELKOR_AUDIO=null).
TEST(DsoundModule, RecordProbeAndQuery) {
    ZK_OutputModule module{};
    ASSERT_EQ(dsound_output_module_register(&module), ZK_OK);
    EXPECT_EQ(dsound_output_module_register(nullptr), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(module.probe(""), 0);
    EXPECT_EQ(module.probe("/dev/dsound/3"), 0);
    EXPECT_NE(module.probe("/dev/wave/0"), 0);

    ZK_ModuleInfo info{};
    ASSERT_EQ(module.query(&info, ZK_MODULE_QUERY_DEVICE_COUNT), ZK_OK);
    const int32_t count = info.index_or_count;
    ASSERT_GE(count, 2); // the default device and the silent device at least
    info.index_or_count = 0;
    ASSERT_EQ(module.query(&info, ZK_MODULE_QUERY_DEVICE), ZK_OK);
    EXPECT_STREQ(info.name, "/dev/dsound/0");
    EXPECT_EQ(info.flags, 2u);
    EXPECT_NE(std::string(info.description).find(" :"), std::string::npos);
    info.index_or_count = count - 1;
    ASSERT_EQ(module.query(&info, ZK_MODULE_QUERY_DEVICE), ZK_OK);
    EXPECT_EQ(info.flags, 0u);
    info.index_or_count = count;
    EXPECT_EQ(module.query(&info, ZK_MODULE_QUERY_DEVICE), ZK_ERROR_INVALID_PARAMETERS);
}

TEST(DsoundModule, DevicesBeyondTheListCannotBeOpened) {
    ZK_OutputModule module{};
    dsound_output_module_register(&module);
    RecordingDecoder recorder;
    recorder.set_window();
    ZK_ModuleInfo info{};
    module.query(&info, ZK_MODULE_QUERY_DEVICE_COUNT);
    if (info.index_or_count >= 9) GTEST_SKIP() << "this machine lists nine devices or more";
    void* instance = nullptr;
    EXPECT_EQ(module.new_instance(&instance, "/dev/dsound/8", 0, recorder.decoder), ZK_FAILURE);
    EXPECT_EQ(DeviceTable::shared().users(9), 0);
    EXPECT_EQ(module.new_instance(&instance, "/dev/dsound/9", 0, recorder.decoder), ZK_ERROR_NO_SUCH_OUTPUT_DEVICE);

    ASSERT_EQ(module.new_instance(&instance, "/dev/dsound/10", 0, recorder.decoder), ZK_OK);
    EXPECT_EQ(DeviceTable::shared().users(0), 1);
    module.delete_instance(instance);
    EXPECT_EQ(DeviceTable::shared().users(0), 0);
}

} // namespace
} // namespace zk::dsound
