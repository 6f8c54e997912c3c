// ID3v1 tags at the end of a file: read the tag, and when there is one,
// writing the values read back must leave the file byte for byte as it was.
#include "support/scratch_file.h"
#include "tags/LxId3v1.h"

#include <QFile>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace {

QByteArray ReadWhole(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) std::abort();
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = WriteScratchFile(QStringLiteral("track.mp3"), data, size);
    TLxId3v1 tag;
    bool found = false;
    try {
        found = tag.ReadTag(path);
    } catch (const std::runtime_error&) {
        return 0;
    }
    if (!found) return 0;
    if (!tag.WriteTag(path, tag.Songname(), tag.Artist(), tag.Album(), tag.Year(), tag.Comment(), tag.Genre(),
                      tag.Track()))
        std::abort();
    if (ReadWhole(path) != QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))) std::abort();
    return 0;
}
