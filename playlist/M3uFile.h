#pragma once

#include "playlist/EntryLocation.h"
#include "playlist/PlaylistEntry.h"
#include "playlist/PlaylistText.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// M3U playlists: one path or URL per line.
//
// Lines end in CR, LF or CR LF (mixed too); blank lines are skipped; lines
// beginning with "#" are directives, of which "#EXTINF:<length>,<title>"
// gives its title to the next entry. A UTF-8 byte order mark makes the whole
// file UTF-8, else `encoding` decides; an entry that is not UTF-8 names the
// file of its very bytes where one exists (ResolveEntryLine). `resolve` turns
// each entry into the path or address kept.
TPlaylistEntries ParseM3u(const QByteArray& data, TTextEncoding encoding, const TEntryResolver& resolve);

// The lines of an M3U file holding `entries`: their paths (a name that is not
// UTF-8 as its file URL), each entry with a title preceded by its
// "#EXTINF:-1,<title>" line, and "#EXTM3U" first when there is any title.
QStringList M3uLines(const TPlaylistEntries& entries);

// Writes `lines` in UTF-8, each followed by CR LF, nothing else. The file is
// replaced atomically through a temporary file beside it: on failure the old
// file stays as it was and std::runtime_error naming the file is thrown.
void WriteTextLines(const QString& fileName, const QStringList& lines);
