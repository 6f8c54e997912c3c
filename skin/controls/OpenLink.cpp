#include "skin/controls/OpenLink.h"

#include <QDesktopServices>
#include <QUrl>

bool OpenLink(const QString& address) {
    const QUrl url(address.trimmed());
    if (address.trimmed().isEmpty() || !url.isValid() || url.scheme().isEmpty()) return false;
    return QDesktopServices::openUrl(url);
}
