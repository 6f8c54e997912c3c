// Label texts, the two-digit rule, the time display and the index steps.
#include "player/mainform/LabelTexts.h"
#include "player/mainform/TimeDisplay.h"
#include "player/mainform/TrackSteps.h"

#include <gtest/gtest.h>

TEST(MainFormLabels, TwoDigitsAndMinutesNotLimitedTo59) {
    EXPECT_EQ(TwoDigits(0), "00");
    EXPECT_EQ(TwoDigits(9), "09");
    EXPECT_EQ(TwoDigits(75), "75");
    EXPECT_EQ(TwoDigits(-3), "0-3");
    EXPECT_EQ(MinutesSeconds(75), "01:15");
    EXPECT_EQ(MinutesSeconds(75 * 60), "75:00");
    // Division truncates toward zero: both parts negative.
    EXPECT_EQ(MinutesSeconds(-75), "0-1:0-15");
}

TEST(MainFormLabels, StreamInfoAndSongName) {
    EXPECT_EQ(LayerText(3), "Layer 3");
    EXPECT_EQ(BitrateText(128), "128 Kbits");
    EXPECT_EQ(FrequencyText(44100), "44.1 kHz");
    EXPECT_EQ(FrequencyText(22050), "22.05 kHz");
    EXPECT_EQ(FrequencyText(11025), "11.025 kHz");
    EXPECT_EQ(FrequencyText(48000), "48 kHz");
    EXPECT_EQ(SongNameOf("1. song.mp3"), "1. song");
    EXPECT_EQ(SongNameOf(".mp3"), "");
    EXPECT_EQ(SongNameOf("ab"), "ab");
    EXPECT_EQ(SongNameOf(QString::fromUtf8("1. Artist – Title")), QString::fromUtf8("1. Artist – Title"));
    EXPECT_EQ(SongNameOf("2. Dr. Who"), "2. Dr. Who");
}

TEST(MainFormTimeDisplay, TimeLeftNeedsTheTracksDuration) {
    TTimeDisplay time;
    EXPECT_TRUE(time.Elapsed());
    EXPECT_EQ(time.Timecode(1, 9, 10), "09:10"); // no hours
    time.SetElapsed(false);
    EXPECT_EQ(time.Timecode(0, 0, 5), "--:--");
    EXPECT_EQ(time.Duration(75), "01:15");
    EXPECT_EQ(time.DurationTag(), 75);
    EXPECT_EQ(time.Timecode(0, 0, 5), "01:10");
    EXPECT_EQ(time.Timecode(0, 1, 15), "00:00");

    // The next track: the old duration is kept as the tag but not used.
    time.TrackStarted();
    EXPECT_EQ(time.DurationTag(), 75);
    EXPECT_EQ(time.Timecode(0, 0, 1), "--:--");
    time.Duration(2 * 3600);
    EXPECT_EQ(time.Timecode(1, 0, 0), "60:00");
    // A stream of unknown length.
    time.TrackStarted();
    EXPECT_EQ(time.Duration(0), "00:00");
    EXPECT_EQ(time.Timecode(0, 0, 12), "--:--");
    // Past the end (a duration estimated too short) no time is left.
    time.Duration(10);
    EXPECT_EQ(time.Timecode(0, 0, 12), "00:00");
}

TEST(MainFormTrackSteps, WrapAroundAndSeekWithinTheRange) {
    EXPECT_EQ(NextIndex(2, 3), 0);
    EXPECT_EQ(NextIndex(0, 3), 1);
    EXPECT_EQ(NextIndex(-1, 3), 0);
    EXPECT_EQ(PreviousIndex(0, 3), 2);
    EXPECT_EQ(PreviousIndex(2, 3), 1);
    EXPECT_EQ(PreviousIndex(-1, 3), 2);
    EXPECT_EQ(NextIndex(0, 1), 0); // one track: both replay it
    EXPECT_EQ(PreviousIndex(0, 1), 0);
    EXPECT_EQ(PlayIndex(-1), 0);
    EXPECT_EQ(PlayIndex(4), 4);

    EXPECT_EQ(SeekOffset(100, kSeekStep, 400), 105u);
    EXPECT_EQ(SeekOffset(100, -kSeekStep, 400), 95u);
    EXPECT_EQ(SeekOffset(3, -kSeekStep, 400), 0u);
    EXPECT_EQ(SeekOffset(398, kSeekStep, 400), 400u);
    EXPECT_EQ(SeekOffset(0, 0, 0), 0u);
}
