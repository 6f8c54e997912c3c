#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

// Local file names as the file system holds them: bytes, any but NUL. Most
// are UTF-8, but names made on other systems (Latin-1, CP1252, ...) are not,
// and Qt decodes those lossily (each bad byte becomes U+FFFD), so a QString
// from Qt no longer names the file. These convert losslessly instead: bytes
// that are not part of valid UTF-8 become the lone surrogates U+DC80 ...
// U+DCFF and turn back into the same bytes. Valid UTF-8 names convert as Qt
// converts them.
QString DecodeFileName(const QByteArray& bytes);
QByteArray EncodeFileName(const QString& name);

// The byte the character at `i` stands for when it escapes one (a lone
// U+DC80 ... U+DCFF), else nothing.
std::optional<char> EscapedByteAt(const QString& name, qsizetype i);
bool HasEscapedBytes(const QString& name);

// "file://" and the path's bytes, percent-encoded but for the characters a
// URL path may hold as they are: a URL that names the file whatever its bytes.
QString FileUrlOfPath(const QString& path);

// The path a "file:" URL names, from its percent-encoded bytes; empty for
// other schemes and for files of another host.
QString PathOfFileUrl(const QUrl& url);
