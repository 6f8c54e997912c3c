#include "player/mpris/MprisHost.h"
#include "player/mpris/MprisPlayer.h"
#include "player/mpris/MprisState.h"

#include <gtest/gtest.h>
#include <utility>

namespace {

// Records what the interface asked of the player.
class FakeHost : public TMprisHost {
public:
    void Play() override { calls << "play"; }
    void Pause() override { calls << "pause"; }
    void Resume() override { calls << "resume"; }
    void Stop() override { calls << "stop"; }
    void Next() override { calls << "next"; }
    void Previous() override { calls << "previous"; }
    void Seek(uint32_t offset, uint32_t range) override { calls << QString("seek %1/%2").arg(offset).arg(range); }
    void Open(const QStringList& names) override { calls << "open " + names.join(','); }
    int TrackCount() const override { return tracks; }
    double Volume() const override { return 1.0; }
    void SetVolume(double) override {}
    void Raise() override {}
    void Quit() override {}
    TRepeatMode Repeat() const override { return repeat; }
    void SetRepeat(TRepeatMode mode) override {
        calls << QString("repeat %1").arg(int(mode));
        repeat = mode;
    }
    bool Shuffle() const override { return shuffle; }
    void SetShuffle(bool value) override {
        calls << QString("shuffle %1").arg(value);
        shuffle = value;
    }
    bool Seekable() const override { return seekable; }
    QString StreamTitle() const override { return streamTitle; }
    void Follow(std::function<void()>) override {}

    QStringList calls;
    int tracks = 2;
    TRepeatMode repeat = TRepeatMode::Off;
    bool shuffle = false;
    bool seekable = true;
    QString streamTitle;
};

class MprisPlayerTest : public ::testing::Test {
protected:
    // A 40 s track playing at 12.5 s.
    void StartTrack() {
        state.TrackOpened("/music/a.mp3", {"A", "", ""});
        state.DurationChanged(40);
        state.PlayerStateChanged(1);
        state.TimecodeChanged(0, 0, 12, 50);
    }

    FakeHost host;
    TMprisState state;
    TMprisPlayer player{host, state};
};

TEST_F(MprisPlayerTest, PlayPauseFollowTheEngineState) {
    player.Play(); // stopped: start the selected track
    StartTrack();
    player.Play(); // already playing
    player.PlayPause();
    state.PlayerStateChanged(2);
    EXPECT_EQ(state.PlaybackStatus(), "Paused");
    player.Pause(); // already paused
    player.PlayPause();
    state.PlayerStateChanged(3); // the end of a track still counts as playing
    EXPECT_EQ(state.PlaybackStatus(), "Playing");
    player.Pause();
    EXPECT_EQ(host.calls, (QStringList{"play", "pause", "resume", "pause"}));
    state.PlayerStateChanged(0);
    EXPECT_EQ(state.PlaybackStatus(), "Stopped");
    EXPECT_EQ(state.PositionUs(), 0);
}

TEST_F(MprisPlayerTest, SeeksAreClampedAtTheStartAndMoveOnPastTheEnd) {
    EXPECT_FALSE(player.Seek(1000000)) << "nothing to seek in";
    StartTrack();
    EXPECT_EQ(state.PositionUs(), 12500000);
    EXPECT_EQ(player.Seek(5000000), 17500000);
    EXPECT_EQ(state.PositionUs(), 17500000);
    EXPECT_EQ(player.Seek(-60000000), 0);
    EXPECT_FALSE(player.Seek(41000000));
    EXPECT_EQ(host.calls, (QStringList{"seek 17500/40000", "seek 0/40000", "next"}));
}

TEST_F(MprisPlayerTest, SetPositionOnlyForTheCurrentTrackAndWithinIt) {
    StartTrack();
    const QString current = state.TrackId();
    EXPECT_FALSE(player.SetPosition("/org/taerin/track/999", 1000000));
    EXPECT_FALSE(player.SetPosition(current, -1));
    EXPECT_FALSE(player.SetPosition(current, 40000001));
    EXPECT_EQ(player.SetPosition(current, 40000000), 40000000);
    EXPECT_EQ(host.calls, (QStringList{"seek 40000/40000"}));
    state.TrackOpened("/music/a.mp3", {});
    EXPECT_NE(state.TrackId(), current) << "a replayed track is a new track";
    EXPECT_FALSE(state.CanSeek()) << "length unknown until the duration arrives";
}

TEST_F(MprisPlayerTest, OpenUriTakesFilesAndTheEnginesStreamsOnly) {
    EXPECT_TRUE(player.OpenUri("file:///music/b%20c.mp3"));
    EXPECT_FALSE(player.OpenUri("file://elsewhere/music/b.mp3"));
    EXPECT_FALSE(player.OpenUri("gopher://example/"));
    EXPECT_FALSE(player.OpenUri("not a uri"));
    EXPECT_EQ(host.calls, QStringList{"open /music/b c.mp3"});
    host.calls.clear();
    // Every scheme announced is opened, as the engine names them.
    const QStringList schemes = TMprisPlayer::UriSchemes();
    EXPECT_EQ(schemes, (QStringList{"file", "http", "https", "ftp", "udp"}));
    for (const QString& scheme : schemes.mid(1)) EXPECT_TRUE(player.OpenUri(scheme + "://radio.example:8000/live"));
    EXPECT_TRUE(player.OpenUri("HTTPS://radio.example/live"));
    EXPECT_EQ(host.calls.size(), 5);
    EXPECT_EQ(host.calls.front(), "open http://radio.example:8000/live");
}

TEST_F(MprisPlayerTest, LoopStatusAndShuffleAreTheRepeatModesAndShuffle) {
    const std::pair<TRepeatMode, QString> names[] = {
        {TRepeatMode::Off, "None"}, {TRepeatMode::One, "Track"}, {TRepeatMode::All, "Playlist"}};
    for (const auto& [mode, name] : names) {
        host.repeat = mode;
        EXPECT_EQ(player.LoopStatus(), name);
    }
    player.SetLoopStatus("Track");
    player.SetLoopStatus("Track"); // already: the window is not bothered
    player.SetLoopStatus("track");
    player.SetLoopStatus("");
    EXPECT_EQ(host.repeat, TRepeatMode::One);
    player.SetLoopStatus("None");
    player.SetShuffle(true);
    player.SetShuffle(true);
    EXPECT_TRUE(player.Shuffle());
    player.SetShuffle(false);
    EXPECT_EQ(host.calls, (QStringList{"repeat 2", "repeat 0", "shuffle 1", "shuffle 0"}));
}

TEST_F(MprisPlayerTest, AnInputTheEngineCannotSeekIsNotSeeked) {
    StartTrack();
    host.seekable = false;
    EXPECT_FALSE(player.CanSeek());
    EXPECT_FALSE(player.Seek(5000000));
    EXPECT_FALSE(player.Seek(60000000)) << "past the end of an unseekable track: no next track either";
    EXPECT_FALSE(player.SetPosition(state.TrackId(), 1000000));
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_EQ(state.PositionUs(), 12500000);
}

TEST_F(MprisPlayerTest, AStreamIsTitledByWhatTheStationPlays) {
    const QString url = "https://radio.example/live";
    state.TrackOpened(url, TTrackTags::Read(url));
    EXPECT_EQ(player.Title(), url);
    host.streamTitle = "Band - Song";
    EXPECT_EQ(player.Title(), "Band - Song");
    EXPECT_EQ(state.Url(), url);
    host.streamTitle.clear();
    state.TrackOpened("/music/a.mp3", {"A", "", ""});
    EXPECT_EQ(player.Title(), "A");
}

TEST_F(MprisPlayerTest, CapabilitiesFollowThePlaylistAndTrack) {
    host.tracks = 0;
    EXPECT_FALSE(player.CanGoNext());
    EXPECT_FALSE(player.CanPlay());
    host.tracks = 1;
    EXPECT_TRUE(player.CanGoPrevious());
    EXPECT_FALSE(player.CanPause());
    EXPECT_FALSE(player.CanSeek());
    StartTrack();
    EXPECT_TRUE(player.CanPause());
    EXPECT_TRUE(player.CanSeek());
    EXPECT_EQ(state.Url(), "file:///music/a.mp3");
}

} // namespace
