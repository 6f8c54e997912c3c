// TLxZelkorPlayer over the real engine carried in the program's resources.
#include "player/binding/LxZelkorPlayer.h"

#include "player/binding/BindingTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// Logs every event of a binding as one line of text.
class EventLog {
public:
    explicit EventLog(TLxZelkorPlayer& player) : m_player(player) {
        auto line = [this](const QString& text) { lines << text; };
        player.OnNotifyMessage = [this](QObject* sender, ZK_Message& msg) {
            EXPECT_EQ(sender, &m_player);
            codes.push_back(msg.code);
        };
        player.OnNotifyReady = [line](QObject*) { line("ready"); };
        player.OnNotifyAck = [line](QObject*, uint8_t command) { line(QString("ack %1").arg(command)); };
        player.OnNotifyNack = [line](QObject*, uint8_t command, int16_t code) {
            line(QString("nack %1 %2").arg(command).arg(code));
        };
        player.OnNotifyPong = [line](QObject*, uint32_t tag) { line(QString("pong %1").arg(tag)); };
        player.OnNotifyExited = [line](QObject*) { line("exited"); };
        player.OnNotifyPlayerState = [line](QObject*, int32_t state) { line(QString("player state %1").arg(state)); };
        player.OnNotifyPlayerMode = [line](QObject*, int32_t mode) { line(QString("player mode %1").arg(mode)); };
        player.OnNotifyPlayerEnvironmentInteger = [line](QObject*, const QString& name, int32_t value) {
            line(QString("integer %1 %2").arg(name).arg(value));
        };
        player.OnNotifyPlayerEnvironmentString = [line](QObject*, const QString& name, const QString& value) {
            line(QString("string %1 %2").arg(name, value));
        };
        player.OnNotifyInputState = [line](QObject*, int32_t state) { line(QString("input state %1").arg(state)); };
        player.OnNotifyInputName = [line](QObject*, const QString& name) { line("input name " + name); };
        player.OnNotifyInputCaps = [line](QObject*, uint32_t caps) { line(QString("input caps %1").arg(caps)); };
        player.OnNotifyInputPosition = [this](QObject*, uint32_t offset, uint32_t range) {
            positions.push_back(offset);
            EXPECT_EQ(range, 400u);
        };
        player.OnNotifyInputPositionRange = [line](QObject*, int32_t range) {
            line(QString("position range %1").arg(range));
        };
        player.OnNotifyInputTimecode = [this](QObject*, uint8_t, uint8_t, uint8_t, uint8_t) { ++timecodes; };
        player.OnNotifyInputTimecodeGranularity = [line](QObject*, uint32_t granularity) {
            line(QString("granularity %1").arg(granularity));
        };
        player.OnNotifyInputDuration = [this, line](QObject*, uint32_t duration) {
            this->duration = duration;
            line("duration");
        };
        player.OnNotifyInputStreamInfo = [this, line](QObject*, uint8_t level, uint8_t layer, uint16_t bitrate,
                                                      uint16_t frequency, uint8_t) {
            streamInfo = {level, layer, bitrate, frequency};
            line("stream info");
        };
        player.OnNotifyInputModule = [line](QObject*, int16_t id) { line(QString("input module %1").arg(id)); };
        player.OnNotifyInputModuleInfo = [line](QObject*, uint8_t id, uint8_t, const QString& name, const QString&) {
            EXPECT_FALSE(name.isEmpty());
            line(QString("input module info %1").arg(id));
        };
        player.OnNotifyInputDeviceInfo = [](QObject*, uint8_t, uint8_t, uint8_t, const QString&, const QString&) {};
        player.OnNotifyOutputState = [line](QObject*, int32_t state) { line(QString("output state %1").arg(state)); };
        player.OnNotifyOutputChannels = [line](QObject*, uint8_t channels) {
            line(QString("channels %1").arg(channels));
        };
        player.OnNotifyCodecEqualizer = [line](QObject*, const ZK_EqualizerInfo& bands) {
            line(QString("equalizer %1 %2").arg(bands.left[0]).arg(bands.right[31]));
        };
        player.OnNotifyNotificationMask = [line](QObject*, uint32_t mask) {
            line(QString("mask %1").arg(mask, 0, 16));
        };
        player.OnNotifyDebugLevel = [line](QObject*, uint8_t level) { line(QString("debug level %1").arg(level)); };
    }

    // Processes events until the line has arrived.
    bool WaitFor(const QString& text) {
        return ProcessEventsUntil([&] { return lines.contains(text); });
    }
    // Processes events until count lines have arrived.
    bool WaitForLines(qsizetype count) {
        return ProcessEventsUntil([&] { return lines.size() >= count; });
    }

    QStringList lines;
    std::vector<uint32_t> codes;
    std::vector<uint32_t> positions;
    int timecodes = 0;
    uint32_t duration = 0;
    std::vector<int> streamInfo;

private:
    TLxZelkorPlayer& m_player;
};

QString DemoTrack() { return QString::fromUtf8(TAERIN_DEMO_TRACK); }

void WriteRecord(TLxZelkorPlayer& player, uint32_t number) {
    const ZK_PortRecord record{number, 0, 0, 0};
    ASSERT_EQ(write(static_cast<int>(player.NotifyWindow()), &record, sizeof record),
              static_cast<ssize_t>(sizeof record));
}

// Runs a private runtime directory for the libraries, checked empty afterwards.
class ZelkorPlayerTest : public ::testing::Test {
protected:
    QTemporaryDir runtime;
    ScopedEnvironment xdg{"XDG_RUNTIME_DIR", QFile::encodeName(runtime.path())};
};

} // namespace

TEST_F(ZelkorPlayerTest, LoadsTheEmbeddedEngineWhosePlayerSaysReadyFirstAndExitsCleanly) {
    {
        TLxZelkorPlayer player(nullptr);
        EventLog log(player);
        EXPECT_NE(player.LibraryHandle(), nullptr);
        EXPECT_NE(player.PlayerChannel(), nullptr);
        EXPECT_GE(player.NotifyWindow(), 0);
        const QFileInfo decoder(player.DecoderFile());
        EXPECT_EQ(QFileInfo(decoder.absolutePath()).absolutePath(), runtime.path());
        EXPECT_TRUE(decoder.exists());
        ASSERT_TRUE(log.WaitFor("ready"));
        EXPECT_EQ(log.codes.front(), static_cast<uint32_t>(ZK_MSG_NOTIFY_READY));
        EXPECT_EQ(player.ErrorString(ZK_ERROR_INPUT_END), "input end");

        // An exited player is still deleted cleanly.
        EXPECT_EQ(player.Exit(), 0);
        ASSERT_TRUE(log.WaitFor("exited"));
        EXPECT_EQ(Joined(log.lines), "ready | exited");
    }
    EXPECT_TRUE(DirectoryEntries(runtime.path()).isEmpty());
}

TEST_F(ZelkorPlayerTest, InputOpenNotifiesStateNameCapsDurationAndStreamInfoBeforeItsAck) {
    TLxZelkorPlayer player(nullptr);
    EventLog log(player);
    ASSERT_TRUE(log.WaitFor("ready"));
    EXPECT_EQ(player.InputOpen(DemoTrack()), 0);
    ASSERT_TRUE(log.WaitFor("ack 7"));
    EXPECT_EQ(Joined(log.lines), Joined({"ready", "input state 0", "input name " + DemoTrack(), "input caps 1",
                                         "duration", "stream info", "ack 7"}));
    EXPECT_GT(log.duration, 0u);
    ASSERT_EQ(log.streamInfo.size(), 4u);
    EXPECT_GE(log.streamInfo[1], 1);
    EXPECT_LE(log.streamInfo[1], 3);
    EXPECT_GT(log.streamInfo[2], 0);
    EXPECT_GT(log.streamInfo[3], 0);
}

// The command methods send their codes and arguments in every form.
TEST_F(ZelkorPlayerTest, CommandsReachThePlayerWithTheirArguments) {
    TLxZelkorPlayer player(nullptr);
    EventLog log(player);
    ASSERT_TRUE(log.WaitFor("ready"));
    ZK_EqualizerInfo bands{};
    bands.left[0] = -20;
    bands.right[31] = 12;

    player.Pause();
    player.InputSeek(5, 0);
    player.Ping(0xCAFE);
    player.SetInputModule(-2);
    player.SetPlayerMode(ZK_PLAYER_MODE_CLOSE_OUTPUT_ON_EOF);
    player.GetPlayerMode();
    player.SetPlayerEnvironmentInteger("TEST.NUMBER", -5);
    player.GetPlayerEnvironmentInteger("TEST.NUMBER");
    player.SetPlayerEnvironmentString("TEST.TEXT", "some value");
    player.GetPlayerEnvironmentString("TEST.TEXT");
    player.UnsetPlayerEnvironment("TEST.TEXT");
    player.GetPlayerEnvironmentString("TEST.TEXT");
    player.SetInputPositionRange(400);
    player.GetInputPositionRange();
    player.SetInputTimecodeGranularity(25);
    player.GetInputTimecodeGranularity();
    player.GetInputModule();
    player.SetCodecEqualizer(&bands);
    player.GetCodecEqualizer();
    player.SetNotificationMask(ZK_NOTIFY_MASK_ALL);
    player.GetNotificationMask();
    player.SetDebugLevel(0);
    player.GetDebugLevel();
    player.InputModuleRegister("libno-such-module.so");
    player.InputAddFilter("", 0);
    player.InputModuleQuery(0);
    player.Ping(1);
    const QStringList expected{"ready",
                               "nack 4 -102",
                               "nack 6 -101",
                               "pong 51966",
                               "ack 2",
                               "nack 38 -507",
                               "ack 29",
                               "player mode 4",
                               "ack 30",
                               "ack 31",
                               "integer TEST.NUMBER -5",
                               "ack 32",
                               "ack 33",
                               "string TEST.TEXT some value",
                               "ack 34",
                               "ack 35",
                               "nack 34 -800",
                               "ack 40",
                               "position range 400",
                               "ack 41",
                               "ack 42",
                               "granularity 25",
                               "ack 43",
                               "input module -1",
                               "ack 39",
                               "ack 56",
                               "equalizer -20 12",
                               "ack 57",
                               "ack 58",
                               "mask ffffffff",
                               "ack 59",
                               "ack 60",
                               "debug level 0",
                               "ack 61",
                               "nack 13 -700",
                               "nack 10 -101",
                               "input module info 0",
                               "ack 14",
                               "pong 1",
                               "ack 2"};
    ASSERT_TRUE(log.WaitForLines(expected.size()));
    EXPECT_EQ(Joined(log.lines), Joined(expected));
}

TEST_F(ZelkorPlayerTest, FeedbackEventAndUnrelatedRecordsReachOnlyTheMessageHandler) {
    TLxZelkorPlayer player(nullptr);
    EventLog log(player);
    ASSERT_TRUE(log.WaitFor("ready"));
    const std::vector<uint32_t> silent = {93, 104, 105, 106, 107, 108, 109, 110};
    for (uint32_t code : silent) WriteRecord(player, ZK_WINDOW_MESSAGE_BASE + code);
    WriteRecord(player, 0x0400);
    WriteRecord(player, ZK_WINDOW_MESSAGE_BASE + ZK_MSG_COUNT);
    player.Ping(2);
    ASSERT_TRUE(log.WaitFor("ack 2"));
    EXPECT_EQ(Joined(log.lines), Joined({"ready", "pong 2", "ack 2"}));
    std::vector<uint32_t> expected = {ZK_MSG_NOTIFY_READY};
    expected.insert(expected.end(), silent.begin(), silent.end());
    ASSERT_EQ(log.codes.size(), expected.size() + 4);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), log.codes.begin()));
    for (uint32_t code : {log.codes[9], log.codes[10]}) EXPECT_TRUE(code < 1 || code >= ZK_MSG_COUNT) << code;
    EXPECT_EQ(log.codes[11], uint32_t(ZK_MSG_NOTIFY_PONG));
}

TEST_F(ZelkorPlayerTest, AFullPortRefusesPostsAndTheBindingGoesOn) {
    TLxZelkorPlayer player(nullptr);
    EventLog log(player);
    ASSERT_TRUE(log.WaitFor("ready"));
    player.SetInputName("a name that travels as a copy");
    // The GUI stalls: nothing is read while the player answers many requests.
    constexpr int kRequests = 3000;
    for (int i = 0; i < kRequests; ++i) player.GetInputName();
    // Let the player answer into the port until it is full and stays so:
    // from then on its posts are refused.
    const int port = static_cast<int>(player.NotifyWindow());
    int pending = 0;
    int before = -1;
    for (int polls = 0; polls < 1000 && (pending != before || pending == 0); ++polls) {
        before = pending;
        QThread::msleep(20);
        ASSERT_EQ(ioctl(port, FIONREAD, &pending), 0);
    }
    EXPECT_GT(pending, fcntl(port, F_GETPIPE_SZ) / 2);
    ASSERT_TRUE(ProcessEventsUntil([&] { return ioctl(port, FIONREAD, &pending) == 0 && pending == 0; }));

    player.Ping(4);
    ASSERT_TRUE(log.WaitFor("pong 4"));
    const int names = static_cast<int>(log.lines.count("input name a name that travels as a copy"));
    EXPECT_GT(names, 0);
    EXPECT_LT(names, kRequests);
}

TEST_F(ZelkorPlayerTest, PlaysFromNearTheEndToTheEndOfTheInput) {
    TLxZelkorPlayer player(nullptr);
    EventLog log(player);
    ASSERT_TRUE(log.WaitFor("ready"));
    player.InputOpen(DemoTrack());
    player.InputSeek(396, 400);
    player.Play();
    ASSERT_TRUE(log.WaitFor("player state 3"));
    const QStringList states = log.lines.filter("player state");
    EXPECT_EQ(Joined(states), "player state 1 | player state 3");
    ASSERT_FALSE(log.positions.empty());
    EXPECT_GE(log.positions.front(), 396u);
    EXPECT_LE(log.positions.back(), 400u);
    EXPECT_GT(log.timecodes, 0);
}

TEST_F(ZelkorPlayerTest, ACommandPendingAtDestructionLeavesNothingBehind) {
    {
        TLxZelkorPlayer player(nullptr);
        player.InputOpen(DemoTrack());
        player.GetInputName();
        player.Play();
    }
    EXPECT_TRUE(DirectoryEntries(runtime.path()).isEmpty());
}

TEST_F(ZelkorPlayerTest, AnEngineThatDoesNotLoadRaisesTheDecoderErrorAndLeavesNoFiles) {
    QTemporaryDir sources;
    QFile garbage(sources.filePath("garbage.so"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a library");
    garbage.close();
    Dl_info libm{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(&::cbrt), &libm), 0);

    for (const QString& decoder :
         {garbage.fileName(), sources.filePath("absent.so"), QFile::decodeName(libm.dli_fname)}) {
        SCOPED_TRACE(decoder.toStdString());
        try {
            TLxZelkorPlayer player(nullptr, {decoder, TEngineSources::Embedded().OutputPlugin});
            ADD_FAILURE() << "created";
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), "ZELKOR : Unable to find decoder !");
        }
        EXPECT_TRUE(DirectoryEntries(runtime.path()).isEmpty());
    }
}

TEST_F(ZelkorPlayerTest, AnotherVersionAndAPlayerThatDoesNotStartShowBoxesAndTheBindingGoesOn) {
    std::unique_ptr<TLxZelkorPlayer> player;
    const QStringList boxes = CloseMessageBoxesDuring([&] {
        player = std::make_unique<TLxZelkorPlayer>(nullptr, TEngineSources{OTHER_ENGINE_LIBRARY, {}});
    });
    EXPECT_EQ(Joined(boxes), "Zelkor DLL API Mismatch\nExpected 3,0\nGot 4,0 | Cannot Start Zelkor Player");
    EXPECT_NE(player->LibraryHandle(), nullptr);
    EXPECT_EQ(player->PlayerChannel(), nullptr);
    EXPECT_EQ(player->Play(), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(player->InputOpen("x"), ZK_ERROR_INVALID_PARAMETERS);
    player.reset();
    EXPECT_TRUE(DirectoryEntries(runtime.path()).isEmpty());
}
