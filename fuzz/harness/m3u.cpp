// M3U playlists as the playlist loads them from disk.
#include "playlist/M3uFile.h"
#include "support/scratch_file.h"

#include <cstdint>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = WriteScratchFile(QStringLiteral("list.m3u"), data, size);
    try {
        ReadM3u(path);
    } catch (const std::runtime_error&) {
    }
    return 0;
}
