#pragma once

#include <QList>
#include <QString>

// One entry read from a playlist file or a station list: where the track is
// and the title the list gives it (empty when it gives none).
struct TPlaylistEntry {
    QString Path;
    QString Title;

    bool operator==(const TPlaylistEntry&) const = default;
};

using TPlaylistEntries = QList<TPlaylistEntry>;
