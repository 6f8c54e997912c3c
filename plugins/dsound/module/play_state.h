// The play states of a looping-buffer output and the table that moves
// between them by the bytes queued in the buffer.
#pragma once

#include <cstdint>

namespace zk::dsound {

enum class PlayState : int32_t {
    Idle = 0,     // stopped until more than the start mark is queued
    Playing = 1,  // below the high mark
    Full = 2,     // at or above the high mark: the writer waits
    Draining = 3, // a second of silence appended after an underrun or the end of the data
};

// Sizes and marks in bytes, from the bytes per second B of the format.
struct BufferMarks {
    uint32_t size = 0;    // 2 B
    uint32_t high = 0;    // size - B / 2
    uint32_t low = 0;     // B / 4
    uint32_t start = 0;   // B / 2
    uint32_t silence = 0; // B, also the stop mark

    static BufferMarks of_byte_rate(uint32_t bytes_per_second);
};

enum class PlayAction {
    None,
    Start,         // start looping playback
    AppendSilence, // append a second of silence at the write cursor
    StopAndReset,  // stop playback, clear the buffer, both cursors to 0
};

struct PlayStep {
    PlayState next;
    PlayAction action;
};

PlayStep next_play_step(PlayState state, uint32_t queued, const BufferMarks& marks);

// Bytes between the play cursor and the write cursor of a looping buffer.
inline uint32_t queued_bytes(uint32_t write_cursor, uint32_t play_cursor, uint32_t size) {
    return size ? (write_cursor + size - play_cursor) % size : 0;
}

} // namespace zk::dsound
