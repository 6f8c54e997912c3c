#include "player/mpris/TrackTags.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(TrackTagsTest, Id3v2FirstThenId3v1ThenTheFileName) {
    const TTrackTags both = TTrackTags::Read(TAERIN_SOURCE_DIR "/tests/desktop/data/north.mp3");
    EXPECT_EQ(both.Title, "Tone north");
    EXPECT_EQ(both.Artist, "Desktop Tests");
    EXPECT_EQ(both.Album, "Compass");

    const TTrackTags v1 = TTrackTags::Read(TAERIN_SOURCE_DIR "/tests/player/mainform/data/first.mp3");
    EXPECT_EQ(v1.Title, "First Tone") << "blank and zero padding removed";

    QTemporaryDir dir;
    QFile untagged(dir.filePath("My Song.mp3"));
    ASSERT_TRUE(untagged.open(QIODevice::WriteOnly));
    untagged.write(QByteArray(16, 'x')); // shorter than a tag
    untagged.close();
    EXPECT_EQ(TTrackTags::Read(untagged.fileName()).Title, "My Song");
    EXPECT_EQ(TTrackTags::Read(dir.filePath("missing.mp3")).Title, "missing");
    EXPECT_EQ(TTrackTags::Read("http://radio.example/live").Title, "http://radio.example/live");
}

} // namespace
