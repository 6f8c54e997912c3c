#include "desktop/InstanceRequest.h"

#include "desktop/files/FileNames.h"

#include <QtEndian>

namespace InstanceRequest {

namespace {

constexpr quint32 kMagic = 0x54414552; // "TAER"

void Append(QByteArray& bytes, quint32 value) {
    uchar word[4];
    qToBigEndian(value, word);
    bytes.append(reinterpret_cast<const char*>(word), 4);
}

// Reads a number at `at`; false when the bytes end first.
bool Take(const QByteArray& bytes, qsizetype& at, quint32& value) {
    if (bytes.size() - at < 4) return false;
    value = qFromBigEndian<quint32>(bytes.constData() + at);
    at += 4;
    return true;
}

} // namespace

QByteArray Encode(const QStringList& names) {
    QByteArray bytes;
    Append(bytes, kMagic);
    Append(bytes, quint32(names.size()));
    for (const QString& name : names) {
        const QByteArray encoded = EncodeFileName(name);
        Append(bytes, quint32(encoded.size()));
        bytes += encoded;
    }
    return bytes;
}

Status Decode(const QByteArray& bytes, QStringList& names) {
    qsizetype at = 0;
    quint32 magic = 0;
    quint32 count = 0;
    if (!Take(bytes, at, magic)) return Status::Incomplete;
    if (magic != kMagic) return Status::Invalid;
    if (!Take(bytes, at, count)) return Status::Incomplete;
    if (count > MaxBytes / 4) return Status::Invalid;
    QStringList decoded;
    for (quint32 i = 0; i < count; ++i) {
        quint32 length = 0;
        if (!Take(bytes, at, length)) return Status::Incomplete;
        if (length > MaxBytes - at) return Status::Invalid;
        if (bytes.size() - at < qsizetype(length)) return Status::Incomplete;
        decoded << DecodeFileName(bytes.mid(at, length));
        at += length;
    }
    if (at != bytes.size()) return Status::Invalid;
    names = decoded;
    return Status::Complete;
}

} // namespace InstanceRequest
