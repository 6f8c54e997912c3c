// Per-thread message queues: what a posted thread message becomes here.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>

namespace zk::platform {

// One posted message: a message number and two pointer-sized parameters.
struct PostedMessage {
    uint32_t number;
    uintptr_t wparam;
    intptr_t lparam;
};

// A bounded queue owned by one receiving thread; any thread may post.
class MessageQueue {
public:
    static constexpr size_t kCapacity = 10000;

    // Called for each message still queued when the queue is destroyed, so
    // that payload copies travelling with it are released.
    using Discard = std::function<void(const PostedMessage&)>;
    explicit MessageQueue(Discard discard = {});
    ~MessageQueue();
    MessageQueue(const MessageQueue&) = delete;
    MessageQueue& operator=(const MessageQueue&) = delete;

    // False when the queue is full: the post is refused.
    bool post(const PostedMessage& message);
    // Takes the oldest message without waiting; false when there is none.
    bool take(PostedMessage& message);
    // True when a queued message has one of the given numbers.
    bool holds_any(std::initializer_list<uint32_t> numbers);
    // Waits until a message is queued; timeout_ms < 0 waits without limit.
    // False on expiry.
    bool wait(int64_t timeout_ms);

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<PostedMessage> messages_;
    Discard discard_;
};

// The calling thread's queue, created on first use (with the given discard
// function) and kept for the thread's lifetime.
std::shared_ptr<MessageQueue> current_thread_queue(const MessageQueue::Discard& discard = {});
// Makes queue the calling thread's queue (a thread started with a queue
// prepared for it by its creator).
void adopt_thread_queue(std::shared_ptr<MessageQueue> queue);

} // namespace zk::platform
