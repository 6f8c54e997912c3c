#include "tags/Id3v1Layout.h"

namespace Id3v1Layout {
namespace {

QString Field(const QByteArray& block, int offset, int width) {
    return QString::fromLatin1(block.constData() + offset, width);
}

QByteArray Padded(const QString& text, int width) {
    QByteArray bytes = text.left(width).toLatin1();
    bytes.append(width - bytes.size(), ' ');
    return bytes;
}

} // namespace

bool HasMarker(const QByteArray& block) { return block.startsWith("TAG"); }

Fields Decode(const QByteArray& block) {
    Q_ASSERT(block.size() == Size);
    Fields fields;
    fields.songname = Field(block, TitleOffset, TextWidth);
    fields.artist = Field(block, ArtistOffset, TextWidth);
    fields.album = Field(block, AlbumOffset, TextWidth);
    fields.year = Field(block, YearOffset, YearWidth);
    fields.comment = Field(block, CommentOffset, TextWidth);
    fields.genre = static_cast<TGenre>(static_cast<unsigned char>(block[GenreOffset]));
    return fields;
}

QByteArray Encode(const Fields& fields) {
    QByteArray block("TAG");
    block += Padded(fields.songname, TextWidth);
    block += Padded(fields.artist, TextWidth);
    block += Padded(fields.album, TextWidth);
    block += Padded(fields.year, YearWidth);
    block += Padded(fields.comment, TextWidth);
    block += static_cast<char>(fields.genre);
    return block;
}

} // namespace Id3v1Layout
