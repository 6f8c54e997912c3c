#include "desktop/DroppedPaths.h"

#include "desktop/files/FileNames.h"

QStringList LocalDropPaths(const QList<QUrl>& urls) {
    QStringList paths;
    for (const QUrl& url : urls) {
        const QString path = PathOfFileUrl(url);
        if (!path.isEmpty()) paths.append(path);
    }
    return paths;
}
