#include "control/field_access.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using zk::control::arguments_fit;
using zk::control::fill_fields;

// What the compile-time check accepts and refuses.
static_assert(arguments_fit<ZK_MSG_NOTIFY_EXITED>());
static_assert(arguments_fit<ZK_MSG_NOTIFY_NACK, uint32_t, int32_t>());
static_assert(arguments_fit<ZK_MSG_NOTIFY_INPUT_NAME, char*>());
static_assert(arguments_fit<ZK_MSG_NOTIFY_CODEC_EQUALIZER, std::nullptr_t>());
static_assert(arguments_fit<ZK_MSG_NOTIFY_OUTPUT_STATE, decltype(ZK_NOTIFIED_STATE_CLOSED)>());
static_assert(!arguments_fit<ZK_MSG_NOTIFY_NACK, uint32_t>(), "a field missing");
static_assert(!arguments_fit<ZK_MSG_NOTIFY_ACK, uint32_t, int32_t>(), "a field too many");
static_assert(!arguments_fit<ZK_MSG_NOTIFY_INPUT_NAME, int32_t>(), "a number for a string");
static_assert(!arguments_fit<ZK_MSG_NOTIFY_PONG, const char*>(), "a string for a number");
static_assert(!arguments_fit<ZK_MSG_NOTIFY_PLAYER_STATE, bool>(), "a flag for a number");
static_assert(!arguments_fit<ZK_MSG_NOTIFY_DEBUG, int, const char*, int>(), "fields out of order");

TEST(TypedFields, ArgumentsLandInTheirFieldsInOrder) {
    ZK_Message m{};
    m.code = ZK_MSG_NOTIFY_INPUT_DEVICE_INFO;
    fill_fields<ZK_MSG_NOTIFY_INPUT_DEVICE_INFO>(m, 1, 2, 3u, "name", "description");
    EXPECT_EQ(m.device_info.module_id, 1);
    EXPECT_EQ(m.device_info.index, 2);
    EXPECT_EQ(m.device_info.flags, 3);
    EXPECT_STREQ(m.device_info.name, "name");
    EXPECT_STREQ(m.device_info.description, "description");

    ZK_Message stream{};
    fill_fields<ZK_MSG_NOTIFY_INPUT_STREAM_INFO>(stream, 1, 3, 320, 44100, 2);
    EXPECT_EQ(stream.stream_info.bitrate, 320);
    EXPECT_EQ(stream.stream_info.frequency, 44100);
    EXPECT_EQ(stream.stream_info.mode, 2);
}

TEST(TypedFields, NumbersAreCutToTheirFieldsWidthAndSigned16Survive) {
    ZK_Message nack{};
    fill_fields<ZK_MSG_NOTIFY_NACK>(nack, 0x1FFu, ZK_ERROR_INPUT_END);
    EXPECT_EQ(nack.nack.command, 0xFF);
    EXPECT_EQ(nack.nack.code, ZK_ERROR_INPUT_END);

    ZK_Message progress{};
    fill_fields<ZK_MSG_NOTIFY_PROGRESS>(progress, 1, 21, -5, "");
    EXPECT_EQ(progress.progress.value, -5);

    ZK_Message pong{};
    fill_fields<ZK_MSG_NOTIFY_PONG>(pong, -123456);
    EXPECT_EQ(pong.tag.tag, -123456);
}

TEST(TypedFields, NullDataStaysNull) {
    ZK_Message m{};
    m.code = ZK_MSG_NOTIFY_CODEC_EQUALIZER;
    int8_t bands[64] = {};
    fill_fields<ZK_MSG_NOTIFY_CODEC_EQUALIZER>(m, static_cast<const int8_t*>(bands));
    EXPECT_EQ(m.equalizer.equalizer, bands);
    fill_fields<ZK_MSG_NOTIFY_CODEC_EQUALIZER>(m, nullptr);
    EXPECT_EQ(m.equalizer.equalizer, nullptr);
}

} // namespace
