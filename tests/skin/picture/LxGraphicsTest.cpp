#include "skin/picture/LxGraphics.h"
#include "PcxTestFiles.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QImage Solid(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    return image;
}

TEST(LxPcx, EmptyPictureWritesNothingAndWritingWidthAndHeightResizesAndSignals) {
    TLxPcx pcx;
    EXPECT_TRUE(pcx.Empty());
    EXPECT_EQ(pcx.Width(), -1);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    pcx.SaveToStream(buffer);
    EXPECT_TRUE(buffer.data().isEmpty());

    int changes = 0;
    pcx.OnChange = [&](TLxPcx& sender) {
        EXPECT_EQ(&sender, &pcx);
        ++changes;
    };
    pcx.SetWidth(5);
    pcx.SetHeight(4);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(pcx.Bitmap().size(), QSize(5, 4));
    pcx.Assign(Solid(2, 2, qRgb(9, 9, 9)));
    pcx.SetWidth(3);
    EXPECT_EQ(pcx.Bitmap().pixel(1, 1), qRgb(9, 9, 9));
    EXPECT_EQ(pcx.Bitmap().pixel(2, 1), qRgb(0, 0, 0));
}

TEST(LxPcx, FileRoundTripKeepsPixelsAndFormatAndAssignCopies) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage indexed(6, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(200, 100, 50)});
    indexed.fill(1);
    TLxPcx pcx;
    pcx.Assign(indexed);
    pcx.SaveToFile(dir.filePath("a.pcx"));

    TLxPcx loaded;
    loaded.LoadFromFile(dir.filePath("a.pcx"));
    EXPECT_EQ(loaded.PixelFormat(), TPcxPixelFormat::pf8bit);
    EXPECT_EQ(loaded.Bitmap().pixel(5, 1), qRgb(200, 100, 50));

    TLxPcx copy;
    loaded.AssignTo(copy);
    EXPECT_EQ(copy.Bitmap().pixel(5, 1), qRgb(200, 100, 50));
    QImage target = Solid(1, 1, qRgb(0, 0, 0));
    TLxPcx().AssignTo(target);
    EXPECT_TRUE(target.isNull());
    copy.Assign(TLxPcx());
    EXPECT_TRUE(copy.Empty());
}

TEST(LxPcx, FailedLoadKeepsThePreviousPicture) {
    TLxPcx pcx;
    pcx.Assign(Solid(3, 3, qRgb(1, 2, 3)));
    QByteArray bad = PcxTestHeader(2, 1, 4, 4, 4);
    QBuffer buffer(&bad);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_THROW(pcx.LoadFromStream(buffer), EPcxError);
    EXPECT_EQ(pcx.Width(), 3);
    EXPECT_EQ(pcx.Bitmap().pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_THROW(pcx.LoadFromFile("/nonexistent/x.pcx"), EPcxError);
    EXPECT_THROW(pcx.SaveToFile("/nonexistent/x.pcx"), EPcxError);
}

} // namespace
