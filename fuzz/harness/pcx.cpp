// PCX pictures (skin over and mask pictures, TLxPcx): decode, and a decoded
// picture must survive encoding and decoding again unchanged.
#include "skin/picture/PcxCodec.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TPcxPicture picture;
    try {
        picture = DecodePcx(QByteArrayView(data, qsizetype(size)));
    } catch (const EPcxError&) {
        return 0;
    }
    const QImage& bitmap = picture.Bitmap;
    if (bitmap.isNull() || bitmap.width() > 4096 || bitmap.height() > 4096)
        return 0;  // keep each run fast; the decoder's own limits are tested above
    const TPcxPixelFormat format = PcxFormatFor(bitmap, picture.PixelFormat);
    const QByteArray encoded = EncodePcx(bitmap, format);
    const TPcxPicture again = DecodePcx(encoded);
    if (again.Bitmap.size() != bitmap.size())
        std::abort();
    if (again.Bitmap.convertToFormat(QImage::Format_RGB32) != bitmap.convertToFormat(QImage::Format_RGB32))
        std::abort();
    return 0;
}
