#pragma once

#include <QByteArray>
#include <QStringList>

// The request one player start sends to the running player: a magic
// number, the count of names, then each name's length and bytes as
// EncodeFileName gives them (UTF-8 where the name is; all numbers 32-bit
// big-endian).
namespace InstanceRequest {

inline constexpr qsizetype MaxBytes = 4 * 1024 * 1024;

QByteArray Encode(const QStringList& names);

enum class Status { Incomplete, Invalid, Complete };
// Decodes a request from the bytes received so far. A count or length
// that cannot fit in MaxBytes, a wrong magic number or bytes after the
// request make it Invalid.
Status Decode(const QByteArray& bytes, QStringList& names);

} // namespace InstanceRequest
