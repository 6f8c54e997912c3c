#include "skin/picture/WindowShape.h"

#include <gtest/gtest.h>

namespace {

QImage Mask(int width, int height) {
    QImage mask(width, height, QImage::Format_Mono);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(0);
    return mask;
}

TEST(WindowShape, RunsBecomeWholeRectangles) {
    QImage mask = Mask(30, 4);
    for (int x = 10; x <= 19; ++x) mask.setPixel(x, 1, 1);
    mask.setPixel(3, 2, 1);       // a single pixel
    for (int x = 25; x < 30; ++x) // a run reaching the right edge
        mask.setPixel(x, 2, 1);
    const QRegion region = RegionFromMask(mask);
    EXPECT_EQ(region, QRegion(10, 1, 10, 1) + QRegion(3, 2, 1, 1) + QRegion(25, 2, 5, 1));
    EXPECT_TRUE(RegionFromMask(QImage()).isEmpty());
    EXPECT_TRUE(RegionFromMask(Mask(8, 8)).isEmpty());
}

TEST(WindowShape, OutsideIsTheColourOfTheTopLeftPixel) {
    QImage mask(4, 2, QImage::Format_RGB32);
    mask.fill(qRgb(255, 0, 255));
    mask.setPixel(1, 1, qRgb(0, 0, 0));
    mask.setPixel(2, 1, qRgb(10, 10, 10));
    EXPECT_EQ(RegionFromMask(mask), QRegion(1, 1, 2, 1));
}

} // namespace
