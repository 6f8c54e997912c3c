#pragma once

#include <QString>

// The text a playlist line shows for `path` at 0-based `position`: its
// `title` when it has one, else the file name (a URL shows whole), prefixed
// with "position + 1. " when `showNumbers`.
QString MakeDisplayText(const QString& path, const QString& title, int position, bool showNumbers);

// A local file name for reading: bytes that are not UTF-8 (see
// desktop/files/FileNames.h) shown as Windows-1252 characters.
QString ReadableFileName(const QString& name);

// A duration as "m:ss", or "h:mm:ss" from an hour on.
QString DurationText(qint64 seconds);

// True when `path` is a stream address ("scheme://...") rather than a file.
bool IsUrl(const QString& path);
