// A client of the player thread for tests: sends commands and collects the
// notifications (with copies of their texts) until a condition holds.
#pragma once

#include "zelkor.h"

#include <functional>
#include <string>
#include <vector>

namespace zk::test {

struct Notification {
    ZK_Message message;
    std::string text; // the name, message or first string of the payload
};

class PlayerClient {
public:
    PlayerClient();
    ~PlayerClient();

    ZK_ControlChannel* channel() const { return channel_; }

    // Receives until a notification with code arrives (true) or the time runs out.
    bool wait_for(uint32_t code, int timeout_ms = 5000);
    // Receives until an ack or nack of command not taken before arrives; the
    // result is the nack's code, or 0 for an ack.
    int32_t result_of(uint32_t command, int timeout_ms = 5000);
    // Everything received so far, oldest first; clear() forgets it.
    const std::vector<Notification>& received() const { return received_; }
    std::vector<Notification> of_code(uint32_t code) const;
    void clear() {
        received_.clear();
        answer_taken_.clear();
    }

private:
    bool receive(int timeout_ms);

    ZK_ControlChannel* channel_ = nullptr;
    std::vector<Notification> received_;
    std::vector<bool> answer_taken_;
};

} // namespace zk::test
