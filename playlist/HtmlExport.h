#pragma once

#include <QStringList>

class TPlaylistModel;

// The lines of the HTML page listing `playlist`: a fixed head, a "Track"
// header row, one table row per line (linking its path, showing its display
// text, both HTML-escaped) and a fixed tail. The page declares UTF-8.
QStringList HtmlPlaylistLines(const TPlaylistModel& playlist);
