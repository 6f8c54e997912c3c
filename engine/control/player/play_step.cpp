// One decode step while playing and the notifications that follow it.
#include "control/player/player_context.h"

#include <chrono>
#include <cstring>

namespace zk::player {

namespace {

uint64_t now_microseconds() {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

void end_of_input(PlayerContext& p) {
    set_state(p, ZK_PLAYER_STATE_EOF);
    if (!(p.mode & ZK_PLAYER_MODE_CLOSE_OUTPUT_ON_EOF) || !p.output_open()) return;
    ZK_OutputControl control{};
    decoder_output_set_control(p.decoder, &control, ZK_OUTPUT_REQUEST_DRAIN);
    decoder_output_close(p.decoder);
    notify<ZK_MSG_NOTIFY_OUTPUT_STATE>(p, ZK_NOTIFY_MASK_OUTPUT_STATE, ZK_NOTIFIED_STATE_CLOSED);
}

void notify_progress(PlayerContext& p) {
    const ZK_DecodeStatus& status = *p.decoder->status;
    uint32_t offset = static_cast<uint32_t>(p.position_range * static_cast<double>(status.position));
    if (offset != p.last_offset) {
        p.last_offset = offset;
        notify<ZK_MSG_NOTIFY_INPUT_POSITION>(p, ZK_NOTIFY_MASK_INPUT_POSITION, offset, p.position_range);
    }
    const ZK_Timecode& tc = status.timecode;
    int32_t fraction = p.granularity == 100 ? 0 : tc.hundredths - tc.hundredths % static_cast<int32_t>(p.granularity);
    int32_t now[4] = {tc.hours, tc.minutes, tc.seconds, fraction};
    if (std::memcmp(now, p.last_timecode, sizeof now) != 0) {
        std::memcpy(p.last_timecode, now, sizeof now);
        notify<ZK_MSG_NOTIFY_INPUT_TIMECODE>(p, ZK_NOTIFY_MASK_INPUT_TIMECODE, now[0], now[1], now[2], now[3]);
    }
    int32_t duration = p.decoder->input->duration;
    if (duration != p.last_duration) {
        p.last_duration = duration;
        notify<ZK_MSG_NOTIFY_INPUT_DURATION>(p, ZK_NOTIFY_MASK_INPUT_DURATION, duration);
    }
    const ZK_StreamInfo& info = status.info;
    if (info.changed)
        notify<ZK_MSG_NOTIFY_INPUT_STREAM_INFO>(p, ZK_NOTIFY_MASK_INPUT_STREAM_INFO, info.level, info.layer,
                                                info.bitrate, info.frequency, info.mode);
}

// Damaged frames in a row that end the track: about two seconds of audio.
constexpr int32_t kMaxFailedSteps = 100;
// How long steps may go on timing out (a stalled stream or device).
constexpr uint64_t kMaxWaitMicroseconds = 30'000'000;

// A step that failed with an error a later step may get past.
bool may_heal(int32_t result) { return result == ZK_ERROR_INVALID_FRAME; }

// The track ends on an error: it is reported and the player stops, keeping
// input and output open for the next command.
void end_on_error(PlayerContext& p, int32_t result) {
    notify<ZK_MSG_NOTIFY_ERROR>(p, ZK_NOTIFY_MASK_ERROR, 0, result, zelkor_error_string(result));
    set_state(p, ZK_PLAYER_STATE_STOPPED);
}

} // namespace

void play_step(PlayerContext& player) {
    int32_t result = decoder_play(player.decoder);
    if (result != ZK_ERROR_TIMEOUT) player.waiting_since = 0;
    if (result == 0) {
        player.failed_steps = 0;
        notify_progress(player);
    } else if (result == ZK_ERROR_INPUT_END) {
        end_of_input(player);
    } else if (result == ZK_ERROR_TIMEOUT) {
        // A stream still filling waits in its input; only a long stall ends the track.
        const uint64_t now = now_microseconds();
        if (!player.waiting_since) player.waiting_since = now;
        if (now - player.waiting_since >= kMaxWaitMicroseconds) {
            player.waiting_since = 0;
            end_on_error(player, result);
        }
    } else if (!may_heal(result) || ++player.failed_steps >= kMaxFailedSteps) {
        player.failed_steps = 0;
        end_on_error(player, result);
    }
}

} // namespace zk::player
