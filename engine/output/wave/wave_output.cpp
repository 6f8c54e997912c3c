#include "output/wave/wave_output.h"

#include "decoder/debug_report.h"
#include "output/wave/volume_word.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

namespace zk::wave {

namespace {

// A submitted buffer is waited for this long (5000 polls of 10 ms) before
// it is given up.
constexpr std::chrono::milliseconds kReclaimTimeout{5000 * 10};

int32_t open_error_code(int error) {
    switch (-error) {
    case ENOENT:
    case ENODEV:
    case ENXIO: return ZK_ERROR_NO_SUCH_OUTPUT_DEVICE;
    case EBUSY:
    case EAGAIN: return ZK_ERROR_DEVICE_BUSY;
    default: return ZK_ERROR_OPEN_FAILED;
    }
}

bool valid_format(const ZK_OutputControl& control) {
    return control.sample_rate > 0 && control.sample_rate <= 768000 && (control.stereo == 0 || control.stereo == 1);
}

} // namespace

WaveOutput::WaveOutput(ZK_Decoder* decoder, int32_t module_id, uint32_t device)
    : decoder_(decoder), module_id_(module_id), device_index_(device) {}

WaveOutput::~WaveOutput() {
    if (device_.is_open()) close();
    if (rate_listener_) decoder_->remove_listener(decoder_, rate_listener_);
}

int32_t WaveOutput::create() {
    memory_.reset(new (std::nothrow) uint8_t[kBufferCount * kBufferBytes]);
    if (!memory_) return ZK_ERROR_OUT_OF_MEMORY;
    for (uint32_t i = 0; i < kBufferCount; ++i)
        blocks_[i].data = reinterpret_cast<const int16_t*>(memory_.get() + i * kBufferBytes);
    if (decoder_ && decoder_->add_listener)
        return decoder_->add_listener(decoder_, kRateVariable, this, on_rate_change, &rate_listener_);
    return ZK_OK;
}

int32_t WaveOutput::open_device(audio::PcmFormat format) {
    const std::vector<audio::OutputDevice> devices = audio::list_output_devices();
    if (device_index_ >= devices.size()) {
        report_debug(decoder_, 0, "cannot open wave device", "no such device", module_id_);
        return ZK_ERROR_NO_SUCH_OUTPUT_DEVICE;
    }
    audio::OutputDevice device = devices[device_index_];
    mixer_control_ = device.mixer;
    audio::SinkOpening opening = audio::open_sink(device, format);
    if (!opening.sink && device.is_default) {
        report_debug(decoder_, 0, "cannot open default wave device, playing on the silent device",
                     opening.detail.c_str(), module_id_);
        device = devices.back();
        opening = audio::open_sink(device, format);
    }
    if (!opening.sink) {
        report_debug(decoder_, 0, "cannot open wave device", opening.detail.c_str(), module_id_);
        return open_error_code(opening.error);
    }
    device_key_ = device.is_silent() ? "silent" : device.pcm;
    device_.open(std::move(opening.sink), format, kBufferBytes, device_key_,
                 [this](audio::WaveBlock& block) { queued_.fetch_sub(block.bytes); });
    lost_ = 0;
    lost_reported_ = false;
    int32_t rate = 0;
    if (decoder_ && decoder_->get_integer && decoder_->get_integer(decoder_, kRateVariable, &rate) == ZK_OK)
        apply_rate(rate);
    return ZK_OK;
}

void WaveOutput::open_mixer() {
    int error = -ENODEV;
    if (!mixer_control_.empty()) {
        mixer_ = audio::open_alsa_mixer(mixer_control_, {"PCM", "Master"}, error);
        if (!mixer_) {
            char number[16];
            std::snprintf(number, sizeof number, "%d", error);
            report_debug(decoder_, 0, "cannot open mixer", number, module_id_);
        }
    }
    // Where the system has no mixer, a virtual one keeps the level controls working.
    if (!mixer_) mixer_ = audio::open_virtual_mixer(device_key_, "PCM");
    const audio::MixerInfo& info = mixer_->info();
    char text[512];
    std::snprintf(text, sizeof text, "mixer caps: mid=%d, pid=%d, version=%d.%d, name=%s, %d destinations",
                  info.manufacturer, info.product, info.version_major, info.version_minor, info.name.c_str(),
                  info.controls);
    report_debug(decoder_, 1, text, "", module_id_);
    std::snprintf(text, sizeof text, "mixer control: name=%s, min=%ld, max=%ld, steps=%ld",
                  mixer_->control_name().c_str(), mixer_->minimum(), mixer_->maximum(),
                  mixer_->maximum() - mixer_->minimum());
    report_debug(decoder_, 1, text, "", module_id_);
}

int32_t WaveOutput::open() {
    next_ = 0;
    queued_ = 0;
    submitted_.fill(false);
    muted_ = false;
    balance_ = 0.5;
    const int32_t result = open_device(audio::PcmFormat{44100, 2});
    if (result != ZK_OK) return result;
    volume_word_ = device_.volume();
    balance_ = balance_of(volume_word_);
    open_mixer();
    return ZK_OK;
}

int32_t WaveOutput::close() {
    reclaim_all();
    device_.close();
    mixer_.reset();
    return ZK_OK;
}

void WaveOutput::reclaim(uint32_t index) {
    if (!submitted_[index]) return;
    if (!device_.wait_done(blocks_[index], kReclaimTimeout)) {
        // The device stopped taking audio without failing: give it up.
        report_debug(decoder_, 0, "wave buffer not completed", "device stalled", module_id_);
        device_.reset();
        if (!lost_) lost_ = ZK_ERROR_TIMEOUT;
    }
    submitted_[index] = false;
}

void WaveOutput::reclaim_all() {
    device_.restart();
    for (uint32_t i = 0; i < kBufferCount; ++i) reclaim((next_ + i) % kBufferCount);
}

void* WaveOutput::get_buffer(uint32_t count) {
    if (count > kBufferBytes) return nullptr;
    reclaim(next_);
    return memory_.get() + next_ * kBufferBytes;
}

int32_t WaveOutput::lost() {
    if (!lost_ && device_.failure()) {
        const int error = device_.failure();
        lost_ = (error == -ENODEV || error == -ENXIO) ? ZK_ERROR_NO_SUCH_OUTPUT_DEVICE : ZK_ERROR_WRITE_FAILED;
    }
    if (lost_ && !lost_reported_) {
        lost_reported_ = true;
        const char* detail = lost_ == ZK_ERROR_TIMEOUT ? "device stalled" : std::strerror(-device_.failure());
        if (decoder_ && decoder_->error)
            decoder_->error(decoder_->client, module_id_, lost_, "wave device lost", detail);
    }
    return lost_;
}

int32_t WaveOutput::submit_current(uint32_t count) {
    audio::WaveBlock& block = blocks_[next_];
    block.bytes = count;
    queued_.fetch_add(count);
    const int32_t result = device_.submit(block);
    if (result != ZK_OK) {
        queued_.fetch_sub(count);
        return result;
    }
    submitted_[next_] = true;
    next_ = (next_ + 1) % kBufferCount;
    return ZK_OK;
}

int32_t WaveOutput::write(const void* samples, uint32_t count) {
    if (const int32_t error = lost()) return error;
    const auto* bytes = static_cast<const uint8_t*>(samples);
    for (uint32_t left = count; left > 0;) {
        const uint32_t chunk = left < kBufferBytes ? left : kBufferBytes;
        auto* target = static_cast<uint8_t*>(get_buffer(chunk));
        if (target != bytes) std::memmove(target, bytes, chunk);
        const int32_t result = submit_current(chunk);
        if (result != ZK_OK) return device_.failure() ? lost() : result;
        bytes += chunk;
        left -= chunk;
    }
    return static_cast<int32_t>(count);
}

int32_t WaveOutput::reopen(const ZK_OutputControl& control) {
    if (!valid_format(control)) return ZK_ERROR_INVALID_PARAMETERS;
    const audio::PcmFormat format{static_cast<uint32_t>(control.sample_rate), control.stereo ? 2u : 1u};
    reclaim_all();
    if (device_.is_open() && device_.format() == format && !lost_) return ZK_OK;
    device_.close();
    const int32_t result = open_device(format);
    if (result == ZK_OK && muted_) device_.set_volume(0, false);
    return result;
}

void WaveOutput::set_volume_word(uint32_t word) {
    volume_word_ = word;
    if (!muted_) device_.set_volume(word, true);
}

int32_t WaveOutput::set_control(const ZK_OutputControl& control, uint32_t request) {
    int32_t result = ZK_OK;
    if (request & ZK_OUTPUT_REQUEST_RESET) {
        device_.reset();
        reclaim_all();
    }
    if (request & ZK_OUTPUT_REQUEST_PAUSE) device_.pause();
    if (request & ZK_OUTPUT_REQUEST_RESUME) device_.restart();
    if (request & ZK_OUTPUT_REQUEST_DRAIN) reclaim_all();
    if (request & (ZK_OUTPUT_REQUEST_STEREO | ZK_OUTPUT_REQUEST_SAMPLE_RATE)) result = reopen(control);
    if (request & ZK_OUTPUT_REQUEST_MUTE) {
        muted_ = true;
        device_.set_volume(0, false);
    }
    if (request & ZK_OUTPUT_REQUEST_UNMUTE) {
        muted_ = false;
        device_.set_volume(volume_word_, true);
    }
    if ((request & ZK_OUTPUT_REQUEST_MASTER_LEVEL) && mixer_) {
        const long span = mixer_->maximum() - mixer_->minimum();
        const int32_t level = std::clamp(control.master_level, 0, 100);
        mixer_->write(mixer_->minimum() + span * level / 100);
    }
    if (request & ZK_OUTPUT_REQUEST_BALANCE) balance_ = std::clamp(control.balance, 0, 100) / 100.0;
    if (request & ZK_OUTPUT_REQUEST_PCM_LEVEL)
        set_volume_word(zk::wave::volume_word(full_level_of(control.pcm_level), balance_));
    else if (request & ZK_OUTPUT_REQUEST_BALANCE)
        set_volume_word(zk::wave::volume_word(louder_of(volume_word_), balance_));
    return result;
}

int32_t WaveOutput::get_control(ZK_OutputControl& control, uint32_t request) {
    if (request & ZK_OUTPUT_REQUEST_MASTER_LEVEL) {
        long value = 0;
        const long span = mixer_ ? mixer_->maximum() - mixer_->minimum() : 0;
        control.master_level =
            span > 0 && mixer_->read(value) ? static_cast<int32_t>((value - mixer_->minimum()) * 100 / span) : 0;
    }
    if (request & ZK_OUTPUT_REQUEST_PCM_LEVEL) control.pcm_level = pcm_level_of(volume_word_);
    if (request & ZK_OUTPUT_REQUEST_BALANCE) control.balance = balance_percent(balance_);
    if (request & ZK_OUTPUT_REQUEST_SAMPLE_SIZE) control.sample_size = 2;
    if (request & ZK_OUTPUT_REQUEST_SAMPLE_RATE) control.sample_rate = static_cast<int32_t>(device_.format().rate);
    if (request & ZK_OUTPUT_REQUEST_STEREO) control.stereo = device_.format().channels == 2 ? 1 : 0;
    return ZK_OK;
}

uint32_t WaveOutput::queued_bytes() const { return queued_.load() + device_.held_bytes(); }

void WaveOutput::apply_rate(int32_t rate) {
    if (!audio::RateShifter::supports(static_cast<uint32_t>(rate))) {
        char value[32];
        std::snprintf(value, sizeof value, "0x%X", static_cast<uint32_t>(rate));
        report_debug(decoder_, 0, "playback rate not supported", value, module_id_);
        return;
    }
    device_.set_rate(static_cast<uint32_t>(rate));
}

int32_t WaveOutput::on_rate_change(void* client, const char*, const void*) {
    auto& output = *static_cast<WaveOutput*>(client);
    if (!output.device_.is_open()) return ZK_OK;
    int32_t rate = audio::RateShifter::kNormal; // unset: normal speed
    output.decoder_->get_integer(output.decoder_, kRateVariable, &rate);
    output.apply_rate(rate);
    return ZK_OK;
}

} // namespace zk::wave
