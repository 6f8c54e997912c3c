// Each command method sends its code in its form with its arguments in order.
#include "player/binding/ZelkorCommands.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

// What one send function call carried.
struct Sent {
    Sent(std::string f, uint32_t c, std::vector<int32_t> i = {}, std::vector<std::string> t = {},
         const void* p = nullptr)
        : form(std::move(f)), code(c), integers(std::move(i)), texts(std::move(t)), pointer(p)
    {
    }

    std::string form;
    uint32_t code = 0;
    std::vector<int32_t> integers;
    std::vector<std::string> texts;
    const void* pointer = nullptr;

    bool operator==(const Sent&) const = default;
};

std::vector<Sent> g_sent;
ZK_ControlChannel* const kChannel = reinterpret_cast<ZK_ControlChannel*>(0x1234);

int32_t Record(ZK_ControlChannel* channel, Sent sent)
{
    EXPECT_EQ(channel, kChannel);
    g_sent.push_back(std::move(sent));
    return -42;
}

TEngineExports RecordingExports()
{
    TEngineExports e;
    e.control_message_send_N = [](ZK_ControlChannel* c, uint32_t code) { return Record(c, {"N", code}); };
    e.control_message_send_P = [](ZK_ControlChannel* c, uint32_t code, const void* p) {
        return Record(c, {"P", code, {}, {}, p});
    };
    e.control_message_send_S = [](ZK_ControlChannel* c, uint32_t code, const char* s) {
        return Record(c, {"S", code, {}, {s}});
    };
    e.control_message_send_SS = [](ZK_ControlChannel* c, uint32_t code, const char* s1, const char* s2) {
        return Record(c, {"SS", code, {}, {s1, s2}});
    };
    e.control_message_send_SI = [](ZK_ControlChannel* c, uint32_t code, const char* s, int32_t i) {
        return Record(c, {"SI", code, {i}, {s}});
    };
    e.control_message_send_I = [](ZK_ControlChannel* c, uint32_t code, int32_t i) {
        return Record(c, {"I", code, {i}});
    };
    e.control_message_send_II = [](ZK_ControlChannel* c, uint32_t code, int32_t i1, int32_t i2) {
        return Record(c, {"II", code, {i1, i2}});
    };
    e.control_message_send_III = [](ZK_ControlChannel* c, uint32_t code, int32_t i1, int32_t i2, int32_t i3) {
        return Record(c, {"III", code, {i1, i2, i3}});
    };
    e.control_message_send_IIII = [](ZK_ControlChannel* c, uint32_t code, int32_t i1, int32_t i2, int32_t i3,
                                     int32_t i4) { return Record(c, {"IIII", code, {i1, i2, i3, i4}}); };
    e.control_message_send_IPI = [](ZK_ControlChannel* c, uint32_t code, int32_t i1, const void* p, int32_t i2) {
        return Record(c, {"IPI", code, {i1, i2}, {}, p});
    };
    e.zelkor_error_string = [](int32_t code) { return code == -101 ? "invalid parameters" : ""; };
    return e;
}

struct Case {
    const char* method;
    std::function<int32_t(TZelkorCommands&)> call;
    Sent expected;
};

const char kData[4] = {1, 2, 3, 4};
const ZK_EqualizerInfo kBands{};

const std::vector<Case>& Cases()
{
    using C = TZelkorCommands;
    static const std::vector<Case> cases = {
        {"Exit", [](C& c) { return c.Exit(); }, {"N", 1}},
        {"Ping", [](C& c) { return c.Ping(0xFFFFFFFE); }, {"I", 2, {-2}}},
        {"Play", [](C& c) { return c.Play(); }, {"N", 3}},
        {"Pause", [](C& c) { return c.Pause(); }, {"N", 4}},
        {"Stop", [](C& c) { return c.Stop(); }, {"N", 5}},
        {"InputSeek", [](C& c) { return c.InputSeek(200, 400); }, {"II", 6, {200, 400}}},
        {"InputOpen", [](C& c) { return c.InputOpen("/music/é.mp3"); }, {"S", 7, {}, {"/music/é.mp3"}}},
        {"InputClose", [](C& c) { return c.InputClose(); }, {"N", 8}},
        {"InputSendMessage", [](C& c) { return c.InputSendMessage(0xFFFF, kData, 4); },
         {"IPI", 9, {0xFFFF, 4}, {}, kData}},
        {"InputAddFilter", [](C& c) { return c.InputAddFilter("f@lib.so", -1); }, {"SI", 10, {-1}, {"f@lib.so"}}},
        {"InputRemoveFilter", [](C& c) { return c.InputRemoveFilter("f", 3); }, {"SI", 11, {3}, {"f"}}},
        {"InputFilterList", [](C& c) { return c.InputFilterList(); }, {"N", 12}},
        {"InputModuleRegister", [](C& c) { return c.InputModuleRegister("m.so"); }, {"S", 13, {}, {"m.so"}}},
        {"InputModuleQuery", [](C& c) { return c.InputModuleQuery(1); }, {"I", 14, {1}}},
        {"InputModulesList", [](C& c) { return c.InputModulesList(); }, {"N", 15}},
        {"OutputOpen", [](C& c) { return c.OutputOpen("wav:x.wav"); }, {"S", 16, {}, {"wav:x.wav"}}},
        {"OutputClose", [](C& c) { return c.OutputClose(); }, {"N", 17}},
        {"OutputSendMessage", [](C& c) { return c.OutputSendMessage(7, kData, 2); }, {"IPI", 18, {7, 2}, {}, kData}},
        {"OutputMute", [](C& c) { return c.OutputMute(); }, {"N", 19}},
        {"OutputUnmute", [](C& c) { return c.OutputUnmute(); }, {"N", 20}},
        {"OutputReset", [](C& c) { return c.OutputReset(); }, {"N", 21}},
        {"OutputDrain", [](C& c) { return c.OutputDrain(); }, {"N", 22}},
        {"OutputAddFilter", [](C& c) { return c.OutputAddFilter("g", 2); }, {"SI", 23, {2}, {"g"}}},
        {"OutputRemoveFilter", [](C& c) { return c.OutputRemoveFilter("g", 5); }, {"SI", 24, {5}, {"g"}}},
        {"OutputFilterList", [](C& c) { return c.OutputFilterList(); }, {"N", 25}},
        {"OutputModuleRegister", [](C& c) { return c.OutputModuleRegister("o.so"); }, {"S", 26, {}, {"o.so"}}},
        {"OutputModuleQuery", [](C& c) { return c.OutputModuleQuery(0); }, {"I", 27, {0}}},
        {"OutputModulesList", [](C& c) { return c.OutputModulesList(); }, {"N", 28}},
        {"SetPlayerMode", [](C& c) { return c.SetPlayerMode(5); }, {"I", 29, {5}}},
        {"GetPlayerMode", [](C& c) { return c.GetPlayerMode(); }, {"N", 30}},
        {"SetPlayerEnvironmentInteger", [](C& c) { return c.SetPlayerEnvironmentInteger("A.B", -7); },
         {"SI", 31, {-7}, {"A.B"}}},
        {"GetPlayerEnvironmentInteger", [](C& c) { return c.GetPlayerEnvironmentInteger("A.B"); },
         {"S", 32, {}, {"A.B"}}},
        {"SetPlayerEnvironmentString", [](C& c) { return c.SetPlayerEnvironmentString("N", "V"); },
         {"SS", 33, {}, {"N", "V"}}},
        {"GetPlayerEnvironmentString", [](C& c) { return c.GetPlayerEnvironmentString("N"); }, {"S", 34, {}, {"N"}}},
        {"UnsetPlayerEnvironment", [](C& c) { return c.UnsetPlayerEnvironment("N"); }, {"S", 35, {}, {"N"}}},
        {"SetInputName", [](C& c) { return c.SetInputName("in"); }, {"S", 36, {}, {"in"}}},
        {"GetInputName", [](C& c) { return c.GetInputName(); }, {"N", 37}},
        {"SetInputModule", [](C& c) { return c.SetInputModule(-1); }, {"I", 38, {-1}}},
        {"GetInputModule", [](C& c) { return c.GetInputModule(); }, {"N", 39}},
        {"SetInputPositionRange", [](C& c) { return c.SetInputPositionRange(1000); }, {"I", 40, {1000}}},
        {"GetInputPositionRange", [](C& c) { return c.GetInputPositionRange(); }, {"N", 41}},
        {"SetInputTimecodeGranularity", [](C& c) { return c.SetInputTimecodeGranularity(25); }, {"I", 42, {25}}},
        {"GetInputTimecodeGranularity", [](C& c) { return c.GetInputTimecodeGranularity(); }, {"N", 43}},
        {"SetOutputName", [](C& c) { return c.SetOutputName("out"); }, {"S", 44, {}, {"out"}}},
        {"GetOutputName", [](C& c) { return c.GetOutputName(); }, {"N", 45}},
        {"SetOutputModule", [](C& c) { return c.SetOutputModule(1); }, {"I", 46, {1}}},
        {"GetOutputModule", [](C& c) { return c.GetOutputModule(); }, {"N", 47}},
        {"SetOutputVolume", [](C& c) { return c.SetOutputVolume(10, 20, 30); }, {"III", 48, {10, 20, 30}}},
        {"GetOutputVolume", [](C& c) { return c.GetOutputVolume(); }, {"N", 49}},
        {"SetOutputChannels", [](C& c) { return c.SetOutputChannels(3); }, {"I", 50, {3}}},
        {"GetOutputChannels", [](C& c) { return c.GetOutputChannels(); }, {"N", 51}},
        {"SetOutputPorts", [](C& c) { return c.SetOutputPorts(5); }, {"I", 52, {5}}},
        {"GetOutputPorts", [](C& c) { return c.GetOutputPorts(); }, {"N", 53}},
        {"SetCodecEqualizer", [](C& c) { return c.SetCodecEqualizer(&kBands); }, {"P", 56, {}, {}, &kBands}},
        {"GetCodecEqualizer", [](C& c) { return c.GetCodecEqualizer(); }, {"N", 57}},
        {"SetNotificationMask", [](C& c) { return c.SetNotificationMask(0xFFFFFFFF); }, {"I", 58, {-1}}},
        {"GetNotificationMask", [](C& c) { return c.GetNotificationMask(); }, {"N", 59}},
        {"SetDebugLevel", [](C& c) { return c.SetDebugLevel(200); }, {"I", 60, {200}}},
        {"GetDebugLevel", [](C& c) { return c.GetDebugLevel(); }, {"N", 61}},
    };
    return cases;
}

} // namespace

TEST(ZelkorCommands, EachMethodSendsOneMessageInItsFormAndReturnsTheResult)
{
    TZelkorCommands commands(RecordingExports(), kChannel);
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.method);
        g_sent.clear();
        EXPECT_EQ(c.call(commands), -42);
        ASSERT_EQ(g_sent.size(), 1u);
        EXPECT_EQ(g_sent[0], c.expected) << g_sent[0].form << " " << g_sent[0].code;
    }
}

TEST(ZelkorCommands, EveryCommandCodeUpToSixtyOneExceptFeedbackRateHasAMethod)
{
    std::vector<bool> covered(62, false);
    for (const Case& c : Cases())
        covered.at(c.expected.code) = true;
    for (uint32_t code = 1; code <= 61; ++code)
        EXPECT_EQ(covered[code], code != ZK_MSG_SET_FEEDBACK_RATE && code != ZK_MSG_GET_FEEDBACK_RATE) << code;
}

TEST(ZelkorCommands, ErrorStringIsTheEngineText)
{
    TZelkorCommands commands(RecordingExports(), kChannel);
    EXPECT_EQ(commands.ErrorString(-101), "invalid parameters");
    EXPECT_EQ(commands.ErrorString(0), "");
}
