#pragma once

#include <Qt>

// What the playlist window asks of the main window. The main window
// controller implements it.
class TPlaylistHost {
public:
    virtual ~TPlaylistHost() = default;

    // Start playing playlist line `index` (it exists).
    virtual void PlayFromPlaylist(int index) = 0;
    // Show the tags of the file on playlist line `index` (it exists).
    virtual void ShowTags(int index) = 0;
    // A key pressed in the playlist window that the list does not use
    // itself; true when it was a player key and was acted on.
    virtual bool PlayerKey(int /*key*/, Qt::KeyboardModifiers /*modifiers*/) { return false; }
};
