#pragma once

#include <QStringList>

class TPlaylistModel;

// The lines of the HTML page listing `playlist`: a fixed head, a "Track"
// header row, one table row per line (a link to its file or stream address,
// percent-encoded, showing its display text, HTML-escaped) and a fixed tail.
// The page declares UTF-8 and is well-formed XML.
QStringList HtmlPlaylistLines(const TPlaylistModel& playlist);
