#include "desktop/DroppedPaths.h"

namespace {

bool IsLocalFileUrl(const QUrl& url) {
    if (!url.isValid() || !url.isLocalFile()) return false;
    const QString host = url.host();
    return host.isEmpty() || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0;
}

} // namespace

QStringList LocalDropPaths(const QList<QUrl>& urls) {
    QStringList paths;
    for (const QUrl& url : urls) {
        if (!IsLocalFileUrl(url)) continue;
        QUrl local = url;
        local.setHost(QString());
        const QString path = local.toLocalFile();
        if (!path.isEmpty()) paths.append(path);
    }
    return paths;
}
