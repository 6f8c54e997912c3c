#include "desktop/ApplicationIcon.h"

#include "desktop/DesktopStrings.h"

#include <QFile>

QIcon TaerinIcon() {
    QIcon carried;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString file = QStringLiteral(":/icons/taerin-%1.png").arg(size);
        if (QFile::exists(file)) carried.addFile(file, QSize(size, size));
    }
    return QIcon::fromTheme(QString::fromUtf8(DesktopStrings::IconName), carried);
}
