#include "skin/picture/PcxCodec.h"

#include "skin/picture/PcxHeader.h"
#include "skin/picture/PcxRunLength.h"
#include "skin/picture/PictureLimits.h"
#include "skin/picture/PictureStrings.h"

#include <cstdint>

namespace {

constexpr std::uint8_t kPaletteMarker = 12;
constexpr int kTrailingPaletteSize = 1 + 256 * 3;
// The header holds the last column and row (size - 1) in 16 bits.
constexpr int kMaxDimension = 65536;

TPcxPixelFormat LayoutOf(const TPcxHeader& h) {
    if (h.BitsPerPixel == 1 && h.Planes == 1) return TPcxPixelFormat::pf1bit;
    if (h.BitsPerPixel == 1 && h.Planes == 4) return TPcxPixelFormat::pf4bit;
    if (h.BitsPerPixel == 8 && h.Planes == 1) return TPcxPixelFormat::pf8bit;
    if (h.BitsPerPixel == 8 && h.Planes == 3) return TPcxPixelFormat::pf24bit;
    throw EPcxError(picture_strings::kPcxUnknownFormat);
}

QImage::Format QtFormatOf(TPcxPixelFormat format) {
    switch (format) {
    case TPcxPixelFormat::pf1bit: return QImage::Format_Mono;
    case TPcxPixelFormat::pf4bit:
    case TPcxPixelFormat::pf8bit: return QImage::Format_Indexed8;
    case TPcxPixelFormat::pf24bit: break;
    }
    return QImage::Format_RGB888;
}

QList<QRgb> GreyRamp() {
    QList<QRgb> table;
    for (int i = 0; i < 256; ++i) table.append(qRgb(i, i, i));
    return table;
}

QList<QRgb> ReadPalette(const std::uint8_t* rgb, int entries) {
    QList<QRgb> table;
    for (int i = 0; i < entries; ++i) table.append(qRgb(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]));
    return table;
}

// The 256-colour palette at the end of the file, or a grey ramp when the
// file has none (an indexed image without colours cannot be shown).
QList<QRgb> TrailingPalette(QByteArrayView data) {
    const qsizetype at = data.size() - kTrailingPaletteSize;
    if (at < TPcxHeader::kSize || std::uint8_t(data[at]) != kPaletteMarker) return GreyRamp();
    return ReadPalette(reinterpret_cast<const std::uint8_t*>(data.data() + at + 1), 256);
}

void CheckDecodedSize(std::int64_t bytes) {
    if (bytes > kMaxDecodedPictureBytes) throw EPcxError(picture_strings::kPcxTooLarge);
}

void FillRow(QImage& image, int y, const std::uint8_t* row, int bytesPerLine, TPcxPixelFormat format) {
    const int width = image.width();
    std::uint8_t* out = image.scanLine(y);
    switch (format) {
    case TPcxPixelFormat::pf1bit: std::copy_n(row, (width + 7) / 8, out); break;
    case TPcxPixelFormat::pf8bit: std::copy_n(row, width, out); break;
    case TPcxPixelFormat::pf4bit:
        for (int x = 0; x < width; ++x) {
            const int bit = 7 - x % 8;
            std::uint8_t value = 0;
            for (int plane = 0; plane < 4; ++plane) value |= ((row[plane * bytesPerLine + x / 8] >> bit) & 1) << plane;
            out[x] = value;
        }
        break;
    case TPcxPixelFormat::pf24bit:
        for (int x = 0; x < width; ++x) {
            out[3 * x] = row[x];
            out[3 * x + 1] = row[bytesPerLine + x];
            out[3 * x + 2] = row[2 * bytesPerLine + x];
        }
        break;
    }
}

void AppendRow(QByteArray& rows, const QImage& image, int y, int bytesPerLine, TPcxPixelFormat format) {
    const int width = image.width();
    const std::uint8_t* in = image.constScanLine(y);
    const qsizetype start = rows.size();
    const int planes = format == TPcxPixelFormat::pf4bit ? 4 : format == TPcxPixelFormat::pf24bit ? 3 : 1;
    rows.append(qsizetype(bytesPerLine) * planes, '\0');
    auto* out = reinterpret_cast<std::uint8_t*>(rows.data() + start);
    switch (format) {
    case TPcxPixelFormat::pf1bit:
    case TPcxPixelFormat::pf8bit: std::copy_n(in, bytesPerLine, out); break;
    case TPcxPixelFormat::pf4bit:
        for (int x = 0; x < width; ++x)
            for (int plane = 0; plane < 4; ++plane)
                if (in[x] & (1 << plane)) out[plane * bytesPerLine + x / 8] |= std::uint8_t(0x80 >> (x % 8));
        break;
    case TPcxPixelFormat::pf24bit:
        for (int x = 0; x < width; ++x) {
            out[x] = in[3 * x];
            out[bytesPerLine + x] = in[3 * x + 1];
            out[2 * bytesPerLine + x] = in[3 * x + 2];
        }
        break;
    }
}

// A monochrome copy whose set bits are the lighter colour, as PCX stores it.
QImage MonochromeForPcx(const QImage& bitmap) {
    QImage mono = bitmap.convertToFormat(QImage::Format_Mono);
    if (mono.colorCount() == 2 && qGray(mono.color(0)) > qGray(mono.color(1))) mono.invertPixels();
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    return mono;
}

} // namespace

TPcxPicture DecodePcx(QByteArrayView data) {
    if (data.size() < TPcxHeader::kSize || std::uint8_t(data[0]) != TPcxHeader::kManufacturer)
        throw EPcxError(picture_strings::kPcxNotValid);
    const TPcxHeader header = TPcxHeader::Parse(data);
    const TPcxPixelFormat format = LayoutOf(header);

    const int width = header.Width();
    const int height = header.Height();
    const int minBytesPerLine = header.BitsPerPixel == 1 ? (width + 7) / 8 : width;
    if (width <= 0 || height <= 0 || header.BytesPerLine < minBytesPerLine)
        throw EPcxError(picture_strings::kPcxBadSize);
    const std::int64_t rowSize = std::int64_t(header.BytesPerLine) * header.Planes;
    CheckDecodedSize(rowSize * height);
    CheckDecodedSize(std::int64_t(width) * height * (format == TPcxPixelFormat::pf24bit ? 3 : 1));

    TPcxPicture picture;
    picture.PixelFormat = format;
    picture.Bitmap = QImage(width, height, QtFormatOf(format));
    if (picture.Bitmap.isNull()) throw EPcxError(picture_strings::kPcxTooLarge);
    picture.Bitmap.fill(0);
    switch (format) {
    case TPcxPixelFormat::pf1bit: picture.Bitmap.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)}); break;
    case TPcxPixelFormat::pf4bit:
        picture.Bitmap.setColorTable(ReadPalette(header.Palette16.data(), TPcxHeader::kPaletteEntries));
        break;
    case TPcxPixelFormat::pf8bit: picture.Bitmap.setColorTable(TrailingPalette(data)); break;
    case TPcxPixelFormat::pf24bit: break;
    }

    QByteArray rows = PcxDecodeRunLength(data.sliced(TPcxHeader::kSize), rowSize * height);
    if (rows.size() < rowSize * height) // missing data reads as pixel value 0
        rows.append(rowSize * height - rows.size(), '\0');
    const auto* decoded = reinterpret_cast<const std::uint8_t*>(rows.constData());
    for (int y = 0; y < height; ++y) FillRow(picture.Bitmap, y, decoded + y * rowSize, header.BytesPerLine, format);
    return picture;
}

TPcxPixelFormat PcxFormatFor(const QImage& bitmap, TPcxPixelFormat wanted) {
    switch (bitmap.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB: return TPcxPixelFormat::pf1bit;
    case QImage::Format_Indexed8:
        return wanted == TPcxPixelFormat::pf4bit && bitmap.colorCount() <= 16 ? TPcxPixelFormat::pf4bit
                                                                              : TPcxPixelFormat::pf8bit;
    default: return TPcxPixelFormat::pf24bit;
    }
}

QByteArray EncodePcx(const QImage& bitmap, TPcxPixelFormat format) {
    if (bitmap.isNull()) return {};
    // One plane's row is a byte per pixel at 8 bits, and its byte count is 16 bits too.
    const bool bytePixels = format == TPcxPixelFormat::pf8bit || format == TPcxPixelFormat::pf24bit;
    if (bitmap.width() > kMaxDimension || bitmap.height() > kMaxDimension || (bytePixels && bitmap.width() > 0xFFFF))
        throw EPcxError(picture_strings::kPcxTooLarge);

    QImage image;
    TPcxHeader header;
    header.XMax = std::uint16_t(bitmap.width() - 1);
    header.YMax = std::uint16_t(bitmap.height() - 1);
    header.HorizontalDpi = header.VerticalDpi = 96;
    header.PaletteInfo = 1;
    switch (format) {
    case TPcxPixelFormat::pf1bit:
        image = MonochromeForPcx(bitmap);
        header.BitsPerPixel = 1;
        header.Planes = 1;
        header.BytesPerLine = std::uint16_t((image.width() + 7) / 8);
        break;
    case TPcxPixelFormat::pf4bit:
        image = bitmap.convertToFormat(QImage::Format_Indexed8);
        header.BitsPerPixel = 1;
        header.Planes = 4;
        header.BytesPerLine = std::uint16_t((image.width() + 7) / 8);
        for (int i = 0; i < std::min<int>(image.colorCount(), TPcxHeader::kPaletteEntries); ++i) {
            const QRgb c = image.color(i);
            header.Palette16[3 * i] = std::uint8_t(qRed(c));
            header.Palette16[3 * i + 1] = std::uint8_t(qGreen(c));
            header.Palette16[3 * i + 2] = std::uint8_t(qBlue(c));
        }
        break;
    case TPcxPixelFormat::pf8bit:
        image = bitmap.convertToFormat(QImage::Format_Indexed8);
        header.BitsPerPixel = 8;
        header.Planes = 1;
        header.BytesPerLine = std::uint16_t(image.width());
        break;
    case TPcxPixelFormat::pf24bit:
        image = bitmap.convertToFormat(QImage::Format_RGB888);
        header.BitsPerPixel = 8;
        header.Planes = 3;
        header.BytesPerLine = std::uint16_t(image.width());
        break;
    }
    if (format == TPcxPixelFormat::pf4bit)
        for (int y = 0; y < image.height(); ++y) // only 16 colours fit in 4 planes
            for (std::uint8_t *p = image.scanLine(y), *end = p + image.width(); p != end; ++p) *p &= 0x0F;

    QByteArray rows;
    rows.reserve(qsizetype(header.BytesPerLine) * header.Planes * image.height());
    for (int y = 0; y < image.height(); ++y) AppendRow(rows, image, y, header.BytesPerLine, format);

    QByteArray file = header.Serialize();
    file.append(PcxEncodeRunLength(rows));
    if (format == TPcxPixelFormat::pf8bit && image.colorCount() > 0) {
        file.append(char(kPaletteMarker));
        for (int i = 0; i < 256; ++i) {
            const QRgb c = i < image.colorCount() ? image.color(i) : qRgb(0, 0, 0);
            file.append(char(qRed(c)));
            file.append(char(qGreen(c)));
            file.append(char(qBlue(c)));
        }
    }
    return file;
}
