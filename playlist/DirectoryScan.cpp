#include "playlist/DirectoryScan.h"

#include "playlist/NaturalOrder.h"
#include "playlist/TrackFiles.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <vector>

namespace {

QFileInfoList EntriesInNaturalOrder(const QString& folder) {
    // Names that differ in letter case only keep a fixed order by the name.
    std::vector<std::pair<std::pair<QByteArray, QString>, QFileInfo>> keyed;
    QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        keyed.push_back({{NaturalSortKey(entries.fileName()), entries.fileName()}, entries.fileInfo()});
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QFileInfoList sorted;
    sorted.reserve(qsizetype(keyed.size()));
    for (auto& [key, entry] : keyed) sorted.append(std::move(entry));
    return sorted;
}

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
        for (const QFileInfo& entry : EntriesInNaturalOrder(folder)) {
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
