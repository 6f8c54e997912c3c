#pragma once

#include "tags/Id3v2Tag.h"

#include <QByteArray>
#include <QString>

// Writes the text fields the tag window edits (title, artist, album, year,
// track, genre, comment) into a file's ID3v2 tag. The other frames of an
// ID3v2.3 or 2.4 tag stay as they are; a file without a tag gets an
// ID3v2.3 one. Empty fields remove their frames.
namespace Id3v2Writer {

// The new tag for `oldTag` (the bytes of the file's current tag, empty when
// it has none) with the fields of `values`, padded to `paddedSize` bytes
// when it fits in them. Throws std::runtime_error for a tag that cannot be
// edited without losing data (ID3v2.2, unsynchronised, extended header,
// footer, or malformed).
QByteArray RebuildTag(const QByteArray& oldTag, const Id3v2Tag& values, qint64 paddedSize);

// Replaces the file's tag (a file without a tag and no values is left
// alone). The file is rewritten whole into a temporary file
// that replaces it only when everything was written, so a failure leaves it
// as it was. Throws std::runtime_error naming the file and the reason.
void WriteFile(const QString& fileName, const Id3v2Tag& values);

} // namespace Id3v2Writer
