#pragma once

#include "player/mainform/PlaybackOrder.h"
#include "player/mainform/TimeDisplay.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

class TMainFace;
class TTrackPlayer;

// What the main window does for its buttons, menus and engine
// notifications, apart from the widgets: it turns clicks into playlist
// operations and engine commands, and notifications into label texts.
class TMainController {
public:
    TMainController(TTrackPlayer& player, TMainFace& face);

    // Starts playlist line `index` (it exists) at once: input open, song
    // name, selection, current index, pause flag cleared, stop, play,
    // caption, status.
    void PlayFromPlaylist(int index);

    // Play, Next, Previous and the end of a track start a line; a line that
    // cannot be opened or ends without a sound is skipped with a status
    // naming it. When every line of the list failed in a row, playback
    // stops. Stop makes a pending end of track start nothing.

    void Play();
    // Play when nothing plays, otherwise pause or resume.
    void PlayPause();
    void PauseResume();
    void Stop();
    void Next();
    void Previous();
    // Forward, Rewind and the seeks below are sent only once the engine
    // reported that the started track's input can seek.
    void Forward();
    void Rewind();
    // Seeks to where the user left the position slider; on an input that
    // cannot seek, the slider goes back to where the track is.
    void SeekToSlider();
    // Seeks by whole seconds from the slider's position; nothing while the
    // track's duration is unknown.
    void SeekSeconds(int seconds);
    // The slider is being dragged: the time label shows the time it points
    // at, and timecodes wait until the seek (not on an input that cannot seek).
    void ShowSliderTarget();
    // Adds the tracks and playlists among `paths` and plays the first line
    // they added. Errors of unreadable playlists are thrown afterwards.
    void AddAndPlay(const QStringList& paths);
    // Shows the tags of playlist line `index`; nothing when there is no such
    // line (an empty list, or the current track was deleted).
    void ShowTags(int index);
    // Flips elapsed / remaining time; returns true when elapsed time shows.
    bool ToggleElapsedTime();

    // Engine notifications. States are the player's and the input's, which
    // share this handler; at the end of a track the next one starts without
    // a stop, so that it joins the end of the last one.
    void StateChanged(int32_t state);
    // The input's open/closed notifications.
    void InputStateChanged(int32_t state);
    // An error the engine reported; when the engine then stops a track it
    // had opened, the track is skipped with that error.
    void ErrorReported(const QString& error);
    void PositionChanged(uint32_t offset, uint32_t range);
    void DurationChanged(uint32_t seconds);
    void TimecodeChanged(int hours, int minutes, int seconds);
    void StreamInfoChanged(int layer, int bitrate, int frequency);
    // A radio stream's title: the song name and the text of the playing
    // track's playlist line; the station's name until a title comes.
    void StreamTitleChanged(const QString& title);
    void StationNameChanged(const QString& name);
    // The input could not be opened; `error` is the engine's text.
    void OpenFailed(const QString& error);
    // The opened input's capability bits (ZK_INPUT_*).
    void InputCapsChanged(uint32_t caps);

    const TTimeDisplay& Time() const { return m_time; }
    // Shuffle and repeat of Next, Previous and the end of a track.
    TPlaybackOrder& Order() { return m_order; }
    // A track was started and not stopped, nor the list played out.
    bool Playing() const { return m_playing; }
    // The engine can seek in the started track's input.
    bool Seekable() const { return m_seekable; }
    // What the started radio stream plays: its last title, else its
    // station's name; empty until the server tells, and for other tracks.
    QString StreamTitle() const { return m_streamTitle.isEmpty() ? m_stationName : m_streamTitle; }

    // Raised when Seekable() or StreamTitle() may have changed.
    std::function<void()> OnTrackInfoChanged;

    // Raised at the end of a track, before the next one starts.
    std::function<void()> OnTrackEnded;
    // Raised when a track cannot be opened, with the engine's error text, or
    // ends without playing anything.
    std::function<void(const QString& error)> OnTrackFailed;

private:
    // cut: stop what the output still holds first.
    void StartTrack(int index, bool cut);
    void TrackFailed(const QString& reason);
    void Status(const char* text);
    void SeekBy(int step);
    void PlayAfterEnd();
    void TrackInfoChanged();
    // The playing line, or the marked one when none played yet.
    int PlayingOrMarkedLine() const;
    // The line Next and the end of a track move on from.
    int OrderOrigin() const;

    TTrackPlayer& m_player;
    TMainFace& m_face;
    TTimeDisplay m_time;
    QString m_trackPath;        // of the track last started
    bool m_trackPlayed = false; // it reported a time code
    int m_failedInRow = 0;      // tracks that failed since one last played
    bool m_inputOpened = false; // the engine opened the started track
    bool m_trackLive = false;   // the engine plays the started track
    QString m_trackError;       // the last error the engine reported for it
    TPlaybackOrder m_order;
    bool m_playing = false; // started, and neither stopped nor played out
    bool m_showingSliderTarget = false;
    bool m_seekable = false; // the started track's input, as the engine reported
    QString m_streamTitle;   // of the started track
    QString m_stationName;   // of the started track
    uint32_t m_offset = 0;   // the engine's last position report
    uint32_t m_range = 0;
};
