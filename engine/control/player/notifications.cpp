// Notifications subject to the mask, state changes, and the decoder's
// callbacks turned into notifications.
#include "control/player/player_context.h"

#include "control/channel.h"

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
    const char* text = message ? message : "";
    if (code == ZK_PROGRESS_STREAM_TITLE)
        notify<ZK_MSG_NOTIFY_INPUT_STREAM_TITLE>(player, ZK_NOTIFY_MASK_INPUT_STREAM_TITLE, text);
    else if (code == ZK_PROGRESS_STREAM_NAME)
        notify<ZK_MSG_NOTIFY_INPUT_STREAM_NAME>(player, ZK_NOTIFY_MASK_INPUT_STREAM_TITLE, text);
    else
        notify<ZK_MSG_NOTIFY_PROGRESS>(player, ZK_NOTIFY_MASK_PROGRESS, source, code, value, text);
}

void on_debug(void* client, int32_t source, int32_t level, const char* text, const char* detail) {
    auto& player = *static_cast<PlayerContext*>(client);
    if (level > static_cast<int32_t>(player.debug_level)) return;
    char line[kCallbackTextSize];
    format_text(line, text, detail);
    notify<ZK_MSG_NOTIFY_DEBUG>(player, ZK_NOTIFY_MASK_DEBUG, source, level, line);
}

void on_error(void* client, int32_t source, int32_t code, const char* text, const char* detail) {
    auto& player = *static_cast<PlayerContext*>(client);
    char line[kCallbackTextSize];
    format_text(line, text, detail);
    notify<ZK_MSG_NOTIFY_ERROR>(player, ZK_NOTIFY_MASK_ERROR, source, code, line);
}

} // namespace

void send_notification(PlayerContext& player, const ZK_Message& message) {
    zk::control::send_message(player.channel, message);
}

void set_state(PlayerContext& player, int32_t state) {
    if (player.state == state) return;
    player.state = state;
    notify<ZK_MSG_NOTIFY_PLAYER_STATE>(player, ZK_NOTIFY_MASK_PLAYER_STATE, state);
}

void install_callbacks(PlayerContext& player) {
    player.decoder->progress = on_progress;
    player.decoder->debug = on_debug;
    player.decoder->error = on_error;
}

} // namespace zk::player
