#include "control/channel.h"

#include "platform/messaging/message_port.h"
#include "platform/threads/thread_priority.h"

#include <chrono>
#include <new>
#include <thread>

using namespace zk::control;
using zk::platform::MessageQueue;
using zk::platform::PostedMessage;

namespace zk::control {

void Event::signal() {
    // Notified under the lock: a waiter may destroy the event as soon as it sees the signal.
    std::lock_guard<std::mutex> lock(mutex_);
    signalled_ = true;
    changed_.notify_all();
}

bool Event::wait(int64_t timeout_ms) {
    std::unique_lock<std::mutex> lock(mutex_);
    auto ready = [this] { return signalled_; };
    if (timeout_ms < 0) {
        changed_.wait(lock, ready);
    } else if (!changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms), ready)) {
        return false;
    }
    signalled_ = false; // auto-reset
    return true;
}

ChannelSlot* current_slot(ZK_ControlChannel* channel) {
    return static_cast<ChannelSlot*>(pthread_getspecific(channel->slot_key));
}

int32_t post_to_peer(ChannelSlot& slot, const PostedMessage& message) {
    bool posted = slot.peer_queue ? slot.peer_queue->post(message) : platform::post_to_port(slot.peer_window, message);
    if (posted) return 0;
    discard_posted(message);
    return ZK_ERROR_POST_FAILED;
}

int32_t send_message(ZK_ControlChannel* channel, const ZK_Message& message) {
    PostedMessage posted{};
    int32_t status = control_message_to_win32_params(&message, &posted.number, &posted.wparam, &posted.lparam);
    if (status != 0) return status;
    ChannelSlot* slot = current_slot(channel);
    if (!slot) {
        discard_posted(posted);
        return ZK_FAILURE;
    }
    return post_to_peer(*slot, posted);
}

} // namespace zk::control

namespace {

std::shared_ptr<MessageQueue> own_queue() { return zk::platform::current_thread_queue(discard_posted); }

std::shared_ptr<MessageQueue> receiving_queue(const zk::control::ChannelSlot& slot) {
    return slot.own_queue ? slot.own_queue : own_queue();
}

struct StartRecord {
    ZK_ControlChannel* channel;
    std::shared_ptr<MessageQueue> client_queue; // null when posting to a port
    ZK_WindowHandle client_window;
    std::shared_ptr<MessageQueue> procedure_queue;
    ZK_ControlProcedure procedure;
    void* user;
    Event init;
};

void run_procedure(StartRecord* start) {
    ZK_ControlChannel* channel = start->channel;
    pthread_key_t slot_key = channel->slot_key;
    std::shared_ptr<Event> done = channel->done;
    auto* slot = new (std::nothrow) ChannelSlot;
    if (slot) {
        slot->peer_queue = start->client_queue;
        slot->peer_window = start->client_window;
        slot->own_queue = start->procedure_queue;
        pthread_setspecific(channel->slot_key, slot);
    }
    zk::platform::adopt_thread_queue(start->procedure_queue);
    channel->procedure_thread = zk::platform::current_thread_id();
    ZK_ControlProcedure procedure = start->procedure;
    void* user = start->user;
    start->init.signal();
    // The start record belongs to the creator from here on.
    if (slot) procedure(channel, user);
    pthread_setspecific(slot_key, nullptr);
    delete slot;
    done->signal();
}

} // namespace

extern "C" ZK_API int32_t control_procedure_new(ZK_ControlChannel** channel_out, const ZK_WindowHandle* window,
                                                ZK_ControlProcedure procedure, void* user) {
    if (!channel_out || !procedure) return ZK_ERROR_INVALID_PARAMETERS;
    auto* channel = new (std::nothrow) ZK_ControlChannel;
    if (!channel) return ZK_ERROR_OUT_OF_MEMORY;
    if (pthread_key_create(&channel->slot_key, nullptr) != 0) {
        delete channel;
        return ZK_FAILURE;
    }
    auto* slot = new (std::nothrow) ChannelSlot;
    if (!slot) {
        pthread_key_delete(channel->slot_key);
        delete channel;
        return ZK_ERROR_OUT_OF_MEMORY;
    }
    pthread_setspecific(channel->slot_key, slot);
    channel->done = std::make_shared<Event>();

    StartRecord start;
    start.channel = channel;
    start.client_window = window ? *window : -1;
    // Each channel has a queue of its own, so that two players created by one
    // thread never take each other's notifications.
    if (!window) start.client_queue = std::make_shared<MessageQueue>(discard_posted);
    slot->own_queue = start.client_queue;
    start.procedure_queue = std::make_shared<MessageQueue>(discard_posted);
    start.procedure = procedure;
    start.user = user;
    slot->peer_queue = start.procedure_queue;

    try {
        std::thread(run_procedure, &start).detach();
    } catch (...) {
        pthread_setspecific(channel->slot_key, nullptr);
        delete slot;
        pthread_key_delete(channel->slot_key);
        delete channel;
        return ZK_FAILURE;
    }
    start.init.wait(-1);
    zk::platform::apply_thread_priority(channel->procedure_thread, 15);
    channel->priority = 15;
    *channel_out = channel;
    return 0;
}

extern "C" ZK_API int32_t control_procedure_delete(ZK_ControlChannel* channel) {
    if (!channel) return ZK_ERROR_INVALID_PARAMETERS;
    // Only a thread of the channel can ask the procedure to end.
    if (!current_slot(channel)) return ZK_FAILURE;
    control_message_send_N(channel, ZK_MSG_COMMAND_EXIT);
    if (!channel->done->wait(10000)) {
        // Abandoned: the procedure may still use the channel, so it stays.
        delete current_slot(channel);
        pthread_setspecific(channel->slot_key, nullptr);
        return 0;
    }
    delete current_slot(channel);
    pthread_setspecific(channel->slot_key, nullptr);
    pthread_key_delete(channel->slot_key);
    delete channel;
    return 0;
}

extern "C" ZK_API int32_t control_procedure_set_priority(ZK_ControlChannel* channel, int32_t priority) {
    static const int32_t kWin32Priority[] = {-15, -1, 0, 1, 15};
    if (!channel || priority < ZK_CONTROL_PRIORITY_LOWEST || priority > ZK_CONTROL_PRIORITY_HIGHEST)
        return ZK_ERROR_INVALID_PARAMETERS;
    if (!current_slot(channel)) return ZK_FAILURE;
    channel->priority = kWin32Priority[priority];
    zk::platform::apply_thread_priority(channel->procedure_thread, channel->priority);
    return 0;
}

extern "C" ZK_API int32_t control_win32_params_to_message(ZK_ControlChannel* channel, ZK_Message* message,
                                                          uint32_t number, uintptr_t wparam, intptr_t lparam) {
    if (!channel || !message) return ZK_ERROR_INVALID_PARAMETERS;
    ChannelSlot* slot = current_slot(channel);
    if (!slot) return ZK_FAILURE;
    unpack_message(*message, PostedMessage{number, wparam, lparam}, slot->buffer);
    return 0;
}

extern "C" ZK_API int32_t control_message_get(ZK_ControlChannel* channel, ZK_Message* message) {
    if (!channel || !message) return ZK_ERROR_INVALID_PARAMETERS;
    ChannelSlot* slot = current_slot(channel);
    if (!slot) return ZK_FAILURE;
    PostedMessage posted;
    if (!receiving_queue(*slot)->take(posted)) return 0;
    unpack_message(*message, posted, slot->buffer);
    return 1;
}

extern "C" ZK_API int32_t control_message_wait(ZK_ControlChannel* channel, ZK_Message* message, int32_t timeout) {
    if (!channel || !message) return ZK_ERROR_INVALID_PARAMETERS;
    ChannelSlot* slot = current_slot(channel);
    if (!slot) return ZK_FAILURE;
    std::shared_ptr<MessageQueue> queue = receiving_queue(*slot);
    if (!queue->wait(timeout < 0 ? -1 : timeout / 1000)) return ZK_ERROR_TIMEOUT;
    PostedMessage posted;
    if (!queue->take(posted)) return ZK_FAILURE;
    unpack_message(*message, posted, slot->buffer);
    return 0;
}
