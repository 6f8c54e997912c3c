// One run of zkplay: a player thread driven by control messages.
#pragma once

#include "options.h"
#include "zelkor.h"

#include <string>

namespace zkplay {

class Session {
public:
    explicit Session(const Options& options);
    ~Session();

    // Runs everything; the process exit status.
    int run();

private:
    // Receives until the ack or nack of command; 0 or the nack's code.
    int32_t await_result(uint32_t command);
    // Receives until the player reports the end of the input.
    void await_end_of_input();
    // Handles one notification: verbose printing, progress, errors.
    void observe(const ZK_Message& message);
    bool receive(ZK_Message& message);
    void report(const std::string& what, int32_t code);
    void show_progress();

    const Options& options_;
    ZK_ControlChannel* channel_ = nullptr;
    bool terminal_ = false;
    bool progress_shown_ = false;
    int32_t duration_ = 0;
    ZK_Timecode elapsed_{};
    std::string stream_;
};

} // namespace zkplay
