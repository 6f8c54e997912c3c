#pragma once

#include <QByteArray>
#include <QString>

// Texts of ID3v1 fields. Writers put Latin-1, Windows-1252 or UTF-8 there;
// the two are told apart by UTF-8's strict structure.
namespace Id3v1Text {

// UTF-8 when the bytes up to the first zero byte are valid UTF-8,
// otherwise Windows-1252 (bytes it leaves undefined read as Latin-1).
QString Decode(const QByteArray& bytes);

// Windows-1252 when every character has a byte there, otherwise UTF-8 cut
// at a character boundary; `width` bytes, padded with blanks.
QByteArray Encode(const QString& text, int width);

} // namespace Id3v1Text
