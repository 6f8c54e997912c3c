#pragma once

#include "player/mpris/TrackTags.h"

#include <QString>
#include <cstdint>
#include <optional>

// What the player's notifications say about the track for the media player
// interface: which track, whether it plays, where it is and how long it is.
// Times are in microseconds.
class TMprisState {
public:
    // A new input was opened: a new track id, position 0, length unknown.
    void TrackOpened(const QString& name, const TTrackTags& tags);
    // A player state (stopped 0, playing 1, paused 2, end of track 3).
    void PlayerStateChanged(int32_t state);
    void DurationChanged(uint32_t seconds);
    void TimecodeChanged(int hours, int minutes, int seconds, int hundredths);
    // A seek was sent: the position until the next timecode.
    void MovedTo(int64_t positionUs) { m_positionUs = positionUs; }

    bool HasTrack() const { return m_trackNumber > 0; }
    // "Playing", "Paused" or "Stopped".
    QString PlaybackStatus() const;
    bool Paused() const { return m_state == 2; }
    bool Playing() const { return m_state == 1 || m_state == 3; }
    // An object path, unique for each track opened.
    QString TrackId() const;
    // The file URL of a path, or the URL.
    QString Url() const;
    const TTrackTags& Tags() const { return m_tags; }
    int64_t PositionUs() const { return m_positionUs; }
    int64_t LengthUs() const { return m_lengthUs; }
    bool CanSeek() const { return HasTrack() && m_lengthUs > 0; }

    // Where a relative seek lands, clamped at the start; nothing when it
    // goes past the end (the next track is due) or cannot seek.
    std::optional<int64_t> SeekTarget(int64_t offsetUs) const;
    // True when an absolute position applies: the current track and within it.
    bool AcceptsPosition(const QString& trackId, int64_t positionUs) const;

    // A seek the engine understands: offset in milliseconds out of the length in milliseconds.
    struct EngineSeek {
        uint32_t Offset;
        uint32_t Range;
    };
    EngineSeek EngineSeekOf(int64_t positionUs) const;

private:
    QString m_name;
    TTrackTags m_tags;
    int m_trackNumber = 0;
    int32_t m_state = 0;
    int64_t m_positionUs = 0;
    int64_t m_lengthUs = 0;
};
