#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Builds test files: audio-like bytes, ID3v1 blocks and ID3v2 tags.
class TagFiles {
public:
    // Writes bytes to a new file of the temporary folder and returns its path
    // (a name that is not UTF-8 as desktop/files/FileNames.h decodes it).
    QString Write(const QString& name, const QByteArray& bytes);
    QString Folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

// Bytes that stand for audio data: a repeating pattern without "TAG" or "ID3".
QByteArray AudioBytes(int size);

// A 128-byte ID3v1 block with the texts as given (zero-filled to width).
QByteArray Id3v1Block(const QByteArray& title, const QByteArray& artist, const QByteArray& album,
                      const QByteArray& year, const QByteArray& comment, unsigned char genre);

// An ID3v2 frame of the given major version (2, 3 or 4).
QByteArray Id3v2Frame(int major, const QByteArray& id, const QByteArray& body, quint8 formatFlags = 0);

// An ID3v2 header of the given version, flags and body size, followed by the body.
QByteArray Id3v2TagBytes(int major, quint8 flags, const QByteArray& body);

// Text frame bodies: encoding byte then the encoded text.
QByteArray Latin1Text(const QString& text);
QByteArray Utf8Text(const QString& text);
QByteArray Utf16BomText(const QString& text, bool bigEndian);
QByteArray Utf16BEText(const QString& text);
