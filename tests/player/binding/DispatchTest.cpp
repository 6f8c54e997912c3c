// The dispatch table on hand-built messages: which event each code raises and
// where its arguments come from.
#include "player/binding/NotifyDispatch.h"

#include <QObject>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

QObject g_sender;

ZK_Message Message(uint32_t code)
{
    ZK_Message m{};
    m.code = code;
    return m;
}

// Every typed slot counts into `raised`; OnNotifyMessage counts into `seen`.
struct CountingEvents : TZelkorEvents {
    int seen = 0;
    int raised = 0;

    CountingEvents()
    {
        auto any = [this](QObject* sender, auto&&...) {
            EXPECT_EQ(sender, &g_sender);
            ++raised;
        };
        OnNotifyMessage = [this](QObject*, ZK_Message&) { ++seen; };
        OnNotifyReady = any;
        OnNotifyAck = any;
        OnNotifyNack = any;
        OnNotifyPong = any;
        OnNotifyExited = any;
        OnNotifyPlayerState = any;
        OnNotifyPlayerMode = any;
        OnNotifyPlayerEnvironmentInteger = any;
        OnNotifyPlayerEnvironmentString = any;
        OnNotifyInputState = any;
        OnNotifyInputName = any;
        OnNotifyInputCaps = any;
        OnNotifyInputPosition = any;
        OnNotifyInputPositionRange = any;
        OnNotifyInputTimecode = any;
        OnNotifyInputTimecodeGranularity = any;
        OnNotifyInputDuration = any;
        OnNotifyInputStreamInfo = any;
        OnNotifyInputModule = any;
        OnNotifyInputModuleInfo = any;
        OnNotifyInputDeviceInfo = any;
        OnNotifyInputFilterInfo = any;
        OnNotifyOutputState = any;
        OnNotifyOutputName = any;
        OnNotifyOutputCaps = any;
        OnNotifyOutputVolume = any;
        OnNotifyOutputBalance = any;
        OnNotifyOutputPcmLevel = any;
        OnNotifyOutputMasterLevel = any;
        OnNotifyOutputChannels = any;
        OnNotifyOutputPorts = any;
        OnNotifyOutputModule = any;
        OnNotifyOutputModuleInfo = any;
        OnNotifyOutputDeviceInfo = any;
        OnNotifyOutputFilterInfo = any;
        OnNotifyCodecEqualizer = any;
        OnNotifyNotificationMask = any;
        OnNotifyDebugLevel = any;
        OnNotifyProgress = any;
        OnNotifyDebug = any;
        OnNotifyError = any;
    }
};

const int8_t kBands[64] = {1, 2, 3};

} // namespace

TEST(NotifyDispatch, EveryNotificationUpToErrorButFeedbackRateRaisesExactlyOneEvent)
{
    for (uint32_t code = 0; code <= 200; ++code) {
        CountingEvents events;
        ZK_Message m = Message(code);
        m.equalizer.equalizer = kBands; // so that the equalizer event has bands to pass
        DispatchNotification(&g_sender, events, m);
        const bool hasEvent = code >= ZK_MSG_NOTIFY_READY && code <= ZK_MSG_NOTIFY_ERROR &&
                              code != ZK_MSG_NOTIFY_OUTPUT_FEEDBACK_RATE;
        EXPECT_EQ(events.seen, 1) << code;
        EXPECT_EQ(events.raised, hasEvent ? 1 : 0) << code;
    }
}

TEST(NotifyDispatch, EmptySlotsAreSkipped)
{
    TZelkorEvents none;
    for (uint32_t code = ZK_MSG_NOTIFY_READY; code <= ZK_MSG_NOTIFY_TAG_EVENT; ++code) {
        ZK_Message m = Message(code);
        DispatchNotification(&g_sender, none, m);
    }
}

TEST(NotifyDispatch, MessageHandlerSeesTheMessageFirstAndMayRedirectIt)
{
    CountingEvents events;
    std::vector<std::string> order;
    events.OnNotifyMessage = [&](QObject*, ZK_Message& m) {
        order.push_back("message");
        m.code = ZK_MSG_NOTIFY_PONG;
        m.tag.tag = 77;
    };
    uint32_t tag = 0;
    events.OnNotifyPong = [&](QObject*, uint32_t t) {
        order.push_back("pong");
        tag = t;
    };
    ZK_Message m = Message(ZK_MSG_NOTIFY_READY);
    DispatchNotification(&g_sender, events, m);
    EXPECT_EQ(order, (std::vector<std::string>{"message", "pong"}));
    EXPECT_EQ(tag, 77u);
    EXPECT_EQ(events.raised, 0); // not ready
}

TEST(NotifyDispatch, AHandlerMayClearItsOwnSlot)
{
    TZelkorEvents events;
    int calls = 0;
    events.OnNotifyReady = [&](QObject*) {
        events.OnNotifyReady = nullptr;
        ++calls;
    };
    ZK_Message m = Message(ZK_MSG_NOTIFY_READY);
    DispatchNotification(&g_sender, events, m);
    DispatchNotification(&g_sender, events, m);
    EXPECT_EQ(calls, 1);
}

TEST(NotifyDispatch, SmallFieldsAreWidenedAndSignsKept)
{
    TZelkorEvents events;
    std::vector<int64_t> got;
    events.OnNotifyAck = [&](QObject*, uint8_t command) { got.push_back(command); };
    events.OnNotifyNack = [&](QObject*, uint8_t command, int16_t code) { got.insert(got.end(), {command, code}); };
    events.OnNotifyPong = [&](QObject*, uint32_t tag) { got.push_back(tag); };
    events.OnNotifyPlayerState = [&](QObject*, int32_t state) { got.push_back(state); };
    events.OnNotifyInputState = [&](QObject*, int32_t state) { got.push_back(state); };
    events.OnNotifyOutputState = [&](QObject*, int32_t state) { got.push_back(state); };
    events.OnNotifyPlayerMode = [&](QObject*, int32_t mode) { got.push_back(mode); };
    events.OnNotifyInputPositionRange = [&](QObject*, int32_t range) { got.push_back(range); };
    events.OnNotifyOutputPorts = [&](QObject*, uint32_t ports) { got.push_back(ports); };
    events.OnNotifyInputModule = [&](QObject*, int16_t id) { got.push_back(id); };
    events.OnNotifyOutputModule = [&](QObject*, int16_t id) { got.push_back(id); };

    ZK_Message m = Message(ZK_MSG_NOTIFY_ACK);
    m.byte.command = 7;
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_NACK);
    m.nack.command = 4;
    m.nack.code = -102;
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_PONG);
    m.tag.tag = -1;
    DispatchNotification(&g_sender, events, m);
    for (uint32_t code : {ZK_MSG_NOTIFY_PLAYER_STATE, ZK_MSG_NOTIFY_INPUT_STATE, ZK_MSG_NOTIFY_OUTPUT_STATE}) {
        m = Message(code);
        m.byte.state = 3;
        DispatchNotification(&g_sender, events, m);
    }
    m = Message(ZK_MSG_NOTIFY_PLAYER_MODE);
    m.value.mode = 4;
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_INPUT_POSITION_RANGE);
    m.value.range = 400;
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_OUTPUT_PORTS);
    m.byte.ports = 0x85;
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_INPUT_MODULE);
    m.module_id.id = -1;
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_OUTPUT_MODULE);
    m.module_id.id = 1;
    DispatchNotification(&g_sender, events, m);

    EXPECT_EQ(got, (std::vector<int64_t>{7, 4, -102, 0xFFFFFFFF, 3, 3, 3, 4, 400, 0x85, -1, 1}));
}

TEST(NotifyDispatch, InputNotificationsCarryTheirFields)
{
    TZelkorEvents events;
    std::vector<int64_t> got;
    QStringList texts;
    events.OnNotifyInputName = [&](QObject*, const QString& name) { texts << name; };
    events.OnNotifyInputCaps = [&](QObject*, uint32_t caps) { got.push_back(caps); };
    events.OnNotifyInputPosition = [&](QObject*, uint32_t offset, uint32_t range) {
        got.insert(got.end(), {offset, range});
    };
    events.OnNotifyInputTimecode = [&](QObject*, uint8_t h, uint8_t m, uint8_t s, uint8_t f) {
        got.insert(got.end(), {h, m, s, f});
    };
    events.OnNotifyInputTimecodeGranularity = [&](QObject*, uint32_t g) { got.push_back(g); };
    events.OnNotifyInputDuration = [&](QObject*, uint32_t d) { got.push_back(d); };
    events.OnNotifyInputStreamInfo = [&](QObject*, uint8_t level, uint8_t layer, uint16_t bitrate,
                                         uint16_t frequency, uint8_t mode) {
        got.insert(got.end(), {level, layer, bitrate, frequency, mode});
    };

    ZK_Message m = Message(ZK_MSG_NOTIFY_INPUT_NAME);
    m.name.name = "/a/b.mp3";
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_INPUT_CAPS);
    m.value.caps = 1;
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_INPUT_POSITION);
    m.seek = {200, 400};
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_INPUT_TIMECODE);
    m.timecode = {1, 2, 3, 75};
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_INPUT_TIMECODE_GRANULARITY);
    m.value.granularity = 25;
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_INPUT_DURATION);
    m.value.duration = 215;
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_INPUT_STREAM_INFO);
    m.stream_info = {1, 3, 320, 44100, 1};
    DispatchNotification(&g_sender, events, m);

    EXPECT_EQ(texts, QStringList{"/a/b.mp3"});
    EXPECT_EQ(got, (std::vector<int64_t>{1, 200, 400, 1, 2, 3, 75, 25, 215, 1, 3, 320, 44100, 1}));
}

TEST(NotifyDispatch, ModuleDeviceAndFilterInfoOnBothSides)
{
    TZelkorEvents events;
    QStringList got;
    auto moduleInfo = [&](QObject*, uint8_t id, uint8_t devices, const QString& name, const QString& text) {
        got << QString("module %1 %2 %3 %4").arg(id).arg(devices).arg(name, text);
    };
    auto deviceInfo = [&](QObject*, uint8_t module, uint8_t index, uint8_t flags, const QString& name,
                          const QString& text) {
        got << QString("device %1 %2 %3 %4 %5").arg(module).arg(index).arg(flags).arg(name, text);
    };
    auto filterInfo = [&](QObject*, uint8_t id, const QString& name) { got << QString("filter %1 %2").arg(id).arg(name); };
    events.OnNotifyInputModuleInfo = events.OnNotifyOutputModuleInfo = moduleInfo;
    events.OnNotifyInputDeviceInfo = events.OnNotifyOutputDeviceInfo = deviceInfo;
    events.OnNotifyInputFilterInfo = events.OnNotifyOutputFilterInfo = filterInfo;

    for (uint32_t code : {ZK_MSG_NOTIFY_INPUT_MODULE_INFO, ZK_MSG_NOTIFY_OUTPUT_MODULE_INFO}) {
        ZK_Message m = Message(code);
        m.module_info = {1, 2, "file", "Files"};
        DispatchNotification(&g_sender, events, m);
    }
    for (uint32_t code : {ZK_MSG_NOTIFY_INPUT_DEVICE_INFO, ZK_MSG_NOTIFY_OUTPUT_DEVICE_INFO}) {
        ZK_Message m = Message(code);
        m.device_info = {1, 0, 3, "dev", "Device"};
        DispatchNotification(&g_sender, events, m);
    }
    for (uint32_t code : {ZK_MSG_NOTIFY_INPUT_FILTER_INFO, ZK_MSG_NOTIFY_OUTPUT_FILTER_INFO}) {
        ZK_Message m = Message(code);
        m.filter = {0x0102, "eq"}; // the id's low byte
        DispatchNotification(&g_sender, events, m);
        m.filter = {-1, "last"};
        DispatchNotification(&g_sender, events, m);
    }
    EXPECT_EQ(got, (QStringList{"module 1 2 file Files", "module 1 2 file Files", "device 1 0 3 dev Device",
                                "device 1 0 3 dev Device", "filter 2 eq", "filter 255 last", "filter 2 eq",
                                "filter 255 last"}));
}

TEST(NotifyDispatch, OutputLevelsComeFromTheirOwnFields)
{
    TZelkorEvents events;
    std::vector<int> got;
    events.OnNotifyOutputVolume = [&](QObject*, uint8_t master, uint8_t pcm, uint8_t balance) {
        got.insert(got.end(), {master, pcm, balance});
    };
    events.OnNotifyOutputBalance = [&](QObject*, uint8_t balance) { got.push_back(balance); };
    events.OnNotifyOutputPcmLevel = [&](QObject*, uint8_t pcm) { got.push_back(pcm); };
    events.OnNotifyOutputMasterLevel = [&](QObject*, uint8_t master) { got.push_back(master); };
    events.OnNotifyOutputChannels = [&](QObject*, uint8_t channels) { got.push_back(channels); };
    events.OnNotifyDebugLevel = [&](QObject*, uint8_t level) { got.push_back(level); };
    for (uint32_t code : {ZK_MSG_NOTIFY_OUTPUT_VOLUME, ZK_MSG_NOTIFY_OUTPUT_BALANCE, ZK_MSG_NOTIFY_OUTPUT_PCM_LEVEL,
                          ZK_MSG_NOTIFY_OUTPUT_MASTER_LEVEL}) {
        ZK_Message m = Message(code);
        m.volume = {90, 60, 30};
        DispatchNotification(&g_sender, events, m);
    }
    ZK_Message m = Message(ZK_MSG_NOTIFY_OUTPUT_CHANNELS);
    m.byte.channels = 2;
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_DEBUG_LEVEL);
    m.byte.level = 5;
    DispatchNotification(&g_sender, events, m);
    EXPECT_EQ(got, (std::vector<int>{90, 60, 30, 30, 60, 90, 2, 5}));
}

TEST(NotifyDispatch, NullStringsArriveAsEmptyTexts)
{
    TZelkorEvents events;
    QStringList texts;
    int calls = 0;
    auto text = [&](const QString& t) {
        ++calls;
        texts << t;
    };
    events.OnNotifyInputName = [&](QObject*, const QString& n) { text(n); };
    events.OnNotifyOutputName = [&](QObject*, const QString& n) { text(n); };
    events.OnNotifyPlayerEnvironmentString = [&](QObject*, const QString& n, const QString& v) {
        text(n);
        text(v);
    };
    events.OnNotifyPlayerEnvironmentInteger = [&](QObject*, const QString& n, int32_t) { text(n); };
    events.OnNotifyProgress = [&](QObject*, uint8_t, uint8_t, int16_t, const QString& msg) { text(msg); };
    events.OnNotifyDebug = [&](QObject*, uint8_t, uint8_t, const QString& msg) { text(msg); };
    events.OnNotifyError = [&](QObject*, uint8_t, int16_t, const QString& msg) { text(msg); };
    events.OnNotifyInputModuleInfo = [&](QObject*, uint8_t, uint8_t, const QString& n, const QString& d) {
        text(n);
        text(d);
    };
    for (uint32_t code : {ZK_MSG_NOTIFY_INPUT_NAME, ZK_MSG_NOTIFY_OUTPUT_NAME, ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING,
                          ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER, ZK_MSG_NOTIFY_PROGRESS, ZK_MSG_NOTIFY_DEBUG,
                          ZK_MSG_NOTIFY_ERROR, ZK_MSG_NOTIFY_INPUT_MODULE_INFO}) {
        ZK_Message m = Message(code);
        DispatchNotification(&g_sender, events, m);
    }
    EXPECT_EQ(calls, 10);
    for (const QString& t : texts)
        EXPECT_TRUE(t.isEmpty());
}

TEST(NotifyDispatch, ProgressDebugAndErrorCarrySourceCodeAndText)
{
    TZelkorEvents events;
    QStringList got;
    events.OnNotifyProgress = [&](QObject*, uint8_t source, uint8_t code, int16_t value, const QString& msg) {
        got << QString("progress %1 %2 %3 %4").arg(source).arg(code).arg(value).arg(msg);
    };
    events.OnNotifyDebug = [&](QObject*, uint8_t source, uint8_t level, const QString& msg) {
        got << QString("debug %1 %2 %3").arg(source).arg(level).arg(msg);
    };
    events.OnNotifyError = [&](QObject*, uint8_t source, int16_t code, const QString& msg) {
        got << QString("error %1 %2 %3").arg(source).arg(code).arg(msg);
    };
    events.OnNotifyPlayerEnvironmentInteger = [&](QObject*, const QString& name, int32_t value) {
        got << QString("int %1 %2").arg(name).arg(value);
    };
    events.OnNotifyPlayerEnvironmentString = [&](QObject*, const QString& name, const QString& value) {
        got << QString("string %1 %2").arg(name, value);
    };
    events.OnNotifyNotificationMask = [&](QObject*, uint32_t mask) { got << QString("mask %1").arg(mask, 0, 16); };

    ZK_Message m = Message(ZK_MSG_NOTIFY_PROGRESS);
    m.progress = {1, 21, -5, "filling"};
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_DEBUG);
    m.debug = {2, 1, "layer"};
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_ERROR);
    m.error = {3, -512, "no such file"};
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER);
    m.environment_integer = {"INPUT.STREAM.BUFFER-SIZE", -3};
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING);
    m.environment_string = {"NETWORK.HTTP.PROXY.HOSTNAME", "proxy"};
    DispatchNotification(&g_sender, events, m);
    m = Message(ZK_MSG_NOTIFY_NOTIFICATION_MASK);
    m.value.mask = 0xFFFFFFFF;
    DispatchNotification(&g_sender, events, m);
    EXPECT_EQ(got, (QStringList{"progress 1 21 -5 filling", "debug 2 1 layer", "error 3 -512 no such file",
                                "int INPUT.STREAM.BUFFER-SIZE -3", "string NETWORK.HTTP.PROXY.HOSTNAME proxy",
                                "mask ffffffff"}));
}

TEST(NotifyDispatch, EqualizerBandsArePassedAndMissingBandsRaiseNothing)
{
    TZelkorEvents events;
    std::vector<int> got;
    int calls = 0;
    events.OnNotifyCodecEqualizer = [&](QObject*, const ZK_EqualizerInfo& bands) {
        ++calls;
        got = {bands.left[0], bands.left[31], bands.right[0], bands.right[31]};
    };
    int8_t bands[64] = {};
    bands[0] = -128;
    bands[31] = 5;
    bands[32] = 127;
    bands[63] = -1;
    ZK_Message m = Message(ZK_MSG_NOTIFY_CODEC_EQUALIZER);
    m.equalizer.equalizer = bands;
    DispatchNotification(&g_sender, events, m);
    EXPECT_EQ(got, (std::vector<int>{-128, 5, 127, -1}));
    m.equalizer.equalizer = nullptr;
    DispatchNotification(&g_sender, events, m);
    EXPECT_EQ(calls, 1);
}
