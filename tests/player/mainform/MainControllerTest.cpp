// The controller's command sequences and label updates, over a recording
// engine and a face with a plain list of paths.
#include "player/mainform/MainController.h"
#include "player/mainform/MainFace.h"
#include "player/mainform/TrackPlayer.h"

#include "zelkor.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class RecordingPlayer : public TTrackPlayer {
public:
    void InputOpen(const QString& name) override { Commands << "open " + name; }
    void Play() override { Commands << "play"; }
    void Pause() override { Commands << "pause"; }
    void Stop() override {
        Commands << "stop";
        if (StopThrows) throw std::runtime_error("stop failed");
    }
    void InputSeek(uint32_t offset, uint32_t range) override {
        Commands << QStringLiteral("seek %1/%2").arg(offset).arg(range);
    }

    QStringList Commands;
    bool StopThrows = false;
};

class FakeFace : public TMainFace {
public:
    void ShowStatus(const QString& text) override { Status = text; }
    void ShowSongName(const QString& text) override { SongName = text; }
    void ShowCurrentTime(const QString& text) override { CurrentTime = text; }
    void SetCurrentTimeHint(const QString& text) override { CurrentTimeHint = text; }
    void ShowTotalTime(const QString& text) override { TotalTime = text; }
    void ShowStreamInfo(const QString& layer, const QString& bitrate, const QString& frequency) override {
        StreamInfo = {layer, bitrate, frequency};
    }
    void ShowPosition(uint32_t offset, uint32_t range) override {
        Range = int(range);
        Offset = int(offset);
    }
    int Position() const override { return Offset; }
    int PositionMaximum() const override { return Range; }
    int PauseFlag() const override { return Pause; }
    void SetPauseFlag(int value) override { Pause = value; }
    int TrackCount() const override { return int(Paths.size()); }
    int ItemIndex() const override { return Marked; }
    int CurrentIndex() const override { return Current; }
    TPlayingPlace PlayingPlace() const override { return Playing; }
    QString TrackPath(int index) override { return Paths.at(index); }
    QString TrackText(int index) const override {
        return QString::number(index + 1) + ". " + QFileInfo(Paths.at(index)).fileName();
    }
    void MarkStartedTrack(int index) override {
        Marked = index;
        Current = index;
        Playing = {index, false};
    }
    void RefreshPlaylistCaption() override { ++CaptionRefreshes; }
    void ShowTrackTitle(int index, const QString& title) override {
        TrackTitles << QString::number(index) + " " + title;
    }
    void AddFiles(const QStringList& paths) override {
        for (const QString& path : paths) {
            if (path.endsWith(".mp3")) Paths << path;
            if (path.endsWith(".m3u")) throw std::runtime_error("cannot read " + path.toStdString());
        }
    }
    void ShowTagsOf(const QString& path) override { TagsShown << path; }

    QString Status, SongName, CurrentTime, CurrentTimeHint, TotalTime;
    QStringList StreamInfo;
    int Range = 100, Offset = 0, Pause = 0;
    QStringList Paths;
    int Marked = -1, Current = 0, CaptionRefreshes = 0;
    TPlayingPlace Playing;
    QStringList TagsShown;
    QStringList TrackTitles;
};

class MainFormControllerTest : public ::testing::Test {
protected:
    RecordingPlayer player;
    FakeFace face;
    TMainController controller{player, face};
};

} // namespace

TEST_F(MainFormControllerTest, PlayFromPlaylistOpensStopsAndPlaysInThatOrderEvenWhenStopFails) {
    face.Paths = {"/music/a.mp3", "/music/b.mp3"};
    controller.PlayFromPlaylist(1);
    EXPECT_EQ(player.Commands, (QStringList{"open /music/b.mp3", "stop", "play"}));
    EXPECT_EQ(face.SongName, "2. b");
    EXPECT_EQ(face.Marked, 1);
    EXPECT_EQ(face.Current, 1);
    EXPECT_EQ(face.CaptionRefreshes, 1);
    EXPECT_EQ(face.Status, "Playing...");

    player.Commands.clear();
    face.Status.clear();
    player.StopThrows = true;
    controller.PlayFromPlaylist(0);
    EXPECT_EQ(player.Commands, (QStringList{"open /music/a.mp3", "stop", "play"}));
    EXPECT_EQ(face.Status, "Playing...");
}

TEST_F(MainFormControllerTest, EmptyPlaylistPlaysNothing) {
    face.Status = "before";
    controller.Play();
    EXPECT_EQ(face.Status, "before");
    controller.Next();
    EXPECT_EQ(face.Status, "Skipping to next track...");
    controller.Previous();
    EXPECT_EQ(face.Status, "Going to previous track...");
    controller.ShowTags(0);
    EXPECT_TRUE(player.Commands.isEmpty());
    EXPECT_TRUE(face.TagsShown.isEmpty());
    EXPECT_EQ(face.Status, "Going to previous track...");
}

TEST_F(MainFormControllerTest, PlayStartsTheMarkedLineOrTheFirstAndNextAndPreviousWrapAround) {
    face.Paths = {"/a.mp3", "/b.mp3", "/c.mp3"};
    controller.Play();
    EXPECT_EQ(player.Commands.first(), "open /a.mp3");
    player.Commands.clear();
    face.Marked = 2;
    controller.Play();
    EXPECT_EQ(player.Commands.first(), "open /c.mp3");

    player.Commands.clear();
    controller.Next();
    EXPECT_EQ(face.Current, 0);
    EXPECT_EQ(player.Commands.first(), "open /a.mp3");
    controller.Previous();
    EXPECT_EQ(face.Current, 2);
    EXPECT_EQ(face.Status, "Playing...");
}

TEST_F(MainFormControllerTest, TheListPlaysOutOnceUnlessRepeatedAndTracksJoinWithoutAStop) {
    face.Paths = {"/a.mp3", "/b.mp3"};
    int ended = 0;
    controller.OnTrackEnded = [&] { ++ended; };
    controller.PlayFromPlaylist(0);
    player.Commands.clear();
    controller.StateChanged(ZK_PLAYER_STATE_PLAYING);
    controller.StateChanged(ZK_NOTIFIED_STATE_CLOSED);
    EXPECT_TRUE(player.Commands.isEmpty());
    controller.TimecodeChanged(0, 0, 0);
    controller.StateChanged(ZK_PLAYER_STATE_EOF);
    EXPECT_EQ(player.Commands, (QStringList{"open /b.mp3", "play"}));
    player.Commands.clear();
    controller.TimecodeChanged(0, 0, 0);
    controller.StateChanged(ZK_PLAYER_STATE_EOF);
    EXPECT_EQ(ended, 2);
    // No stop: what the output holds of the last track is heard.
    EXPECT_TRUE(player.Commands.isEmpty());
    EXPECT_EQ(face.Status, "End of playlist");
    EXPECT_FALSE(controller.Playing());
    controller.StateChanged(ZK_PLAYER_STATE_EOF); // a late one starts nothing
    EXPECT_TRUE(player.Commands.isEmpty());

    controller.Order().SetRepeat(TRepeatMode::All);
    controller.PlayFromPlaylist(1);
    controller.TimecodeChanged(0, 0, 0);
    player.Commands.clear();
    controller.StateChanged(ZK_PLAYER_STATE_EOF);
    EXPECT_EQ(player.Commands, (QStringList{"open /a.mp3", "play"}));
    EXPECT_EQ(face.Current, 0);
    controller.Order().SetRepeat(TRepeatMode::One);
    controller.TimecodeChanged(0, 0, 0);
    player.Commands.clear();
    controller.StateChanged(ZK_PLAYER_STATE_EOF);
    EXPECT_EQ(player.Commands.first(), "open /a.mp3");
    // The user's own change cuts at once.
    player.Commands.clear();
    controller.Next();
    EXPECT_EQ(player.Commands, (QStringList{"open /b.mp3", "stop", "play"}));
}

TEST_F(MainFormControllerTest, SpacePlaysThenPausesAndSecondsSeekByTheDuration) {
    face.Paths = {"/a.mp3"};
    controller.PlayPause();
    EXPECT_EQ(player.Commands.first(), "open /a.mp3");
    controller.PlayPause();
    EXPECT_EQ(face.Status, "Paused!");
    controller.PauseResume();
    controller.Stop();
    player.Commands.clear();
    controller.PlayPause(); // stopped: plays again
    EXPECT_EQ(player.Commands.first(), "open /a.mp3");

    player.Commands.clear();
    controller.InputCapsChanged(ZK_INPUT_CAN_SEEK);
    controller.SeekSeconds(5); // duration unknown: nothing
    EXPECT_TRUE(player.Commands.isEmpty());
    controller.DurationChanged(200);
    controller.PositionChanged(100, 1000);
    controller.SeekSeconds(5); // 5 s of 200 s = 25 units
    controller.SeekSeconds(-5);
    controller.PositionChanged(999, 1000);
    controller.SeekSeconds(5);
    EXPECT_EQ(player.Commands, (QStringList{"seek 125/1000", "seek 75/1000", "seek 1000/1000"}));
}

TEST_F(MainFormControllerTest, WhileTheSliderIsDraggedTheTimeShowsItsTarget) {
    controller.InputCapsChanged(ZK_INPUT_CAN_SEEK);
    controller.DurationChanged(200);
    controller.PositionChanged(500, 1000);
    controller.ShowSliderTarget();
    EXPECT_EQ(face.CurrentTime, "01:40");
    controller.TimecodeChanged(0, 0, 3); // the heard time waits
    EXPECT_EQ(face.CurrentTime, "01:40");
    controller.SeekToSlider();
    controller.TimecodeChanged(0, 0, 4);
    EXPECT_EQ(face.CurrentTime, "00:04");
}

TEST_F(MainFormControllerTest, ANewTrackClearsThePauseFlag) {
    face.Paths = {"/a.mp3", "/b.mp3"};
    controller.PlayFromPlaylist(0);
    controller.PauseResume();
    EXPECT_EQ(face.Status, "Paused!");
    EXPECT_EQ(face.Pause, 1);
    controller.PlayFromPlaylist(1);
    EXPECT_EQ(face.Pause, 0);
    player.Commands.clear();
    controller.PauseResume();
    EXPECT_EQ(player.Commands, QStringList{"pause"});
    EXPECT_EQ(face.Status, "Paused!");
}

TEST_F(MainFormControllerTest, StopForwardRewindAndSeek) {
    controller.InputCapsChanged(ZK_INPUT_CAN_SEEK);
    controller.PositionChanged(398, 400);
    controller.Forward();
    EXPECT_EQ(face.Status, "Forwarding...");
    controller.PositionChanged(3, 400);
    controller.Rewind();
    EXPECT_EQ(face.Status, "Rewinding...");
    controller.PositionChanged(120, 400);
    controller.SeekToSlider();
    controller.Stop();
    EXPECT_EQ(face.Status, "Stopped!");
    EXPECT_EQ(player.Commands, (QStringList{"seek 400/400", "seek 0/400", "seek 120/400", "stop"}));
}

TEST_F(MainFormControllerTest, OnlyAnInputTheEngineCanSeekIsSeeked) {
    int infoChanges = 0;
    controller.OnTrackInfoChanged = [&] { ++infoChanges; };
    face.Paths = {"http://radio.example/live", "/a.mp3"};
    controller.PlayFromPlaylist(0);
    controller.DurationChanged(200);
    controller.PositionChanged(100, 400);
    player.Commands.clear();
    controller.Forward(); // nothing reported yet
    controller.InputCapsChanged(0);
    EXPECT_FALSE(controller.Seekable());
    controller.Rewind();
    controller.SeekSeconds(5);
    // A click on the bar moved its thumb: it goes back, and the time shows
    // no target.
    face.Offset = 300;
    face.CurrentTime = "00:10";
    controller.ShowSliderTarget();
    EXPECT_EQ(face.CurrentTime, "00:10");
    controller.SeekToSlider();
    EXPECT_EQ(face.Offset, 100);
    EXPECT_TRUE(player.Commands.isEmpty());

    controller.InputCapsChanged(ZK_INPUT_CAN_SEEK_BY_REOPEN); // a stream with byte ranges
    EXPECT_TRUE(controller.Seekable());
    controller.Forward();
    EXPECT_EQ(player.Commands, QStringList{"seek 105/400"});
    // A new track is not seekable until its input says so.
    controller.PlayFromPlaylist(1);
    EXPECT_FALSE(controller.Seekable());
    player.Commands.clear();
    controller.Forward();
    EXPECT_TRUE(player.Commands.isEmpty());
    EXPECT_EQ(infoChanges, 4);
}

TEST_F(MainFormControllerTest, AStreamsTitleIsItsLastSongElseItsStation) {
    face.Paths = {"http://radio.example/live", "/a.mp3"};
    controller.PlayFromPlaylist(0);
    EXPECT_EQ(controller.StreamTitle(), "");
    controller.StationNameChanged("Radio Example");
    EXPECT_EQ(controller.StreamTitle(), "Radio Example");
    controller.StreamTitleChanged("Band - Song");
    EXPECT_EQ(controller.StreamTitle(), "Band - Song");
    controller.StreamTitleChanged(""); // between songs: the last one stays
    EXPECT_EQ(controller.StreamTitle(), "Band - Song");
    EXPECT_EQ(face.SongName, "Band - Song");
    controller.PlayFromPlaylist(1);
    EXPECT_EQ(controller.StreamTitle(), "");
}

TEST_F(MainFormControllerTest, NotificationsBecomeLabelTextsInTheChosenTimeDisplay) {
    controller.PositionChanged(7, 400);
    EXPECT_EQ(face.Range, 400);
    EXPECT_EQ(face.Offset, 7);

    face.Paths = {"/a.mp3"};
    EXPECT_FALSE(controller.ToggleElapsedTime());
    EXPECT_EQ(face.CurrentTimeHint, "Time Left");
    EXPECT_EQ(face.Status, "Display of time changed");
    controller.PlayFromPlaylist(0);
    controller.TimecodeChanged(0, 0, 1);
    EXPECT_EQ(face.CurrentTime, "--:--"); // before the new track's duration
    controller.DurationChanged(75);
    controller.TimecodeChanged(0, 0, 5);
    EXPECT_EQ(face.CurrentTime, "01:10");
    controller.TimecodeChanged(0, 1, 17); // past a duration that fell short
    EXPECT_EQ(face.CurrentTime, "00:00");
    EXPECT_TRUE(controller.ToggleElapsedTime());
    EXPECT_EQ(face.CurrentTimeHint, "Elapsed Time");
    controller.TimecodeChanged(0, 0, 5);
    EXPECT_EQ(face.CurrentTime, "00:05");
}

TEST_F(MainFormControllerTest, AddAndPlayStartsTheFirstAddedTrackAlsoBeforeReportingABadPlaylist) {
    face.Paths = {"/a.mp3"};
    controller.AddAndPlay({"/notes.txt", "/b.mp3", "/c.mp3"});
    EXPECT_EQ(face.Current, 1);
    EXPECT_EQ(player.Commands.first(), "open /b.mp3");

    player.Commands.clear();
    controller.AddAndPlay({"/notes.txt", "/folder"});
    EXPECT_TRUE(player.Commands.isEmpty());

    EXPECT_THROW(controller.AddAndPlay({"/d.mp3", "/broken.m3u"}), std::runtime_error);
    EXPECT_EQ(player.Commands.first(), "open /d.mp3");
}

TEST_F(MainFormControllerTest, ShowTagsOfAnExistingLine) {
    face.Paths = {"/a.mp3", "/b.mp3"};
    controller.ShowTags(1);
    EXPECT_EQ(face.TagsShown, QStringList{"/b.mp3"});
    EXPECT_EQ(face.Status, "Showing ID3 Tag...");
    controller.ShowTags(2); // the current track was deleted
    EXPECT_EQ(face.TagsShown.size(), 1);
}

TEST_F(MainFormControllerTest, StreamTitlesBecomeTheSongNameAndThePlayingLinesText) {
    face.Paths = {"/music/a.mp3", "http://radio.example/live"};
    controller.PlayFromPlaylist(1);
    controller.StationNameChanged("Test FM");
    EXPECT_EQ(face.SongName, "Test FM");
    controller.StreamTitleChanged("Artist - Song");
    EXPECT_EQ(face.SongName, "Artist - Song");
    // An empty title (between songs) keeps what shows.
    controller.StreamTitleChanged("");
    controller.StationNameChanged("");
    EXPECT_EQ(face.SongName, "Artist - Song");
    EXPECT_EQ(face.TrackTitles, QStringList{"1 Artist - Song"});
}

TEST_F(MainFormControllerTest, UnplayableTracksAreSkippedNamingThemUntilAWholePassFailed) {
    face.Paths = {"/m/gone.mp3", "/m/good.mp3", "/m/empty.mp3"};
    controller.Order().SetRepeat(TRepeatMode::All);
    QStringList failures;
    controller.OnTrackFailed = [&](const QString& error) { failures << error; };
    controller.PlayFromPlaylist(0);
    player.Commands.clear();
    controller.OpenFailed("no such file");
    EXPECT_EQ(player.Commands, (QStringList{"open /m/good.mp3", "stop", "play"}));
    EXPECT_EQ(face.Status, "Skipped gone.mp3: no such file");
    controller.TimecodeChanged(0, 0, 0); // it plays
    controller.StateChanged(ZK_PLAYER_STATE_EOF);
    EXPECT_EQ(face.Current, 2);
    player.Commands.clear();
    controller.StateChanged(ZK_PLAYER_STATE_EOF); // ended without a sound
    EXPECT_EQ(face.Status, "Skipped empty.mp3: no audio in it");
    EXPECT_EQ(player.Commands.first(), "open /m/gone.mp3");
    controller.OpenFailed("no such file");
    EXPECT_EQ(face.Current, 1); // two failures in a row of three lines: on to the good one
    EXPECT_EQ(failures, (QStringList{"no such file", "no audio in it", "no such file"}));

    face.Paths = {"/m/a.mp3", "/m/b.mp3"};
    controller.PlayFromPlaylist(0);
    controller.StateChanged(ZK_PLAYER_STATE_EOF);
    player.Commands.clear();
    controller.StateChanged(ZK_PLAYER_STATE_EOF);
    EXPECT_EQ(player.Commands, QStringList{"stop"});
    EXPECT_EQ(face.Status, "Stopped: nothing in the playlist plays (b.mp3: no audio in it)");
    controller.StateChanged(ZK_PLAYER_STATE_EOF); // a late one starts nothing
    controller.OpenFailed("late");
    EXPECT_EQ(player.Commands, QStringList{"stop"});
    EXPECT_EQ(face.Status, "Cannot open track: late");

    controller.Play(); // the user tries again: a new pass
    controller.StateChanged(ZK_PLAYER_STATE_EOF);
    EXPECT_EQ(face.Current, 0);
    EXPECT_EQ(face.Status, "Skipped b.mp3: no audio in it");

    // Without repeat, a failing last line ends the list.
    controller.Order().SetRepeat(TRepeatMode::Off);
    controller.PlayFromPlaylist(1);
    player.Commands.clear();
    controller.StateChanged(ZK_PLAYER_STATE_EOF);
    EXPECT_EQ(player.Commands, QStringList{"stop"});
    EXPECT_EQ(face.Status, "Skipped b.mp3: no audio in it");
    EXPECT_FALSE(controller.Playing());
}

TEST_F(MainFormControllerTest, StopMakesAPendingEndOfTrackStartNothing) {
    face.Paths = {"/a.mp3", "/b.mp3"};
    controller.PlayFromPlaylist(0);
    controller.TimecodeChanged(0, 0, 1);
    controller.Stop();
    player.Commands.clear();
    controller.StateChanged(ZK_PLAYER_STATE_EOF);
    EXPECT_TRUE(player.Commands.isEmpty());
    EXPECT_EQ(face.Status, "Stopped!");
}

TEST_F(MainFormControllerTest, NextAndPreviousStepFromThePlayingLineWhereverItWent) {
    face.Paths = {"/a.mp3", "/b.mp3", "/c.mp3"};
    face.Marked = 0;
    face.Playing = {1, false}; // sorted away from the caret
    controller.Next();
    EXPECT_EQ(face.Current, 2);
    face.Playing = {1, true}; // deleted: "/b.mp3" took its place
    controller.Next();
    EXPECT_EQ(face.Current, 1);
    face.Playing = {3, true}; // the last line was deleted
    controller.Next();
    EXPECT_EQ(face.Current, 0);
    face.Playing = {1, true};
    controller.Previous();
    EXPECT_EQ(face.Current, 0);
    face.Playing = {};
    face.Marked = 1; // nothing played yet: from the marked line
    controller.Next();
    EXPECT_EQ(face.Current, 2);
}

TEST_F(MainFormControllerTest, TheEndOfATrackInAnEmptiedListEndsThePlaylist) {
    face.Paths = {"/a.mp3"};
    controller.PlayFromPlaylist(0);
    controller.TimecodeChanged(0, 0, 1);
    face.Paths.clear();
    player.Commands.clear();
    controller.StateChanged(ZK_PLAYER_STATE_EOF);
    EXPECT_TRUE(player.Commands.isEmpty());
    EXPECT_EQ(face.Status, "End of playlist");
}
