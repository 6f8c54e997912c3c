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
// ID3v1.1: a zero byte, then the track number, end the comment field.
inline constexpr int TrackCommentWidth = 28;
inline constexpr int TrackMarkerOffset = 125;
inline constexpr int TrackOffset = 126;

struct Fields {
    QString songname, artist, album, year, comment;
    TGenre genre = TGenre::none;
    int track = 0; // 1 ... 255 in an ID3v1.1 tag, 0 for none
};

// True when the block starts with "TAG".
bool HasMarker(const QByteArray& block);

// The fields of a 128-byte block that carries the marker, at full width
// (see Id3v1Text for the texts). A comment ending in a zero byte and a
// non-zero one is an ID3v1.1 comment of 28 bytes and a track number.
Fields Decode(const QByteArray& block);

// The 128-byte block for the fields: texts padded with blanks and cut to
// their width (see Id3v1Text); with a track the comment takes 28 bytes.
QByteArray Encode(const Fields& fields);

} // namespace Id3v1Layout
