#pragma once

#include <QString>
#include <cstdint>
#include <optional>

class TMprisHost;
class TMprisState;

// The media player interface's methods and capabilities over the player's
// buttons: Play resumes a paused track or starts the selected one, Pause
// pauses a playing one, seeks go through the engine's position range.
class TMprisPlayer {
public:
    TMprisPlayer(TMprisHost& host, TMprisState& state) : m_host(host), m_state(state) {}

    void Play();
    void Pause();
    void PlayPause();
    void Stop();
    void Next();
    void Previous();
    // The position a seek went to, for the Seeked signal; nothing when the
    // seek did not happen or moved on to the next track.
    std::optional<int64_t> Seek(int64_t offsetUs);
    std::optional<int64_t> SetPosition(const QString& trackId, int64_t positionUs);
    // False for a URI that is neither a local file nor an http, ftp or udp URL.
    bool OpenUri(const QString& uri);

    bool CanGoNext() const;
    bool CanGoPrevious() const { return CanGoNext(); }
    bool CanPlay() const { return CanGoNext(); }
    bool CanPause() const;
    bool CanSeek() const;

private:
    std::optional<int64_t> SeekTo(int64_t positionUs);

    TMprisHost& m_host;
    TMprisState& m_state;
};
