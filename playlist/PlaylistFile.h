#pragma once

#include "playlist/EntryLocation.h"
#include "playlist/PlaylistEntry.h"

#include <QByteArray>
#include <QString>

#include <optional>

enum class TPlaylistFormat {
    M3u,  // lines UTF-8 where valid, else Windows-1252
    M3u8, // always UTF-8
    Pls,
};

// The format a playlist's name (path or URL path) announces by its
// extension, ".m3u", ".m3u8" or ".pls" in any case; nothing for other names.
std::optional<TPlaylistFormat> PlaylistFormatOfName(const QString& name);

// The entries of a playlist in `format`; a text that starts with a
// "[playlist]" section is read as PLS whatever its name says.
TPlaylistEntries ParsePlaylist(const QByteArray& data, TPlaylistFormat format, const TEntryResolver& resolve);

// The entries of a playlist file, its format by its name (M3U when the name
// announces none), relative entries resolved against its folder. A missing
// or unreadable file, a folder, a file with binary data (NUL bytes) or one
// larger than MaxPlaylistBytes throws std::runtime_error naming the file.
TPlaylistEntries ReadPlaylistFile(const QString& fileName);

inline constexpr qint64 MaxPlaylistBytes = 64 * 1024 * 1024;
