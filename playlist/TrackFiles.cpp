#include "playlist/TrackFiles.h"

#include "playlist/CollectedErrors.h"
#include "playlist/LxControls.h"
#include "playlist/PlaylistFile.h"

namespace {

// The extension with its dot, upper-cased; empty when the name has none.
QString UpperExtension(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > slash ? path.mid(dot).toUpper() : QString();
}

} // namespace

TFileKind KindOfFile(const QString& path) {
    const QString extension = UpperExtension(path);
    if (extension == QLatin1String(".MP1") || extension == QLatin1String(".MP2") || extension == QLatin1String(".MP3"))
        return TFileKind::Track;
    if (PlaylistFormatOfName(path)) return TFileKind::Playlist;
    return TFileKind::Other;
}

bool IsScannedTrack(const QString& fileName) {
    if (!UpperExtension(fileName).contains(QLatin1String(".MP"))) return false;
    const QChar last = fileName.back();
    return last == u'1' || last == u'2' || last == u'3';
}

void AddFilesByExtension(TLxPlaylist& playlist, const QStringList& paths) {
    TCollectedErrors errors;
    for (const QString& path : paths) {
        switch (KindOfFile(path)) {
        case TFileKind::Track: playlist.AddItem(path); break;
        case TFileKind::Playlist: try { playlist.LoadPlaylist(path);
            } catch (const std::runtime_error& error) {
                errors.Keep(error);
            }
            break;
        case TFileKind::Other: break;
        }
    }
    errors.ThrowIfAny();
}
