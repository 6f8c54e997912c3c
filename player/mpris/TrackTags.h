#pragma once

#include <QString>

// Title, artist and album of a track, from its ID3v2 tag, else its ID3v1
// tag; a title missing from both is the file's name without its extension,
// or the whole name for a URL.
struct TTrackTags {
    QString Title;
    QString Artist;
    QString Album;

    // Never throws: an unreadable file gives the name-based title.
    static TTrackTags Read(const QString& name);
};
