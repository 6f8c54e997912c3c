#pragma once

#include <QString>
#include <QStringList>

class TLxPlaylist;

// What a named file is to the playlist, by its upper-cased extension:
// ".MP1", ".MP2", ".MP3" a track, ".M3U", ".M3U8", ".PLS" a playlist,
// anything else neither.
enum class TFileKind { Track, Playlist, Other };
TFileKind KindOfFile(const QString& path);

// The directory scan's wider rule: the upper-cased extension contains ".MP"
// and the name ends in "1", "2" or "3" (".mp3", ".mp2", also ".mpx1").
bool IsScannedTrack(const QString& fileName);

// Adds the tracks among `paths` and loads the playlists among them, in order;
// other files are ignored. A playlist that cannot be read does not stop the
// rest: the errors are thrown together as one std::runtime_error at the end.
void AddFilesByExtension(TLxPlaylist& playlist, const QStringList& paths);
