#include "player/mainform/MainController.h"

#include "player/mainform/LabelTexts.h"
#include "player/mainform/MainFace.h"
#include "player/mainform/MainFormStrings.h"
#include "player/mainform/TrackPlayer.h"
#include "player/mainform/TrackSteps.h"
#include "playlist/DisplayText.h"

#include "zelkor.h"

#include <exception>
#include <utility>

namespace S = MainFormStrings;

TMainController::TMainController(TTrackPlayer& player, TMainFace& face) : m_player(player), m_face(face) {}

void TMainController::Status(const char* text) { m_face.ShowStatus(QString::fromUtf8(text)); }

int TMainController::PlayingOrMarkedLine() const {
    const TPlayingPlace playing = m_face.PlayingPlace();
    return playing.Index < 0 ? m_face.ItemIndex() : playing.Index;
}

int TMainController::OrderOrigin() const {
    const TPlayingPlace playing = m_face.PlayingPlace();
    // After a deleted line comes the one that slid into its place.
    return playing.Removed ? playing.Index - 1 : PlayingOrMarkedLine();
}

void TMainController::PlayFromPlaylist(int index) {
    m_failedInRow = 0;
    StartTrack(index, true);
}

void TMainController::StartTrack(int index, bool cut) {
    const QString path = m_face.TrackPath(index);
    m_trackPath = path;
    m_trackPlayed = false;
    m_inputOpened = false;
    m_trackLive = !cut; // joined to the last track, the engine plays on
    m_trackError.clear();
    m_seekable = false;
    m_streamTitle.clear();
    m_stationName.clear();
    TrackInfoChanged();
    m_time.TrackStarted();
    m_player.InputOpen(path);
    m_face.ShowSongName(SongNameOf(m_face.TrackText(index)));
    m_face.MarkStartedTrack(index);
    m_face.SetPauseFlag(0);
    // Without a stop, what the output still holds of the last track plays
    // out and the new track follows it directly.
    if (cut) {
        try {
            m_player.Stop();
        } catch (const std::exception&) {
            // Play is sent all the same.
        }
    }
    m_player.Play();
    m_playing = true;
    m_face.RefreshPlaylistCaption();
    Status(S::Playing);
}

void TMainController::Play() {
    if (m_face.TrackCount() == 0) return;
    PlayFromPlaylist(PlayIndex(m_face.ItemIndex()));
}

void TMainController::PlayPause() {
    if (m_playing)
        PauseResume();
    else
        Play();
}

void TMainController::PauseResume() {
    if (m_face.PauseFlag() != 0) {
        m_player.Play();
        m_face.SetPauseFlag(0);
        Status(S::Resumed);
    } else {
        m_player.Pause();
        m_face.SetPauseFlag(1);
        Status(S::Paused);
    }
}

void TMainController::Stop() {
    m_playing = false;
    Status(S::Stopped);
    m_player.Stop();
}

void TMainController::Next() {
    Status(S::SkippingNext);
    const int count = m_face.TrackCount();
    if (count == 0) return;
    PlayFromPlaylist(m_order.Next(OrderOrigin(), count));
}

void TMainController::Previous() {
    Status(S::GoingPrevious);
    const int count = m_face.TrackCount();
    if (count == 0) return;
    PlayFromPlaylist(m_order.Previous(PlayingOrMarkedLine(), count));
}

void TMainController::SeekBy(int step) {
    if (!m_seekable) return;
    const int range = m_face.PositionMaximum();
    m_player.InputSeek(SeekOffset(m_face.Position(), step, range), static_cast<uint32_t>(range));
}

void TMainController::Forward() {
    SeekBy(kSeekStep);
    Status(S::Forwarding);
}

void TMainController::Rewind() {
    Status(S::Rewinding);
    SeekBy(-kSeekStep);
}

void TMainController::SeekToSlider() {
    m_showingSliderTarget = false;
    if (m_seekable)
        SeekBy(0);
    else
        m_face.ShowPosition(m_offset, m_range);
}

void TMainController::SeekSeconds(int seconds) {
    const int64_t duration = m_time.DurationTag();
    const int range = m_face.PositionMaximum();
    if (duration <= 0 || range <= 0) return;
    const int64_t step = int64_t{seconds} * range / duration;
    SeekBy(static_cast<int>(step != 0 ? step : (seconds > 0 ? 1 : -1)));
}

void TMainController::ShowSliderTarget() {
    const int range = m_face.PositionMaximum();
    if (range <= 0 || !m_seekable) return;
    m_showingSliderTarget = true;
    const int64_t seconds = int64_t{m_face.Position()} * m_time.DurationTag() / range;
    m_face.ShowCurrentTime(m_time.Timecode(int(seconds / 3600), int(seconds / 60 % 60), int(seconds % 60)));
}

void TMainController::AddAndPlay(const QStringList& paths) {
    const int before = m_face.TrackCount();
    std::exception_ptr error;
    try {
        m_face.AddFiles(paths);
    } catch (const std::exception&) {
        error = std::current_exception();
    }
    if (m_face.TrackCount() > before) PlayFromPlaylist(before);
    if (error) std::rethrow_exception(error);
}

void TMainController::ShowTags(int index) {
    if (index < 0 || index >= m_face.TrackCount()) return;
    Status(S::ShowingTags);
    m_face.ShowTagsOf(m_face.TrackPath(index));
}

bool TMainController::ToggleElapsedTime() {
    m_time.SetElapsed(!m_time.Elapsed());
    m_face.SetCurrentTimeHint(QString::fromUtf8(m_time.Elapsed() ? S::HintElapsedTime : S::HintTimeLeft));
    Status(S::TimeDisplayChanged);
    return m_time.Elapsed();
}

void TMainController::StateChanged(int32_t state) {
    if (state == ZK_PLAYER_STATE_PLAYING) m_trackLive = true;
    if (state == ZK_PLAYER_STATE_STOPPED && m_inputOpened && m_trackLive && !m_trackError.isEmpty() && m_playing) {
        // The engine ended the track on an error it could not get past.
        m_trackLive = false;
        TrackFailed(std::exchange(m_trackError, QString()));
        return;
    }
    if (state != ZK_PLAYER_STATE_EOF || !m_playing) return;
    if (!m_trackPlayed) {
        TrackFailed(QString::fromUtf8(S::NoAudioInTrack));
        return;
    }
    if (OnTrackEnded) OnTrackEnded();
    m_failedInRow = 0;
    PlayAfterEnd();
}

void TMainController::PlayAfterEnd() {
    const int next = m_order.AfterEnd(OrderOrigin(), m_face.TrackCount());
    if (next >= 0) {
        Status(S::SkippingNext);
        StartTrack(next, false);
        return;
    }
    // What the output still holds of the last track plays out.
    m_playing = false;
    Status(S::EndOfPlaylist);
}

void TMainController::PositionChanged(uint32_t offset, uint32_t range) {
    m_offset = offset;
    m_range = range;
    m_face.ShowPosition(offset, range);
}

void TMainController::DurationChanged(uint32_t seconds) { m_face.ShowTotalTime(m_time.Duration(seconds)); }

void TMainController::TimecodeChanged(int hours, int minutes, int seconds) {
    m_trackPlayed = true;
    m_failedInRow = 0;
    if (m_showingSliderTarget) return;
    m_face.ShowCurrentTime(m_time.Timecode(hours, minutes, seconds));
}

void TMainController::StreamInfoChanged(int layer, int bitrate, int frequency) {
    m_face.ShowStreamInfo(LayerText(layer), BitrateText(bitrate), FrequencyText(frequency));
}

void TMainController::StreamTitleChanged(const QString& title) {
    if (title.isEmpty()) return;
    m_streamTitle = title;
    m_face.ShowSongName(title);
    m_face.ShowTrackTitle(m_face.CurrentIndex(), title);
    TrackInfoChanged();
}

void TMainController::StationNameChanged(const QString& name) {
    if (name.isEmpty()) return;
    m_stationName = name;
    m_face.ShowSongName(name);
    TrackInfoChanged();
}

void TMainController::InputCapsChanged(uint32_t caps) {
    m_seekable = (caps & (ZK_INPUT_CAN_SEEK | ZK_INPUT_CAN_SEEK_BY_REOPEN)) != 0;
    TrackInfoChanged();
}

void TMainController::TrackInfoChanged() {
    if (OnTrackInfoChanged) OnTrackInfoChanged();
}

void TMainController::InputStateChanged(int32_t state) {
    if (state == ZK_NOTIFIED_STATE_OPEN) m_inputOpened = true;
}

void TMainController::ErrorReported(const QString& error) { m_trackError = error; }

void TMainController::OpenFailed(const QString& error) {
    if (!m_playing) {
        m_face.ShowStatus(QString::fromUtf8(S::CannotOpenTrack).arg(error));
        return;
    }
    TrackFailed(error);
}

// Moves on to the next line until every line failed once in a row; a list of
// nothing but unplayable lines then rests instead of cycling.
void TMainController::TrackFailed(const QString& reason) {
    if (OnTrackFailed) OnTrackFailed(reason);
    const QString name = MakeDisplayText(m_trackPath, QString(), 0, false);
    const int count = m_face.TrackCount();
    // A whole pass of failures rests; repeating one line that fails would
    // only fail again.
    const bool wholePass = ++m_failedInRow >= count;
    const int origin = OrderOrigin();
    const int next = wholePass                              ? -1
                     : m_order.Repeat() == TRepeatMode::One ? m_order.Next(origin, count)
                                                            : m_order.AfterEnd(origin, count);
    if (next < 0) {
        m_playing = false;
        m_player.Stop();
        m_face.ShowStatus(QString::fromUtf8(wholePass ? S::NothingPlayable : S::SkippedTrack).arg(name, reason));
        return;
    }
    StartTrack(next, true);
    m_face.ShowStatus(QString::fromUtf8(S::SkippedTrack).arg(name, reason));
}
