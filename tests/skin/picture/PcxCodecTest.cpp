#include "skin/picture/PcxCodec.h"
#include "PcxTestFiles.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string DecodeError(const QByteArray& file) {
    try {
        DecodePcx(file);
    } catch (const EPcxError& error) {
        return error.what();
    }
    return "no error";
}

TEST(PcxCodec, RejectsWrongOrShortHeadersUnknownLayoutsAndImpossibleSizes) {
    QByteArray wrongMaker = PcxTestHeader(8, 1, 2, 2, 2);
    wrongMaker[0] = 11;
    EXPECT_EQ(DecodeError(wrongMaker), "PCX : This isn't a valid PCX file");
    EXPECT_EQ(DecodeError(PcxTestHeader(8, 1, 2, 2, 2).left(127)), "PCX : This isn't a valid PCX file");
    EXPECT_EQ(DecodeError(PcxTestHeader(2, 1, 2, 2, 2)), "PCX : unknow format");
    EXPECT_EQ(DecodeError(PcxTestHeader(1, 2, 2, 2, 2)), "PCX : unknow format");
    QByteArray negative = PcxTestHeader(8, 1, 2, 2, 2);
    negative[4] = 5; // Xmin beyond Xmax
    EXPECT_EQ(DecodeError(negative), "PCX : Invalid image size");
    EXPECT_EQ(DecodeError(PcxTestHeader(8, 1, 10, 2, 9)), "PCX : Invalid image size");
    EXPECT_EQ(DecodeError(PcxTestHeader(1, 1, 17, 2, 2)), "PCX : Invalid image size");
    EXPECT_EQ(DecodeError(PcxTestHeader(8, 3, 65535, 65535, 65535)), "PCX : Image too large");
}

TEST(PcxCodec, ReadsMonochromeWithSetBitsWhite) {
    const QByteArray file = PcxTestHeader(1, 1, 10, 1, 2) + PcxTestLiterals(QByteArray("\xA0\x40", 2));
    const TPcxPicture picture = DecodePcx(file);
    EXPECT_EQ(picture.PixelFormat, TPcxPixelFormat::pf1bit);
    ASSERT_EQ(picture.Bitmap.size(), QSize(10, 1));
    EXPECT_EQ(picture.Bitmap.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(picture.Bitmap.pixel(1, 0), qRgb(0, 0, 0));
    EXPECT_EQ(picture.Bitmap.pixel(2, 0), qRgb(255, 255, 255));
    EXPECT_EQ(picture.Bitmap.pixel(9, 0), qRgb(255, 255, 255));
}

TEST(PcxCodec, ReadsFourPlanesWithTheHeaderPalette) {
    QByteArray file = PcxTestHeader(1, 4, 3, 1, 1);
    for (int i = 0; i < 16; ++i) file[16 + 3 * i] = char(i * 16); // red = 16 × index
    // Pixel values 1, 2 and 15: plane k holds bit 2^k, leftmost pixel in bit 7.
    file += PcxTestLiterals(QByteArray("\xA0\x60\x20\x20", 4));
    const TPcxPicture picture = DecodePcx(file);
    EXPECT_EQ(picture.PixelFormat, TPcxPixelFormat::pf4bit);
    EXPECT_EQ(picture.Bitmap.pixelIndex(0, 0), 1);
    EXPECT_EQ(picture.Bitmap.pixelIndex(1, 0), 2);
    EXPECT_EQ(picture.Bitmap.pixelIndex(2, 0), 15);
    EXPECT_EQ(qRed(picture.Bitmap.pixel(2, 0)), 240);
}

TEST(PcxCodec, ReadsEightBitsWithTrailingPaletteOrGreyWithout) {
    const QByteArray pixels = PcxTestLiterals(QByteArray("\x01\x02", 2));
    QByteArray palette(769, '\0');
    palette[0] = 12;
    palette[1 + 3 * 2 + 2] = char(255); // colour 2 is blue
    const TPcxPicture withPalette = DecodePcx(PcxTestHeader(8, 1, 2, 1, 2) + pixels + palette);
    EXPECT_EQ(withPalette.Bitmap.pixel(1, 0), qRgb(0, 0, 255));

    const TPcxPicture withoutPalette = DecodePcx(PcxTestHeader(8, 1, 2, 1, 2) + pixels);
    EXPECT_EQ(withoutPalette.Bitmap.pixel(1, 0), qRgb(2, 2, 2));
}

TEST(PcxCodec, ReadsPaddedTrueColourPlanesAtTheirDeclaredOffsets) {
    // Width 3 with 4 bytes per plane: the fourth byte of each plane is padding.
    const QByteArray raw("\x0A\x0B\x0C\x63"
                         "\x14\x15\x16\x63"
                         "\x1E\x1F\x20\x63",
                         12);
    const TPcxPicture picture = DecodePcx(PcxTestHeader(8, 3, 3, 1, 4) + PcxTestLiterals(raw));
    EXPECT_EQ(picture.PixelFormat, TPcxPixelFormat::pf24bit);
    EXPECT_EQ(picture.Bitmap.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(picture.Bitmap.pixel(2, 0), qRgb(12, 22, 32));
}

TEST(PcxCodec, RunsCrossRowsAndMissingDataLeavesZeros) {
    // One run fills the first row and half the second; the rest is missing.
    const QByteArray file = PcxTestHeader(8, 1, 4, 3, 4) + QByteArray("\xC6\x07", 2);
    const TPcxPicture picture = DecodePcx(file);
    EXPECT_EQ(picture.Bitmap.pixelIndex(3, 0), 7);
    EXPECT_EQ(picture.Bitmap.pixelIndex(1, 1), 7);
    EXPECT_EQ(picture.Bitmap.pixelIndex(2, 1), 0);
    EXPECT_EQ(picture.Bitmap.pixelIndex(3, 2), 0);
}

TEST(PcxCodec, SurvivesRandomDataAfterAValidHeader) {
    std::mt19937 random(7);
    const int layouts[][2] = {{1, 1}, {1, 4}, {8, 1}, {8, 3}};
    for (const auto& layout : layouts) {
        for (int round = 0; round < 20; ++round) {
            QByteArray file = PcxTestHeader(layout[0], layout[1], 1 + int(random() % 40), 1 + int(random() % 40), 40);
            for (int i = int(random() % 3000); i > 0; --i) file.append(char(random()));
            EXPECT_NO_THROW(DecodePcx(file));
        }
    }
}

TEST(PcxCodec, WritesTheHeaderAndRunsOfAnEightBitPicture) {
    QImage image(3, 1, QImage::Format_Indexed8);
    image.setColorTable(QList<QRgb>(256, qRgb(1, 2, 3)));
    image.fill(200);
    const QByteArray file = EncodePcx(image, TPcxPixelFormat::pf8bit);
    ASSERT_EQ(file.size(), 128 + 2 + 769);
    EXPECT_EQ(file.left(4), QByteArray("\x0A\x05\x01\x08", 4));
    EXPECT_EQ(file[8], 2);  // Xmax
    EXPECT_EQ(file[10], 0); // Ymax
    EXPECT_EQ(file[65], 1);
    EXPECT_EQ(file[66], 3); // bytes per line not rounded up
    EXPECT_EQ(file.mid(128, 2), QByteArray("\xC3\xC8", 2));
    EXPECT_EQ(file[130], 12);
    EXPECT_EQ(file.mid(131, 3), QByteArray("\x01\x02\x03", 3));
}

QImage Pattern(int width, int height, QImage::Format format, int colours) {
    QImage image(width, height, format);
    if (colours > 0) {
        QList<QRgb> table;
        for (int i = 0; i < colours; ++i) table.append(qRgb(i * 7 % 256, i * 13 % 256, 255 - i));
        image.setColorTable(table);
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (colours > 0)
                image.setPixel(x, y, uint((x * 3 + y * 5) % colours));
            else
                image.setPixel(x, y, qRgb(x * 9 % 256, y * 17 % 256, (x + y) % 256));
        }
    return image;
}

QImage WithTable(QImage image, QList<QRgb> table) {
    image.setColorTable(table);
    return image;
}

void ExpectSamePixels(const QImage& a, const QImage& b) {
    ASSERT_EQ(a.size(), b.size());
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) ASSERT_EQ(a.pixel(x, y), b.pixel(x, y)) << x << "," << y;
}

TEST(PcxCodec, EveryLayoutReadsBackUnchanged) {
    struct Case {
        QImage image;
        TPcxPixelFormat format;
    } cases[] = {
        {WithTable(Pattern(13, 5, QImage::Format_Mono, 2), {qRgb(0, 0, 0), qRgb(255, 255, 255)}),
         TPcxPixelFormat::pf1bit},
        {Pattern(11, 4, QImage::Format_Indexed8, 16), TPcxPixelFormat::pf4bit},
        {Pattern(17, 6, QImage::Format_Indexed8, 256), TPcxPixelFormat::pf8bit},
        {Pattern(7, 9, QImage::Format_RGB888, 0), TPcxPixelFormat::pf24bit}, // odd width
        {Pattern(1100, 3, QImage::Format_RGB888, 0), TPcxPixelFormat::pf24bit},
        // A monochrome picture with an inverted table keeps its look.
        {WithTable(Pattern(9, 2, QImage::Format_Mono, 2), {qRgb(255, 255, 255), qRgb(0, 0, 0)}),
         TPcxPixelFormat::pf1bit},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(PcxFormatFor(c.image, c.format), c.format);
        const TPcxPicture back = DecodePcx(EncodePcx(c.image, c.format));
        EXPECT_EQ(back.PixelFormat, c.format);
        ExpectSamePixels(back.Bitmap, c.image);
    }
}

// A picture as large as the header can describe reads and writes back; one
// beyond what its fields hold is refused.
TEST(PcxCodec, WritesTheLargestSizesTheHeaderHolds) {
    QImage tall(1, 65536, QImage::Format_Indexed8);
    tall.setColorCount(256);
    for (int i = 0; i < 256; ++i) tall.setColor(i, qRgb(i, i, i));
    tall.fill(7);
    TPcxPicture back = DecodePcx(EncodePcx(tall, TPcxPixelFormat::pf8bit));
    EXPECT_EQ(back.Bitmap.size(), tall.size());
    EXPECT_EQ(back.Bitmap.pixel(0, 65535), qRgb(7, 7, 7));

    QImage wide(65536, 1, QImage::Format_Mono);
    wide.fill(1);
    back = DecodePcx(EncodePcx(wide, TPcxPixelFormat::pf1bit));
    EXPECT_EQ(back.Bitmap.size(), wide.size());

    QImage tooWideForByteRows(65536, 1, QImage::Format_RGB888);
    tooWideForByteRows.fill(Qt::white);
    EXPECT_THROW(EncodePcx(tooWideForByteRows, TPcxPixelFormat::pf24bit), EPcxError);
    EXPECT_THROW(EncodePcx(QImage(1, 65537, QImage::Format_Mono), TPcxPixelFormat::pf1bit), EPcxError);
}

TEST(PcxCodec, OtherFormatsAreWrittenAsTrueColour) {
    QImage image(4, 2, QImage::Format_ARGB32);
    image.fill(qRgb(10, 200, 30));
    EXPECT_EQ(PcxFormatFor(image, TPcxPixelFormat::pf8bit), TPcxPixelFormat::pf24bit);
    const TPcxPicture back = DecodePcx(EncodePcx(image, TPcxPixelFormat::pf24bit));
    EXPECT_EQ(back.Bitmap.pixel(3, 1), qRgb(10, 200, 30));
    EXPECT_TRUE(EncodePcx(QImage(), TPcxPixelFormat::pf24bit).isEmpty());
}

} // namespace
