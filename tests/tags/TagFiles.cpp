#include "TagFiles.h"

#include "desktop/files/FileNames.h"

#include <QStringEncoder>

#include <cstdio>

QString TagFiles::Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    std::FILE* file = std::fopen(EncodeFileName(path).constData(), "wb");
    const bool written = file && std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file) == size_t(bytes.size());
    if (!file || std::fclose(file) != 0 || !written) qFatal("cannot write test file %s", qPrintable(path));
    return path;
}

QByteArray AudioBytes(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(0x80 + (i * 7) % 64);
    return bytes;
}

QByteArray Id3v1Block(const QByteArray& title, const QByteArray& artist, const QByteArray& album,
                      const QByteArray& year, const QByteArray& comment, unsigned char genre) {
    auto field = [](QByteArray text, int width) {
        text.resize(width, '\0');
        return text;
    };
    return "TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + field(year, 4) + field(comment, 30) +
           QByteArray(1, static_cast<char>(genre));
}

namespace {

QByteArray SyncSafe(quint32 value) {
    QByteArray bytes(4, '\0');
    for (int i = 3; i >= 0; --i) {
        bytes[i] = static_cast<char>(value & 0x7F);
        value >>= 7;
    }
    return bytes;
}

QByteArray BigEndian(quint32 value, int count) {
    QByteArray bytes(count, '\0');
    for (int i = count - 1; i >= 0; --i) {
        bytes[i] = static_cast<char>(value & 0xFF);
        value >>= 8;
    }
    return bytes;
}

QByteArray Encoded(QStringEncoder::Encoding encoding, const QString& text) {
    QStringEncoder encoder(encoding);
    return encoder.encode(text);
}

} // namespace

QByteArray Id3v2Frame(int major, const QByteArray& id, const QByteArray& body, quint8 formatFlags) {
    if (major == 2) return id + BigEndian(body.size(), 3) + body;
    const QByteArray size = major == 4 ? SyncSafe(body.size()) : BigEndian(body.size(), 4);
    return id + size + QByteArray(1, '\0') + QByteArray(1, static_cast<char>(formatFlags)) + body;
}

QByteArray Id3v2TagBytes(int major, quint8 flags, const QByteArray& body) {
    QByteArray header("ID3");
    header += static_cast<char>(major);
    header += '\0';
    header += static_cast<char>(flags);
    return header + SyncSafe(body.size()) + body;
}

QByteArray Latin1Text(const QString& text) { return QByteArray(1, '\0') + text.toLatin1(); }

QByteArray Utf8Text(const QString& text) { return QByteArray(1, '\3') + text.toUtf8(); }

QByteArray Utf16BomText(const QString& text, bool bigEndian) {
    const QByteArray bom = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    return QByteArray(1, '\1') + bom + Encoded(bigEndian ? QStringEncoder::Utf16BE : QStringEncoder::Utf16LE, text);
}

QByteArray Utf16BEText(const QString& text) { return QByteArray(1, '\2') + Encoded(QStringEncoder::Utf16BE, text); }
