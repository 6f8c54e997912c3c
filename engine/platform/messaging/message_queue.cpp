#include "platform/messaging/message_queue.h"

#include <algorithm>
#include <chrono>

namespace zk::platform {

namespace {
thread_local std::shared_ptr<MessageQueue> t_queue;
}

MessageQueue::MessageQueue(Discard discard) : discard_(std::move(discard)) {}

MessageQueue::~MessageQueue() {
    if (!discard_) return;
    for (const PostedMessage& message : messages_) discard_(message);
}

bool MessageQueue::post(const PostedMessage& message) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (messages_.size() >= kCapacity) return false;
        messages_.push_back(message);
    }
    arrived_.notify_one();
    return true;
}

bool MessageQueue::take(PostedMessage& message) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (messages_.empty()) return false;
    message = messages_.front();
    messages_.pop_front();
    return true;
}

bool MessageQueue::holds_any(std::initializer_list<uint32_t> numbers) {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::any_of(messages_.begin(), messages_.end(), [&](const PostedMessage& message) {
        return std::find(numbers.begin(), numbers.end(), message.number) != numbers.end();
    });
}

bool MessageQueue::wait(int64_t timeout_ms) {
    std::unique_lock<std::mutex> lock(mutex_);
    auto ready = [this] { return !messages_.empty(); };
    if (timeout_ms < 0) {
        arrived_.wait(lock, ready);
        return true;
    }
    return arrived_.wait_for(lock, std::chrono::milliseconds(timeout_ms), ready);
}

std::shared_ptr<MessageQueue> current_thread_queue(const MessageQueue::Discard& discard) {
    if (!t_queue) t_queue = std::make_shared<MessageQueue>(discard);
    return t_queue;
}

void adopt_thread_queue(std::shared_ptr<MessageQueue> queue) { t_queue = std::move(queue); }

} // namespace zk::platform
