#include "skin/loader/SkinAboutBox.h"

#include "skin/controls/LxImage.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

TEST(SkinAboutBox, PictureAndTextSideBySidePictureAloneOrNothing) {
    QImage picture(137, 153, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const auto box = CreateSkinAboutBox(nullptr, picture, {"line one", "line two"});
    ASSERT_TRUE(box);
    EXPECT_EQ(box->windowTitle(), "About");
    EXPECT_EQ(box->size(), QSize(500, 157));
    const auto* text = box->findChild<QPlainTextEdit*>();
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->toPlainText(), "line one\nline two");
    const auto* image = box->findChild<TLxImage*>();
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->Stretch());
    EXPECT_FALSE(image->PictureEnter().isNull());

    const auto alone = CreateSkinAboutBox(nullptr, picture, {});
    ASSERT_TRUE(alone);
    EXPECT_EQ(alone->width(), 137);
    EXPECT_EQ(alone->findChild<QPlainTextEdit*>(), nullptr);
    EXPECT_EQ(CreateSkinAboutBox(nullptr, QImage(), {}), nullptr);
}

} // namespace
