// A playback device as looping buffers see it: it lists the machine's
// devices and creates buffers that a feeder plays on one of them. The
// default device gives way to the silent device when it cannot be opened.
#pragma once

#include "buffer/looping_buffer.h"

#include <memory>
#include <string>
#include <vector>

namespace zk::dsound {

// One device as listed: its driver's module name and its description.
struct DeviceListing {
    std::string module;
    std::string description;
};

// The machine's devices: the default device first, the silent device last.
std::vector<DeviceListing> list_sound_devices();

// A created buffer, or null with the device's negative errno code and text.
struct BufferCreation {
    std::unique_ptr<LoopingBuffer> buffer;
    int error = 0;
    std::string detail;
    // Set when the default device failed and the silent device plays instead.
    std::string fallback;
};

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual BufferCreation create_buffer(BufferFormat format, uint32_t bytes) = 0;
};

// The device at index of list_sound_devices(), -1 for the system's default
// device; null when there is no such device.
std::unique_ptr<SoundDevice> open_sound_device(int index);

} // namespace zk::dsound
