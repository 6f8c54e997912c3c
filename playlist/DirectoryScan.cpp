#include "playlist/DirectoryScan.h"

#include "playlist/TrackFiles.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

namespace {

struct TScan {
    const std::function<void(const QString&)>& entering;
    const std::function<void(const QString&)>& found;
    QSet<QString> visited; // canonical paths of the folders walked

    void Walk(const QString& folder) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (canonical.isEmpty() || visited.contains(canonical)) return;
        visited.insert(canonical);

        entering(folder);
        const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
        QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        while (entries.hasNext()) {
            entries.next();
            const QFileInfo entry = entries.fileInfo();
            const QString path = prefix + entry.fileName();
            if (entry.isDir())
                Walk(path);
            else if (entry.isFile() && IsScannedTrack(entry.fileName()))
                found(path);
        }
    }
};

} // namespace

void ScanDirectory(const QString& folder, const std::function<void(const QString& folder)>& entering,
                   const std::function<void(const QString& path)>& found) {
    TScan{entering, found, {}}.Walk(folder);
}
