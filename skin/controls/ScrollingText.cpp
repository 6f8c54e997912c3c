#include "skin/controls/ScrollingText.h"

#include <algorithm>

namespace {

constexpr int kMostPaddingSpaces = 10000;

// Code units of the first / last character.
qsizetype FirstCharacterLength(const QString& s) {
    return s.size() >= 2 && s.at(0).isHighSurrogate() && s.at(1).isLowSurrogate() ? 2 : 1;
}

qsizetype LastCharacterLength(const QString& s) {
    const qsizetype n = s.size();
    return n >= 2 && s.at(n - 1).isLowSurrogate() && s.at(n - 2).isHighSurrogate() ? 2 : 1;
}

} // namespace

QString ScrollingTextOf(const QString& text) {
    return text.contains(QLatin1Char('\n')) ? QLatin1Char('\n') + text : text;
}

QString WorkTextOf(const QString& text, bool noGrap, int labelWidth, const TextWidth& width) {
    if (noGrap) return text + QLatin1Char(' ');
    // The spaces are counted from two measurements; the loop only makes up for
    // rounding and kerning, so the cost stays linear in the text.
    const int textWidth = width(text);
    if (textWidth >= labelWidth) return text;
    const int spaceWidth = std::max(1, width(QStringLiteral(" ")));
    int spaces = std::min(kMostPaddingSpaces, (labelWidth - textWidth + spaceWidth - 1) / spaceWidth);
    QString work = text + QString(spaces, QLatin1Char(' '));
    while (spaces < kMostPaddingSpaces && width(work) < labelWidth) {
        work += QLatin1Char(' ');
        ++spaces;
    }
    return work;
}

QString ScrolledOnce(const QString& workText, TDirection direction) {
    if (workText.isEmpty()) return workText;
    if (direction == sdRightToLeft) {
        const qsizetype n = FirstCharacterLength(workText);
        return workText.mid(n) + workText.left(n);
    }
    const qsizetype n = LastCharacterLength(workText);
    return workText.right(n) + workText.left(workText.size() - n);
}
