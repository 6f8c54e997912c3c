#pragma once

#include "skin/controls/PixelWidthLimit.h"

#include <QString>

// Direction in which a scrolling label's text runs.
enum TDirection { sdLeftToRight = 0, sdRightToLeft = 1 };

// The text a scrolling label keeps for t: t with one more line feed in front
// when it contains a line feed.
QString ScrollingTextOf(const QString& text);

// The rotating copy of the text: with noGrap, the text and one space;
// otherwise the text padded with spaces (at most 10000) until it is at least
// labelWidth pixels wide, so that it leaves the label before it comes round.
QString WorkTextOf(const QString& text, bool noGrap, int labelWidth, const TextWidth& width);

// One scrolling step: right to left moves the first character to the end,
// left to right the last character to the front. Characters made of two
// UTF-16 code units move as one.
QString ScrolledOnce(const QString& workText, TDirection direction);
