#pragma once

#include "tags/Genres.h"

#include <QByteArray>
#include <QString>

// Byte layout of the 128-byte ID3v1 tag.
namespace Id3v1Layout {

inline constexpr int Size = 128;
inline constexpr int TitleOffset = 3;
inline constexpr int ArtistOffset = 33;
inline constexpr int AlbumOffset = 63;
inline constexpr int YearOffset = 93;
inline constexpr int CommentOffset = 97;
inline constexpr int GenreOffset = 127;
inline constexpr int TextWidth = 30;
inline constexpr int YearWidth = 4;

struct Fields {
    QString songname, artist, album, year, comment;
    TGenre genre = TGenre::none;
};

// True when the block starts with "TAG".
bool HasMarker(const QByteArray& block);

// The fields of a 128-byte block that carries the marker, at full width.
Fields Decode(const QByteArray& block);

// The 128-byte block for the fields: texts padded with blanks and cut to
// their width, characters outside ISO-8859-1 written as '?'.
QByteArray Encode(const Fields& fields);

} // namespace Id3v1Layout
