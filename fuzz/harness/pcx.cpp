// PCX pictures (skin over and mask pictures, TLxPcx): decode, and a decoded
// picture must survive encoding and decoding again unchanged.
#include "skin/picture/PcxCodec.h"
#include "skin/picture/PcxHeader.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Pictures beyond this are valid but slow each run down to a crawl (the
// codec's own limit is far larger); the unit tests cover that limit.
constexpr qint64 kMaxFuzzedPixels = 1 << 16;

bool TooLargeToFuzz(const uint8_t* data, size_t size) {
    if (size < size_t(TPcxHeader::kSize)) return false;
    const TPcxHeader header = TPcxHeader::Parse(QByteArrayView(data, TPcxHeader::kSize));
    return qint64(header.Width()) * header.Height() * qMax(1, int(header.Planes)) > kMaxFuzzedPixels;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (TooLargeToFuzz(data, size)) return 0;
    TPcxPicture picture;
    try {
        picture = DecodePcx(QByteArrayView(data, qsizetype(size)));
    } catch (const EPcxError&) {
        return 0;
    }
    const QImage& bitmap = picture.Bitmap;
    if (bitmap.isNull()) std::abort();
    const TPcxPixelFormat format = PcxFormatFor(bitmap, picture.PixelFormat);
    const QByteArray encoded = EncodePcx(bitmap, format);
    const TPcxPicture again = DecodePcx(encoded);
    if (again.Bitmap.size() != bitmap.size()) std::abort();
    if (again.Bitmap.convertToFormat(QImage::Format_RGB32) != bitmap.convertToFormat(QImage::Format_RGB32))
        std::abort();
    return 0;
}
