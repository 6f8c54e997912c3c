// The process-local virtual mixer behind Mixer.
#include "platform/audio/mixer.h"

#include <map>
#include <mutex>

namespace zk::audio {

namespace {

constexpr long kMaximum = 65535;

class VirtualLevels {
public:
    long get(const std::string& key) {
        std::lock_guard lock(mutex_);
        const auto found = levels_.find(key);
        return found == levels_.end() ? kMaximum : found->second;
    }
    void set(const std::string& key, long value) {
        std::lock_guard lock(mutex_);
        levels_[key] = value;
    }

private:
    std::mutex mutex_;
    std::map<std::string, long> levels_;
};

VirtualLevels& levels() {
    static VirtualLevels instance;
    return instance;
}

class VirtualMixer final : public Mixer {
public:
    VirtualMixer(const std::string& device, const std::string& element) : key_(device + "/" + element), name_(element) {
        info_.version_major = 1;
        info_.name = "Virtual mixer";
        info_.controls = 1;
    }

    const MixerInfo& info() const override { return info_; }
    const std::string& control_name() const override { return name_; }
    long minimum() const override { return 0; }
    long maximum() const override { return kMaximum; }
    bool read(long& value) override {
        value = levels().get(key_);
        return true;
    }
    bool write(long value) override {
        if (value < 0 || value > kMaximum) return false;
        levels().set(key_, value);
        return true;
    }

private:
    std::string key_;
    std::string name_;
    MixerInfo info_;
};

} // namespace

std::unique_ptr<Mixer> open_virtual_mixer(const std::string& device, const std::string& element) {
    return std::make_unique<VirtualMixer>(device, element);
}

} // namespace zk::audio
