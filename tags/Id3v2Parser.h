#pragma once

#include "tags/Id3v2Tag.h"

#include <QByteArray>
#include <QString>

// Reads the text frames of an ID3v2.2, 2.3 or 2.4 tag at the start of a
// file. Malformed sizes end the frame walk without reading past the data;
// unsynchronisation and extended headers are undone or skipped; compressed,
// encrypted and unknown frames are passed over.
class Id3v2Parser {
public:
    static constexpr int HeaderSize = 10;
    // Tags are read up to this size; frames beyond it are not shown.
    static constexpr qint64 MaxTagBytes = 64 * 1024 * 1024;

    // Parses the bytes at the start of a file; they may end inside the tag.
    static Id3v2Tag Parse(const QByteArray& fileStart);

    // Reads and parses the start of a file. Throws std::runtime_error when
    // the file cannot be opened or read.
    static Id3v2Tag ReadFile(const QString& fileName);

    // The tag size (header included) that a header declares, or -1 when
    // the bytes do not start with a valid ID3v2 header.
    static qint64 DeclaredSize(const QByteArray& header);
};
