#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

#include <optional>

// Windows-1252, the text encoding of tags and playlists written on Windows.
// The five bytes it leaves undefined stand for the C1 controls of their
// value, as Windows itself reads them, so that every byte has a character.
namespace Windows1252 {

QString Decode(const QByteArray& bytes);

// The byte of `character`, or nothing when the encoding has none.
std::optional<char> Byte(QChar character);

} // namespace Windows1252
