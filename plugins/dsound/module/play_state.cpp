#include "module/play_state.h"

namespace zk::dsound {

BufferMarks BufferMarks::of_byte_rate(uint32_t bytes_per_second) {
    BufferMarks marks;
    marks.size = 2 * bytes_per_second;
    marks.high = marks.size - bytes_per_second / 2;
    marks.low = bytes_per_second / 4;
    marks.start = bytes_per_second / 2;
    marks.silence = bytes_per_second;
    return marks;
}

PlayStep next_play_step(PlayState state, uint32_t queued, const BufferMarks& marks) {
    switch (state) {
    case PlayState::Idle:
        if (queued > marks.start) return {PlayState::Playing, PlayAction::Start};
        return {PlayState::Idle, PlayAction::None};
    case PlayState::Playing:
    case PlayState::Full:
        if (queued < marks.low) return {PlayState::Draining, PlayAction::AppendSilence};
        return {queued >= marks.high ? PlayState::Full : PlayState::Playing, PlayAction::None};
    case PlayState::Draining:
        if (queued < marks.silence) return {PlayState::Idle, PlayAction::StopAndReset};
        return {PlayState::Draining, PlayAction::None};
    }
    return {PlayState::Idle, PlayAction::None};
}

} // namespace zk::dsound
