#pragma once

#include <QString>

class TPlaylistModel;

// The playlist kept between runs: "last.m3u" in $XDG_CONFIG_HOME/taerin/
// (~/.config/taerin/ when that is unset).
QString LastPlaylistFile();

// Saves `playlist` as the last playlist, creating the folder when needed.
// Throws std::runtime_error naming the folder or file on failure.
void SaveLastPlaylist(const TPlaylistModel& playlist);
