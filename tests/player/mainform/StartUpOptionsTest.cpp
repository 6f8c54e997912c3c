#include "player/mainform/StartUpOptions.h"

#include <gtest/gtest.h>
#include <stdexcept>

TEST(MainFormStartUpOptions, FilesAndOptionsInAnyOrderUntilADoubleDash) {
    const TStartUpOptions options =
        ParseStartUpOptions({"a.mp3", "--screenshot", "shot.png", "b.m3u", "--quit-at-end"});
    EXPECT_EQ(options.Files, (QStringList{"a.mp3", "b.m3u"}));
    EXPECT_EQ(options.ScreenshotFile, "shot.png");
    EXPECT_TRUE(options.QuitAtEnd);

    const TStartUpOptions files = ParseStartUpOptions({"--", "--quit-at-end", "--screenshot"});
    EXPECT_EQ(files.Files, (QStringList{"--quit-at-end", "--screenshot"}));
    EXPECT_TRUE(files.ScreenshotFile.isEmpty());
    EXPECT_FALSE(files.QuitAtEnd);
    EXPECT_FALSE(files.Help);
}

TEST(MainFormStartUpOptions, HelpAndVersionAreOptionsNotFiles) {
    EXPECT_TRUE(ParseStartUpOptions({"--help"}).Help);
    EXPECT_TRUE(ParseStartUpOptions({"a.mp3", "-h"}).Help);
    const TStartUpOptions version = ParseStartUpOptions({"--version"});
    EXPECT_TRUE(version.Version);
    EXPECT_TRUE(version.Files.isEmpty());
    EXPECT_TRUE(StartUpUsage().contains("--help"));
}

TEST(MainFormStartUpOptions, ScreenshotNeedsAFileName) {
    EXPECT_THROW(ParseStartUpOptions({"--screenshot"}), std::invalid_argument);
    EXPECT_THROW(ParseStartUpOptions({"--screenshot", ""}), std::invalid_argument);
}
