#pragma once

#include <QString>
#include <QStringList>
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
    // The URI schemes the player opens: local files and the engine's streams.
    static QStringList UriSchemes();
    // False for a URI of another scheme, or a file URL naming another host.
    bool OpenUri(const QString& uri);

    // "None", "Track" or "Playlist": the player's repeat off, one or all.
    QString LoopStatus() const;
    // A name that is none of those changes nothing.
    void SetLoopStatus(const QString& status);
    bool Shuffle() const;
    void SetShuffle(bool shuffle);

    // The current track's title: for a radio stream, what the station says
    // it plays, else its tags' title.
    QString Title() const;

    bool CanGoNext() const;
    bool CanGoPrevious() const { return CanGoNext(); }
    bool CanPlay() const { return CanGoNext(); }
    bool CanPause() const;
    // A track whose length is known, in an input the engine can seek.
    bool CanSeek() const;

private:
    std::optional<int64_t> SeekTo(int64_t positionUs);

    TMprisHost& m_host;
    TMprisState& m_state;
};
