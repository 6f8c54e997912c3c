#pragma once

#include <QString>

// The title a playlist line shows for a file, from its ID3v2 tag or else its
// ID3v1 tag: "Artist – Title", the title alone when there is no artist, and
// empty without a title, for a stream address, or a file that is not a
// regular file or cannot be read.
QString TrackTitleFromTags(const QString& path);
