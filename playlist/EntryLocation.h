#pragma once

#include "playlist/PlaylistText.h"

#include <QDir>
#include <QString>
#include <QUrl>

#include <functional>

// Turns an entry as a playlist writes it into the path or address the
// playlist holds.
using TEntryResolver = std::function<QString(const QString& entry)>;

// Entries of a playlist file in `folder`: a local "file:" URL becomes its
// percent-decoded path; other URLs stay as they are; "\" separators become
// "/"; relative paths are resolved against `folder`.
QString ResolveLocalEntry(const QString& entry, const QDir& folder);

// An entry line of a local playlist file: the local file its bytes name when
// they are not UTF-8 and such a file exists (a name from a system that is not
// UTF-8), else the line decoded by `encoding`; then resolved by `resolve`.
QString ResolveEntryLine(const QByteArray& line, TTextEncoding encoding, const TEntryResolver& resolve);

// Entries of a station list fetched from `base`: as above, except that
// relative references are resolved against `base` into full addresses.
QString ResolveRemoteEntry(const QString& entry, const QUrl& base);
