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
    // Receives until the ack or nack of command; 0 or the nack's code
    // (ZK_ERROR_INTERNAL when interrupted).
    int32_t await_result(uint32_t command);
    // Receives until the player leaves the playing state; the state it
    // entered, or -1 when interrupted.
    int32_t await_end_of_input();
    // Handles one notification: verbose printing, progress, errors.
    void observe(const ZK_Message& message);
    // False when a signal arrived (unless `always`) or the channel failed.
    bool receive(ZK_Message& message, bool always = false);
    void report(const std::string& what, int32_t code);
    void show_progress();
    int setup();
    int list_devices();
    int play_inputs();
    // After SIGINT or SIGTERM: close the output so that its file is complete.
    int finish_interrupted();

    const Options& options_;
    ZK_ControlChannel* channel_ = nullptr;
    bool terminal_ = false;
    bool progress_shown_ = false;
    int32_t duration_ = 0;
    ZK_Timecode elapsed_{};
    std::string stream_;
    uint32_t output_caps_ = 0; // as announced when the output opened
    std::string input_;        // the input being played
    bool error_shown_ = false; // for this input
};

} // namespace zkplay
