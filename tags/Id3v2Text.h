#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>

// Text encodings of ID3v2 frames: 0 ISO-8859-1, 1 UTF-16 with byte order
// mark, 2 UTF-16 big endian, 3 UTF-8. Invalid sequences decode to U+FFFD.
namespace Id3v2Text {

bool IsKnownEncoding(int encoding);

// Splits at the first terminator of the encoding (one zero byte, or two at
// an even offset for UTF-16): the text before it and the bytes after it.
// Without a terminator everything is the first part.
std::pair<QByteArray, QByteArray> SplitAtTerminator(const QByteArray& bytes, int encoding);

// Decodes one string (without terminator).
QString Decode(const QByteArray& bytes, int encoding);

// Decodes a text frame body after its encoding byte: the non-empty
// terminated strings it holds.
QStringList DecodeValues(const QByteArray& bytes, int encoding);

// Turns genre references ("17", "(17)", "(17)Rock", "(RX)", "(CR)") into names.
QString ResolveGenre(const QString& text);

} // namespace Id3v2Text
