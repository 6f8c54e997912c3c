#include "skin/picture/WindowShape.h"

#include <QList>
#include <QRect>

QRegion RegionFromMask(const QImage& mask) {
    if (mask.isNull()) return {};
    const QImage pixels = mask.convertToFormat(QImage::Format_RGB32);
    const int width = pixels.width();
    const QRgb outside = pixels.pixel(0, 0);
    QList<QRect> runs;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        int x = 0;
        while (x < width) {
            while (x < width && row[x] == outside) ++x;
            const int start = x;
            while (x < width && row[x] != outside) ++x;
            if (x > start) runs.append(QRect(start, y, x - start, 1));
        }
    }
    QRegion region;
    region.setRects(runs.constData(), int(runs.size()));
    return region;
}
