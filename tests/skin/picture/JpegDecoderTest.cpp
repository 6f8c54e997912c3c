#include "skin/picture/JpegDecoder.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

QByteArray EncodeWithQt(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "JPG", 95));
    return bytes;
}

bool Near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) < 8 && std::abs(qGreen(a) - qGreen(b)) < 8 && std::abs(qBlue(a) - qBlue(b)) < 8;
}

TEST(JpegDecoder, DecodesColourAndGreyPictures) {
    QImage colour(24, 10, QImage::Format_RGB32);
    colour.fill(qRgb(200, 40, 90));
    const QImage decoded = DecodeJpeg(EncodeWithQt(colour));
    EXPECT_EQ(decoded.format(), QImage::Format_RGB888);
    ASSERT_EQ(decoded.size(), QSize(24, 10));
    EXPECT_TRUE(Near(decoded.pixel(23, 9), qRgb(200, 40, 90)));

    QImage grey(8, 8, QImage::Format_Grayscale8);
    grey.fill(qRgb(77, 77, 77));
    const QImage decodedGrey = DecodeJpeg(EncodeWithQt(grey));
    EXPECT_EQ(decodedGrey.format(), QImage::Format_Grayscale8);
    EXPECT_TRUE(Near(decodedGrey.pixel(3, 3), qRgb(77, 77, 77)));
}

TEST(JpegDecoder, NonJpegDataRaisesTheLibraryMessageAndTruncatedDataNeverCrashes) {
    EXPECT_THROW(DecodeJpeg(QByteArray()), EJpegError);
    try {
        DecodeJpeg(QByteArray("this is no picture"));
        FAIL() << "no error";
    } catch (const EJpegError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("JPEG : ", 0), 0u) << error.what();
    }

    QImage colour(64, 64, QImage::Format_RGB32);
    colour.fill(qRgb(10, 20, 30));
    const QByteArray full = EncodeWithQt(colour);
    for (qsizetype length : {qsizetype(2), qsizetype(20), full.size() / 2, full.size() - 3}) {
        try {
            DecodeJpeg(full.left(length));
        } catch (const EJpegError&) {
        }
    }
}

} // namespace
