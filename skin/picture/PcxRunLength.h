// ZSoft run-length coding of PCX image data.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Decodes a run-length encoded sequence up to `limit` bytes (the picture's
// size): what comes after them is not read. A run marker (two top bits set)
// repeats the following byte (marker AND 63) times; a marker without a
// following byte ends the data.
QByteArray PcxDecodeRunLength(QByteArrayView encoded, qsizetype limit);

// Encodes in 1024-byte input blocks with runs of at most 48 bytes. A run of
// 2 to 47 bytes that reaches the end of a full block is carried over whole
// into the next block.
QByteArray PcxEncodeRunLength(QByteArrayView raw);
