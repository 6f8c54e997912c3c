// One instance of the wave-device output: a ring of 64 buffers of 4608
// bytes that the decoder fills in place and submits to the device in turn,
// the volume word with mute and balance, the master level through the
// device's mixer, and the playback-rate listener.
#pragma once

#include "platform/audio/mixer.h"
#include "platform/audio/output_devices.h"
#include "platform/audio/wave_out.h"
#include "zelkor.h"

#include <array>
#include <atomic>
#include <memory>

namespace zk::wave {

class WaveOutput {
public:
    static constexpr uint32_t kBufferCount = 64;
    static constexpr uint32_t kBufferBytes = 4608;
    static constexpr const char* kRateVariable = "OUTPUT.WAVE.PLAYBACK-RATE";

    // device: index in the device list, 0 the default device.
    WaveOutput(ZK_Decoder* decoder, int32_t module_id, uint32_t device);
    ~WaveOutput();
    WaveOutput(const WaveOutput&) = delete;
    WaveOutput& operator=(const WaveOutput&) = delete;

    // Allocates the buffers and starts listening to the playback rate.
    int32_t create();

    int32_t open();
    int32_t close();
    void* get_buffer(uint32_t count);
    int32_t write(const void* samples, uint32_t count);
    int32_t set_control(const ZK_OutputControl& control, uint32_t request);
    int32_t get_control(ZK_OutputControl& control, uint32_t request);
    // Bytes written and not yet played: the queued blocks and what the device holds.
    uint32_t queued_bytes() const;

    // The volume word kept, and the one the device plays with (0 while muted).
    uint32_t volume_word() const { return volume_word_; }
    uint32_t device_volume() const { return device_.volume(); }

    // Request bits honoured: all but ports.
    static constexpr uint32_t kCaps = 0x07FFFFBF;

private:
    int32_t open_device(audio::PcmFormat format);
    int32_t reopen(const ZK_OutputControl& control);
    void open_mixer();
    void reclaim(uint32_t index);
    void reclaim_all();
    int32_t submit_current(uint32_t count);
    // The error the device ended with (reported once), or 0.
    int32_t lost();
    void set_volume_word(uint32_t word);
    void apply_rate(int32_t rate);
    static int32_t on_rate_change(void* client, const char* name, const void* value);

    ZK_Decoder* decoder_;
    int32_t module_id_;
    uint32_t device_index_;
    std::unique_ptr<uint8_t[]> memory_;
    std::array<audio::WaveBlock, kBufferCount> blocks_;
    std::array<bool, kBufferCount> submitted_{};
    uint32_t next_ = 0;
    std::atomic<uint32_t> queued_{0}; // bytes submitted and not yet taken by the sink

    audio::WaveOut device_;
    std::string mixer_control_; // ALSA mixer of the requested device; empty for none
    std::string device_key_;    // the opened device, naming its virtual mixer and volume
    std::unique_ptr<audio::Mixer> mixer_;
    bool muted_ = false;
    double balance_ = 0.5;
    uint32_t volume_word_ = 0xFFFFFFFFu;
    int32_t lost_ = 0; // the failure being reported by write
    bool lost_reported_ = false;
    ZK_EnvironmentListener* rate_listener_ = nullptr;
};

} // namespace zk::wave
