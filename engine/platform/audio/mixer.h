// One volume control of a device's mixer: an ALSA simple mixer element, or
// the process-local virtual mixer where the system has none, so that level
// controls keep working on machines without sound hardware.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>

namespace zk::audio {

struct MixerInfo {
    int manufacturer = 0; // the card number for a card's mixer
    int product = 0;
    int version_major = 0;
    int version_minor = 0;
    std::string name;
    int controls = 0; // playback volume controls the mixer offers
};

class Mixer {
public:
    virtual ~Mixer() = default;

    virtual const MixerInfo& info() const = 0;
    virtual const std::string& control_name() const = 0;
    virtual long minimum() const = 0;
    virtual long maximum() const = 0;
    // False when the control cannot be read or written.
    virtual bool read(long& value) = 0;
    virtual bool write(long value) = 0;
};

// The first of the named playback volume elements that the ALSA mixer of
// control (an ALSA control name such as "default" or "hw:0") has; null with
// a negative errno code when there is none.
std::unique_ptr<Mixer> open_alsa_mixer(const std::string& control, std::initializer_list<const char*> elements,
                                       int& error);

// The element of the process-local virtual mixer of device; range 0 to
// 65535, at the maximum until first written. Shared by every user in the
// process, like a system mixer.
std::unique_ptr<Mixer> open_virtual_mixer(const std::string& device, const std::string& element);

} // namespace zk::audio
