#include "session.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace zkplay {

namespace {

const char* mode_name(int mode) {
    static const char* const names[] = {"stereo", "joint stereo", "dual channel", "mono"};
    return mode >= 0 && mode < 4 ? names[mode] : "unknown mode";
}

bool is_integer(const std::string& text, int32_t& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    long parsed = std::strtol(text.c_str(), &end, 0);
    if (*end || parsed < INT32_MIN || parsed > INT32_MAX) return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

volatile std::sig_atomic_t g_signal = 0;

void on_signal(int number) { g_signal = number; }

void catch_stop_signals() {
    struct sigaction action {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

constexpr int32_t kSliceMicroseconds = 100000;
constexpr int kCloseWaitSlices = 50; // 5 seconds

} // namespace

Session::Session(const Options& options) : options_(options), terminal_(isatty(STDERR_FILENO) && !options.quiet) {}

Session::~Session() {
    if (channel_) player_delete(channel_);
}

bool Session::receive(ZK_Message& message, bool always) {
    for (;;) {
        if (g_signal && !always) return false;
        const int32_t result = control_message_wait(channel_, &message, kSliceMicroseconds);
        if (result == ZK_ERROR_TIMEOUT) continue;
        if (result != 0) return false;
        observe(message);
        return true;
    }
}

void Session::observe(const ZK_Message& m) {
    if (options_.verbose) {
        char text[2048];
        control_message_snprint(text, sizeof text, &m);
        if (progress_shown_) std::fputc('\n', stderr);
        progress_shown_ = false;
        std::fprintf(stderr, "%s\n", text);
    }
    switch (m.code) {
    case ZK_MSG_NOTIFY_OUTPUT_CAPS: output_caps_ = m.value.caps; break;
    case ZK_MSG_NOTIFY_INPUT_DURATION: duration_ = static_cast<int32_t>(m.value.duration); break;
    case ZK_MSG_NOTIFY_INPUT_STREAM_INFO: {
        char text[128];
        std::snprintf(text, sizeof text, "MPEG-%s layer %d, %d kbit/s, %d Hz, %s",
                      m.stream_info.level == 1   ? "1"
                      : m.stream_info.level == 2 ? "2"
                                                 : "2.5",
                      m.stream_info.layer, m.stream_info.bitrate, m.stream_info.frequency,
                      mode_name(m.stream_info.mode));
        stream_ = text;
        break;
    }
    case ZK_MSG_NOTIFY_INPUT_TIMECODE:
        elapsed_ = {m.timecode.hours, m.timecode.minutes, m.timecode.seconds, m.timecode.fractions};
        show_progress();
        break;
    case ZK_MSG_NOTIFY_ERROR:
        // Errors are shown whatever -q says.
        if (progress_shown_) std::fputc('\n', stderr);
        progress_shown_ = false;
        std::fprintf(stderr, "zkplay: %s%s%s (%d)\n", input_.c_str(), input_.empty() ? "" : ": ", m.error.message,
                     m.error.code);
        error_shown_ = true;
        break;
    default: break;
    }
}

void Session::show_progress() {
    if (!terminal_ || options_.verbose) return;
    int elapsed = elapsed_.hours * 3600 + elapsed_.minutes * 60 + elapsed_.seconds;
    std::fprintf(stderr, "\r  %02d:%02d / %02d:%02d  %s ", elapsed / 60, elapsed % 60, duration_ / 60, duration_ % 60,
                 stream_.c_str());
    progress_shown_ = true;
}

int32_t Session::await_result(uint32_t command) {
    ZK_Message m{};
    while (receive(m)) {
        if (m.code == ZK_MSG_NOTIFY_ACK && m.byte.command == command) return 0;
        if (m.code == ZK_MSG_NOTIFY_NACK && m.nack.command == command) return m.nack.code;
    }
    return ZK_ERROR_INTERNAL;
}

int32_t Session::await_end_of_input() {
    ZK_Message m{};
    while (receive(m)) {
        if (m.code == ZK_MSG_NOTIFY_PLAYER_STATE && m.byte.state != ZK_PLAYER_STATE_PLAYING) return m.byte.state;
    }
    return -1;
}

void Session::report(const std::string& what, int32_t code) {
    if (progress_shown_) std::fputc('\n', stderr);
    progress_shown_ = false;
    std::fprintf(stderr, "zkplay: %s: %s (%d)\n", what.c_str(), zelkor_error_string(code), code);
}

int Session::run() {
    catch_stop_signals();
    if (player_new(&channel_, nullptr) != 0) {
        std::fprintf(stderr, "zkplay: cannot start the player\n");
        return 2;
    }
    ZK_Message m{};
    while (receive(m, true) && m.code != ZK_MSG_NOTIFY_READY) {
    }
    int status = setup();
    if (status == 0) status = options_.list_devices ? list_devices() : play_inputs();
    return g_signal ? finish_interrupted() : status;
}

int Session::setup() {
    if (options_.verbose) {
        control_message_send_I(channel_, ZK_MSG_SET_DEBUG_LEVEL, 2);
        await_result(ZK_MSG_SET_DEBUG_LEVEL);
    }
    for (const std::string& module : options_.output_modules) {
        control_message_send_S(channel_, ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER, module.c_str());
        if (int32_t code = await_result(ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER)) {
            report("cannot register output module " + module, code);
            return 2;
        }
    }
    for (const auto& [name, value] : options_.environment) {
        int32_t number;
        uint32_t command = ZK_MSG_SET_PLAYER_ENVIRONMENT_STRING;
        if (is_integer(value, number)) {
            command = ZK_MSG_SET_PLAYER_ENVIRONMENT_INTEGER;
            control_message_send_SI(channel_, command, name.c_str(), number);
        } else {
            control_message_send_SS(channel_, command, name.c_str(), value.c_str());
        }
        if (int32_t code = await_result(command)) {
            report("cannot set " + name + "=" + value, code);
            return 2;
        }
    }
    if (options_.start_seconds > 0) {
        const auto milliseconds = static_cast<int32_t>(options_.start_seconds * 1000 + 0.5);
        control_message_send_SI(channel_, ZK_MSG_SET_PLAYER_ENVIRONMENT_INTEGER, ZK_INPUT_START_VARIABLE, milliseconds);
        await_result(ZK_MSG_SET_PLAYER_ENVIRONMENT_INTEGER);
    }
    if (options_.list_devices) return 0;
    control_message_send_I(channel_, ZK_MSG_SET_OUTPUT_CHANNELS, options_.channels);
    await_result(ZK_MSG_SET_OUTPUT_CHANNELS);
    control_message_send_S(channel_, ZK_MSG_COMMAND_OUTPUT_OPEN, options_.output.c_str());
    if (int32_t code = await_result(ZK_MSG_COMMAND_OUTPUT_OPEN)) {
        report("cannot open output \"" + options_.output + "\"", code);
        return 2;
    }
    return 0;
}

int Session::list_devices() {
    control_message_send_N(channel_, ZK_MSG_COMMAND_OUTPUT_MODULES_LIST);
    ZK_Message m{};
    while (receive(m)) {
        if (m.code == ZK_MSG_NOTIFY_OUTPUT_MODULE_INFO)
            std::printf("%s (%s)\n", m.module_info.name, m.module_info.description);
        else if (m.code == ZK_MSG_NOTIFY_OUTPUT_DEVICE_INFO)
            std::printf("  %-28s %s\n", m.device_info.name, m.device_info.description);
        else if (m.code == ZK_MSG_NOTIFY_ACK && m.byte.command == ZK_MSG_COMMAND_OUTPUT_MODULES_LIST)
            return 0;
    }
    return 2;
}

int Session::play_inputs() {
    int status = 0;
    for (const std::string& input : options_.inputs) {
        duration_ = 0;
        stream_.clear();
        input_ = input;
        error_shown_ = false;
        control_message_send_S(channel_, ZK_MSG_COMMAND_INPUT_OPEN, input.c_str());
        if (int32_t code = await_result(ZK_MSG_COMMAND_INPUT_OPEN)) {
            if (g_signal) break;
            report("cannot open " + input, code);
            status = 1;
            continue;
        }
        if (!options_.quiet && !terminal_ && !stream_.empty())
            std::fprintf(stderr, "zkplay: %s: %s\n", input.c_str(), stream_.c_str());
        control_message_send_N(channel_, ZK_MSG_COMMAND_PLAY);
        if (int32_t code = await_result(ZK_MSG_COMMAND_PLAY)) {
            if (g_signal) break;
            report("cannot play " + input, code);
            status = 1;
            continue;
        }
        const int32_t state = await_end_of_input();
        if (progress_shown_) std::fputc('\n', stderr);
        progress_shown_ = false;
        if (state < 0) break; // interrupted
        if (state != ZK_PLAYER_STATE_EOF) {
            // The player stopped on an error, which it has reported.
            if (!error_shown_) std::fprintf(stderr, "zkplay: %s: playback stopped\n", input.c_str());
            status = 1;
        }
    }
    input_.clear();
    if (g_signal) return status;
    // An output that holds nothing back does not take drains.
    if (output_caps_ & ZK_OUTPUT_REQUEST_DRAIN) {
        control_message_send_N(channel_, ZK_MSG_COMMAND_OUTPUT_DRAIN);
        const int32_t drained = await_result(ZK_MSG_COMMAND_OUTPUT_DRAIN);
        if (g_signal) return status;
        if (drained != 0) {
            // Samples the output took are not all in the file or played.
            report("cannot play out output \"" + options_.output + "\"", drained);
            status = 1;
        }
    }
    control_message_send_N(channel_, ZK_MSG_COMMAND_OUTPUT_CLOSE);
    if (int32_t code = await_result(ZK_MSG_COMMAND_OUTPUT_CLOSE)) {
        report("cannot close output \"" + options_.output + "\"", code);
        status = 1;
    }
    return status;
}

int Session::finish_interrupted() {
    const int number = g_signal;
    if (progress_shown_) std::fputc('\n', stderr);
    progress_shown_ = false;
    std::fprintf(stderr, "zkplay: stopped by signal %d\n", number);
    control_message_send_N(channel_, ZK_MSG_COMMAND_STOP);
    control_message_send_N(channel_, ZK_MSG_COMMAND_OUTPUT_CLOSE);
    // A player held up by its input (a stalled pipe) is not waited for long.
    ZK_Message m{};
    for (int slices = 0; slices < kCloseWaitSlices; ++slices) {
        if (control_message_wait(channel_, &m, kSliceMicroseconds) != 0) continue;
        observe(m);
        if ((m.code == ZK_MSG_NOTIFY_ACK && m.byte.command == ZK_MSG_COMMAND_OUTPUT_CLOSE) ||
            (m.code == ZK_MSG_NOTIFY_NACK && m.nack.command == ZK_MSG_COMMAND_OUTPUT_CLOSE))
            return 128 + number;
    }
    std::fprintf(stderr, "zkplay: the output did not close in time\n");
    std::_Exit(128 + number); // the player thread may still hold the channel
}

} // namespace zkplay
