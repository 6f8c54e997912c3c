#pragma once

#include "player/mpris/MprisHost.h"

struct TTaerinWindows;

// The media player interface's host: the main window's handlers, the
// playlist window's list and the skin's volume slider.
class TWindowsMprisHost : public TMprisHost {
public:
    explicit TWindowsMprisHost(TTaerinWindows& windows) : m_windows(windows) {}

    void Play() override;
    // Pause and resume go through the pause button with its flag set to the
    // state wanted, so that the button stays in step.
    void Pause() override;
    void Resume() override;
    void Stop() override;
    void Next() override;
    void Previous() override;
    void Seek(uint32_t offset, uint32_t range) override;
    // Errors of unreadable playlists are thrown after playback started.
    void Open(const QStringList& names) override;
    int TrackCount() const override;
    double Volume() const override;
    void SetVolume(double volume) override;
    void Raise() override;
    void Quit() override;
    TRepeatMode Repeat() const override;
    // Through the window's own handlers, so that menus and status follow.
    void SetRepeat(TRepeatMode mode) override;
    bool Shuffle() const override;
    void SetShuffle(bool shuffle) override;
    bool Seekable() const override;
    QString StreamTitle() const override;
    // Takes the playback order's and the main window controller's hooks.
    void Follow(std::function<void()> changed) override;

private:
    TTaerinWindows& m_windows;
};
