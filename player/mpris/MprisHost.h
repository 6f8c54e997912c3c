#pragma once

#include "player/mainform/PlaybackOrder.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

// What the media player interface asks of the running player: its buttons,
// its playlist, its playback order and its window.
class TMprisHost {
public:
    virtual ~TMprisHost() = default;

    // Starts the playlist's selected track (nothing on an empty playlist).
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual void Stop() = 0;
    virtual void Next() = 0;
    virtual void Previous() = 0;
    // Seeks the current track to offset / range of its length.
    virtual void Seek(uint32_t offset, uint32_t range) = 0;
    // Adds files, playlists or URLs and plays the first line they added.
    virtual void Open(const QStringList& names) = 0;
    virtual int TrackCount() const = 0;
    // The volume slider, 0 to 1.
    virtual double Volume() const = 0;
    virtual void SetVolume(double volume) = 0;
    virtual void Raise() = 0;
    virtual void Quit() = 0;

    // Repeat and shuffle, as the window's menus set them.
    virtual TRepeatMode Repeat() const = 0;
    virtual void SetRepeat(TRepeatMode mode) = 0;
    virtual bool Shuffle() const = 0;
    virtual void SetShuffle(bool shuffle) = 0;
    // The engine can seek in the track last started.
    virtual bool Seekable() const = 0;
    // What the radio stream last started plays: its title, else its
    // station's name; empty when it has told neither, and for files.
    virtual QString StreamTitle() const = 0;
    // `changed` is called after repeat, shuffle, seekability or the stream
    // title changed in the player.
    virtual void Follow(std::function<void()> changed) = 0;
};
