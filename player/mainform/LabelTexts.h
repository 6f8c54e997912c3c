#pragma once

#include <QString>
#include <cstdint>

// Texts of the main window's labels.

// A value above 9 in decimal; any other (0 to 9, also a negative value) as
// "0" followed by its decimal form: 9 -> "09", 10 -> "10", -3 -> "0-3".
QString TwoDigits(int64_t value);

// "mm:ss" of a number of seconds, minutes not limited to 59; division
// truncates toward zero, so a negative number gives negative parts.
QString MinutesSeconds(int64_t seconds);

QString LayerText(int layer);
QString BitrateText(int kbits);
// The frequency in kHz with its decimals: "44.1 kHz", "48 kHz".
QString FrequencyText(int hertz);

// The playlist line's display text without a file extension at its end
// (a dot and up to four letters or digits): "1. song.mp3" -> "1. song",
// "1. Artist – Title" stays whole.
QString SongNameOf(const QString& displayText);
