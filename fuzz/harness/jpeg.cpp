// JPEG pictures of the skin (the built-in skin's pictures) through the libjpeg wrapper.
#include "skin/picture/JpegDecoder.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const QImage image = DecodeJpeg(QByteArrayView(data, qsizetype(size)));
        if (!image.isNull() && image.format() != QImage::Format_RGB888 && image.format() != QImage::Format_Grayscale8)
            std::abort();
    } catch (const EJpegError&) {
    }
    return 0;
}
