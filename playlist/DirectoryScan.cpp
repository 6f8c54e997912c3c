#include "playlist/DirectoryScan.h"

#include "desktop/files/LocalFiles.h"
#include "playlist/NaturalOrder.h"
#include "playlist/TrackFiles.h"

#include <QSet>

#include <algorithm>
#include <vector>

namespace {

QStringList EntriesInNaturalOrder(const QString& folder) {
    // Names that differ in letter case only keep a fixed order by the name.
    std::vector<std::pair<QByteArray, QString>> keyed;
    for (const QString& name : LocalFiles::FolderEntries(folder)) keyed.push_back({NaturalSortKey(name), name});
    std::sort(keyed.begin(), keyed.end());
    QStringList sorted;
    sorted.reserve(qsizetype(keyed.size()));
    for (auto& [key, name] : keyed) sorted.append(std::move(name));
    return sorted;
}

struct TScan {
    const std::function<void(const QString&)>& entering;
    const std::function<void(const QString&)>& found;
    QSet<QString> visited; // canonical paths of the folders walked

    void Walk(const QString& folder) {
        const QString canonical = LocalFiles::CanonicalPath(folder);
        if (canonical.isEmpty() || visited.contains(canonical)) return;
        visited.insert(canonical);

        entering(folder);
        const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
        for (const QString& name : EntriesInNaturalOrder(folder)) {
            const QString path = prefix + name;
            if (LocalFiles::IsFolder(path))
                Walk(path);
            else if (IsScannedTrack(name) && LocalFiles::IsFile(path))
                found(path);
        }
    }
};

} // namespace

void ScanDirectory(const QString& folder, const std::function<void(const QString& folder)>& entering,
                   const std::function<void(const QString& path)>& found) {
    TScan{entering, found, {}}.Walk(folder);
}
