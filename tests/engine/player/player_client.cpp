#include "engine/player/player_client.h"

#include "control/window_carriage.h"
#include "platform/messaging/message_queue.h"

#include <chrono>

namespace zk::test {

PlayerClient::PlayerClient() { player_new(&channel_, nullptr); }

PlayerClient::~PlayerClient() {
    if (channel_) player_delete(channel_);
    // What the player sent last (its exit notification, unread answers) stays
    // in this thread's queue; the next client must start from an empty one.
    auto queue = zk::platform::current_thread_queue();
    zk::platform::PostedMessage left;
    while (queue->take(left)) zk::control::discard_posted(left);
}

bool PlayerClient::receive(int timeout_ms) {
    ZK_Message m{};
    if (control_message_wait(channel_, &m, timeout_ms * 1000) != 0) return false;
    Notification n{m, {}};
    switch (m.code) {
    case ZK_MSG_NOTIFY_INPUT_NAME:
    case ZK_MSG_NOTIFY_INPUT_STREAM_TITLE:
    case ZK_MSG_NOTIFY_INPUT_STREAM_NAME:
    case ZK_MSG_NOTIFY_OUTPUT_NAME: n.text = m.name.name; break;
    case ZK_MSG_NOTIFY_DEBUG: n.text = m.debug.message; break;
    case ZK_MSG_NOTIFY_ERROR: n.text = m.error.message; break;
    case ZK_MSG_NOTIFY_INPUT_FILTER_INFO:
    case ZK_MSG_NOTIFY_OUTPUT_FILTER_INFO: n.text = m.filter.name; break;
    case ZK_MSG_NOTIFY_OUTPUT_MODULE_INFO:
    case ZK_MSG_NOTIFY_INPUT_MODULE_INFO: n.text = m.module_info.name; break;
    default: break;
    }
    received_.push_back(n);
    answer_taken_.push_back(false);
    return true;
}

bool PlayerClient::wait_for(uint32_t code, int timeout_ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    size_t seen = 0;
    for (;;) {
        for (; seen < received_.size(); ++seen)
            if (received_[seen].message.code == code) return true;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !receive(static_cast<int>(left.count()))) return false;
    }
}

int32_t PlayerClient::result_of(uint32_t command, int timeout_ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    size_t seen = 0;
    for (;;) {
        for (; seen < received_.size(); ++seen) {
            const ZK_Message& m = received_[seen].message;
            bool ack = m.code == ZK_MSG_NOTIFY_ACK && m.byte.command == command;
            bool nack = m.code == ZK_MSG_NOTIFY_NACK && m.nack.command == command;
            if (answer_taken_[seen] || (!ack && !nack)) continue;
            answer_taken_[seen] = true;
            return ack ? 0 : m.nack.code;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !receive(static_cast<int>(left.count()))) return 1;
    }
}

std::vector<Notification> PlayerClient::of_code(uint32_t code) const {
    std::vector<Notification> found;
    for (const Notification& n : received_)
        if (n.message.code == code) found.push_back(n);
    return found;
}

} // namespace zk::test
