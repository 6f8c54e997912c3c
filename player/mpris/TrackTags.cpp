#include "player/mpris/TrackTags.h"

#include "playlist/DisplayText.h"
#include "tags/Id3v2Parser.h"
#include "tags/LxId3v1.h"

#include <QFileInfo>
#include <exception>

namespace {

void FillFromId3v2(const QString& file, TTrackTags& tags) {
    try {
        const Id3v2Tag tag = Id3v2Parser::ReadFile(file);
        if (tag.status != Id3v2Tag::Status::Read) return;
        tags.Title = tag.title.trimmed();
        tags.Artist = tag.artist.trimmed();
        tags.Album = tag.album.trimmed();
    } catch (const std::exception&) {
    }
}

void FillGapsFromId3v1(const QString& file, TTrackTags& tags) {
    try {
        TLxId3v1 tag;
        if (!tag.ReadTag(file)) return;
        // ID3v1 fields are padded with zeros or blanks.
        const auto field = [](const QString& value) { return QString(value).replace(QChar(0), ' ').trimmed(); };
        if (tags.Title.isEmpty()) tags.Title = field(tag.Songname());
        if (tags.Artist.isEmpty()) tags.Artist = field(tag.Artist());
        if (tags.Album.isEmpty()) tags.Album = field(tag.Album());
    } catch (const std::exception&) {
    }
}

} // namespace

TTrackTags TTrackTags::Read(const QString& name) {
    TTrackTags tags;
    if (IsUrl(name)) {
        tags.Title = name;
        return tags;
    }
    FillFromId3v2(name, tags);
    FillGapsFromId3v1(name, tags);
    if (tags.Title.isEmpty()) tags.Title = ReadableFileName(QFileInfo(name).completeBaseName());
    return tags;
}
