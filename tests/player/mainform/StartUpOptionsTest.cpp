#include "player/mainform/StartUpOptions.h"

#include <gtest/gtest.h>
#include <stdexcept>

TEST(MainFormStartUpOptions, FilesAndOptionsInAnyOrder)
{
    const TStartUpOptions options =
        ParseStartUpOptions({"a.mp3", "--screenshot", "shot.png", "b.m3u", "--quit-at-end"});
    EXPECT_EQ(options.Files, (QStringList{"a.mp3", "b.m3u"}));
    EXPECT_EQ(options.ScreenshotFile, "shot.png");
    EXPECT_TRUE(options.QuitAtEnd);

    const TStartUpOptions plain = ParseStartUpOptions({});
    EXPECT_TRUE(plain.Files.isEmpty());
    EXPECT_TRUE(plain.ScreenshotFile.isEmpty());
    EXPECT_FALSE(plain.QuitAtEnd);
}

TEST(MainFormStartUpOptions, DoubleDashEndsTheOptions)
{
    const TStartUpOptions options = ParseStartUpOptions({"--", "--quit-at-end", "--screenshot"});
    EXPECT_EQ(options.Files, (QStringList{"--quit-at-end", "--screenshot"}));
    EXPECT_FALSE(options.QuitAtEnd);
}

TEST(MainFormStartUpOptions, ScreenshotNeedsAFileName)
{
    EXPECT_THROW(ParseStartUpOptions({"--screenshot"}), std::invalid_argument);
    EXPECT_THROW(ParseStartUpOptions({"--screenshot", ""}), std::invalid_argument);
}
