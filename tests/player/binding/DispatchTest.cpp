// The dispatch table on hand-built messages: which event each code raises and
// where its arguments come from.
#include "player/binding/NotifyDispatch.h"

#include <QObject>
#include <QStringList>
#include <gtest/gtest.h>
#include <type_traits>

namespace {

QObject g_sender;

using Fill = std::function<void(ZK_Message&)>;

// Dispatches a message of the code, its fields set by fill.
void Send(TZelkorEvents& events, uint32_t code, const Fill& fill = {}) {
    ZK_Message m{};
    m.code = code;
    if (fill) fill(m);
    DispatchNotification(&g_sender, events, m);
}

template <typename T>
requires std::is_integral_v<T> QString Text(T value) { return QString::number(int64_t(value)); }
QString Text(const QString& text) { return text; }
QString Text(const ZK_EqualizerInfo& bands) {
    const QStringList texts{Text(bands.left[0]), Text(bands.left[31]), Text(bands.right[0]), Text(bands.right[31])};
    return texts.join(' ');
}

// Every typed slot logs its name and arguments as one line; OnNotifyMessage
// counts into `seen`.
struct LoggingEvents : TZelkorEvents {
    int seen = 0;
    QStringList lines;

    auto Log(const char* name) {
        return [this, name](QObject* sender, auto... args) {
            EXPECT_EQ(sender, &g_sender);
            lines << (QStringList{name} << ... << Text(args)).join(' ');
        };
    }

    LoggingEvents() {
        OnNotifyMessage = [this](QObject*, ZK_Message&) { ++seen; };
        OnNotifyReady = Log("ready"), OnNotifyAck = Log("ack"), OnNotifyNack = Log("nack");
        OnNotifyPong = Log("pong"), OnNotifyExited = Log("exited"), OnNotifyPlayerState = Log("player state");
        OnNotifyPlayerMode = Log("mode"), OnNotifyPlayerEnvironmentInteger = Log("integer");
        OnNotifyPlayerEnvironmentString = Log("string"), OnNotifyInputState = Log("input state");
        OnNotifyInputName = Log("input name"), OnNotifyInputCaps = Log("input caps");
        OnNotifyInputPosition = Log("position"), OnNotifyInputPositionRange = Log("range");
        OnNotifyInputTimecode = Log("timecode"), OnNotifyInputTimecodeGranularity = Log("granularity");
        OnNotifyInputDuration = Log("duration"), OnNotifyInputStreamInfo = Log("stream");
        OnNotifyInputModule = Log("input module"), OnNotifyInputModuleInfo = Log("input module info");
        OnNotifyInputDeviceInfo = Log("input device"), OnNotifyInputFilterInfo = Log("input filter");
        OnNotifyOutputState = Log("output state"), OnNotifyOutputName = Log("output name");
        OnNotifyOutputCaps = Log("output caps"), OnNotifyOutputVolume = Log("volume");
        OnNotifyOutputBalance = Log("balance"), OnNotifyOutputPcmLevel = Log("pcm");
        OnNotifyOutputMasterLevel = Log("master"), OnNotifyOutputChannels = Log("channels");
        OnNotifyOutputPorts = Log("ports"), OnNotifyOutputModule = Log("output module");
        OnNotifyOutputModuleInfo = Log("output module info"), OnNotifyOutputDeviceInfo = Log("output device");
        OnNotifyOutputFilterInfo = Log("output filter"), OnNotifyCodecEqualizer = Log("equalizer");
        OnNotifyNotificationMask = Log("mask"), OnNotifyDebugLevel = Log("debug level");
        OnNotifyProgress = Log("progress"), OnNotifyDebug = Log("debug"), OnNotifyError = Log("error");
        OnNotifyInputStreamTitle = Log("stream title"), OnNotifyInputStreamName = Log("station");
    }
};

const int8_t kBands[64] = {1, 2, 3};

} // namespace

TEST(NotifyDispatch, EveryNotificationUpToErrorButFeedbackRateRaisesExactlyOneEvent) {
    for (uint32_t code = 0; code <= 200; ++code) {
        LoggingEvents events;
        // The equalizer event needs bands to pass.
        Send(events, code, [](ZK_Message& m) { m.equalizer.equalizer = kBands; });
        const bool hasEvent = (code >= ZK_MSG_NOTIFY_READY && code <= ZK_MSG_NOTIFY_ERROR &&
                               code != ZK_MSG_NOTIFY_OUTPUT_FEEDBACK_RATE) ||
                              code == ZK_MSG_NOTIFY_INPUT_STREAM_TITLE || code == ZK_MSG_NOTIFY_INPUT_STREAM_NAME;
        EXPECT_EQ(events.seen, 1) << code;
        EXPECT_EQ(events.lines.size(), hasEvent ? 1 : 0) << code;
        TZelkorEvents none; // empty slots are skipped
        Send(none, code);
    }
}

TEST(NotifyDispatch, EachEventCarriesItsFieldsWidenedWithSignsKept) {
    int8_t bands[64] = {};
    bands[0] = -128;
    bands[31] = 5;
    bands[32] = 127;
    bands[63] = -1;
    const struct {
        uint32_t code;
        Fill fill;
        QStringList lines;
    } cases[] = {
        {ZK_MSG_NOTIFY_ACK, [](ZK_Message& m) { m.byte.command = 7; }, {"ack 7"}},
        {ZK_MSG_NOTIFY_NACK,
         [](ZK_Message& m) {
             m.nack = {4, -102};
         },
         {"nack 4 -102"}},
        {ZK_MSG_NOTIFY_PONG, [](ZK_Message& m) { m.tag.tag = -1; }, {"pong 4294967295"}},
        {ZK_MSG_NOTIFY_PLAYER_STATE, [](ZK_Message& m) { m.byte.state = 3; }, {"player state 3"}},
        {ZK_MSG_NOTIFY_INPUT_STATE, [](ZK_Message& m) { m.byte.state = 3; }, {"input state 3"}},
        {ZK_MSG_NOTIFY_OUTPUT_STATE, [](ZK_Message& m) { m.byte.state = 3; }, {"output state 3"}},
        {ZK_MSG_NOTIFY_PLAYER_MODE, [](ZK_Message& m) { m.value.mode = 4; }, {"mode 4"}},
        {ZK_MSG_NOTIFY_INPUT_POSITION_RANGE, [](ZK_Message& m) { m.value.range = 400; }, {"range 400"}},
        {ZK_MSG_NOTIFY_OUTPUT_PORTS, [](ZK_Message& m) { m.byte.ports = 0x85; }, {"ports 133"}},
        {ZK_MSG_NOTIFY_INPUT_MODULE, [](ZK_Message& m) { m.module_id.id = -1; }, {"input module -1"}},
        {ZK_MSG_NOTIFY_OUTPUT_MODULE, [](ZK_Message& m) { m.module_id.id = 1; }, {"output module 1"}},
        {ZK_MSG_NOTIFY_INPUT_NAME, [](ZK_Message& m) { m.name.name = "/a/b.mp3"; }, {"input name /a/b.mp3"}},
        // Titles in UTF-8, or else in Latin-1 as many radio servers send them.
        {ZK_MSG_NOTIFY_INPUT_STREAM_TITLE,
         [](ZK_Message& m) { m.name.name = "Bj\xc3\xb6rk - J\xc3\xb3ga"; },
         {QString::fromUtf8("stream title Bj\xc3\xb6rk - J\xc3\xb3ga")}},
        {ZK_MSG_NOTIFY_INPUT_STREAM_TITLE,
         [](ZK_Message& m) { m.name.name = "Bj\xf6rk"; },
         {QString::fromUtf8("stream title Bj\xc3\xb6rk")}},
        {ZK_MSG_NOTIFY_INPUT_STREAM_NAME, [](ZK_Message& m) { m.name.name = "Test FM"; }, {"station Test FM"}},
        {ZK_MSG_NOTIFY_INPUT_CAPS, [](ZK_Message& m) { m.value.caps = 1; }, {"input caps 1"}},
        {ZK_MSG_NOTIFY_INPUT_POSITION,
         [](ZK_Message& m) {
             m.seek = {200, 400};
         },
         {"position 200 400"}},
        {ZK_MSG_NOTIFY_INPUT_TIMECODE,
         [](ZK_Message& m) {
             m.timecode = {1, 2, 3, 75};
         },
         {"timecode 1 2 3 75"}},
        {ZK_MSG_NOTIFY_INPUT_TIMECODE_GRANULARITY, [](ZK_Message& m) { m.value.granularity = 25; }, {"granularity 25"}},
        {ZK_MSG_NOTIFY_INPUT_DURATION, [](ZK_Message& m) { m.value.duration = 215; }, {"duration 215"}},
        {ZK_MSG_NOTIFY_INPUT_STREAM_INFO,
         [](ZK_Message& m) {
             m.stream_info = {1, 3, 320, 44100, 1};
         },
         {"stream 1 3 320 44100 1"}},
        {ZK_MSG_NOTIFY_INPUT_MODULE_INFO,
         [](ZK_Message& m) {
             m.module_info = {1, 2, "file", "Files"};
         },
         {"input module info 1 2 file Files"}},
        {ZK_MSG_NOTIFY_OUTPUT_MODULE_INFO,
         [](ZK_Message& m) {
             m.module_info = {1, 2, "file", "Files"};
         },
         {"output module info 1 2 file Files"}},
        {ZK_MSG_NOTIFY_INPUT_DEVICE_INFO,
         [](ZK_Message& m) {
             m.device_info = {1, 0, 3, "dev", "Device"};
         },
         {"input device 1 0 3 dev Device"}},
        {ZK_MSG_NOTIFY_OUTPUT_DEVICE_INFO,
         [](ZK_Message& m) {
             m.device_info = {1, 0, 3, "dev", "Device"};
         },
         {"output device 1 0 3 dev Device"}},
        // Filter ids are the low byte.
        {ZK_MSG_NOTIFY_INPUT_FILTER_INFO,
         [](ZK_Message& m) {
             m.filter = {0x0102, "eq"};
         },
         {"input filter 2 eq"}},
        {ZK_MSG_NOTIFY_OUTPUT_FILTER_INFO,
         [](ZK_Message& m) {
             m.filter = {-1, "last"};
         },
         {"output filter 255 last"}},
        {ZK_MSG_NOTIFY_OUTPUT_VOLUME,
         [](ZK_Message& m) {
             m.volume = {90, 60, 30};
         },
         {"volume 90 60 30"}},
        {ZK_MSG_NOTIFY_OUTPUT_BALANCE,
         [](ZK_Message& m) {
             m.volume = {90, 60, 30};
         },
         {"balance 30"}},
        {ZK_MSG_NOTIFY_OUTPUT_PCM_LEVEL,
         [](ZK_Message& m) {
             m.volume = {90, 60, 30};
         },
         {"pcm 60"}},
        {ZK_MSG_NOTIFY_OUTPUT_MASTER_LEVEL,
         [](ZK_Message& m) {
             m.volume = {90, 60, 30};
         },
         {"master 90"}},
        {ZK_MSG_NOTIFY_OUTPUT_CHANNELS, [](ZK_Message& m) { m.byte.channels = 2; }, {"channels 2"}},
        {ZK_MSG_NOTIFY_DEBUG_LEVEL, [](ZK_Message& m) { m.byte.level = 5; }, {"debug level 5"}},
        {ZK_MSG_NOTIFY_PROGRESS,
         [](ZK_Message& m) {
             m.progress = {1, 21, -5, "filling"};
         },
         {"progress 1 21 -5 filling"}},
        {ZK_MSG_NOTIFY_DEBUG,
         [](ZK_Message& m) {
             m.debug = {2, 1, "layer"};
         },
         {"debug 2 1 layer"}},
        {ZK_MSG_NOTIFY_ERROR,
         [](ZK_Message& m) {
             m.error = {3, -512, "no such file"};
         },
         {"error 3 -512 no such file"}},
        {ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER,
         [](ZK_Message& m) {
             m.environment_integer = {"INPUT.STREAM.BUFFER-SIZE", -3};
         },
         {"integer INPUT.STREAM.BUFFER-SIZE -3"}},
        {ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING,
         [](ZK_Message& m) {
             m.environment_string = {"NETWORK.HTTP.PROXY.HOSTNAME", "proxy"};
         },
         {"string NETWORK.HTTP.PROXY.HOSTNAME proxy"}},
        {ZK_MSG_NOTIFY_NOTIFICATION_MASK, [](ZK_Message& m) { m.value.mask = 0xFFFFFFFF; }, {"mask 4294967295"}},
        {ZK_MSG_NOTIFY_CODEC_EQUALIZER,
         [&](ZK_Message& m) { m.equalizer.equalizer = bands; },
         {"equalizer -128 5 127 -1"}},
        {ZK_MSG_NOTIFY_CODEC_EQUALIZER, {}, {}}, // no bands: no event
        // Null strings arrive as empty texts.
        {ZK_MSG_NOTIFY_INPUT_NAME, {}, {"input name "}},
        {ZK_MSG_NOTIFY_OUTPUT_NAME, {}, {"output name "}},
        {ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING, {}, {"string  "}},
        {ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER, {}, {"integer  0"}},
        {ZK_MSG_NOTIFY_PROGRESS, {}, {"progress 0 0 0 "}},
        {ZK_MSG_NOTIFY_DEBUG, {}, {"debug 0 0 "}},
        {ZK_MSG_NOTIFY_ERROR, {}, {"error 0 0 "}},
        {ZK_MSG_NOTIFY_INPUT_MODULE_INFO, {}, {"input module info 0 0  "}},
    };
    for (const auto& c : cases) {
        LoggingEvents events;
        Send(events, c.code, c.fill);
        EXPECT_EQ(events.lines, c.lines) << c.code;
    }
}

TEST(NotifyDispatch, MessageHandlerSeesTheMessageFirstAndMayRedirectIt) {
    LoggingEvents events;
    events.OnNotifyMessage = [&](QObject*, ZK_Message& m) {
        events.lines << "message";
        m.code = ZK_MSG_NOTIFY_PONG;
        m.tag.tag = 77;
    };
    Send(events, ZK_MSG_NOTIFY_READY);
    EXPECT_EQ(events.lines, (QStringList{"message", "pong 77"}));
}

TEST(NotifyDispatch, AHandlerMayClearItsOwnSlot) {
    TZelkorEvents events;
    int calls = 0;
    events.OnNotifyReady = [&](QObject*) {
        events.OnNotifyReady = nullptr;
        ++calls;
    };
    Send(events, ZK_MSG_NOTIFY_READY);
    Send(events, ZK_MSG_NOTIFY_READY);
    EXPECT_EQ(calls, 1);
}
