// The ten device entries that every looping-buffer output of a process
// shares: entry 0 is the system's default device, entries 1 to 9 are the
// listed devices 0 to 8. The first user of an entry opens its device, the
// last one releases it. The table is guarded by the system-wide named mutex
// "ZelkorDsoundMutex" (and a mutex of the process).
#pragma once

#include "buffer/sound_device.h"
#include "module/named_mutex.h"

#include <array>
#include <functional>
#include <memory>
#include <mutex>

namespace zk::dsound {

// The entry of an output name: "/dev/dsound/" and one character from "/" to
// "8" gives entry (character - "/"), so "0" gives 1 and "8" gives 9; any
// other single character gives -1 (no such device); every other name, the
// empty one included, gives entry 0.
int device_entry_of(const char* name);

class DeviceTable {
public:
    static constexpr int kEntries = 10;
    // Opens the device of an entry; null when it cannot.
    using Opener = std::function<std::unique_ptr<SoundDevice>(int entry)>;

    explicit DeviceTable(Opener opener);

    // The table of the process, over the machine's devices.
    static DeviceTable& shared();

    // The entry's device with one more user; null (entry left empty) when
    // the device cannot be opened or the entry does not exist.
    SoundDevice* acquire(int entry);
    void release(int entry);
    int users(int entry) const;

private:
    struct Entry {
        int users = 0;
        std::unique_ptr<SoundDevice> device;
    };

    // Holds both the process's mutex and, when it can be had, the named one.
    class Guard;

    Opener opener_;
    mutable std::mutex mutex_;
    NamedMutex named_mutex_;
    std::array<Entry, kEntries> entries_;
};

} // namespace zk::dsound
