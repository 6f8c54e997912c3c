#include "tags/Id3v1Layout.h"

#include "tags/Id3v1Text.h"

namespace Id3v1Layout {
namespace {

QString Field(const QByteArray& block, int offset, int width) { return Id3v1Text::Decode(block.mid(offset, width)); }

QByteArray Padded(const QString& text, int width) { return Id3v1Text::Encode(text, width); }

bool HasTrack(const QByteArray& block) { return block[TrackMarkerOffset] == 0 && block[TrackOffset] != 0; }

} // namespace

bool HasMarker(const QByteArray& block) { return block.startsWith("TAG"); }

Fields Decode(const QByteArray& block) {
    Q_ASSERT(block.size() == Size);
    Fields fields;
    fields.songname = Field(block, TitleOffset, TextWidth);
    fields.artist = Field(block, ArtistOffset, TextWidth);
    fields.album = Field(block, AlbumOffset, TextWidth);
    fields.year = Field(block, YearOffset, YearWidth);
    if (HasTrack(block)) {
        fields.comment = Field(block, CommentOffset, TrackCommentWidth);
        fields.track = static_cast<unsigned char>(block[TrackOffset]);
    } else {
        fields.comment = Field(block, CommentOffset, TextWidth);
    }
    fields.genre = static_cast<TGenre>(static_cast<unsigned char>(block[GenreOffset]));
    return fields;
}

QByteArray Encode(const Fields& fields) {
    QByteArray block("TAG");
    block += Padded(fields.songname, TextWidth);
    block += Padded(fields.artist, TextWidth);
    block += Padded(fields.album, TextWidth);
    block += Padded(fields.year, YearWidth);
    if (fields.track > 0 && fields.track <= 255) {
        block += Padded(fields.comment, TrackCommentWidth);
        block += '\0';
        block += static_cast<char>(fields.track);
    } else {
        block += Padded(fields.comment, TextWidth);
        // A comment whose 29th byte is zero would read as a track number.
        if (HasTrack(block)) block[TrackOffset] = '\0';
    }
    block += static_cast<char>(fields.genre);
    return block;
}

} // namespace Id3v1Layout
