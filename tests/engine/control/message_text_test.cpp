#include "control/message_table.h"
#include "engine/control/message_samples.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string text_of(const ZK_Message& m) {
    char text[2048];
    control_message_sprint(text, &m);
    return text;
}

ZK_Message with_byte(uint32_t code, uint8_t value) {
    ZK_Message m{};
    m.code = code;
    m.byte.ports = value;
    return m;
}

TEST(MessageText, BytePayloadsPortsAndStates) {
    const std::pair<ZK_Message, const char*> cases[] = {
        {with_byte(ZK_MSG_SET_OUTPUT_PORTS, 0x05), "MSG set output ports [LINE+HEADPHONE]"},
        {with_byte(ZK_MSG_SET_OUTPUT_PORTS, 0), "MSG set output ports []"},
        {with_byte(ZK_MSG_NOTIFY_OUTPUT_PORTS, 7), "MSG notify output ports [LINE+SPEAKER+HEADPHONE]"},
        {with_byte(ZK_MSG_SET_OUTPUT_CHANNELS, 7), "MSG set output channels "},
        {with_byte(ZK_MSG_NOTIFY_OUTPUT_CHANNELS, 3), "MSG notify output channels [MIX]"},
        {with_byte(ZK_MSG_NOTIFY_ACK, ZK_MSG_COMMAND_PLAY), "MSG notify ack [ZK_MSG_COMMAND_PLAY]"},
        {with_byte(ZK_MSG_NOTIFY_PLAYER_STATE, 3), "MSG notify player state [EOF]"},
        {with_byte(ZK_MSG_NOTIFY_PLAYER_STATE, 9), "MSG notify player state [UNKNOWN]"},
        {with_byte(ZK_MSG_NOTIFY_INPUT_STATE, 1), "MSG notify input state [CLOSED]"},
    };
    for (const auto& [message, text] : cases) EXPECT_EQ(text_of(message), text);
}

TEST(MessageText, PayloadsInTheirPatterns) {
    ZK_Message nack{};
    nack.code = ZK_MSG_NOTIFY_NACK;
    nack.nack.command = 200;
    nack.nack.code = -513;
    EXPECT_EQ(text_of(nack), "MSG notify nack [command=ZK_INTERNAL_ERROR, code=-513, string=\"input end\"]");
    const std::pair<uint32_t, const char*> samples[] = {
        {ZK_MSG_COMMAND_SEEK, "MSG command seek [offset=5, range=400]"},
        {ZK_MSG_NOTIFY_INPUT_TIMECODE, "MSG notify timecode [01:02:03:50]"},
        {ZK_MSG_NOTIFY_INPUT_STREAM_INFO,
         "MSG notify stream info [level=1, layer=3, bitrate=320, frequency=44100, mode=JOINT-STEREO]"},
        {ZK_MSG_SET_OUTPUT_VOLUME, "MSG set output volume [balance=30, level=20, master = 10]"},
        {ZK_MSG_SET_NOTIFICATION_MASK, "MSG set notification mask [80000001]"},
    };
    for (const auto& [code, text] : samples) EXPECT_EQ(text_of(zk::test::sample_message(code)), text);
}

TEST(MessageText, Equalizer) {
    ZK_Message m{};
    m.code = ZK_MSG_SET_CODEC_EQUALIZER;
    EXPECT_EQ(text_of(m), "MSG set codec equalizer [NULL]");
    m.code = ZK_MSG_NOTIFY_CODEC_EQUALIZER;
    int8_t bands[64] = {};
    bands[0] = 5;
    bands[32] = -12;
    m.equalizer.equalizer = bands;
    std::string line = text_of(m);
    EXPECT_EQ(line.rfind("MSG notify codec equalizer [left={+005 +000 ", 0), 0u) << line;
    EXPECT_NE(line.find("right={-012 +000 "), std::string::npos) << line;
    EXPECT_EQ(line.substr(line.size() - 3), " }]");
}

TEST(MessageText, EveryCodeHasALineAndUnknownCodesSaySo) {
    for (uint32_t code = 1; code < ZK_MSG_COUNT; ++code) {
        std::string line = text_of(zk::test::sample_message(code));
        EXPECT_EQ(line.rfind("MSG ", 0), 0u) << code;
        bool refused = code >= ZK_MSG_COMMAND_FEEDBACK_PAUSE && code <= ZK_MSG_COMMAND_FEEDBACK_FLUSH;
        EXPECT_EQ(line == "MSG unknown", refused) << code << ": " << line;
    }
    for (uint32_t code : {0u, 4000u}) EXPECT_EQ(text_of(with_byte(code, 0)), "MSG unknown");
}

TEST(MessageText, SizedFormCutsToFit) {
    ZK_Message m = zk::test::sample_message(ZK_MSG_NOTIFY_FEEDBACK_EVENT);
    char small[16];
    EXPECT_EQ(control_message_snprint(small, sizeof small, &m), 15);
    EXPECT_EQ(std::string(small), "MSG command not");
}

} // namespace
