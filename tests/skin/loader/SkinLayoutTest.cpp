#include "skin/loader/SkinColor.h"
#include "skin/loader/SkinLayout.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(SkinLayout, ReadsEveryElementByItsPrefixAndAbsentKeysTakeTheirDefaults) {
    const TSkinLayout layout =
        ReadSkinLayout(TSkinIni::FromText("[MAIN]\nplayleft=0x20\nplaytop=135\nplaywidth=15\nplayheight=16\n"
                                          "volbarvertical=1\nvolbarleft=1\ntbbartop=96\n"
                                          "versiontextfont=Lingonvecka\nversiontextfontsize=7\nversiontextcolor=33410\n"
                                          "versiontexttransparent=1\nversionfont=Ignored\n"
                                          "infoleft=207\nsongtitlebkcolor=1671566\n"));
    EXPECT_EQ(layout.Button(TSkinButton::Play), QRect(32, 135, 15, 16));
    EXPECT_TRUE(layout.Volume.Vertical);
    EXPECT_EQ(layout.Volume.Bounds.left(), 1);
    EXPECT_FALSE(layout.Position.Vertical);
    EXPECT_EQ(layout.Position.Bounds.top(), 96);
    const TSkinLabelLayout& version = layout.Label(TSkinLabel::Version);
    EXPECT_EQ(version.Font, "Lingonvecka");
    EXPECT_EQ(version.FontSize, 7);
    EXPECT_EQ(version.Color, 33410u);
    EXPECT_TRUE(version.Transparent);
    EXPECT_EQ(layout.Label(TSkinLabel::Status).Bounds.left(), 207);
    EXPECT_EQ(layout.Label(TSkinLabel::SongName).BkColor, 1671566u);

    // Absent keys take their defaults.
    const TSkinLabelLayout& title = layout.Label(TSkinLabel::SongName);
    EXPECT_FALSE(title.Transparent);
    EXPECT_EQ(title.Font, "arial");
    EXPECT_EQ(title.FontSize, 8);
    EXPECT_EQ(title.Color, 0u);
    EXPECT_EQ(layout.Button(TSkinButton::Stop), QRect(0, 0, 0, 0));
}

TEST(SkinLayout, FarOffCoordinatesAreClamped) {
    const TSkinLayout layout = ReadSkinLayout(TSkinIni::FromText(
        "[main]\nplayleft=2147483647\nplaywidth=2147483647\nplaytop=-2147483648\ninfoheight=$7FFFFFFF\n"));
    EXPECT_EQ(layout.Button(TSkinButton::Play), QRect(32767, -32767, 32767, 0));
    EXPECT_EQ(layout.Label(TSkinLabel::Status).Bounds.height(), 32767);
}

// Positions of the built-in layout are checked through the skin itself.
TEST(SkinLayout, TheBuiltInLayoutPlacesEveryPart) {
    QFile file(TAERIN_SOURCE_DIR "/skin/loader/default/main.ini");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const TSkinLayout layout = ReadSkinLayout(TSkinIni::FromText(file.readAll()));
    for (const QRect& button : layout.Buttons) EXPECT_FALSE(button.isEmpty());
    for (const TSkinLabelLayout& label : layout.Labels) EXPECT_FALSE(label.Bounds.isEmpty());
    EXPECT_FALSE(layout.Position.Bounds.isEmpty());
    EXPECT_EQ(layout.Volume.Bounds, QRect(205, 75, 191, 17));
    const TSkinLabelLayout& time = layout.Label(TSkinLabel::CurrentTime);
    EXPECT_EQ(time.Font, "Lingonvecka");
    EXPECT_EQ(time.FontSize, 16);
    EXPECT_TRUE(time.Transparent);
}

TEST(SkinColor, ValuesAreBlueGreenRedAndTheHighBitNamesSystemColours) {
    QPalette system;
    system.setColor(QPalette::Active, QPalette::Button, QColor(1, 2, 3));
    system.setColor(QPalette::Active, QPalette::ToolTipBase, QColor(4, 5, 6));
    EXPECT_EQ(SkinColor(5719040, system), QColor(0, 68, 87));
    EXPECT_EQ(SkinColor(1671566, system), QColor(142, 129, 25));
    EXPECT_EQ(SkinColor(0x8000000F, system), QColor(1, 2, 3)); // button face
    EXPECT_EQ(SkinColor(0xFF000018, system), QColor(4, 5, 6)); // info background
    EXPECT_EQ(SkinColor(0x800000FF, system), system.color(QPalette::Active, QPalette::Window));
}

} // namespace
