#include "engine/control/echo_procedure.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

TEST(Channel, PingPongThroughThreadQueues) {
    ZK_ControlChannel* channel = nullptr;
    ASSERT_EQ(control_procedure_new(&channel, nullptr, zk::test::echo_procedure, nullptr), 0);
    ZK_Message m{};
    EXPECT_EQ(control_message_get(channel, &m), 0);
    EXPECT_EQ(control_message_wait(channel, &m, 0), ZK_ERROR_TIMEOUT);
    ASSERT_EQ(control_message_send_I(channel, ZK_MSG_COMMAND_PING, 77), 0);
    ASSERT_EQ(control_message_wait(channel, &m, 5000000), 0);
    EXPECT_EQ(m.code, static_cast<uint32_t>(ZK_MSG_NOTIFY_PONG));
    EXPECT_EQ(m.tag.tag, 77);
    EXPECT_EQ(control_procedure_delete(channel), 0);
}

TEST(Channel, RefusesCodesThatAreNotSent) {
    ZK_ControlChannel* channel = nullptr;
    ASSERT_EQ(control_procedure_new(&channel, nullptr, zk::test::echo_procedure, nullptr), 0);
    for (uint32_t code : {0u, 87u, 106u, 107u, 108u, uint32_t{ZK_MSG_COUNT}})
        EXPECT_EQ(control_message_send_N(channel, code), ZK_ERROR_INVALID_MESSAGE) << code;
    EXPECT_EQ(control_message_send_N(nullptr, ZK_MSG_COMMAND_PLAY), ZK_ERROR_INVALID_PARAMETERS);
    control_procedure_delete(channel);
}

TEST(Channel, OnlyTheCreatingThreadHasASlot) {
    ZK_ControlChannel* channel = nullptr;
    ASSERT_EQ(control_procedure_new(&channel, nullptr, zk::test::echo_procedure, nullptr), 0);
    int32_t from_other = 0, priority_from_other = 0, delete_from_other = 0;
    std::thread([&] {
        from_other = control_message_send_N(channel, ZK_MSG_COMMAND_PLAY);
        priority_from_other = control_procedure_set_priority(channel, ZK_CONTROL_PRIORITY_NORMAL);
        delete_from_other = control_procedure_delete(channel); // at once, without waiting
    }).join();
    EXPECT_EQ(from_other, ZK_FAILURE);
    EXPECT_EQ(priority_from_other, ZK_FAILURE);
    EXPECT_EQ(delete_from_other, ZK_FAILURE);
    EXPECT_EQ(control_procedure_set_priority(channel, ZK_CONTROL_PRIORITY_LOW), 0);
    EXPECT_EQ(control_procedure_set_priority(channel, 5), ZK_ERROR_INVALID_PARAMETERS);
    control_procedure_delete(channel);
}

// Two channels of one thread: each receives only its own procedure's messages.
TEST(Channel, EachChannelHasItsOwnQueue) {
    ZK_ControlChannel* first = nullptr;
    ZK_ControlChannel* second = nullptr;
    ASSERT_EQ(control_procedure_new(&first, nullptr, zk::test::echo_procedure, nullptr), 0);
    ASSERT_EQ(control_procedure_new(&second, nullptr, zk::test::echo_procedure, nullptr), 0);
    ASSERT_EQ(control_message_send_I(first, ZK_MSG_COMMAND_PING, 1), 0);
    ASSERT_EQ(control_message_send_I(second, ZK_MSG_COMMAND_PING, 2), 0);
    ZK_Message m{};
    ASSERT_EQ(control_message_wait(second, &m, 5000000), 0);
    EXPECT_EQ(m.tag.tag, 2);
    ASSERT_EQ(control_message_wait(first, &m, 5000000), 0);
    EXPECT_EQ(m.tag.tag, 1);
    EXPECT_EQ(control_message_get(first, &m), 0);
    EXPECT_EQ(control_procedure_delete(first), 0);
    EXPECT_EQ(control_procedure_delete(second), 0);
}

// A module message's data travels in the slot buffer; a larger one is refused
// instead of having its size cut.
TEST(Channel, ModuleMessagesLargerThanTheCarriageAreRefused) {
    ZK_ControlChannel* channel = nullptr;
    ASSERT_EQ(control_procedure_new(&channel, nullptr, zk::test::echo_procedure, nullptr), 0);
    static char data[70000] = {};
    for (int size : {4097, 65537, -1})
        EXPECT_EQ(control_message_send_IPI(channel, ZK_MSG_COMMAND_INPUT_SEND_MESSAGE, 1, data, size),
                  ZK_ERROR_INVALID_PARAMETERS)
            << size;
    EXPECT_EQ(control_message_send_IPI(channel, ZK_MSG_COMMAND_INPUT_SEND_MESSAGE, 1, data, 100), 0);
    control_procedure_delete(channel);
}

TEST(Channel, AFullPortRefusesThePost) {
    int fds[2];
    ASSERT_EQ(pipe2(fds, O_NONBLOCK | O_CLOEXEC), 0);
    ZK_WindowHandle port = fds[1];
    ZK_ControlChannel* channel = nullptr;
    // The procedure floods the port with name notifications until a post fails.
    auto flood = [](ZK_ControlChannel* ch, void* result) -> int32_t {
        int32_t status = 0;
        for (int i = 0; i < 100000 && status == 0; ++i)
            status = control_message_send_S(ch, ZK_MSG_NOTIFY_INPUT_NAME, "name");
        *static_cast<int32_t*>(result) = status;
        ZK_Message m{};
        while (control_message_wait(ch, &m, -1) == 0 && m.code != ZK_MSG_COMMAND_EXIT) {
        }
        return 0;
    };
    int32_t result = 0;
    ASSERT_EQ(control_procedure_new(&channel, &port, flood, &result), 0);
    control_procedure_delete(channel);
    EXPECT_EQ(result, ZK_ERROR_POST_FAILED);
    // Release the copies that travel with the queued records.
    ZK_PortRecord record{};
    while (read(fds[0], &record, sizeof record) == static_cast<ssize_t>(sizeof record))
        free(reinterpret_cast<void*>(record.lparam));
    close(fds[0]);
    close(fds[1]);
}

} // namespace
