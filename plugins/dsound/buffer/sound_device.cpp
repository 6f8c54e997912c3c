#include "buffer/sound_device.h"

#include "buffer/buffer_feeder.h"
#include "platform/audio/output_devices.h"

namespace zk::dsound {

namespace {

// A buffer played by a feeder of its own; the feeder stops first.
class FedBuffer final : public LoopingBuffer {
public:
    FedBuffer(BufferFormat format, uint32_t bytes, std::unique_ptr<audio::PcmSink> sink)
        : LoopingBuffer(format, bytes), feeder_(*this, std::move(sink)) {}

private:
    BufferFeeder feeder_;
};

class AudioSoundDevice final : public SoundDevice {
public:
    explicit AudioSoundDevice(audio::OutputDevice device) : device_(std::move(device)) {}

    BufferCreation create_buffer(BufferFormat format, uint32_t bytes) override {
        BufferCreation creation;
        // Every buffer plays in stereo: a mono buffer is panned across both.
        const audio::PcmFormat pcm{format.rate, 2};
        audio::SinkOpening opening = audio::open_sink(device_, pcm);
        if (!opening.sink && device_.is_default) {
            creation.fallback = opening.detail;
            opening = audio::open_sink(audio::list_output_devices().back(), pcm);
        }
        if (!opening.sink) {
            creation.error = opening.error;
            creation.detail = opening.detail;
            return creation;
        }
        creation.buffer = std::make_unique<FedBuffer>(format, bytes, std::move(opening.sink));
        return creation;
    }

private:
    audio::OutputDevice device_;
};

} // namespace

std::vector<DeviceListing> list_sound_devices() {
    std::vector<DeviceListing> listing;
    for (const audio::OutputDevice& device : audio::list_output_devices())
        listing.push_back({device.is_silent() ? "null" : device.pcm, device.description});
    return listing;
}

std::unique_ptr<SoundDevice> open_sound_device(int index) {
    std::vector<audio::OutputDevice> devices = audio::list_output_devices();
    if (index < 0) index = 0; // the default device always comes first
    if (index >= static_cast<int>(devices.size())) return nullptr;
    return std::make_unique<AudioSoundDevice>(std::move(devices[index]));
}

} // namespace zk::dsound
