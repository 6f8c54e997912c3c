#pragma once

#include "playlist/EntryLocation.h"
#include "playlist/PlaylistEntry.h"
#include "playlist/PlaylistText.h"

#include <QByteArray>

// PLS playlists: "[playlist]", then "FileN=<path>", "TitleN=<title>",
// "LengthN=...", "NumberOfEntries=...", "Version=2" lines.
//
// The entries are every FileN in the order of N (a later FileN with the same
// N replaces an earlier one), each with its TitleN; NumberOfEntries is not
// trusted, since lists in the wild often count wrong. Keys are matched
// without regard to case; other lines are ignored. `resolve` turns each path
// into the path or address kept.
TPlaylistEntries ParsePls(const QByteArray& data, TTextEncoding encoding, const TEntryResolver& resolve);

// Whether `data` starts like a PLS playlist (a "[playlist]" section).
bool LooksLikePls(const QByteArray& data);
