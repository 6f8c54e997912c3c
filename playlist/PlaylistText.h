#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// How the lines of a playlist are decoded.
enum class TTextEncoding {
    Utf8,         // always UTF-8 (invalid bytes become U+FFFD)
    Utf8OrCp1252, // each line UTF-8 when it is valid UTF-8, else Windows-1252
};

// Splits at CR LF, CR or LF; a final line end does not start another line.
QList<QByteArray> SplitLines(const QByteArray& data);

QString DecodeLine(const QByteArray& line, TTextEncoding encoding);

// Drops a leading UTF-8 byte order mark; returns whether there was one.
bool RemoveByteOrderMark(QByteArray& data);

// Whether `data` holds binary bytes (NUL) that no text playlist has.
bool HoldsBinaryData(const QByteArray& data);
