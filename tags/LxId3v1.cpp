#include "tags/LxId3v1.h"

#include "desktop/files/LocalFiles.h"
#include "tags/Id3v1Layout.h"
#include "tags/TagStrings.h"

#include <QFile>
#include <stdexcept>

namespace {

[[noreturn]] void Fail(const char* pattern, const QString& fileName, const QString& reason = {}) {
    QString message = QString::fromUtf8(pattern).arg(fileName);
    if (!reason.isEmpty()) message = message.arg(reason);
    throw std::runtime_error(message.toStdString());
}

// Opens only regular files: a FIFO or device would block or never end.
void OpenRegular(QFile& file, const QString& fileName, QIODevice::OpenMode mode) {
    if (const QString why = LocalFiles::OpenRegularFile(file, fileName, mode); !why.isEmpty())
        Fail(TagStrings::CannotOpen, fileName, why);
}

// The last 128 bytes of an open file, or an empty array when it is shorter.
QByteArray LastBlock(QFile& file) {
    const qint64 size = file.size();
    if (size < Id3v1Layout::Size || !file.seek(size - Id3v1Layout::Size)) return {};
    const QByteArray block = file.read(Id3v1Layout::Size);
    return block.size() == Id3v1Layout::Size ? block : QByteArray();
}

} // namespace

void TLxId3v1::SetFilename(const QString& fileName) {
    filename_ = fileName;
    ReadTag(fileName);
}

bool TLxId3v1::ReadTag(const QString& fileName) {
    QFile file;
    OpenRegular(file, fileName, QIODevice::ReadOnly);
    if (file.size() < Id3v1Layout::Size) Fail(TagStrings::TooShortForTag, fileName);
    const QByteArray block = LastBlock(file);
    if (block.isEmpty()) Fail(TagStrings::CannotRead, fileName, file.errorString());

    Id3v1Layout::Fields fields;
    const bool found = Id3v1Layout::HasMarker(block);
    if (found) fields = Id3v1Layout::Decode(block);
    songname_ = fields.songname;
    artist_ = fields.artist;
    album_ = fields.album;
    year_ = fields.year;
    comment_ = fields.comment;
    genre_ = fields.genre;
    track_ = fields.track;
    return found;
}

bool TLxId3v1::WriteTag(const QString& fileName, const QString& songname, const QString& artist, const QString& album,
                        const QString& year, const QString& comment, TGenre genre, int track) {
    QFile file;
    if (!LocalFiles::OpenRegularFile(file, fileName, QIODevice::ReadWrite).isEmpty()) return false;
    const qint64 originalSize = file.size();
    const QByteArray oldBlock = LastBlock(file);
    if (oldBlock.isEmpty()) return false;

    const bool overwrite = Id3v1Layout::HasMarker(oldBlock);
    const qint64 position = overwrite ? originalSize - Id3v1Layout::Size : originalSize;
    const QByteArray tag = Id3v1Layout::Encode({songname, artist, album, year, comment, genre, track});
    const bool written = file.seek(position) && file.write(tag) == tag.size() && file.flush();
    if (!written && !overwrite) file.resize(originalSize);
    return written;
}

void TLxId3v1::RemoveTag(const QString& fileName) {
    qint64 size = 0;
    {
        QFile file;
        OpenRegular(file, fileName, QIODevice::ReadOnly);
        size = file.size();
        if (!Id3v1Layout::HasMarker(LastBlock(file))) return;
    }
    QFile file;
    OpenRegular(file, fileName, QIODevice::ReadWrite);
    if (file.size() != size || !Id3v1Layout::HasMarker(LastBlock(file))) return;
    if (!file.resize(size - Id3v1Layout::Size)) Fail(TagStrings::CannotShorten, fileName, file.errorString());
}
