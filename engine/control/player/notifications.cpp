// Notifications subject to the mask, state changes, and the decoder's
// callbacks turned into notifications.
#include "control/player/player_context.h"

#include "control/channel.h"
#include "control/field_access.h"

#include <cstdarg>
#include <cstdio>

namespace zk::player {

namespace {

constexpr size_t kCallbackTextSize = 1024;

// "%s (%s)", or "%s" when the detail is empty.
void format_text(char* out, const char* text, const char* detail) {
    if (!text) text = "";
    if (detail && *detail)
        std::snprintf(out, kCallbackTextSize, "%s (%s)", text, detail);
    else
        std::snprintf(out, kCallbackTextSize, "%s", text);
}

void on_progress(void* client, int32_t source, int32_t code, int32_t value, const char* message) {
    auto& player = *static_cast<PlayerContext*>(client);
    if (code == ZK_PROGRESS_STREAM_TITLE || code == ZK_PROGRESS_STREAM_NAME) {
        const uint32_t notification =
            code == ZK_PROGRESS_STREAM_TITLE ? ZK_MSG_NOTIFY_INPUT_STREAM_TITLE : ZK_MSG_NOTIFY_INPUT_STREAM_NAME;
        notify(player, ZK_NOTIFY_MASK_INPUT_STREAM_TITLE, notification, message ? message : "");
        return;
    }
    notify(player, ZK_NOTIFY_MASK_PROGRESS, ZK_MSG_NOTIFY_PROGRESS, source, code, value, message ? message : "");
}

void on_debug(void* client, int32_t source, int32_t level, const char* text, const char* detail) {
    auto& player = *static_cast<PlayerContext*>(client);
    if (level > static_cast<int32_t>(player.debug_level)) return;
    char line[kCallbackTextSize];
    format_text(line, text, detail);
    notify(player, ZK_NOTIFY_MASK_DEBUG, ZK_MSG_NOTIFY_DEBUG, source, level, line);
}

void on_error(void* client, int32_t source, int32_t code, const char* text, const char* detail) {
    auto& player = *static_cast<PlayerContext*>(client);
    char line[kCallbackTextSize];
    format_text(line, text, detail);
    notify(player, ZK_NOTIFY_MASK_ERROR, ZK_MSG_NOTIFY_ERROR, source, code, line);
}

} // namespace

void notify(PlayerContext& player, uint32_t mask_bit, uint32_t code, ...) {
    if (mask_bit && !(player.notification_mask & mask_bit)) return;
    ZK_Message message{};
    message.code = code;
    va_list args;
    va_start(args, code);
    zk::control::fill_fields_from_arguments(message, args);
    va_end(args);
    zk::control::send_message(player.channel, message);
}

void set_state(PlayerContext& player, int32_t state) {
    if (player.state == state) return;
    player.state = state;
    notify(player, ZK_NOTIFY_MASK_PLAYER_STATE, ZK_MSG_NOTIFY_PLAYER_STATE, state);
}

void install_callbacks(PlayerContext& player) {
    player.decoder->progress = on_progress;
    player.decoder->debug = on_debug;
    player.decoder->error = on_error;
}

} // namespace zk::player
