#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// What the media player interface asks of the running player: its buttons,
// its playlist and its window.
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
};
