#include "skin/picture/JpegDecoder.h"

#include "skin/picture/PictureLimits.h"
#include "skin/picture/PictureStrings.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ExitWithError(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    errors->base.format_message(info, errors->message);
    std::longjmp(errors->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

enum class Outcome { Decoded, LibraryError, TooLarge };

// Holds only trivially destructible locals, so that libjpeg's longjmp out of
// an error skips nothing that needs cleaning up.
Outcome Decode(jpeg_decompress_struct& info, ErrorManager& errors, QByteArrayView data, QImage& image) {
    if (setjmp(errors.jump)) return Outcome::LibraryError;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
    info.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);
    if (std::int64_t(info.output_width) * info.output_height * info.output_components > kMaxDecodedPictureBytes)
        return Outcome::TooLarge;
    image = QImage(int(info.output_width), int(info.output_height),
                   grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    if (image.isNull()) return Outcome::TooLarge;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return Outcome::Decoded;
}

} // namespace

QImage DecodeJpeg(QByteArrayView data) {
    if (data.isEmpty()) throw EJpegError(picture_strings::kJpegEmpty);
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = ExitWithError;
    errors.base.output_message = IgnoreMessage;
    jpeg_create_decompress(&info);
    QImage image;
    const Outcome outcome = Decode(info, errors, data, image);
    jpeg_destroy_decompress(&info);
    switch (outcome) {
    case Outcome::Decoded: return image;
    case Outcome::TooLarge: throw EJpegError(picture_strings::kJpegTooLarge);
    case Outcome::LibraryError: break;
    }
    throw EJpegError(std::string(picture_strings::kJpegPrefix) + errors.message);
}
