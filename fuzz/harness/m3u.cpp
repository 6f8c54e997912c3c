// Playlists (M3U, M3U8, PLS) as the playlist reads them from disk and from
// station lists fetched over the network.
#include "playlist/EntryLocation.h"
#include "playlist/PlaylistFile.h"

#include <QByteArray>
#include <QDir>
#include <QUrl>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QDir folder(QStringLiteral("/music/lists"));
    const QUrl base(QStringLiteral("http://radio.example:8000/lists/station.pls"));
    for (const TPlaylistFormat format : {TPlaylistFormat::M3u, TPlaylistFormat::M3u8, TPlaylistFormat::Pls}) {
        ParsePlaylist(bytes, format, [&folder](const QString& entry) { return ResolveLocalEntry(entry, folder); });
        ParsePlaylist(bytes, format, [&base](const QString& entry) { return ResolveRemoteEntry(entry, base); });
    }
    return 0;
}
