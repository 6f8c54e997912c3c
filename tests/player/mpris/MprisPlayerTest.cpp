#include "player/mpris/MprisHost.h"
#include "player/mpris/MprisPlayer.h"
#include "player/mpris/MprisState.h"

#include <gtest/gtest.h>

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

    QStringList calls;
    int tracks = 2;
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

TEST_F(MprisPlayerTest, OpenUriTakesFilesAndStreamsOnly) {
    EXPECT_TRUE(player.OpenUri("file:///music/b%20c.mp3"));
    EXPECT_TRUE(player.OpenUri("http://radio.example/stream"));
    EXPECT_FALSE(player.OpenUri("gopher://example/"));
    EXPECT_FALSE(player.OpenUri("not a uri"));
    EXPECT_EQ(host.calls, (QStringList{"open /music/b c.mp3", "open http://radio.example/stream"}));
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
