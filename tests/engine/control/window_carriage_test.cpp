#include "control/message_fields.h"
#include "control/window_carriage.h"
#include "engine/control/echo_procedure.h"
#include "engine/control/message_samples.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class WindowCarriage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(control_procedure_new(&channel_, nullptr, zk::test::echo_procedure, nullptr), 0);
    }
    void TearDown() override { control_procedure_delete(channel_); }

    ZK_Message carry(const ZK_Message& m) {
        uint32_t number = 0;
        uintptr_t w = 0;
        intptr_t l = 0;
        EXPECT_EQ(control_message_to_win32_params(&m, &number, &w, &l), 0);
        EXPECT_EQ(number, ZK_WINDOW_MESSAGE_BASE + m.code);
        ZK_Message out{};
        EXPECT_EQ(control_win32_params_to_message(channel_, &out, number, w, l), 0);
        return out;
    }

    static std::vector<uint8_t> bytes_of(const ZK_Message& m) {
        std::vector<uint8_t> bytes(1024);
        int32_t n = control_message_to_bytes(&m, bytes.data(), 1024);
        bytes.resize(n > 0 ? n : 0);
        return bytes;
    }

    ZK_ControlChannel* channel_ = nullptr;
};

bool carried_without_payload(uint32_t code) {
    return code == ZK_MSG_SET_FEEDBACK_RATE || code == ZK_MSG_NOTIFY_OUTPUT_FEEDBACK_RATE ||
           code == ZK_MSG_QUEUE_FEEDBACK_EVENT || code == ZK_MSG_QUEUE_TAG_EVENT ||
           code == ZK_MSG_NOTIFY_FEEDBACK_EVENT || code == ZK_MSG_NOTIFY_TAG_EVENT ||
           code == ZK_MSG_NOTIFY_OUTPUT_VOLUME;
}

TEST_F(WindowCarriage, EveryCodeArrivesAsSent) {
    for (uint32_t code = 1; code < ZK_MSG_COUNT; ++code) {
        if (!zk::control::is_serialisable(code)) continue;
        ZK_Message sent = zk::test::sample_message(code);
        ZK_Message received = carry(sent);
        ASSERT_EQ(received.code, code);
        if (carried_without_payload(code)) {
            ZK_Message empty{};
            empty.code = code;
            EXPECT_EQ(bytes_of(received), bytes_of(empty)) << zk::control::code_info(code).name;
        } else {
            EXPECT_EQ(bytes_of(received), bytes_of(sent)) << zk::control::code_info(code).name;
        }
    }
}

TEST_F(WindowCarriage, SignAndZeroExtension) {
    ZK_Message m{};
    m.code = ZK_MSG_NOTIFY_NACK;
    m.nack.command = 200;
    m.nack.code = -513;
    uint32_t number;
    uintptr_t w;
    intptr_t l;
    ASSERT_EQ(control_message_to_win32_params(&m, &number, &w, &l), 0);
    EXPECT_EQ(w, 200u);
    EXPECT_EQ(l, -513);
    m = ZK_Message{};
    m.code = ZK_MSG_COMMAND_INPUT_MODULE_QUERY;
    m.module_id.id = -1;
    ASSERT_EQ(control_message_to_win32_params(&m, &number, &w, &l), 0);
    EXPECT_EQ(static_cast<intptr_t>(w), -1);
}

// The parameters are what other programs' message loops read: each field
// stays at its bits.
TEST_F(WindowCarriage, FieldsTravelAtTheirBits) {
    struct Case {
        ZK_Message message;
        uintptr_t w;
        intptr_t l;
    };
    auto message = [](uint32_t code, auto fill) {
        ZK_Message m{};
        m.code = code;
        fill(m);
        return m;
    };
    const Case cases[] = {
        {message(ZK_MSG_NOTIFY_INPUT_STREAM_INFO,
                 [](ZK_Message& m) {
                     m.stream_info = {1, 3, 320, 44100, 2};
                 }),
         0x020301, static_cast<intptr_t>(44100u << 16 | 320)},
        {message(ZK_MSG_NOTIFY_INPUT_TIMECODE,
                 [](ZK_Message& m) {
                     m.timecode = {1, 2, 3, 4};
                 }),
         0x04030201, 0},
        {message(ZK_MSG_SET_OUTPUT_VOLUME,
                 [](ZK_Message& m) {
                     m.volume.balance = 0x10;
                     m.volume.pcm_level = 0x20;
                     m.volume.master_level = 0x30;
                 }),
         0x302010, 0},
        {message(ZK_MSG_NOTIFY_OUTPUT_PCM_LEVEL, [](ZK_Message& m) { m.volume.pcm_level = 0x42; }), 0x42, 0},
        {message(ZK_MSG_SET_INPUT_POSITION_RANGE, [](ZK_Message& m) { m.value.mode = 0xFFFFFFFFu; }), 0,
         static_cast<intptr_t>(0xFFFFFFFFu)},
        {message(ZK_MSG_COMMAND_PING, [](ZK_Message& m) { m.tag.tag = -2; }), 0, -2},
    };
    for (const Case& c : cases) {
        uint32_t number;
        uintptr_t w;
        intptr_t l;
        ASSERT_EQ(control_message_to_win32_params(&c.message, &number, &w, &l), 0);
        EXPECT_EQ(w, c.w) << zk::control::code_info(c.message.code).name;
        EXPECT_EQ(l, c.l) << zk::control::code_info(c.message.code).name;
    }

    // A signed value inside a word keeps only its bits; an integer setting
    // travels as its 32 bits. Both arrive as sent.
    ZK_Message error = message(ZK_MSG_NOTIFY_ERROR, [](ZK_Message& m) {
        m.error.source = 7;
        m.error.code = -1;
    });
    ZK_Message setting =
        message(ZK_MSG_SET_PLAYER_ENVIRONMENT_INTEGER, [](ZK_Message& m) { m.environment_integer.value = -1; });
    uint32_t number;
    uintptr_t w;
    intptr_t l;
    ASSERT_EQ(control_message_to_win32_params(&error, &number, &w, &l), 0);
    EXPECT_EQ(w, 0xFFFF0007u);
    zk::control::discard_posted({number, w, l});
    ASSERT_EQ(control_message_to_win32_params(&setting, &number, &w, &l), 0);
    EXPECT_EQ(w, 0xFFFFFFFFu);
    zk::control::discard_posted({number, w, l});
    EXPECT_EQ(carry(error).error.code, -1);
    EXPECT_EQ(carry(setting).environment_integer.value, -1);
}

TEST_F(WindowCarriage, ASingleByteIsTheShapesOnlyField) {
    for (uint32_t code = 1; code < ZK_MSG_COUNT; ++code) {
        const zk::control::CodeInfo& info = zk::control::code_info(code);
        if (info.carriage != zk::control::Carriage::ByteInW) continue;
        std::span<const zk::control::Field> fields = zk::control::shape_fields(info.shape);
        ASSERT_EQ(fields.size(), 1u) << info.name;
        EXPECT_EQ(fields[0].kind, zk::control::FieldKind::U8) << info.name;
    }
}

TEST_F(WindowCarriage, StringsAreCutToTheSlotBuffer) {
    ZK_Message m{};
    m.code = ZK_MSG_COMMAND_INPUT_OPEN;
    EXPECT_EQ(std::string(carry(m).name.name), "");

    std::string long_name(5000, 'n');
    m.name.name = long_name.c_str();
    EXPECT_EQ(std::string(carry(m).name.name), std::string(4095, 'n'));

    std::string first(4095, 'a');
    m = ZK_Message{};
    m.code = ZK_MSG_SET_PLAYER_ENVIRONMENT_STRING;
    m.environment_string.name = first.c_str();
    m.environment_string.value = "lost";
    ZK_Message out = carry(m);
    EXPECT_EQ(std::string(out.environment_string.name), first);
    EXPECT_EQ(std::string(out.environment_string.value), "");

    std::string shorter(4093, 'a');
    m.environment_string.name = shorter.c_str();
    out = carry(m);
    EXPECT_EQ(std::string(out.environment_string.value), "l");
}

TEST_F(WindowCarriage, NullDataTravelsAsZero) {
    ZK_Message m{};
    m.code = ZK_MSG_SET_CODEC_EQUALIZER;
    uint32_t number;
    uintptr_t w;
    intptr_t l;
    ASSERT_EQ(control_message_to_win32_params(&m, &number, &w, &l), 0);
    EXPECT_EQ(l, 0);
    EXPECT_EQ(carry(m).equalizer.equalizer, nullptr);

    m = ZK_Message{};
    m.code = ZK_MSG_COMMAND_INPUT_SEND_MESSAGE;
    m.module_message.type = 3;
    ZK_Message out = carry(m);
    EXPECT_EQ(out.module_message.type, 3);
    EXPECT_EQ(out.module_message.size, 0);
    EXPECT_EQ(out.module_message.data, nullptr);
}

TEST_F(WindowCarriage, NonEngineNumbersGiveCodesOutsideTheRange) {
    ZK_Message out{};
    ASSERT_EQ(control_win32_params_to_message(channel_, &out, 0x400, 1, 2), 0);
    EXPECT_TRUE(out.code == 0 || out.code >= ZK_MSG_COUNT);
}

} // namespace
