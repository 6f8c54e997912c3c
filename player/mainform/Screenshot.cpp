#include "player/mainform/Screenshot.h"

#include <QPainter>
#include <QWidget>

QImage ShapedScreenshot(QWidget& window) {
    const QImage drawn = window.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRegion shape = window.mask();
    if (shape.isEmpty()) return drawn;
    QImage shaped(drawn.size(), QImage::Format_ARGB32_Premultiplied);
    shaped.setDevicePixelRatio(drawn.devicePixelRatio());
    shaped.fill(Qt::transparent);
    QPainter painter(&shaped);
    painter.setClipRegion(shape);
    painter.drawImage(0, 0, drawn);
    return shaped;
}
