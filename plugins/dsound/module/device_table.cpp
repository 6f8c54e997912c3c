#include "module/device_table.h"

#include <cstring>

namespace zk::dsound {

namespace {

constexpr char kPrefix[] = "/dev/dsound/";
constexpr size_t kPrefixLength = sizeof kPrefix - 1;

} // namespace

int device_entry_of(const char* name) {
    if (!name || std::strlen(name) != kPrefixLength + 1 || std::strncmp(name, kPrefix, kPrefixLength) != 0) return 0;
    const char character = name[kPrefixLength];
    return character >= '/' && character <= '8' ? character - '/' : -1;
}

class DeviceTable::Guard {
public:
    explicit Guard(DeviceTable& table) : table_(table), lock_(table.mutex_), named_(table.named_mutex_.lock()) {}
    ~Guard() {
        if (named_) table_.named_mutex_.unlock();
    }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    DeviceTable& table_;
    std::lock_guard<std::mutex> lock_;
    bool named_;
};

DeviceTable::DeviceTable(Opener opener) : opener_(std::move(opener)), named_mutex_("ZelkorDsoundMutex") {}

DeviceTable& DeviceTable::shared() {
    // Entry 0 is the default device, entry n the listed device n - 1.
    static DeviceTable table([](int entry) { return open_sound_device(entry - 1); });
    return table;
}

SoundDevice* DeviceTable::acquire(int entry) {
    if (entry < 0 || entry >= kEntries) return nullptr;
    Guard guard(*this);
    Entry& slot = entries_[entry];
    if (slot.users == 0) {
        slot.device = opener_(entry);
        if (!slot.device) return nullptr;
    }
    ++slot.users;
    return slot.device.get();
}

void DeviceTable::release(int entry) {
    if (entry < 0 || entry >= kEntries) return;
    Guard guard(*this);
    Entry& slot = entries_[entry];
    if (slot.users == 0) return;
    if (--slot.users == 0) slot.device.reset();
}

int DeviceTable::users(int entry) const {
    if (entry < 0 || entry >= kEntries) return 0;
    std::lock_guard lock(mutex_);
    return entries_[entry].users;
}

} // namespace zk::dsound
