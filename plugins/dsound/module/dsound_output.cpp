#include "module/dsound_output.h"

#include "module/dsound_texts.h"
#include "module/levels.h"
#include "platform/threads/thread_priority.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace zk::dsound {

namespace {

using namespace std::chrono_literals;

constexpr uint32_t kQuitMessage = 0x400;
constexpr auto kMonitorPeriod = 100ms;
constexpr auto kWriterPause = 50ms;
constexpr int kTimeCritical = 15;
// The rates a buffer can be made for.
constexpr int32_t kLowestRate = 100;
constexpr int32_t kHighestRate = 200000;

} // namespace

DsoundOutput::DsoundOutput(ZK_Decoder* decoder, int32_t module_id, std::string name, DeviceTable& devices)
    : decoder_(decoder), module_id_(module_id), name_(std::move(name)), devices_(devices) {}

DsoundOutput::~DsoundOutput() {
    if (monitor_.joinable()) {
        monitor_queue_->post({kQuitMessage, 0, 0});
        monitor_.join();
    }
    if (buffer_) buffer_->stop();
    buffer_.reset();
    if (device_) devices_.release(entry_);
    if (pitch_listener_) decoder_->remove_listener(decoder_, pitch_listener_);
}

int32_t DsoundOutput::create() {
    int32_t window = 0;
    if (!decoder_ || !decoder_->get_integer || decoder_->get_integer(decoder_, texts::kWindowVariable, &window) != 0 ||
        window == 0) {
        debug(0, texts::kNeedsWindow);
        return ZK_ERROR_INVALID_PARAMETERS;
    }
    entry_ = device_entry_of(name_.c_str());
    if (entry_ < 0) {
        debug(0, texts::kCannotOpenDevice, texts::kNoSuchDevice);
        return ZK_ERROR_NO_SUCH_OUTPUT_DEVICE;
    }
    device_ = devices_.acquire(entry_);
    if (!device_) {
        debug(0, texts::kCannotOpenDevice, name_.c_str());
        return ZK_FAILURE;
    }
    try {
        monitor_queue_ = std::make_shared<platform::MessageQueue>();
        monitor_ = std::thread([this] { monitor(); });
    } catch (const std::exception&) {
        devices_.release(entry_);
        device_ = nullptr;
        return ZK_FAILURE;
    }
    monitor_ready_.acquire();
    platform::apply_thread_priority(monitor_thread_id_, kTimeCritical);
    if (decoder_->add_listener)
        decoder_->add_listener(decoder_, texts::kPitchVariable, this, on_pitch, &pitch_listener_);
    return ZK_OK;
}

void DsoundOutput::monitor() {
    monitor_thread_id_ = platform::current_thread_id();
    monitor_ready_.release();
    for (;;) {
        platform::PostedMessage message;
        if (monitor_queue_->take(message)) {
            if (message.number == kQuitMessage) return;
            continue;
        }
        // Before the first buffer the lock stays closed: look at the queue
        // again now and then, so that a delete is never kept waiting.
        if (!state_lock_.try_acquire_for(kMonitorPeriod)) continue;
        if (buffer_) update_play_state();
        state_lock_.release();
        monitor_queue_->wait(std::chrono::milliseconds(kMonitorPeriod).count());
    }
}

bool DsoundOutput::update_play_state() {
    if (busy_.exchange(true, std::memory_order_acquire)) return false;
    const uint32_t queued = queued_bytes(write_cursor_, buffer_->play_cursor(), buffer_->size());
    const PlayStep step = next_play_step(state_, queued, marks_);
    switch (step.action) {
    case PlayAction::None: break;
    case PlayAction::Start: buffer_->play(); break;
    case PlayAction::AppendSilence: copy(nullptr, marks_.silence); break;
    case PlayAction::StopAndReset:
        buffer_->stop();
        reset_buffer();
        break;
    }
    state_ = step.next;
    busy_.store(false, std::memory_order_release);
    return true;
}

bool DsoundOutput::wait_for_room() {
    for (;;) {
        if (update_play_state()) {
            const PlayState state = state_;
            if (state != PlayState::Full && state != PlayState::Draining) return true;
            if (!buffer_->playing()) return false;
        }
        std::this_thread::sleep_for(kWriterPause);
    }
}

int32_t DsoundOutput::write(const void* samples, uint32_t count) {
    if (!samples && count) return ZK_ERROR_INVALID_PARAMETERS;
    if (!buffer_) {
        debug(0, "internal error", texts::kNoBuffer);
        return ZK_ERROR_INTERNAL;
    }
    report_lost_buffer();
    const auto* bytes = static_cast<const uint8_t*>(samples);
    uint32_t accepted = 0;
    while (accepted < count) {
        if (!wait_for_room()) break;
        // After the wait at least half a second is free: never overtake
        // the play cursor, whatever the size of the write.
        const uint32_t piece = std::min(count - accepted, marks_.start);
        copy(bytes + accepted, piece);
        accepted += piece;
    }
    return static_cast<int32_t>(accepted);
}

void DsoundOutput::copy(const uint8_t* data, uint32_t bytes) {
    std::lock_guard lock(copy_lock_);
    LockedRegions regions;
    if (!buffer_->lock(write_cursor_, bytes, regions)) {
        if (!buffer_->lost()) return;
        buffer_->restore();
        ++losses_;
        if (!buffer_->lock(write_cursor_, bytes, regions)) return;
    }
    if (data) {
        std::memcpy(regions.first, data, regions.first_bytes);
        if (regions.second_bytes) std::memcpy(regions.second, data + regions.first_bytes, regions.second_bytes);
    } else {
        std::memset(regions.first, 0, regions.first_bytes);
        if (regions.second_bytes) std::memset(regions.second, 0, regions.second_bytes);
    }
    buffer_->unlock(regions);
    write_cursor_ = (write_cursor_ + regions.first_bytes + regions.second_bytes) % buffer_->size();
}

void DsoundOutput::reset_buffer() {
    std::lock_guard lock(copy_lock_);
    write_cursor_ = 0;
    state_ = PlayState::Idle;
    buffer_->set_play_cursor(0);
    buffer_->clear();
}

void DsoundOutput::create_buffer(const ZK_OutputControl& control) {
    // What the old buffer holds plays out in its own format first.
    drain();
    if (state_lock_opened_) state_lock_.acquire();
    if (buffer_) {
        buffer_->stop();
        buffer_.reset();
    }
    state_ = PlayState::Idle;
    if (control.sample_rate >= kLowestRate && control.sample_rate <= kHighestRate) {
        const BufferFormat format{static_cast<uint32_t>(control.sample_rate), control.stereo == 1 ? 2u : 1u};
        marks_ = BufferMarks::of_byte_rate(format.bytes_per_second());
        BufferCreation creation = device_->create_buffer(format, marks_.size);
        if (!creation.fallback.empty()) debug(0, texts::kSilentFallback, creation.fallback.c_str());
        if (creation.buffer) {
            buffer_ = std::move(creation.buffer);
            sample_rate_ = format.rate;
            reset_buffer();
            int32_t pitch = 0;
            if (decoder_->get_integer(decoder_, texts::kPitchVariable, &pitch) == ZK_OK) apply_pitch(&pitch);
        } else {
            report_failure(texts::kCannotCreateSecondaryBuffer, creation.error, creation.detail);
        }
    } else {
        char rate[32];
        std::snprintf(rate, sizeof rate, "sample rate %d", control.sample_rate);
        report_failure(texts::kCannotCreateSecondaryBuffer, ZK_ERROR_INVALID_PARAMETERS, rate);
    }
    state_lock_opened_ = true;
    state_lock_.release();
}

int32_t DsoundOutput::set_control(const ZK_OutputControl& control, uint32_t request) {
    if (request & ZK_OUTPUT_REQUEST_SAMPLE_RATE) create_buffer(control);
    if (!buffer_) return ZK_OK;
    state_lock_.acquire();
    if (request & ZK_OUTPUT_REQUEST_RESET) {
        // Playing on from a reset buffer would loop over it before the next
        // data: the buffer stops until enough is queued again.
        buffer_->stop();
        reset_buffer();
    }
    if (request & ZK_OUTPUT_REQUEST_PAUSE) buffer_->stop();
    // An idle buffer starts by itself once enough is queued.
    if ((request & ZK_OUTPUT_REQUEST_RESUME) && state_ != PlayState::Idle) buffer_->play();
    if ((request & ZK_OUTPUT_REQUEST_MUTE) && !muted_) {
        muted_ = true;
        saved_volume_ = buffer_->volume();
        buffer_->set_volume(LoopingBuffer::kVolumeSilent);
    }
    if ((request & ZK_OUTPUT_REQUEST_UNMUTE) && muted_) {
        muted_ = false;
        buffer_->set_volume(saved_volume_);
    }
    if (request & ZK_OUTPUT_REQUEST_BALANCE) buffer_->set_pan(pan_of_balance(control.balance));
    if (request & ZK_OUTPUT_REQUEST_PCM_LEVEL) {
        // While muted the new level waits for the unmute.
        const int32_t volume = volume_of_level(control.pcm_level);
        if (muted_)
            saved_volume_ = volume;
        else
            buffer_->set_volume(volume);
    }
    state_lock_.release();
    if (request & ZK_OUTPUT_REQUEST_DRAIN) drain();
    return ZK_OK;
}

int32_t DsoundOutput::get_control(ZK_OutputControl& control, uint32_t request) const {
    if (!buffer_) {
        control.master_level = 100;
        control.pcm_level = 100;
        control.balance = 50;
        return ZK_OK;
    }
    if (request & ZK_OUTPUT_REQUEST_PCM_LEVEL)
        control.pcm_level = level_of_volume(muted_ ? saved_volume_ : buffer_->volume());
    if (request & ZK_OUTPUT_REQUEST_BALANCE) control.balance = balance_of_pan(buffer_->pan());
    return ZK_OK;
}

void DsoundOutput::drain() {
    if (!buffer_) return;
    while (busy_.exchange(true, std::memory_order_acquire)) std::this_thread::sleep_for(kWriterPause);
    const bool waiting =
        state_ == PlayState::Idle && queued_bytes(write_cursor_, buffer_->play_cursor(), buffer_->size()) > 0;
    if (waiting) {
        buffer_->play();
        state_ = PlayState::Playing;
    }
    busy_.store(false, std::memory_order_release);
    if (state_ == PlayState::Idle) return;
    while (buffer_->playing() && state_ != PlayState::Idle) {
        std::this_thread::sleep_for(kWriterPause);
        update_play_state();
    }
    if (state_ == PlayState::Idle) debug(1, texts::kDrained);
}

void DsoundOutput::apply_pitch(const int32_t* pitch) {
    if (!buffer_) return;
    // A pitch in thousandths of the stream's rate; unset restores the rate.
    const uint64_t frequency = pitch ? uint64_t(sample_rate_) * static_cast<uint32_t>(*pitch) / 1000 : 0;
    if (frequency > UINT32_MAX || !buffer_->set_frequency(static_cast<uint32_t>(frequency))) {
        char value[32];
        std::snprintf(value, sizeof value, "%d", pitch ? *pitch : 0);
        debug(0, texts::kPitchNotSupported, value);
    }
}

int32_t DsoundOutput::on_pitch(void* client, const char*, const void* value) {
    static_cast<DsoundOutput*>(client)->apply_pitch(static_cast<const int32_t*>(value));
    return ZK_OK;
}

void DsoundOutput::report_lost_buffer() {
    if (losses_.exchange(0) == 0) return;
    report_failure(texts::kBufferLost, ZK_ERROR_WRITE_FAILED, "the device failed; playing on the silent device");
}

void DsoundOutput::report_failure(const char* context, int code, const std::string& description) {
    char text[512];
    std::snprintf(text, sizeof text, texts::kErrorFormat, context, static_cast<unsigned>(code), description.c_str());
    if (decoder_ && decoder_->error) decoder_->error(decoder_->client, module_id_, code, texts::kErrorCaption, text);
    std::fprintf(stderr, "%s: %s\n", texts::kErrorCaption, text);
}

void DsoundOutput::debug(int32_t level, const char* message, const char* detail) {
    if (decoder_ && decoder_->debug) decoder_->debug(decoder_->client, module_id_, level, message, detail);
}

} // namespace zk::dsound
