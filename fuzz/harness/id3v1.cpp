// ID3v1 tags at the end of a file: read the tag, and when there is one,
// writing the values read back must leave every byte before the tag as it
// was and the texts reading the same up to their padding (a UTF-8 text that
// Windows-1252 can hold comes back in its shorter bytes).
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

// A field as readers show it: up to its first zero, without trailing blanks.
QString Shown(const QString& field) {
    QString text = field.left(field.indexOf(QChar(0)));
    while (text.endsWith(u' ')) text.chop(1);
    return text;
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
    const QByteArray written = ReadWhole(path);
    const QByteArray original(reinterpret_cast<const char*>(data), qsizetype(size));
    if (written.size() != original.size() || written.left(size - 128) != original.left(size - 128)) std::abort();
    TLxId3v1 again;
    if (!again.ReadTag(path)) std::abort();
    const bool same = Shown(again.Songname()) == Shown(tag.Songname()) &&
                      Shown(again.Artist()) == Shown(tag.Artist()) && Shown(again.Album()) == Shown(tag.Album()) &&
                      Shown(again.Year()) == Shown(tag.Year()) && Shown(again.Comment()) == Shown(tag.Comment()) &&
                      again.Genre() == tag.Genre() && again.Track() == tag.Track();
    if (!same) std::abort();
    return 0;
}
