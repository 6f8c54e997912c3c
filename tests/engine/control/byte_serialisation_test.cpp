#include "control/message_fields.h"
#include "engine/control/message_samples.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::vector<uint8_t> kSeekBytes = {0x06, 0x00, 0x0C, 0x6C, 0x00, 0x00, 0x00, 0x05, 0x6C, 0x00, 0x00, 0x01, 0x90};

TEST(ByteSerialisation, SeekExampleAndBufferSizes) {
    ZK_Message seek = zk::test::sample_message(ZK_MSG_COMMAND_SEEK);
    std::vector<uint8_t> buffer(13);
    EXPECT_EQ(control_message_to_bytes(&seek, buffer.data(), 2), -13);
    EXPECT_EQ(buffer[0], 0x06);
    EXPECT_EQ(control_message_to_bytes(&seek, buffer.data(), 13), 13);
    EXPECT_EQ(buffer, kSeekBytes);

    ZK_Message none{};
    none.code = ZK_MSG_COMMAND_PLAY;
    EXPECT_EQ(control_message_to_bytes(&none, buffer.data(), 13), 3);
    EXPECT_EQ(buffer[1], 0x00);
    EXPECT_EQ(buffer[2], 0x02);
}

TEST(ByteSerialisation, ReadsTheSeekExampleAndRejectsLengthMismatches) {
    ZK_Message m{};
    ASSERT_EQ(control_message_from_bytes(&m, kSeekBytes.data()), 0);
    EXPECT_EQ(m.seek.offset, 5u);
    EXPECT_EQ(m.seek.range, 400u);

    std::vector<uint8_t> longer = kSeekBytes;
    longer[2] = 0x0D;
    EXPECT_EQ(control_message_from_bytes_sized(&m, longer.data(), longer.size()), ZK_ERROR_INTERNAL);
    longer.push_back(0);
    EXPECT_EQ(control_message_from_bytes(&m, longer.data()), ZK_ERROR_INTERNAL);

    std::vector<uint8_t> shorter = kSeekBytes;
    shorter[2] = 0x0B;
    EXPECT_EQ(control_message_from_bytes_sized(&m, shorter.data(), shorter.size()), ZK_ERROR_INTERNAL);
}

TEST(ByteSerialisation, RefusesCodesWithoutByteForm) {
    std::vector<uint8_t> buffer(16);
    for (uint32_t code : {0u, 106u, 107u, 108u, uint32_t{ZK_MSG_COUNT}, 200u}) {
        ZK_Message m{};
        m.code = code;
        EXPECT_EQ(control_message_to_bytes(&m, buffer.data(), 16), 0) << code;
        buffer[0] = static_cast<uint8_t>(code);
        buffer[1] = 0;
        buffer[2] = 2;
        EXPECT_EQ(control_message_from_bytes(&m, buffer.data()), ZK_ERROR_INVALID_MESSAGE) << code;
    }
}

TEST(ByteSerialisation, EveryCodeRoundTrips) {
    for (uint32_t code = 1; code < ZK_MSG_COUNT; ++code) {
        if (!zk::control::is_serialisable(code)) continue;
        ZK_Message original = zk::test::sample_message(code);
        std::vector<uint8_t> bytes(1024);
        int32_t n = control_message_to_bytes(&original, bytes.data(), static_cast<int32_t>(bytes.size()));
        ASSERT_GT(n, 0) << code;
        ZK_Message copy{};
        ASSERT_EQ(control_message_from_bytes_sized(&copy, bytes.data(), static_cast<size_t>(n)), 0) << code;
        std::vector<uint8_t> again(1024);
        ASSERT_EQ(control_message_to_bytes(&copy, again.data(), static_cast<int32_t>(again.size())), n) << code;
        bytes.resize(n);
        again.resize(n);
        EXPECT_EQ(bytes, again) << zk::control::code_info(code).name;
    }
}

TEST(ByteSerialisation, MalformedItemsNeverOverrun) {
    ZK_Message m{};
    // A name item whose text has no terminating zero inside the block.
    const uint8_t unterminated[] = {ZK_MSG_COMMAND_INPUT_OPEN, 0x00, 0x07, 'c', 0x00, 0x03, 'a', 'b', 'c'};
    EXPECT_EQ(control_message_from_bytes_sized(&m, unterminated, sizeof unterminated), ZK_ERROR_INTERNAL);
    // A string length beyond the block.
    const uint8_t overlong[] = {ZK_MSG_COMMAND_INPUT_OPEN, 0x00, 0x06, 'c', 0x00, 0x40, 'a', 0};
    EXPECT_EQ(control_message_from_bytes_sized(&m, overlong, sizeof overlong), ZK_ERROR_INTERNAL);
    // An unknown letter, and an item of the wrong type.
    const uint8_t unknown[] = {ZK_MSG_COMMAND_PING, 0x00, 0x07, 'x', 0, 0, 0, 1};
    EXPECT_EQ(control_message_from_bytes_sized(&m, unknown, sizeof unknown), ZK_ERROR_INTERNAL);
    const uint8_t wrong[] = {ZK_MSG_COMMAND_PING, 0x00, 0x04, 'b', 1};
    EXPECT_EQ(control_message_from_bytes_sized(&m, wrong, sizeof wrong), ZK_ERROR_INTERNAL);
    // More items than the shape has fields.
    const uint8_t extra[] = {ZK_MSG_COMMAND_PING, 0x00, 0x0C, 'l', 0, 0, 0, 1, 'l', 0, 0, 0, 2};
    EXPECT_EQ(control_message_from_bytes_sized(&m, extra, sizeof extra), ZK_ERROR_INTERNAL);
    // An equalizer block of the wrong size.
    const uint8_t bands[] = {ZK_MSG_SET_CODEC_EQUALIZER, 0x00, 0x07, 'B', 0x00, 0x02, 1, 2};
    EXPECT_EQ(control_message_from_bytes_sized(&m, bands, sizeof bands), ZK_ERROR_INTERNAL);
    // Truncated header.
    const uint8_t truncated[] = {ZK_MSG_COMMAND_PING, 0x00};
    EXPECT_EQ(control_message_from_bytes_sized(&m, truncated, sizeof truncated), ZK_ERROR_INTERNAL);
}

TEST(ByteSerialisation, FewerItemsLeaveFieldsZero) {
    const uint8_t empty_seek[] = {ZK_MSG_COMMAND_SEEK, 0x00, 0x02};
    ZK_Message m = zk::test::sample_message(ZK_MSG_COMMAND_SEEK);
    ASSERT_EQ(control_message_from_bytes_sized(&m, empty_seek, sizeof empty_seek), 0);
    EXPECT_EQ(m.seek.offset, 0u);
    EXPECT_EQ(m.seek.range, 0u);
}

} // namespace
