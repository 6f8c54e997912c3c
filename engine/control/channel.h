// Control channels: a client thread and a procedure thread joined by message
// queues (or a message port on the client side), each with its own slot.
#pragma once

#include "control/window_carriage.h"
#include "platform/messaging/message_queue.h"
#include "zelkor.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <pthread.h>

namespace zk::control {

// A one-shot signal (the "control init" and "control done" events).
class Event {
public:
    void signal();
    // Waits at most timeout_ms (< 0: without limit); false on expiry.
    bool wait(int64_t timeout_ms);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_ = false;
};

// What one participating thread keeps for a channel.
struct ChannelSlot {
    std::shared_ptr<platform::MessageQueue> peer_queue; // set: post thread messages there
    ZK_WindowHandle peer_window = -1;                   // otherwise: post to this port
    std::shared_ptr<platform::MessageQueue> own_queue;  // where this side receives; null: the thread's queue
    char buffer[kSlotBufferSize];
};

} // namespace zk::control

struct ZK_ControlChannel {
    pthread_key_t slot_key;
    std::shared_ptr<zk::control::Event> done; // shared with the procedure thread
    std::atomic<pid_t> procedure_thread{0};
    std::atomic<int32_t> priority{15}; // Win32-style priority last set
};

namespace zk::control {

// The calling thread's slot on the channel, or null.
ChannelSlot* current_slot(ZK_ControlChannel* channel);

// Posts a packed message to the slot's peer; 0 or -308 (the copies are
// released when the post is refused).
int32_t post_to_peer(ChannelSlot& slot, const platform::PostedMessage& message);

// Packs and posts a built message from the calling thread.
int32_t send_message(ZK_ControlChannel* channel, const ZK_Message& message);

} // namespace zk::control
