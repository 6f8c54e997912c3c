// Helpers for driving the player thread into faults: waiting on what it has
// notified, and timing the answer to a command.
#pragma once

#include "engine/player/player_client.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zk::test {

// Receives until done() holds (true) or the time runs out (false).
bool wait_until(PlayerClient& client, const std::function<bool()>& done, int timeout_ms);

// The state last notified, or -1 before any.
int32_t last_player_state(const PlayerClient& client);
bool has_progress(const PlayerClient& client, int32_t code);
// Error notifications so far.
std::vector<Notification> errors(const PlayerClient& client);

struct TimedAnswer {
    int32_t result; // 0 ack, the nack's code, or 1 when none came
    std::chrono::milliseconds after;
};
// Sends a command without parameters and waits (generously) for its answer.
TimedAnswer send_timed(PlayerClient& client, uint32_t command);

std::vector<uint8_t> read_file(const std::string& path);

} // namespace zk::test
