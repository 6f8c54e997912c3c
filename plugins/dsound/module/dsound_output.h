// One looping-buffer output instance: a shared device entry from `new` to
// delete, a looping buffer of two seconds made at each format request, and
// a monitor thread that, like the writer, moves the play state on: playback
// starts once half a second is queued, an underrun or the end of the data
// appends a second of silence, and playback stops once that has nearly
// played out, so that stale audio is never heard.
#pragma once

#include "buffer/looping_buffer.h"
#include "buffer/sound_device.h"
#include "module/device_table.h"
#include "module/play_state.h"
#include "platform/messaging/message_queue.h"
#include "zelkor.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <semaphore>
#include <string>
#include <sys/types.h>
#include <thread>

namespace zk::dsound {

class DsoundOutput {
public:
    // Request bits honoured: every one but the ports.
    static constexpr uint32_t kCaps = 0x03FFFFBF;

    DsoundOutput(ZK_Decoder* decoder, int32_t module_id, std::string name, DeviceTable& devices);
    ~DsoundOutput();
    DsoundOutput(const DsoundOutput&) = delete;
    DsoundOutput& operator=(const DsoundOutput&) = delete;

    // Checks the window variable, acquires the device, starts the monitor
    // and listens to the pitch: 0, -101 without a window, -511 for a bad
    // device character, -1 when the device or the thread cannot be had.
    int32_t create();

    // Waits while the buffer is full or draining, then copies the samples
    // in; the bytes accepted (fewer only while paused with no room), or -102
    // before the first format request.
    int32_t write(const void* samples, uint32_t count);
    int32_t set_control(const ZK_OutputControl& control, uint32_t request);
    int32_t get_control(ZK_OutputControl& control, uint32_t request) const;

    // One update of the play state; false when another one was running.
    bool update_play_state();

    PlayState play_state() const { return state_.load(); }
    const BufferMarks& marks() const { return marks_; }
    LoopingBuffer* buffer() const { return buffer_.get(); }
    uint32_t write_cursor() const { return write_cursor_.load(); }
    SoundDevice* device() const { return device_; }
    bool muted() const { return muted_; }

private:
    void monitor();
    void create_buffer(const ZK_OutputControl& control);
    // Starts a buffer that holds data but waits for more; then runs the
    // updates until the data and the silence after it have played out.
    void drain();
    // Runs updates until the writer may copy; false when no room can come
    // (the buffer is paused while full or draining).
    bool wait_for_room();
    // Copies bytes of data, or of zeros for null data, at the write cursor.
    void copy(const uint8_t* data, uint32_t bytes);
    // Zeros, both cursors at 0, idle. Playback is left as it is.
    void reset_buffer();
    void apply_pitch(const int32_t* pitch);
    static int32_t on_pitch(void* client, const char* name, const void* value);
    void report_lost_buffer();
    void report_failure(const char* context, int code, const std::string& description);
    void debug(int32_t level, const char* message, const char* detail = "");

    ZK_Decoder* decoder_;
    int32_t module_id_;
    std::string name_;
    DeviceTable& devices_;
    int entry_ = -1;
    SoundDevice* device_ = nullptr;

    std::unique_ptr<LoopingBuffer> buffer_;
    BufferMarks marks_;
    uint32_t sample_rate_ = 0;
    std::atomic<uint32_t> write_cursor_{0};
    std::atomic<PlayState> state_{PlayState::Idle};
    std::atomic<bool> busy_{false};
    std::atomic<uint32_t> losses_{0}; // lost-buffer restores not yet reported
    bool muted_ = false;
    int32_t saved_volume_ = LoopingBuffer::kVolumeFull;

    // Locked until the first buffer exists; serialises the monitor with
    // control requests and buffer re-creation.
    std::binary_semaphore state_lock_{0};
    bool state_lock_opened_ = false;
    std::mutex copy_lock_;

    std::shared_ptr<platform::MessageQueue> monitor_queue_;
    std::binary_semaphore monitor_ready_{0};
    pid_t monitor_thread_id_ = 0;
    std::thread monitor_;
    ZK_EnvironmentListener* pitch_listener_ = nullptr;
};

} // namespace zk::dsound
