// ZSoft PCX reading and writing between bytes and QImage.
//
// Supported layouts: 1 bit x 1 plane (monochrome, a set bit is white),
// 1 bit x 4 planes (16 colours, header palette), 8 bits x 1 plane (256
// colours, trailing palette), 8 bits x 3 planes (24-bit RGB).
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <stdexcept>

class EPcxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Pixel format of a PCX picture. Qt has no 4-bit image format: a 4-bit
// picture is held as an 8-bit indexed QImage of at most 16 colours.
enum class TPcxPixelFormat { pf1bit, pf4bit, pf8bit, pf24bit };

struct TPcxPicture {
    QImage Bitmap;
    TPcxPixelFormat PixelFormat = TPcxPixelFormat::pf24bit;
};

// Decodes a PCX file held whole in `data`. Raises EPcxError for a missing
// or wrong header, an unsupported layout or impossible dimensions. Image
// data that ends early leaves the remaining pixels at value 0.
TPcxPicture DecodePcx(QByteArrayView data);

// The pixel format a bitmap is written in: monochrome images as 1 bit,
// indexed images as 8 bits (4 bits when asked for and at most 16 colours
// are used), everything else as 24 bits.
TPcxPixelFormat PcxFormatFor(const QImage& bitmap, TPcxPixelFormat wanted);

// Encodes a bitmap in `format` (as PcxFormatFor chose it). A null image
// gives no bytes. Raises EPcxError when the size does not fit the 16-bit
// header fields.
QByteArray EncodePcx(const QImage& bitmap, TPcxPixelFormat format);
