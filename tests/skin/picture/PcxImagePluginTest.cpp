#include "skin/picture/PcxImagePlugin.h"

#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(PcxImagePlugin, QtLoadsAndSavesPcxFilesOnceRegistered) {
    RegisterPcxImageFormat();
    RegisterPcxImageFormat();
    EXPECT_TRUE(QImageReader::supportedImageFormats().contains("pcx"));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(qRgb(12, 34, 56));
    const QString name = dir.filePath("picture.pcx");
    ASSERT_TRUE(image.save(name));

    const QImage loaded(name);
    ASSERT_FALSE(loaded.isNull());
    EXPECT_EQ(loaded.size(), QSize(5, 3));
    EXPECT_EQ(loaded.pixel(4, 2), qRgb(12, 34, 56));

    QFile file(dir.filePath("unnamed"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QImageWriter(&file, "pcx").write(image);
    file.close();
    QImageReader detecting(dir.filePath("unnamed"));
    EXPECT_EQ(detecting.format(), "pcx");
}

TEST(PcxImagePlugin, BrokenFileFailsCleanly) {
    RegisterPcxImageFormat();
    QTemporaryDir dir;
    QFile file(dir.filePath("broken.pcx"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x0A\x05\x01\x08", 4));
    file.close();
    QImageReader reader(dir.filePath("broken.pcx"));
    EXPECT_TRUE(reader.read().isNull());
}

} // namespace
