// The player procedure's state: one decoder and what the commands set.
#pragma once

#include "control/field_access.h"
#include "zelkor.h"

#include <cstdint>
#include <string>

namespace zk::player {

struct PlayerContext {
    ZK_Decoder* decoder = nullptr;
    ZK_ControlChannel* channel = nullptr;
    int32_t state = ZK_PLAYER_STATE_STOPPED;
    uint32_t mode = 0;
    uint32_t position_range = 400;
    uint32_t last_offset = 0;
    uint32_t granularity = 100;
    int32_t last_timecode[4] = {-1, -1, -1, -1};
    int32_t last_duration = 0;
    int32_t input_module = -1;
    std::string input_name;
    int32_t output_module = -1;
    std::string output_name;
    // A name or module was given since the output was created: the next open
    // creates it anew (a file output starts its file over); otherwise the
    // output is reopened where it left off.
    bool output_named = true;
    uint8_t feedback_rate = 0; // feedback events per second asked for, 0 = off
    uint32_t notification_mask = ZK_NOTIFY_MASK_ALL;
    uint32_t debug_level = 0;
    int32_t failed_steps = 0;   // consecutive decode steps that failed
    uint64_t waiting_since = 0; // microseconds; start of consecutive timed-out steps, 0 = none
    bool exiting = false;

    bool input_open() const { return decoder->input->state == 1; }
    bool output_open() const { return decoder->output->state == 1; }
};

// Posts a filled notification to the client.
void send_notification(PlayerContext& player, const ZK_Message& message);

// Sends notification Code when its mask bit is set (0: always sent). The
// arguments are its payload fields in their serialisation order.
template <uint32_t Code, typename... Args> void notify(PlayerContext& player, uint32_t mask_bit, Args... args) {
    static_assert(control::kCodeFields<Code>.size() == sizeof...(Args), "one argument per payload field");
    static_assert(control::arguments_fit<Code, Args...>(), "an argument does not fit its payload field");
    if (mask_bit && !(player.notification_mask & mask_bit)) return;
    ZK_Message message{};
    message.code = Code;
    control::fill_fields<Code>(message, args...);
    send_notification(player, message);
}
// Changes the state, notifying a real change.
void set_state(PlayerContext& player, int32_t state);

// Executes one received command; results are acked or nacked here.
void execute(PlayerContext& player, const ZK_Message& message);
// One decode step while playing, with its notifications.
void play_step(PlayerContext& player);

// Installs the progress, debug and error callbacks that become notifications.
void install_callbacks(PlayerContext& player);

} // namespace zk::player
