#pragma once

#include <QString>
#include <QStringList>

// Plain-text M3U playlists: one path or URL per line.
//
// Reading accepts CR, LF and CR LF line ends (mixed too) and an optional
// UTF-8 byte order mark; lines beginning with "#" (#EXTM3U, #EXTINF:...) are
// directives and are skipped; empty lines are entries with an empty path;
// relative paths are resolved against the playlist's own folder. A missing
// or unreadable file, a file with binary data (NUL bytes) or one larger than
// MaxM3uBytes throws std::runtime_error with a message naming the file.
QStringList ReadM3u(const QString& fileName);

// Writes `lines` in UTF-8, each followed by CR LF, nothing else (an M3U file
// is its paths written this way). The file is replaced atomically through a
// temporary file beside it: on failure the old file stays as it was and
// std::runtime_error naming the file is thrown.
void WriteTextLines(const QString& fileName, const QStringList& lines);

inline constexpr qint64 MaxM3uBytes = 64 * 1024 * 1024;
