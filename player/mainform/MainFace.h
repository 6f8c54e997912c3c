#pragma once

#include "playlist/PlayingPlace.h"

#include <QString>
#include <QStringList>
#include <cstdint>

// What the main window controller reads and changes on the screen: the
// skin's labels, position slider and tag, the playlist and its window, the
// tag window.
class TMainFace {
public:
    virtual ~TMainFace() = default;

    virtual void ShowStatus(const QString& text) = 0;
    virtual void ShowSongName(const QString& text) = 0;
    virtual void ShowCurrentTime(const QString& text) = 0;
    virtual void SetCurrentTimeHint(const QString& text) = 0;
    virtual void ShowTotalTime(const QString& text) = 0;
    virtual void ShowStreamInfo(const QString& layer, const QString& bitrate, const QString& frequency) = 0;

    // The position slider: maximum := range, then position := offset.
    virtual void ShowPosition(uint32_t offset, uint32_t range) = 0;
    virtual int Position() const = 0;
    virtual int PositionMaximum() const = 0;

    // The pause flag (the skin's tag).
    virtual int PauseFlag() const = 0;
    virtual void SetPauseFlag(int value) = 0;

    // The playlist.
    virtual int TrackCount() const = 0;
    // The marked line, -1 when none.
    virtual int ItemIndex() const = 0;
    // The track last started (the playlist window's tag), -1 when it is no
    // longer in the list.
    virtual int CurrentIndex() const = 0;
    // Where that track stands now that lines may have moved or gone.
    virtual TPlayingPlace PlayingPlace() const = 0;
    // The line's path or URL; scrolls the list so that it is the top line.
    virtual QString TrackPath(int index) = 0;
    virtual QString TrackText(int index) const = 0;
    // Makes line `index` the only selected one, the marked line and the
    // track last started.
    virtual void MarkStartedTrack(int index) = 0;
    virtual void RefreshPlaylistCaption() = 0;
    // Shows what line `index` plays now (a radio stream's title) as its text;
    // nothing when there is no such line.
    virtual void ShowTrackTitle(int index, const QString& title) = 0;
    // Adds the tracks and loads the playlists among `paths`; may throw the
    // errors of unreadable playlists after adding the rest.
    virtual void AddFiles(const QStringList& paths) = 0;

    // Shows the tag window on the file.
    virtual void ShowTagsOf(const QString& path) = 0;
};
