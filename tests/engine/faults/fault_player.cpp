#include "engine/faults/fault_player.h"

#include <fstream>
#include <iterator>

namespace zk::test {

bool wait_until(PlayerClient& client, const std::function<bool()>& done, int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        // The player never sends this while it runs: this only receives.
        client.wait_for(ZK_MSG_NOTIFY_EXITED, 20);
    }
    return true;
}

int32_t last_player_state(const PlayerClient& client) {
    auto states = client.of_code(ZK_MSG_NOTIFY_PLAYER_STATE);
    return states.empty() ? -1 : states.back().message.byte.state;
}

bool has_progress(const PlayerClient& client, int32_t code) {
    for (const Notification& n : client.of_code(ZK_MSG_NOTIFY_PROGRESS))
        if (n.message.progress.code == code) return true;
    return false;
}

std::vector<Notification> errors(const PlayerClient& client) { return client.of_code(ZK_MSG_NOTIFY_ERROR); }

TimedAnswer send_timed(PlayerClient& client, uint32_t command) {
    const auto sent = std::chrono::steady_clock::now();
    control_message_send_N(client.channel(), command);
    const int32_t result = client.result_of(command, 30000);
    return {result, std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - sent)};
}

std::vector<uint8_t> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace zk::test
