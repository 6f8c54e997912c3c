#include "skin/controls/PixelWidthLimit.h"

#include <QTextBoundaryFinder>

qsizetype FittingPrefixLength(const QString& text, int limit, const TextWidth& width) {
    if (width(text) <= limit) return text.size();
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, text);
    qsizetype fitting = 0;
    for (qsizetype end = boundaries.toNextBoundary(); end > 0 && end < text.size(); end = boundaries.toNextBoundary()) {
        if (width(text.left(end)) > limit) break;
        fitting = end;
    }
    return fitting;
}
