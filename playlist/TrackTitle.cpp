#include "playlist/TrackTitle.h"

#include "desktop/files/LocalFiles.h"
#include "playlist/DisplayText.h"
#include "tags/Id3v2Parser.h"
#include "tags/LxId3v1.h"

#include <exception>

namespace {

QString Joined(const QString& artist, const QString& title) {
    if (title.isEmpty()) return {};
    return artist.isEmpty() ? title : artist + QStringLiteral(" \u2013 ") + title;
}

QString UpToZero(const QString& text) { return text.left(text.indexOf(QChar(0))).trimmed(); }

} // namespace

QString TrackTitleFromTags(const QString& path) {
    if (IsUrl(path) || !LocalFiles::IsFile(path)) return {};
    try {
        const Id3v2Tag v2 = Id3v2Parser::ReadFile(path);
        const QString fromV2 = Joined(v2.artist.trimmed(), v2.title.trimmed());
        if (!fromV2.isEmpty()) return fromV2;
        TLxId3v1 v1;
        if (v1.ReadTag(path)) return Joined(UpToZero(v1.Artist()), UpToZero(v1.Songname()));
    } catch (const std::exception&) {
        // Unreadable or too short for a tag: the file name stays.
    }
    return {};
}
