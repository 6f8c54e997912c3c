#pragma once

#include <QString>
#include <functional>

// Pixel width of a text in some font.
using TextWidth = std::function<int(const QString&)>;

// Length of the longest prefix of text, ending on a character boundary (never
// inside a surrogate pair or a combined character), whose width does not
// exceed limit. The whole length when the text fits.
qsizetype FittingPrefixLength(const QString& text, int limit, const TextWidth& width);
